// Full paths on Windows: GetFullPathNameA in the ANSI code page.
#include <windows.h>

#include <string>

#include "viewer/edb/full_path.h"

namespace raz::edb {

bool MakeFullPath(const std::string& name, std::string* full) {
  char buffer[MAX_PATH + 1];
  DWORD length = GetFullPathNameA(name.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer) return false;
  full->assign(buffer, length);
  return true;
}

}  // namespace raz::edb
