// The copy of the source onto the destination, with a retry box per failure.
#pragma once

#include <windows.h>

#include <string>

namespace raz {

// Copies the source's full path over the destination's, asking after each
// failure whether to try again, then asks the replace window (if any) to close.
void CopyWithRetry();

// The failure box for the thread's last error: "复制文件失败", a line break and
// the system's text, owned by the replace window when it exists. Returns the
// button chosen.
int ShowCopyError();

// The system's message text for `code`, line breaks included; "" when the
// system has none.
std::string SystemErrorText(DWORD code);

}  // namespace raz
