// 64-bit stream positioning on POSIX hosts.
#include <sys/types.h>

#include <cstdio>
#include <limits>

#include "viewer/edb/file_access.h"

namespace raz::edb {

bool SeekFile(std::FILE* file, std::uint64_t offset, int origin) {
  if (offset > std::uint64_t(std::numeric_limits<off_t>::max())) return false;
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
}

bool TellFile(std::FILE* file, std::uint64_t* offset) {
  off_t at = ftello(file);
  if (at < 0) return false;
  *offset = static_cast<std::uint64_t>(at);
  return true;
}

}  // namespace raz::edb
