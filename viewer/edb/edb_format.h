// Layout of .edb database files and their auxiliary .edt files (described in
// docs/edb-format.md). Shared by the engine and the test writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace raz::edb::format {

// Database header.
constexpr std::size_t kHeaderSize = 112;
constexpr char kMagic[4] = {'W', 'E', 'D', 'B'};
constexpr std::uint32_t kVersion = 0x10000;
constexpr std::size_t kVersionAt = 4;
constexpr std::size_t kFlagsAt = 8;
constexpr std::size_t kFieldCountAt = 12;
constexpr std::size_t kRecordCountAt = 16;
constexpr std::size_t kRecordSizeAt = 20;
constexpr std::size_t kSaltAt = 24;
constexpr std::size_t kSaltSize = 16;
constexpr std::size_t kVerifierAt = 40;
constexpr std::size_t kVerifierSize = 32;
constexpr std::uint32_t kFlagProtected = 1;
// Password verifier: PBKDF2-HMAC-SHA256 of the password with the salt.
constexpr std::uint32_t kVerifierIterations = 10000;

// Field descriptors follow the header, one per field.
constexpr std::size_t kDescriptorSize = 72;
constexpr std::size_t kNameSize = 40;
constexpr std::size_t kTypeAt = 40;
constexpr std::size_t kOffsetAt = 44;
constexpr std::size_t kWidthAt = 48;

// Limits a well-formed file keeps; a header beyond them is not a database.
constexpr std::uint32_t kMaxFields = 4096;
constexpr std::uint32_t kMaxRecordSize = 1u << 20;

// A memo or byte-set slot in a record: first block, then length in bytes.
constexpr std::uint32_t kSlotSize = 8;
// Longest memo or byte-set value read; longer ones are cut here.
constexpr std::uint32_t kMaxValueSize = 16u << 20;

// Auxiliary file: 32-byte header, then 512-byte blocks numbered from 1, each a
// 4-byte number of the next block (0 ends the chain) and 508 data bytes.
constexpr std::size_t kAuxHeaderSize = 32;
constexpr char kAuxMagic[4] = {'W', 'E', 'D', 'T'};
constexpr std::size_t kBlockSize = 512;
constexpr std::size_t kBlockDataSize = kBlockSize - 4;

// Stored width of a field of a type code, or 0 when the width is the field's
// own (text) or the type code is unknown.
constexpr std::uint32_t FixedWidth(std::uint32_t type) {
  switch (type) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 4;
    case 4: return 8;
    case 5: return 4;
    case 6: return 8;
    case 7: return 1;
    case 8: return 8;
    case 9: return 4;
    case 11: return kSlotSize;
    case 12: return kSlotSize;
    default: return 0;
  }
}

// Bytes before the first zero byte of [p, p + size), or size when there is
// none. On Windows eight bytes at a time: Wine's memchr goes byte by byte, and
// text, memo and byte-set values run to megabytes. Elsewhere the C library's
// memchr is the faster.
inline std::size_t LengthToZero(const void* p, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(p);
#ifdef _WIN32
  std::size_t at = 0;
  for (; at + 8 <= size; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + at, 8);
    if (((word - 0x0101010101010101u) & ~word & 0x8080808080808080u) != 0) break;
  }
  while (at < size && bytes[at] != 0) ++at;
  return at;
#else
  const void* zero = std::memchr(bytes, 0, size);
  return zero == nullptr ? size : static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - bytes);
#endif
}

inline std::uint32_t LoadU32(const unsigned char* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
inline std::uint64_t LoadU64(const unsigned char* p) {
  return std::uint64_t(LoadU32(p)) | std::uint64_t(LoadU32(p + 4)) << 32;
}
inline void StoreU32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
inline void StoreU64(unsigned char* p, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
// The same at a byte offset of a file's bytes held in a string.
inline void StoreU32(std::string& bytes, std::size_t at, std::uint32_t v) {
  StoreU32(reinterpret_cast<unsigned char*>(&bytes[at]), v);
}
inline double LoadF64(const unsigned char* p) {
  std::uint64_t bits = LoadU64(p);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}
inline float LoadF32(const unsigned char* p) {
  std::uint32_t bits = LoadU32(p);
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

// Where the file name of a path begins: after its last backslash or slash,
// each looked for character by character; 0 when it has neither.
std::size_t FileNameStart(std::string_view path);

// The auxiliary file of a database: its path with the extension (after the
// last dot of the file name) replaced by "edt", or "EDT" when the extension
// has an upper-case letter; ".edt" is appended to a name without extension.
std::string AuxiliaryPath(std::string_view database_path);

}  // namespace raz::edb::format
