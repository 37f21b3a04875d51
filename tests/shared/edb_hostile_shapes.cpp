#include "tests/shared/edb_hostile_shapes.h"

#include <cstring>

#include "tests/shared/edb_writer.h"

namespace raz::edb::testing {
namespace {

// Header and descriptors of an unprotected database whose fields all share
// offset 0; the caller appends the records.
std::string HeaderAndFields(std::uint32_t fields, std::uint32_t type, std::uint32_t width,
                            std::uint32_t record_size, std::uint32_t records) {
  std::string bytes(format::kHeaderSize + std::size_t(fields) * format::kDescriptorSize, '\0');
  auto* p = reinterpret_cast<unsigned char*>(bytes.data());
  std::memcpy(p, format::kMagic, 4);
  format::StoreU32(p + format::kVersionAt, format::kVersion);
  format::StoreU32(p + format::kFieldCountAt, fields);
  format::StoreU32(p + format::kRecordCountAt, records);
  format::StoreU32(p + format::kRecordSizeAt, record_size);
  for (std::uint32_t i = 0; i < fields; ++i) {
    unsigned char* d = p + format::kHeaderSize + std::size_t(i) * format::kDescriptorSize;
    std::string name = "F" + std::to_string(i + 1);
    std::memcpy(d, name.data(), name.size());
    format::StoreU32(d + format::kTypeAt, type);
    format::StoreU32(d + format::kOffsetAt, 0);
    format::StoreU32(d + format::kWidthAt, width);
  }
  return bytes;
}

}  // namespace

bool WriteOverlappingByteFields(const std::string& path, std::uint32_t fields,
                                std::uint32_t records) {
  std::string bytes = HeaderAndFields(fields, 1, 1, 1, records);
  bytes.append(records, '\x7f');
  return WriteFileBytes(path, bytes);
}

bool WriteOverlappingTextFields(const std::string& path, std::uint32_t fields,
                                std::uint32_t width) {
  std::string bytes = HeaderAndFields(fields, 10, width, width, 1);
  bytes.append(width, 'T');
  return WriteFileBytes(path, bytes);
}

bool WriteSharedMemoChain(const std::string& path, std::uint32_t fields,
                          std::uint32_t memo_bytes) {
  std::string bytes = HeaderAndFields(fields, 12, format::kSlotSize, format::kSlotSize, 1);
  unsigned char slot[format::kSlotSize];
  format::StoreU32(slot, memo_bytes == 0 ? 0 : 1);
  format::StoreU32(slot + 4, memo_bytes);
  bytes.append(reinterpret_cast<const char*>(slot), sizeof slot);
  if (!WriteFileBytes(path, bytes)) return false;

  std::size_t blocks = (std::size_t(memo_bytes) + format::kBlockDataSize - 1) /
                       format::kBlockDataSize;
  std::string aux(format::kAuxHeaderSize + blocks * format::kBlockSize, '\0');
  auto* a = reinterpret_cast<unsigned char*>(aux.data());
  std::memcpy(a, format::kAuxMagic, 4);
  format::StoreU32(a + format::kVersionAt, format::kVersion);
  std::size_t left = memo_bytes;
  for (std::size_t k = 1; k <= blocks; ++k) {
    unsigned char* block = a + format::kAuxHeaderSize + (k - 1) * format::kBlockSize;
    format::StoreU32(block, k == blocks ? 0 : static_cast<std::uint32_t>(k + 1));
    std::size_t take = left < format::kBlockDataSize ? left : format::kBlockDataSize;
    std::memset(block + 4, 'M', take);
    left -= take;
  }
  return WriteFileBytes(format::AuxiliaryPath(path), aux);
}

}  // namespace raz::edb::testing
