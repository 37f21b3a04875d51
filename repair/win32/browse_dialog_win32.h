// The open-file dialog 通用对话框1, in which the user chooses e.exe.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

namespace raz {

// The longest path the system takes, in bytes with the terminating NUL; the
// dialog's buffer is at least this large.
constexpr std::size_t kBrowseBufferSize = 32768;

struct BrowseResult {
  enum class Outcome { Chosen, Cancelled, PathTooLong };
  Outcome outcome = Outcome::Cancelled;
  std::string path;  // the chosen file's full path, when chosen
};

// Tests stand in for the user through this seam: while set, it is called with
// the dialog's settings instead of GetOpenFileNameA, and returns true for a
// chosen file (its path written to lpstrFile) or false with the extended error
// the dialog would report (0 for a cancel).
using OpenFileDialogHook = std::function<bool(OPENFILENAMEA& dialog, DWORD* error)>;
void SetOpenFileDialogHook(OpenFileDialogHook hook);

// Shows the dialog modally over `owner`, opening with `file_name` whole,
// however long. A chosen path that does not fit the buffer gives PathTooLong,
// never a silent cancel.
BrowseResult ShowBrowseDialog(HWND owner, const std::string& file_name);

}  // namespace raz
