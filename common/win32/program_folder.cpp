#include "common/win32/program_folder.h"

#include <windows.h>

#include <string>

#include "common/gbk_text.h"

namespace raz {

std::string RunningProgramPath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: try again with room to spare
  }
}

void EnterProgramFolder() {
  std::string folder = RunningProgramPath();
  const std::size_t slash = FindLastBackslash(folder);
  if (slash == kNoPos) return;
  folder.resize(slash + 1);
  SetCurrentDirectoryA(folder.c_str());
}

}  // namespace raz
