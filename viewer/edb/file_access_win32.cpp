// ReadOnlyFile over CreateFileA and ReadFile: positioned reads at 64-bit
// offsets, also in a 32-bit process, and GetLastError mapped to the engine's
// file-exception codes, so a failure keeps the code of its cause (a missing
// folder, a file another program holds exclusively or has locked). A path
// that is no disk file is refused as a bad path.
#include <windows.h>

#include <algorithm>

#include "viewer/edb/edb.h"
#include "viewer/edb/file_access.h"

namespace raz::edb {
namespace {

// ReadFile takes a 32-bit count; larger reads go in pieces of this size.
constexpr std::size_t kLargestRead = 1u << 30;

std::int32_t CodeForError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: return code::kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return code::kBadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return code::kTooManyOpenFiles;
    case ERROR_ACCESS_DENIED: return code::kAccessDenied;
    case ERROR_INVALID_HANDLE: return code::kInvalidFile;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE: return code::kBadSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE: return code::kHardwareIo;
    case ERROR_SHARING_VIOLATION: return code::kSharingViolation;
    case ERROR_LOCK_VIOLATION: return code::kLockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return code::kDiskFull;
    case ERROR_HANDLE_EOF: return code::kEndOfFile;
    default: return code::kFileGeneral;
  }
}

}  // namespace

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::Open(const std::string& path, std::int32_t* code) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *code = CodeForError(GetLastError());
    return nullptr;
  }
  // A path that names a device (NUL, CON, COM1) or a named pipe opens as
  // well, but reading it could block the window's thread for as long as the
  // other end pleases: only disk files are databases.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    *code = code::kBadPath;
    return nullptr;
  }
  return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(file));
}

ReadOnlyFile::~ReadOnlyFile() { CloseHandle(static_cast<HANDLE>(handle_)); }

std::size_t ReadOnlyFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size, std::int32_t* code) {
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    // The offset goes with each read, so no file pointer is shared between
    // calls and a 32-bit process reaches past 4 GiB as well.
    const std::uint64_t at = offset + done;
    OVERLAPPED where = {};
    where.Offset = static_cast<DWORD>(at);
    where.OffsetHigh = static_cast<DWORD>(at >> 32);
    const auto want = static_cast<DWORD>(std::min(size - done, kLargestRead));
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(handle_), out + done, want, &got, &where)) {
      const DWORD error = GetLastError();
      if (error != ERROR_HANDLE_EOF) *code = CodeForError(error);
      break;
    }
    done += got;
    if (got < want) break;  // the end of the file
  }
  return done;
}

bool ReadOnlyFile::Size(std::uint64_t* size, std::int32_t* code) {
  LARGE_INTEGER bytes = {};
  if (!GetFileSizeEx(static_cast<HANDLE>(handle_), &bytes)) {
    *code = CodeForError(GetLastError());
    return false;
  }
  *size = static_cast<std::uint64_t>(bytes.QuadPart);
  return true;
}

}  // namespace raz::edb
