#include "libcopier/win32/copy_with_retry.h"

#include "common/win32/unique_handle.h"
#include "libcopier/win32/program_state.h"

namespace raz {
namespace {

struct LocalMemoryTraits {
  static HLOCAL Invalid() { return nullptr; }
  static void Close(HLOCAL h) { LocalFree(h); }
};
using UniqueLocalMemory = UniqueAny<HLOCAL, LocalMemoryTraits>;

}  // namespace

std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0,
                     nullptr);
  const UniqueLocalMemory owner(text);
  if (length == 0 || !text) return {};
  return std::string(text, length);
}

int ShowCopyError() {
  const DWORD code = GetLastError();
  const std::string text = "复制文件失败\r\n" + SystemErrorText(code);
  return MessageBoxA(State().MainWindow, text.c_str(), "错误", MB_ABORTRETRYIGNORE | MB_ICONERROR);
}

void CopyWithRetry() {
  const CopyRequest& request = State().request;
  for (;;) {
    SetLastError(0);
    if (CopyFileA(request.source.full_path.c_str(), request.destination.full_path.c_str(), FALSE)) break;
    if (ShowCopyError() != IDRETRY) break;
  }
  // On the direct road there is no window to close.
  if (State().MainWindow) PostMessageA(State().MainWindow, WM_CLOSE, 0, 0);
}

}  // namespace raz
