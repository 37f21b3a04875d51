// The main window's layout: size, title, every control with its place, text and
// initial state, and the settings of the open-file dialog. The Win32 window is
// built from this table.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "repair/repair_context.h"

namespace raz {

constexpr std::string_view kMainWindowTitle = "Ravelmend V1.30";
constexpr int kMainWindowWidth = 450;   // outer size
constexpr int kMainWindowHeight = 460;

// Control ids. The option check boxes are kOptionIdBase + their RepairOption.
enum ControlId : int {
  kIdWindow = 0,  // parent id of the window's own controls
  kIdBanner = 100,   // 图片框1
  kIdPathLabel,      // 标签1
  kIdBrowse,         // 按钮1
  kIdPathEdit,       // 编辑框1
  kIdRepair,         // 按钮2
  kIdFrame1 = 111,   // 外形框1
  kIdFrame2,         // 外形框2
  kIdFrame3,         // 外形框3
  kIdIconE = 121,    // 图片框2
  kIdIconE8,         // 图片框3
  kIdIconEc,         // 图片框4
  kIdIconEdb,        // 图片框5
  kIdIconFne,        // 图片框6
  kIdIconLib,        // 图片框7
  kIdLabelE = 131,   // 标签5
  kIdLabelE8,        // 标签6
  kIdLabelEc,        // 标签7
  kIdLabelEdb,       // 标签8
  kIdLabelFne,       // 标签9
  kIdLabelLib,       // 标签2
  kOptionIdBase = 200,
};

constexpr int OptionControlId(RepairOption option) { return kOptionIdBase + static_cast<int>(option); }

enum class ControlKind { Banner, Icon, Label, Button, Edit, Frame, CheckBox };

struct ControlLayout {
  int id;
  ControlKind kind;
  int parent;  // kIdWindow or a frame's id; the place is relative to the parent
  int left, top, width, height;
  std::string_view text;
  int icon = 0;  // icon resource of an Icon box
  bool checked = false;
  bool disabled = false;
  bool tab_stop = false;
};

// Every control, parents before their children, in the order Tab visits them.
const std::array<ControlLayout, 35>& MainWindowLayout();

// The control's layout entry, or nullptr.
const ControlLayout* FindControl(int id);

// The open-file dialog 通用对话框1: one file, one filter entry "raz主程序(e.exe)"
// matching "e.exe" (Windows' filter form: pairs of NUL-ended texts, then NUL),
// OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT.
constexpr std::string_view kOpenDialogTitle = "选择raz主程序";
constexpr std::string_view kOpenDialogFilter{"raz主程序(e.exe)\0e.exe\0", sizeof "raz主程序(e.exe)\0e.exe\0"};
constexpr unsigned kOpenDialogFlags = 0x1806;
// Shown when the path chosen in the dialog is longer than the system takes.
constexpr std::string_view kBrowsePathTooLong = "所选文件的路径过长，无法使用";

}  // namespace raz
