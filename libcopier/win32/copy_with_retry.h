// The copy of the source onto the destination, with a retry box per failure.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "libcopier/file_facts.h"

namespace raz {

// Whether the copy may take the place of a file that is already there.
enum class CopyMode {
  kCreate,   // the destination was absent: never replace one that appeared since
  kReplace,  // the user chose to replace the destination
};

enum class CopyOutcome {
  kDone,                 // copied, or the user gave up
  kDestinationAppeared,  // kCreate found a file of that name: nothing copied, nothing shown
};

// Copies the file at `from` to the new file `to`, which exists and is empty;
// false with the thread's last error set when it fails. Tests put a failing
// routine here.
using CopyRoutine = std::function<bool(const std::string& from, const std::string& to)>;
bool CopyFileRoutine(const std::string& from, const std::string& to);

// Copies `source` into a temporary file in the destination's folder, then puts
// that file in the destination's place in one step. On any failure the
// destination is as it was and the temporary file is gone. Returns
// ERROR_SUCCESS or the system error of the step that failed.
DWORD CopyIntoPlace(const std::string& source, const FileFacts& destination, CopyMode mode,
                    const CopyRoutine& copy = CopyFileRoutine);

// Copies the source over the destination, asking after each failure whether to
// try again, then asks the replace window (if any) to close.
CopyOutcome CopyWithRetry(CopyMode mode);

// The failure box for `code`: "复制文件失败", a line break and the system's text,
// owned by the replace window when it exists. Returns the button chosen.
int ShowCopyError(DWORD code);

// The system's message text for `code`, line breaks included; "" when the
// system has none.
std::string SystemErrorText(DWORD code);

}  // namespace raz
