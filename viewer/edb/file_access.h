// Read-only access to a file at 64-bit offsets, with failures as engine codes.
// The stream is unbuffered: the engine keeps its own window, and a count read
// afresh must come from the file, not from a stale stdio buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace raz::edb {

class ReadOnlyFile {
 public:
  // Opens `path` (GBK bytes) for reading; on failure returns null and sets
  // *code to the file-exception code of the cause.
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
  explicit ReadOnlyFile(std::FILE* file) : file_(file) {}
  std::FILE* file_;
};

// The platform's 64-bit positioning of a stdio stream (file_seek_*.cpp).
bool SeekFile(std::FILE* file, std::uint64_t offset, int origin);
bool TellFile(std::FILE* file, std::uint64_t* offset);

// Maps an errno value to the engine's file-exception code.
std::int32_t CodeForErrno(int error);

}  // namespace raz::edb
