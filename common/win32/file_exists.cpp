#include "common/win32/file_exists.h"

#include "common/win32/unique_handle.h"

namespace raz {

bool FileExists(const std::string& name) {
  if (name.empty()) return false;
  WIN32_FIND_DATAA data;
  UniqueFind find(FindFirstFileA(name.c_str(), &data));
  return static_cast<bool>(find);
}

}  // namespace raz
