// The password window "请输入密码", shown modally over the main window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace raz::viewer {

// Shows the window over `owner` (disabled meanwhile) and waits until it is
// closed. The password exactly as typed when OK was pressed with something
// other than blanks in the box; empty for Cancel, Esc or the close box;
// nothing when the window could not be created.
std::optional<std::string> ShowPasswordWindow(HWND owner);

}  // namespace raz::viewer
