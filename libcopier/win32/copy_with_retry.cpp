#include "libcopier/win32/copy_with_retry.h"

#include <utility>

#include "common/win32/unique_handle.h"
#include "libcopier/win32/program_state.h"

namespace raz {
namespace {

struct LocalMemoryTraits {
  static HLOCAL Invalid() { return nullptr; }
  static void Close(HLOCAL h) { LocalFree(h); }
};
using UniqueLocalMemory = UniqueAny<HLOCAL, LocalMemoryTraits>;

// A file that is deleted when it goes out of scope, unless it was moved away.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) DeleteFileA(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }
  void Release() { path_.clear(); }

 private:
  std::string path_;
};

// The error of the step that just failed, kept apart from whatever the cleanup
// does to the thread's last error.
DWORD FailedStep() {
  const DWORD code = GetLastError();
  return code == ERROR_SUCCESS ? ERROR_GEN_FAILURE : code;
}

}  // namespace

bool CopyFileRoutine(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

DWORD CopyIntoPlace(const std::string& source, const FileFacts& destination, CopyMode mode, const CopyRoutine& copy) {
  // A new, uniquely named empty file beside the destination ("raz" and four hex
  // digits, ".tmp"), so the last step is a rename on one volume and two runs
  // never share a temporary file.
  char temp_path[MAX_PATH] = {};
  if (GetTempFileNameA(destination.folder.c_str(), "raz", 0, temp_path) == 0) return FailedStep();
  TemporaryFile temp(temp_path);

  if (!copy(source, temp.path())) return FailedStep();

  DWORD flags = MOVEFILE_WRITE_THROUGH;
  if (mode == CopyMode::kReplace) flags |= MOVEFILE_REPLACE_EXISTING;
  if (!MoveFileExA(temp.path().c_str(), destination.full_path.c_str(), flags)) return FailedStep();
  temp.Release();
  return ERROR_SUCCESS;
}

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

int ShowCopyError(DWORD code) {
  const std::string text = "复制文件失败\r\n" + SystemErrorText(code);
  return MessageBoxA(State().MainWindow, text.c_str(), "错误", MB_ABORTRETRYIGNORE | MB_ICONERROR);
}

CopyOutcome CopyWithRetry(CopyMode mode) {
  const CopyRequest& request = State().request;
  for (;;) {
    const DWORD code = CopyIntoPlace(request.source.full_path, request.destination, mode);
    if (code == ERROR_SUCCESS) break;
    // Another copy of that name got there after the start: retrying could only
    // fail again, so the caller asks the user as for any existing destination.
    if (mode == CopyMode::kCreate && (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)) {
      return CopyOutcome::kDestinationAppeared;
    }
    if (ShowCopyError(code) != IDRETRY) break;
  }
  // On the direct road there is no window to close.
  if (State().MainWindow) PostMessageA(State().MainWindow, WM_CLOSE, 0, 0);
  return CopyOutcome::kDone;
}

}  // namespace raz
