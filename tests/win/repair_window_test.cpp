// The main window in this process: what another process cannot read from it
// (under Wine, WM_GETFONT does not cross processes).
#include <windows.h>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace raz
