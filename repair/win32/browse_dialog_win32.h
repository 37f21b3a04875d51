// The open-file dialog 通用对话框1, in which the user chooses e.exe.
#pragma once

#include <windows.h>

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

// Shows the dialog modally over `owner`, opening with `file_name` whole,
// however long. A chosen path that does not fit the buffer gives PathTooLong,
// never a silent cancel.
BrowseResult ShowBrowseDialog(HWND owner, const std::string& file_name);

}  // namespace raz
