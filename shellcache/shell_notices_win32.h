// The two announcements that end the icon-cache refresh, as calls that tests
// can replace: the association-changed notice to the shell and the
// setting-change broadcast to every top-level window.
#pragma once

#include <windows.h>

namespace raz {

struct ShellNotices {
  void(WINAPI* change_notify)(LONG event, UINT flags, LPCVOID item1, LPCVOID item2);
  LRESULT(WINAPI* send_message_timeout)(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT flags,
                                        UINT timeout, PDWORD_PTR result);
};

// SHChangeNotify and SendMessageTimeoutA.
const ShellNotices& SystemShellNotices();

// The icon-cache refresh, announcing through `notices`.
void RefreshIconCache(const ShellNotices& notices);

}  // namespace raz
