// Message pumping and the message box seam shared by Ravelmend and Tallyscope.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "common/win32/ui.h"

namespace raz {
namespace {

int g_posted_seen = 0;
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_APP) ++g_posted_seen;
  return DefWindowProcA(w, m, wp, lp);
}

HWND MakeWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "RazPumpProbe";
  RegisterClassA(&wc);
  return CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

TEST(PumpPendingMessages, DispatchesUntilTheQueueIsEmpty) {
  HWND w = MakeWindow();
  g_posted_seen = 0;
  for (int i = 0; i < 5; ++i) PostMessageA(w, WM_APP, 0, 0);
  PumpPendingMessages();
  EXPECT_EQ(g_posted_seen, 5);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, w, WM_APP, WM_APP, PM_NOREMOVE));
  DestroyWindow(w);
}

TEST(PumpPendingMessages, StopsAtQuitAndLeavesItQueued) {
  HWND w = MakeWindow();
  g_posted_seen = 0;
  PostMessageA(w, WM_APP, 0, 0);
  PostQuitMessage(7);
  PostMessageA(w, WM_APP, 0, 0);
  PumpPendingMessages();
  MSG msg;
  // The quit message is still there for the main loop, with its exit code.
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  while (msg.message != WM_QUIT && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(w);
}

// Keys and clicks go, each seen by the filter first; other messages stay.
TEST(DiscardQueuedInput, DropsKeysAndClicksAndKeepsTheRest) {
  HWND w = MakeWindow();
  g_posted_seen = 0;
  const std::vector<UINT> input = {WM_KEYDOWN, WM_CHAR, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_LBUTTONUP};
  for (UINT message : input) PostMessageA(w, message, VK_RETURN, 0);
  PostMessageA(w, WM_APP, 0, 0);
  std::vector<UINT> seen;
  DiscardQueuedInput([&](const MSG& msg) { return seen.push_back(msg.message), true; });
  EXPECT_EQ(seen, input);
  PumpPendingMessages();
  EXPECT_EQ(g_posted_seen, 1);
  DestroyWindow(w);
}

TEST(ShowMessageBox, IsTaskModalAndOwnedByTheCallerWindow) {
  HWND seen_owner = nullptr;
  UINT seen_flags = 0;
  std::string seen_text, seen_caption;
  SetMessageBoxHook([&](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    seen_owner = owner;
    seen_text = text;
    seen_caption = caption;
    seen_flags = flags;
    return IDOK;
  });
  HWND owner = reinterpret_cast<HWND>(0x1234);
  EXPECT_EQ(ShowMessageBox(owner, "text", "\xB4\xED\xCE\xF3", MB_ICONERROR), IDOK);  // 错误
  SetMessageBoxHook(nullptr);
  EXPECT_EQ(seen_owner, owner);
  EXPECT_EQ(seen_text, "text");
  EXPECT_EQ(seen_caption, "\xB4\xED\xCE\xF3");
  EXPECT_EQ(seen_flags, static_cast<UINT>(MB_ICONERROR | MB_TASKMODAL));
}

}  // namespace
}  // namespace raz
