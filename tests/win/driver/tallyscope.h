// Reading and steering a running Tallyscope from outside: its main window's
// grid and status bar, its menu, and the boxes it may show.
#pragma once

#include <windows.h>

#include <string>

#include "viewer/win32/menu_ids.h"
#include "win/driver/driver.h"

namespace raz::test::tallyscope {

constexpr char kMainClass[] = "TallyscopeMain";
constexpr char kPasswordTitle[] = "请输入密码";

inline HWND Grid(HWND main) { return ChildById(main, viewer::kGridId); }
inline HWND Status(HWND main) { return ChildById(main, viewer::kStatusBarId); }
inline bool StatusReads(HWND main, const std::string& text, DWORD ms = 20000) {
  return WaitUntil([&] { return TextOf(Status(main)) == text; }, ms);
}
// Posts a menu command, as a click on the menu item would.
inline void Menu(HWND main, unsigned id) { PostMessageA(main, WM_COMMAND, id, 0); }
// True when program `pid` shows no box or dialog within `ms`.
inline bool NoBoxWithin(DWORD pid, DWORD ms) { return !WaitForMessageBox(pid, ms); }

}  // namespace raz::test::tallyscope
