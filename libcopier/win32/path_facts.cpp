#include "libcopier/win32/path_facts.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "common/win32/unique_handle.h"

namespace raz {

std::string Win32PathFacts::FullPathName(const std::string& path) const {
  // A 256-byte buffer offered as 255 bytes: a result of up to 254 bytes fits.
  char buffer[256];
  FillMemory(buffer, sizeof buffer, ' ');
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer - 1, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer - 1) return {};
  return std::string(buffer, length);
}

std::string Win32PathFacts::RemoveFileSpec(const std::string& full_path) const {
  std::vector<char> buffer(full_path.begin(), full_path.end());
  buffer.push_back('\0');
  PathRemoveFileSpecA(buffer.data());
  return buffer.data();
}

std::int64_t Win32PathFacts::QueryFileSize(const std::string& path) const {
  const HFILE opened = _lopen(path.c_str(), OF_READ);
  if (opened == HFILE_ERROR) return -1;
  const UniqueFile file(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(opened)));
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.get(), &size)) return -1;
  return size.QuadPart;
}

}  // namespace raz
