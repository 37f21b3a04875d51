// Message boxes, message pumping and window texts shared by Ravelmend and
// Tallyscope.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace raz {

// A task-modal message box owned by `owner`, with the caller's text, caption and
// flags. Returns the box's answer.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// Tests answer boxes through this seam: while set, ShowMessageBox calls it
// (with the flags it would pass, MB_TASKMODAL included) instead of MessageBoxA.
using MessageBoxHook = std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT flags)>;
void SetMessageBoxHook(MessageBoxHook hook);

// Dispatches every message waiting in this thread's queue until the queue is
// empty or the next message is WM_QUIT, which stays queued.
void PumpPendingMessages();

// Handles a message before it is translated and dispatched; true when it took
// the message (as a main loop's Esc or Tab handling does).
using MessageFilter = std::function<bool(const MSG& msg)>;

// PumpPendingMessages, offering each message to `filter` first.
void PumpPendingMessages(const MessageFilter& filter);

// Removes the keyboard and the client-area mouse messages waiting in this
// thread's queue, each offered to `filter` first (which may act on it, a close
// request for one); all others stay queued.
void DiscardQueuedInput(const MessageFilter& filter);

// The whole text of a window or control, however long.
std::string WindowText(HWND window);

}  // namespace raz
