// 64-bit stream positioning in the Windows C runtime (files above 2 GiB in a
// 32-bit process).
#include <cstdio>
#include <limits>

#include "viewer/edb/file_access.h"

namespace raz::edb {

bool SeekFile(std::FILE* file, std::uint64_t offset, int origin) {
  if (offset > std::uint64_t(std::numeric_limits<long long>::max())) return false;
  return _fseeki64(file, static_cast<long long>(offset), origin) == 0;
}

bool TellFile(std::FILE* file, std::uint64_t* offset) {
  long long at = _ftelli64(file);
  if (at < 0) return false;
  *offset = static_cast<std::uint64_t>(at);
  return true;
}

}  // namespace raz::edb
