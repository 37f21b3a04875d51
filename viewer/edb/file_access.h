// Read-only access to a file at 64-bit offsets, with failures as engine codes.
// Reads are unbuffered: the engine keeps its own window, and a count read
// afresh must come from the file, not from a stale buffer. Each platform has
// its own implementation (file_access_*.cpp): stdio with errno on POSIX
// hosts, CreateFileA and ReadFile with GetLastError on Windows, so a failure
// keeps the code of its cause.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace raz::edb {

class ReadOnlyFile {
 public:
  // Opens `path` (GBK bytes) for reading, sharing it with readers and
  // writers; on failure returns null and sets *code to the file-exception
  // code of the cause. A path that names no disk file (a device, a named
  // pipe) fails with -4 on Windows, where such a read may block.
  static std::unique_ptr<ReadOnlyFile> Open(const std::string& path, std::int32_t* code);

  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Reads up to `size` bytes at `offset`; returns how many were read. Fewer
  // than asked means the end of the file, or an error left in *code.
  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size, std::int32_t* code);

  // Current size of the file; false (and *code) when it cannot be found.
  bool Size(std::uint64_t* size, std::int32_t* code);

 private:
  explicit ReadOnlyFile(void* handle) : handle_(handle) {}
  void* handle_;  // the platform's open file: a FILE* or a HANDLE
};

}  // namespace raz::edb
