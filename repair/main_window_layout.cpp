#include "repair/main_window_layout.h"

#include "repair/ravelmend_resource_ids.h"

namespace raz {
namespace {

using K = ControlKind;
using O = RepairOption;

constexpr ControlLayout Option(O option, int parent, int left, int top, int width, std::string_view text,
                               bool checked, bool disabled = false) {
  return {OptionControlId(option), K::CheckBox, parent, left, top, width, 16, text, 0, checked, disabled, true};
}
constexpr ControlLayout Icon(int id, int parent, int top, int icon) {
  return {id, K::Icon, parent, 8, top, 16, 16, {}, icon};
}
constexpr ControlLayout Label(int id, int parent, int left, int top, int width, int height, std::string_view text) {
  return {id, K::Label, parent, left, top, width, height, text};
}
constexpr ControlLayout Frame(int id, int left, int top, int width, int height) {
  return {id, K::Frame, kIdWindow, left, top, width, height, {}};
}

const std::array<ControlLayout, 35> kLayout = {{
    {kIdBanner, K::Banner, kIdWindow, 0, 0, 600, 80, {}},
    Label(kIdPathLabel, kIdWindow, 8, 86, 88, 20, "raz主程序"),
    {kIdPathEdit, K::Edit, kIdWindow, 8, 110, 426, 20, {}, 0, false, false, true},
    {kIdBrowse, K::Button, kIdWindow, 371, 83, 64, 24, "浏览(&B)", 0, false, false, true},

    Frame(kIdFrame1, 8, 138, 220, 86),
    Icon(kIdIconE, kIdFrame1, 8, RAZ_IDI_TYPE_E),
    Label(kIdLabelE, kIdFrame1, 28, 8, 164, 16, "raz源码(*.e)"),
    Option(O::EIcon, kIdFrame1, 28, 28, 120, "图标显示", true, true),
    Option(O::EOpen, kIdFrame1, 28, 44, 128, "文件双击打开", true, true),
    Option(O::ENew, kIdFrame1, 28, 60, 160, "右键“新建→易程序”", true),

    Frame(kIdFrame2, 8, 232, 220, 136),
    Icon(kIdIconE8, kIdFrame2, 8, RAZ_IDI_TYPE_E8),
    Label(kIdLabelE8, kIdFrame2, 28, 8, 164, 16, "易程序配置信息(*.e8)"),
    Option(O::E8Icon, kIdFrame2, 24, 28, 120, "图标显示", true),
    Option(O::E8Open, kIdFrame2, 24, 44, 128, "文件双击打开", true),
    Option(O::E8New, kIdFrame2, 24, 60, 192, "右键“新建→易程序配置信息”", true),
    Option(O::E8OpenWithRaz, kIdFrame2, 24, 76, 160, "右键“用raz打开”", true),
    Option(O::E8OpenWithNotepad, kIdFrame2, 24, 92, 160, "右键“用记事本打开”", true),

    Frame(kIdFrame3, 236, 138, 198, 230),
    Icon(kIdIconEc, kIdFrame3, 8, RAZ_IDI_TYPE_EC),
    Label(kIdLabelEc, kIdFrame3, 28, 8, 132, 16, "raz模块(*.ec)"),
    Option(O::EcIcon, kIdFrame3, 28, 28, 84, "图标显示", true),
    Icon(kIdIconEdb, kIdFrame3, 48, RAZ_IDI_TYPE_EDB),
    Label(kIdLabelEdb, kIdFrame3, 28, 48, 132, 16, "易数据库文件(*.edb)"),
    Option(O::EdbIcon, kIdFrame3, 28, 68, 84, "图标显示", true),
    Option(O::EdbOpen, kIdFrame3, 28, 84, 84, "双击打开", true),
    Icon(kIdIconFne, kIdFrame3, 104, RAZ_IDI_TYPE_FNE),
    Label(kIdLabelFne, kIdFrame3, 28, 104, 132, 16, "支持库文件(*.fne)"),
    Option(O::FneIcon, kIdFrame3, 28, 124, 84, "图标显示", true),
    Option(O::FneCopy, kIdFrame3, 28, 142, 168, "右键“复制到raz目录”", false),
    Icon(kIdIconLib, kIdFrame3, 163, RAZ_IDI_TYPE_LIB),
    Label(kIdLabelLib, kIdFrame3, 28, 163, 132, 16, "静态库文件(*.lib)"),
    Option(O::LibIcon, kIdFrame3, 28, 183, 84, "图标显示", true),
    Option(O::LibCopy, kIdFrame3, 28, 201, 168, "右键“复制到raz目录”", false),

    {kIdRepair, K::Button, kIdWindow, 236, 380, 198, 40, "一键修复(&E)", 0, false, false, true},
}};

}  // namespace

const std::array<ControlLayout, 35>& MainWindowLayout() { return kLayout; }

const ControlLayout* FindControl(int id) {
  for (const ControlLayout& control : kLayout) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

}  // namespace raz
