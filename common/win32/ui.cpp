#include "common/win32/ui.h"

#include <utility>

namespace raz {
namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  flags |= MB_TASKMODAL;
  if (Hook()) return Hook()(owner, text, caption, flags);
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void PumpPendingMessages() { PumpPendingMessages(nullptr); }

void PumpPendingMessages(const MessageFilter& filter) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) return;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
    if (msg.message == WM_QUIT) {
      // A quit posted between the two peeks: put it back for the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (filter && filter(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void DiscardQueuedInput(const MessageFilter& filter) {
  MSG msg;
  for (const auto [first, last] : {std::pair<UINT, UINT>{WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST}}) {
    while (PeekMessageA(&msg, nullptr, first, last, PM_REMOVE)) {
      if (filter) filter(msg);
    }
  }
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace raz
