#include "common/win32/program_folder.h"

#include <windows.h>

#include <string>

#include "common/gbk_text.h"

namespace raz {

void EnterProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  std::string folder(path, n);
  const std::size_t slash = FindLastBackslash(folder);
  if (slash == kNoPos) return;
  folder.resize(slash + 1);
  SetCurrentDirectoryA(folder.c_str());
}

}  // namespace raz
