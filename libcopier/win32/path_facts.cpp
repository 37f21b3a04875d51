#include "libcopier/win32/path_facts.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "common/win32/unique_handle.h"

namespace raz {
namespace {

// The identity of the file at `path`: its volume and its index on that volume.
// The file is opened for no access at all and shared every way, so a library
// that another program holds open still answers; directories open too.
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  const UniqueFile file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file && GetFileInformationByHandle(file.get(), &info);
}

}  // namespace

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

bool Win32PathFacts::Exists(const std::string& path) const { return PathFileExistsA(path.c_str()) != FALSE; }

bool Win32PathFacts::SameFile(const std::string& a, const std::string& b) const {
  BY_HANDLE_FILE_INFORMATION first = {}, second = {};
  return FileIdentity(a, first) && FileIdentity(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace raz
