// The main window in this process: what another process cannot read from it
// (under Wine, WM_GETFONT does not cross processes), and what only a seam can
// bring about (the open-file dialog's failures).
#include <windows.h>

#include <cderr.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win32/ui.h"
#include "repair/win32/browse_dialog_win32.h"

#include "repair/main_window_layout.h"
#include "repair/win32/frame_win32.h"
#include "repair/win32/main_window_win32.h"
#include "win/driver/driver.h"

namespace raz {
namespace {

TEST(RepairWindow, EveryControlUsesTheDefaultGuiFont) {
  ProgramGlobals globals;
  {
    MainWindow window(globals);
    ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr), SW_HIDE));
    const HFONT gui_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int controls = 0;
    for (HWND control : test::Descendants(window.handle())) {
      // Frames and pictures show no text (Wine's picture statics keep no font).
      const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
      if (test::ClassOf(control) == kFrameClassName) continue;
      if (test::ClassOf(control) == "Static" && ((style & SS_TYPEMASK) == SS_ICON || (style & SS_TYPEMASK) == SS_BITMAP)) {
        continue;
      }
      ++controls;
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), gui_font)
          << GetDlgCtrlID(control);
    }
    EXPECT_EQ(controls, 25);  // labels, buttons, the edit box and the check boxes
  }
  // The window's end posted a quit for the program's loop: drop it.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}


// A window of this process, made hidden, whose quit message (posted when it
// goes) is dropped afterwards so no other test's loop sees it.
struct InProcessWindow : ::testing::Test {
  ProgramGlobals globals;
  std::optional<MainWindow> window{std::in_place, globals};
  std::vector<std::string> boxes;  // "caption|text" of every box shown

  InProcessWindow() {
    SetMessageBoxHook([this](HWND, const std::string& text, const std::string& caption, UINT) {
      boxes.push_back(caption + "|" + text);
      return IDOK;
    });
  }
  ~InProcessWindow() override {
    SetMessageBoxHook(nullptr);
    SetOpenFileDialogHook(nullptr);
    window.reset();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  HWND Control(int id) const { return test::ChildById(window->handle(), id); }
  void ClickBrowse() {
    SendMessageA(window->handle(), WM_COMMAND, MAKEWPARAM(kIdBrowse, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(kIdBrowse)));
  }
};

// Locked for a repair, every option box is disabled; unlocked, each gets back
// the state it had, a preset's disabled box included.
TEST_F(InProcessWindow, LockingTheInputsTakesTheOptionBoxesAlong) {
  ASSERT_TRUE(window->Create(GetModuleHandleA(nullptr), SW_HIDE));
  HWND preset = Control(OptionControlId(RepairOption::FneIcon));
  EnableWindow(preset, FALSE);
  window->SetInputsEnabled(false);
  for (std::size_t i = 0; i < kRepairOptionCount; ++i) {
    HWND box = Control(OptionControlId(static_cast<RepairOption>(i)));
    ASSERT_NE(box, nullptr) << i;
    EXPECT_FALSE(IsWindowEnabled(box)) << i;
  }
  window->SetInputsEnabled(true);
  for (std::size_t i = 0; i < kRepairOptionCount; ++i) {
    const auto option = static_cast<RepairOption>(i);
    const ControlLayout* layout = FindControl(OptionControlId(option));
    const bool expected = !layout->disabled && option != RepairOption::FneIcon;
    EXPECT_EQ(IsWindowEnabled(Control(OptionControlId(option))) != FALSE, expected) << i;
  }
}

// Browse through the dialog seam: a start name the dialog refuses is dropped
// for an empty one, the chosen path goes to the box and is the dialog's next
// start name; a path too long for the buffer has a box of its own.
TEST_F(InProcessWindow, BrowseTakesTheChosenPathAndTellsATooLongOne) {
  ASSERT_TRUE(window->Create(GetModuleHandleA(nullptr), SW_HIDE));
  SetWindowTextA(Control(kIdPathEdit), "typed");
  window->SetDialogFileName("C:\\bad|name");
  std::vector<std::string> started_with;
  std::vector<DWORD> answers = {FNERR_INVALIDFILENAME, 0, FNERR_BUFFERTOOSMALL};
  SetOpenFileDialogHook([&](OPENFILENAMEA& dialog, DWORD* error) {
    started_with.push_back(dialog.lpstrFile);
    *error = answers.front();
    answers.erase(answers.begin());
    if (*error != 0) return false;
    lstrcpyA(dialog.lpstrFile, "C:\\raz\\e.exe");
    return true;
  });
  ClickBrowse();
  EXPECT_EQ(test::TextOf(Control(kIdPathEdit)), "C:\\raz\\e.exe");
  EXPECT_TRUE(boxes.empty());
  ClickBrowse();
  EXPECT_EQ(started_with, (std::vector<std::string>{"C:\\bad|name", "", "C:\\raz\\e.exe"}));
  EXPECT_EQ(boxes, (std::vector<std::string>{"错误|所选文件的路径过长，无法使用"}));
  EXPECT_EQ(test::TextOf(Control(kIdPathEdit)), "C:\\raz\\e.exe");
}

}  // namespace
}  // namespace raz
