// ReadOnlyFile over unbuffered stdio with 64-bit positions (POSIX hosts);
// errno gives the failure's code.
#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <limits>

#include "viewer/edb/edb.h"
#include "viewer/edb/file_access.h"

namespace raz::edb {
namespace {

std::int32_t CodeForErrno(int error) {
  switch (error) {
    case 0: return code::kFileGeneral;
    case ENOENT: return code::kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return code::kBadPath;
    case EMFILE:
    case ENFILE: return code::kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:  // a directory is refused, as the Windows build does
    case EROFS: return code::kAccessDenied;
    case EBADF: return code::kInvalidFile;
    case ESPIPE: return code::kBadSeek;
    case EIO: return code::kHardwareIo;
    case EBUSY: return code::kSharingViolation;
    default: return code::kFileGeneral;
  }
}

std::FILE* Stream(void* handle) { return static_cast<std::FILE*>(handle); }

bool Seek(std::FILE* file, std::uint64_t offset, int origin) {
  if (offset > std::uint64_t(std::numeric_limits<off_t>::max())) return false;
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
}

}  // namespace

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::Open(const std::string& path, std::int32_t* code) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    *code = CodeForErrno(errno);
    return nullptr;
  }
  std::setvbuf(file, nullptr, _IONBF, 0);
  return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(file));
}

ReadOnlyFile::~ReadOnlyFile() { std::fclose(Stream(handle_)); }

std::size_t ReadOnlyFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size,
                                 std::int32_t* code) {
  std::FILE* file = Stream(handle_);
  std::clearerr(file);
  errno = 0;
  if (!Seek(file, offset, SEEK_SET)) {
    *code = errno == 0 ? code::kBadSeek : CodeForErrno(errno);
    return 0;
  }
  std::size_t got = std::fread(buffer, 1, size, file);
  if (got < size && std::ferror(file)) *code = errno == 0 ? code::kHardwareIo : CodeForErrno(errno);
  return got;
}

bool ReadOnlyFile::Size(std::uint64_t* size, std::int32_t* code) {
  std::FILE* file = Stream(handle_);
  errno = 0;
  off_t end = -1;
  if (Seek(file, 0, SEEK_END)) end = ftello(file);
  if (end < 0) {
    *code = errno == 0 ? code::kBadSeek : CodeForErrno(errno);
    return false;
  }
  *size = static_cast<std::uint64_t>(end);
  return true;
}

}  // namespace raz::edb
