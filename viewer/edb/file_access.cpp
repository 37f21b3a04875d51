#include "viewer/edb/file_access.h"

#include <cerrno>

#include "viewer/edb/edb.h"

namespace raz::edb {

std::int32_t CodeForErrno(int error) {
  switch (error) {
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

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::Open(const std::string& path, std::int32_t* code) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    *code = errno == 0 ? code::kFileGeneral : CodeForErrno(errno);
    return nullptr;
  }
  std::setvbuf(file, nullptr, _IONBF, 0);
  return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(file));
}

ReadOnlyFile::~ReadOnlyFile() { std::fclose(file_); }

std::size_t ReadOnlyFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size,
                                 std::int32_t* code) {
  std::clearerr(file_);
  errno = 0;
  if (!SeekFile(file_, offset, SEEK_SET)) {
    *code = errno == 0 ? code::kBadSeek : CodeForErrno(errno);
    return 0;
  }
  std::size_t got = std::fread(buffer, 1, size, file_);
  if (got < size && std::ferror(file_)) *code = errno == 0 ? code::kHardwareIo : CodeForErrno(errno);
  return got;
}

bool ReadOnlyFile::Size(std::uint64_t* size, std::int32_t* code) {
  errno = 0;
  if (!SeekFile(file_, 0, SEEK_END) || !TellFile(file_, size)) {
    *code = errno == 0 ? code::kBadSeek : CodeForErrno(errno);
    return false;
  }
  return true;
}

}  // namespace raz::edb
