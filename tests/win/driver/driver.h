// Drives a real program from outside, as a user would: starts it, finds its
// windows and controls, reads and sets them, clicks, answers its message boxes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace raz::test {

class Program {
 public:
  // Starts `exe` with the command line tail `args` (the exe's quoted path is put
  // in front), in `cwd` when given. Check ok() afterwards.
  Program(const std::string& exe, const std::string& args, const std::string& cwd = {});
  // Runs a whole command line as given (e.g. a shell command with %1 replaced).
  static Program FromCommandLine(const std::string& command_line, const std::string& cwd = {});
  Program(Program&& o) noexcept;
  Program& operator=(Program&&) = delete;
  Program(const Program&) = delete;
  ~Program();  // kills the program if it still runs

  bool ok() const { return process_ != nullptr; }
  DWORD pid() const { return pid_; }
  // Top-level visible window of this program with that class and/or title
  // (nullptr matches any), waited for up to `ms`.
  HWND WaitForWindow(const char* cls, const char* title, DWORD ms = 15000) const;
  // True when the program ended within `ms`.
  bool WaitForExit(DWORD ms = 15000) const;
  // Exit code; STILL_ACTIVE while running.
  DWORD ExitCode() const;
  // All visible top-level windows of the program.
  std::vector<HWND> TopWindows() const;

 private:
  Program() = default;
  void Start(const std::string& command_line, const std::string& cwd);
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

struct MessageBoxSeen {
  HWND box = nullptr;
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;  // captions of the box's buttons, in z-order
  // The box's icon as its MB_ICON* flag (MB_ICONERROR, MB_ICONQUESTION,
  // MB_ICONWARNING, MB_ICONINFORMATION), 0 for none, kUnknownIcon for another.
  UINT icon = 0;
};
constexpr UINT kUnknownIcon = 0xFFFFFFFF;

// A message box (dialog class #32770 with a static text) of program `pid`,
// waited for up to `ms`.
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD pid, DWORD ms = 15000);
// Presses the box's button with that id (IDOK, IDRETRY, ...).
void AnswerMessageBox(HWND box, int id);

std::string TextOf(HWND w);
std::string ClassOf(HWND w);
// Children (direct and nested) in creation order.
std::vector<HWND> Descendants(HWND parent);
HWND ChildById(HWND parent, int id);
// First descendant whose text equals `text` (and class, when given).
HWND ChildByText(HWND parent, const std::string& text, const char* cls = nullptr);
// Window rectangle relative to the client area of `relative_to`.
RECT RectIn(HWND w, HWND relative_to);

// Where a window of that outer size stands when centred on the primary
// display's work area.
POINT CentredOnWorkArea(int width, int height);

// Posts a click to a button, so a handler that opens a modal box does not
// block the caller.
void Click(HWND button);
void SetText(HWND w, const std::string& text);
bool IsChecked(HWND checkbox);
void SetChecked(HWND checkbox, bool checked);
// Sends a key down/up pair to the window (posted).
void PressKey(HWND w, UINT vk, bool alt = false);

// A report list view of another process: its cell and column-header texts
// (read through memory in the list view's own process), item and column
// counts and column widths.
std::string ListViewText(HWND list, int item, int sub_item);
std::string ListViewColumnText(HWND list, int column);
int ListViewItemCount(HWND list);
int ListViewColumnCount(HWND list);
int ListViewColumnWidth(HWND list, int column);

// Polls `pred` every 20 ms up to `ms`.
template <typename Pred>
bool WaitUntil(Pred pred, DWORD ms = 15000) {
  const DWORD start = GetTickCount();
  while (!pred()) {
    if (GetTickCount() - start > ms) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace raz::test
