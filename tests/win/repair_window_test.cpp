// The main window in this process: what another process cannot read from it
// (under Wine, WM_GETFONT does not cross processes), and what only a seam can
// bring about (the open-file dialog's failures).
#include <windows.h>
#include <cderr.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win32/ui.h"
#include "repair/main_window_layout.h"
#include "repair/win32/browse_dialog_win32.h"
#include "repair/win32/frame_win32.h"
#include "repair/win32/main_window_win32.h"
#include "win/driver/driver.h"

namespace raz {
namespace {

// A hidden window; its message boxes are answered and kept as "caption|text".
struct RepairWindow : ::testing::Test {
  ProgramGlobals globals;
  std::optional<MainWindow> window{std::in_place, globals};
  std::vector<std::string> boxes;

  void SetUp() override {
    SetMessageBoxHook([this](HWND, const std::string& text, const std::string& caption, UINT) {
      boxes.push_back(caption + "|" + text);
      return IDOK;
    });
    ASSERT_TRUE(window->Create(GetModuleHandleA(nullptr), SW_HIDE));
  }
  ~RepairWindow() override {
    SetMessageBoxHook(nullptr);
    SetOpenFileDialogHook(nullptr);
    window.reset();
    // The window's end posted a quit for the program's loop: drop it.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  HWND Control(int id) const { return test::ChildById(window->handle(), id); }
  HWND Option(std::size_t i) const { return Control(OptionControlId(static_cast<RepairOption>(i))); }
};

TEST_F(RepairWindow, EveryControlUsesTheDefaultGuiFont) {
  const HFONT gui_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int controls = 0;
  for (HWND control : test::Descendants(window->handle())) {
    // Frames and pictures show no text (Wine's picture statics keep no font).
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    if (test::ClassOf(control) == kFrameClassName) continue;
    if (test::ClassOf(control) == "Static" && ((style & SS_TYPEMASK) == SS_ICON || (style & SS_TYPEMASK) == SS_BITMAP)) {
      continue;
    }
    ++controls;
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), gui_font) << GetDlgCtrlID(control);
  }
  EXPECT_EQ(controls, 25);  // labels, buttons, the edit box and the check boxes
}

// Locked for a repair, every option box is disabled; unlocked, each gets back
// its state, a preset's disabled box included.
TEST_F(RepairWindow, LockingTheInputsTakesTheOptionBoxesAlong) {
  const std::size_t preset = static_cast<std::size_t>(RepairOption::FneIcon);
  EnableWindow(Option(preset), FALSE);
  window->SetInputsEnabled(false);
  for (std::size_t i = 0; i < kRepairOptionCount; ++i) EXPECT_FALSE(IsWindowEnabled(Option(i))) << i;
  window->SetInputsEnabled(true);
  for (std::size_t i = 0; i < kRepairOptionCount; ++i) {
    const bool enabled = !FindControl(OptionControlId(static_cast<RepairOption>(i)))->disabled && i != preset;
    EXPECT_EQ(IsWindowEnabled(Option(i)) != FALSE, enabled) << i;
  }
}

// A start name the dialog refuses gives way to an empty one; the chosen path
// goes to the box and is the dialog's next start name; a path too long for the
// buffer has a box of its own.
TEST_F(RepairWindow, BrowseTakesTheChosenPathAndTellsATooLongOne) {
  window->SetDialogFileName("C:\\bad|name");
  std::vector<std::string> started_with;
  std::vector<DWORD> errors = {FNERR_INVALIDFILENAME, 0, FNERR_BUFFERTOOSMALL};
  SetOpenFileDialogHook([&](OPENFILENAMEA& dialog, DWORD* error) {
    started_with.push_back(dialog.lpstrFile);
    *error = errors[started_with.size() - 1];
    if (*error == 0) lstrcpyA(dialog.lpstrFile, "C:\\raz\\e.exe");
    return *error == 0;
  });
  for (int click = 0; click < 2; ++click) {
    SendMessageA(window->handle(), WM_COMMAND, MAKEWPARAM(kIdBrowse, BN_CLICKED), 0);
    EXPECT_EQ(test::TextOf(Control(kIdPathEdit)), "C:\\raz\\e.exe");
  }
  EXPECT_EQ(started_with, (std::vector<std::string>{"C:\\bad|name", "", "C:\\raz\\e.exe"}));
  EXPECT_EQ(boxes, (std::vector<std::string>{"错误|所选文件的路径过长，无法使用"}));
}

}  // namespace
}  // namespace raz
