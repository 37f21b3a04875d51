#include "tests/shared/edb_hostile_shapes.h"

#include <cstring>
#include <random>

#include "tests/shared/edb_writer.h"

namespace raz::edb::testing {
namespace {

// Header and descriptors of an unprotected database whose field i lies at
// offset i x `step`; the caller appends the records.
std::string HeaderAndFields(std::uint32_t fields, std::uint32_t type, std::uint32_t width,
                            std::uint32_t record_size, std::uint32_t records, std::uint32_t step = 0) {
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
    format::StoreU32(d + format::kOffsetAt, i * step);
    format::StoreU32(d + format::kWidthAt, width);
  }
  return bytes;
}

// An auxiliary file's header followed by `blocks` zero blocks.
std::string AuxiliaryFile(std::size_t blocks) {
  std::string aux(format::kAuxHeaderSize + blocks * format::kBlockSize, '\0');
  std::memcpy(aux.data(), format::kAuxMagic, 4);
  format::StoreU32(aux, format::kVersionAt, format::kVersion);
  return aux;
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

namespace {

// An auxiliary file of one chain of consecutive blocks, from block 1, holding
// `memo_bytes` bytes 'M'.
std::string ChainFile(std::uint32_t memo_bytes) {
  std::size_t blocks = (std::size_t(memo_bytes) + format::kBlockDataSize - 1) / format::kBlockDataSize;
  std::string aux = AuxiliaryFile(blocks);
  auto* a = reinterpret_cast<unsigned char*>(aux.data());
  std::size_t left = memo_bytes;
  for (std::size_t k = 1; k <= blocks; ++k) {
    unsigned char* block = a + format::kAuxHeaderSize + (k - 1) * format::kBlockSize;
    format::StoreU32(block, k == blocks ? 0 : static_cast<std::uint32_t>(k + 1));
    std::size_t take = left < format::kBlockDataSize ? left : format::kBlockDataSize;
    std::memset(block + 4, 'M', take);
    left -= take;
  }
  return aux;
}

}  // namespace

bool WriteSharedMemoChain(const std::string& path, std::uint32_t fields,
                          std::uint32_t memo_bytes) {
  std::string bytes = HeaderAndFields(fields, 12, format::kSlotSize, format::kSlotSize, 1);
  unsigned char slot[format::kSlotSize];
  format::StoreU32(slot, memo_bytes == 0 ? 0 : 1);
  format::StoreU32(slot + 4, memo_bytes);
  bytes.append(reinterpret_cast<const char*>(slot), sizeof slot);
  return WriteFileBytes(path, bytes) && WriteFileBytes(format::AuxiliaryPath(path), ChainFile(memo_bytes));
}

bool WriteMemosEnteringOneChain(const std::string& path, std::uint32_t fields, std::uint32_t records,
                                std::uint32_t memo_bytes) {
  std::string bytes = HeaderAndFields(fields, 12, format::kSlotSize, fields * format::kSlotSize, records,
                                      format::kSlotSize);
  const std::uint32_t blocks = (memo_bytes + format::kBlockDataSize - 1) / format::kBlockDataSize;
  for (std::uint32_t r = 0; r < records; ++r) {
    for (std::uint32_t i = 0; i < fields; ++i) {
      const std::uint32_t skipped = i * (blocks / fields);
      const std::size_t at = bytes.size();
      bytes.resize(at + format::kSlotSize);
      format::StoreU32(bytes, at, 1 + skipped);
      format::StoreU32(bytes, at + 4, memo_bytes - skipped * format::kBlockDataSize);
    }
  }
  return WriteFileBytes(path, bytes) && WriteFileBytes(format::AuxiliaryPath(path), ChainFile(memo_bytes));
}

bool WriteMemosOneByteApart(const std::string& path, std::uint32_t fields, std::uint32_t records,
                            std::uint32_t blocks) {
  const std::uint32_t record_size = fields + format::kSlotSize - 1;
  std::string bytes = HeaderAndFields(fields, 12, format::kSlotSize, record_size, records, 1);
  const std::size_t start = bytes.size();
  bytes.resize(start + std::size_t(records) * record_size, '\0');
  for (std::size_t at = start; at < bytes.size(); at += 4) bytes[at] = '\x01';
  return WriteFileBytes(path, bytes) && WriteFileBytes(format::AuxiliaryPath(path), AuxiliaryFile(blocks));
}

bool WriteRandomChains(const std::string& path, std::uint32_t fields, std::uint32_t records, std::uint32_t blocks,
                       std::uint32_t max_length, std::uint32_t seed) {
  std::mt19937 random(seed);
  const std::uint32_t record_size = fields * format::kSlotSize;
  std::string bytes = HeaderAndFields(fields, 12, format::kSlotSize, record_size, records, format::kSlotSize);
  for (std::uint32_t i = 1; i < fields; i += 2) {
    format::StoreU32(bytes, format::kHeaderSize + std::size_t(i) * format::kDescriptorSize + format::kTypeAt, 11);
  }
  std::uniform_int_distribution<std::uint32_t> block(1, blocks);
  std::uniform_int_distribution<std::uint32_t> length(1, max_length - 1);
  for (std::size_t slot = 0; slot < std::size_t(records) * fields; ++slot) {
    const std::size_t at = bytes.size();
    bytes.resize(at + format::kSlotSize);
    format::StoreU32(bytes, at, block(random));
    format::StoreU32(bytes, at + 4, length(random));
  }
  if (!WriteFileBytes(path, bytes)) return false;

  std::string aux = AuxiliaryFile(blocks);
  std::uniform_int_distribution<std::uint32_t> next(0, blocks);
  std::uniform_int_distribution<int> letter('a', 'z');
  for (std::size_t k = 0; k < blocks; ++k) {
    const std::size_t at = format::kAuxHeaderSize + k * format::kBlockSize;
    format::StoreU32(aux, at, next(random));
    for (std::size_t b = 4; b < format::kBlockSize; ++b) aux[at + b] = static_cast<char>(letter(random));
  }
  return WriteFileBytes(format::AuxiliaryPath(path), aux);
}

}  // namespace raz::edb::testing
