#include "viewer/edb/database.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_set>

#include "common/gbk_text.h"
#include "viewer/edb/edb_format.h"
#include "viewer/edb/sha256.h"

namespace raz::edb {
namespace {

constexpr std::size_t kWindowCapacity = 64 * 1024;

unsigned char LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

bool VerifierMatches(const unsigned char* header, const std::optional<std::string>& password) {
  if (!password || password->empty()) return false;
  std::string_view salt(reinterpret_cast<const char*>(header + format::kSaltAt), format::kSaltSize);
  Sha256Digest digest = Pbkdf2Sha256(*password, salt, format::kVerifierIterations);
  unsigned char difference = 0;
  for (std::size_t i = 0; i < digest.size(); ++i) difference |= digest[i] ^ header[format::kVerifierAt + i];
  return difference == 0;
}

// Whole blocks an auxiliary file of `size` bytes holds.
std::uint64_t BlocksIn(std::uint64_t size) {
  return size > format::kAuxHeaderSize ? (size - format::kAuxHeaderSize) / format::kBlockSize : 0;
}

}  // namespace

bool NamesEqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (IsLeadByte(x)) {
      if (x != y) return false;
      if (i + 1 < a.size()) {
        ++i;
        if (a[i] != b[i]) return false;
      }
    } else if (x != y && LowerAscii(x) != LowerAscii(y)) {
      return false;
    }
  }
  return true;
}

std::unique_ptr<Database> Database::Open(const std::string& path,
                                         const std::optional<std::string>& password,
                                         std::int32_t* code) {
  std::unique_ptr<Database> db(new Database);
  db->path_ = path;
  db->file_ = ReadOnlyFile::Open(path, code);
  if (!db->file_) return nullptr;

  unsigned char header[format::kHeaderSize];
  std::int32_t read_code = code::kOk;
  if (db->file_->ReadAt(0, header, sizeof header, &read_code) < sizeof header) {
    *code = read_code != code::kOk ? read_code : code::kNotDatabase;
    return nullptr;
  }
  if (std::memcmp(header, format::kMagic, sizeof format::kMagic) != 0) {
    *code = code::kNotDatabase;
    return nullptr;
  }
  std::uint32_t version = format::LoadU32(header + format::kVersionAt);
  if (version != format::kVersion) {
    *code = version > format::kVersion ? code::kVersionTooHigh : code::kNotDatabase;
    return nullptr;
  }
  if ((format::LoadU32(header + format::kFlagsAt) & format::kFlagProtected) != 0 &&
      !VerifierMatches(header, password)) {
    *code = code::kBadPassword;
    return nullptr;
  }
  std::uint32_t stored_fields = format::LoadU32(header + format::kFieldCountAt);
  db->record_size_ = format::LoadU32(header + format::kRecordSizeAt);
  if (stored_fields > format::kMaxFields || db->record_size_ > format::kMaxRecordSize) {
    *code = code::kNotDatabase;
    return nullptr;
  }
  db->data_offset_ = format::kHeaderSize + std::uint64_t(stored_fields) * format::kDescriptorSize;

  std::uint64_t size = 0;
  if (!db->file_->Size(&size, code) || !db->LoadFields(stored_fields, size, code)) return nullptr;
  bool needs_aux = std::any_of(db->fields_.begin(), db->fields_.end(),
                               [](const Field& f) { return f.type == 11 || f.type == 12; });
  if (needs_aux && !db->OpenAuxiliary(code)) return nullptr;
  std::int32_t count_code = code::kOk;
  db->RefreshRecordCount(&count_code);
  if (count_code != code::kOk) {
    *code = count_code;
    return nullptr;
  }
  db->window_.resize(std::max<std::size_t>(kWindowCapacity, db->record_size_));
  return db;
}

bool Database::LoadFields(std::uint32_t stored_count, std::uint64_t file_size, std::int32_t* code) {
  // A file cut short inside its descriptors keeps the fields it still holds.
  std::uint64_t held = file_size > format::kHeaderSize
                           ? (file_size - format::kHeaderSize) / format::kDescriptorSize
                           : 0;
  std::uint32_t count = static_cast<std::uint32_t>(std::min<std::uint64_t>(stored_count, held));
  if (count == 0) return true;
  std::vector<unsigned char> descriptors(std::size_t(count) * format::kDescriptorSize);
  std::int32_t read_code = code::kOk;
  if (file_->ReadAt(format::kHeaderSize, descriptors.data(), descriptors.size(), &read_code) <
      descriptors.size()) {
    *code = read_code != code::kOk ? read_code : code::kEndOfFile;
    return false;
  }
  fields_.resize(count);
  std::unordered_set<std::string> seen;
  for (std::uint32_t i = 0; i < count; ++i) {
    const unsigned char* d = descriptors.data() + std::size_t(i) * format::kDescriptorSize;
    Field& field = fields_[i];
    const char* name = reinterpret_cast<const char*>(d);
    field.name.assign(name, strnlen(name, format::kNameSize));
    field.type = format::LoadU32(d + format::kTypeAt);
    field.offset = format::LoadU32(d + format::kOffsetAt);
    field.width = format::LoadU32(d + format::kWidthAt);
    std::uint32_t fixed = format::FixedWidth(field.type);
    bool width_ok = field.type == 10 ? field.width >= 1 : fixed != 0 && field.width == fixed;
    if (!width_ok || std::uint64_t(field.offset) + field.width > record_size_) {
      *code = code::kNotDatabase;
      return false;
    }
    field.first_of_name = seen.insert(AsciiLower(field.name)).second;
  }
  return true;
}

bool Database::OpenAuxiliary(std::int32_t* code) {
  std::int32_t open_code = code::kOk;
  aux_ = ReadOnlyFile::Open(format::AuxiliaryPath(path_), &open_code);
  if (!aux_) {
    *code = code::kOpenFailed;
    return false;
  }
  unsigned char header[format::kAuxHeaderSize];
  std::int32_t read_code = code::kOk;
  if (aux_->ReadAt(0, header, sizeof header, &read_code) < sizeof header ||
      std::memcmp(header, format::kAuxMagic, sizeof format::kAuxMagic) != 0) {
    *code = read_code != code::kOk ? read_code : code::kNotDatabase;
    return false;
  }
  std::uint32_t version = format::LoadU32(header + format::kVersionAt);
  if (version != format::kVersion) {
    *code = version > format::kVersion ? code::kVersionTooHigh : code::kNotDatabase;
    return false;
  }
  std::uint64_t size = 0;
  if (!aux_->Size(&size, code)) return false;
  aux_blocks_ = BlocksIn(size);
  return true;
}

std::int64_t Database::RefreshRecordCount(std::int32_t* code) {
  record_count_ = 0;
  // The count is read afresh from the file, and so are chains from here on.
  blocks_.Clear();
  slots_position_ = -1;
  aux_size_read_at_ = -1;
  unsigned char stored[4];
  std::int32_t read_code = code::kOk;
  if (file_->ReadAt(format::kRecordCountAt, stored, sizeof stored, &read_code) < sizeof stored) {
    *code = read_code != code::kOk ? read_code : code::kEndOfFile;
    return 0;
  }
  std::uint64_t size = 0;
  if (!file_->Size(&size, code)) return 0;
  auto claimed = static_cast<std::int32_t>(format::LoadU32(stored));
  if (claimed <= 0 || record_size_ == 0 || size <= data_offset_) return 0;
  std::uint64_t held = (size - data_offset_) / record_size_;
  record_count_ = static_cast<std::int64_t>(std::min<std::uint64_t>(std::uint64_t(claimed), held));
  return record_count_;
}

std::ptrdiff_t Database::FindField(std::string_view name) {
  // The viewer asks for the fields in stored order, so the field after the
  // last one found is tried first; it is the answer only when no earlier
  // field has the same name.
  if (name_hint_ < fields_.size()) {
    const Field& hinted = fields_[name_hint_];
    if (hinted.first_of_name && NamesEqualNoCase(hinted.name, name)) return std::ptrdiff_t(name_hint_++);
  }
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (NamesEqualNoCase(fields_[i].name, name)) {
      name_hint_ = i + 1 < fields_.size() ? i + 1 : 0;
      return std::ptrdiff_t(i);
    }
  }
  return -1;
}

const unsigned char* Database::Window(std::uint64_t record_start, std::uint64_t offset,
                                     std::size_t size, std::int32_t* code) {
  if (offset >= window_start_ && offset - window_start_ <= window_size_ &&
      size <= window_size_ - (offset - window_start_)) {
    return window_.data() + (offset - window_start_);
  }
  // Refill from the record's start: the window holds at least a whole record,
  // so the other fields of the record are read from memory.
  window_start_ = record_start;
  std::int32_t read_code = code::kOk;
  window_size_ = file_->ReadAt(record_start, window_.data(), window_.size(), &read_code);
  std::uint64_t skip = offset - record_start;
  if (window_size_ < skip || window_size_ - skip < size) {
    *code = read_code != code::kOk ? read_code : code::kEndOfFile;
    return nullptr;
  }
  return window_.data() + skip;
}

bool Database::Visit(std::uint32_t at) {
  const std::size_t word = at / 64;
  if (word >= visited_bits_.size()) visited_bits_.resize(std::max(word + 1, visited_bits_.size() * 2));
  const std::uint64_t bit = std::uint64_t{1} << (at % 64);
  if ((visited_bits_[word] & bit) != 0) return false;
  visited_bits_[word] |= bit;
  visited_.push_back(at);
  return true;
}

void Database::ReadChain(std::uint32_t first_block, std::uint32_t length, bool up_to_zero, std::string* value,
                         std::int32_t* code) {
  value->clear();
  for (std::uint32_t at : visited_) visited_bits_[at / 64] &= ~(std::uint64_t{1} << (at % 64));
  visited_.clear();
  const std::size_t wanted = std::min(length, format::kMaxValueSize);
  for (std::uint32_t at = first_block; at != 0 && value->size() < wanted;) {
    if (at > aux_blocks_ && aux_size_read_at_ != position_) {
      // Blocks added since the open lie past the size known so far. Asked
      // once a record: overlapping slots naming blocks out of range would
      // otherwise ask for every field.
      std::uint64_t size = 0;
      std::int32_t size_code = code::kOk;
      if (aux_->Size(&size, &size_code)) aux_blocks_ = BlocksIn(size);
      aux_size_read_at_ = position_;
    }
    // An out-of-range block ends the value, and so does a cycle.
    if (at > aux_blocks_ || !Visit(at)) break;
    const unsigned char* block = blocks_.Block(*aux_, at, aux_blocks_, code);
    if (block == nullptr) break;
    const std::size_t take = std::min(format::kBlockDataSize, wanted - value->size());
    const char* data = reinterpret_cast<const char*>(block + 4);
    if (up_to_zero) {
      const std::size_t length = format::LengthToZero(data, take);
      if (length < take) {
        value->append(data, length);
        break;
      }
    }
    value->append(data, take);
    at = format::LoadU32(block);
  }
}

const std::string& Database::SlotValue(std::uint32_t first_block, std::uint32_t length, bool up_to_zero,
                                       std::int32_t* code) {
  if (slots_position_ != position_) {
    slots_.clear();
    slot_bytes_ = 0;
    ++slots_generation_;
    slots_position_ = position_;
    chain_key_valid_ = false;
  }
  // Lengths past 16 MiB read the same value as 16 MiB, so they share a key.
  length = std::min(length, format::kMaxValueSize);
  const std::uint64_t key = std::uint64_t{first_block} | std::uint64_t{length} << 32 | std::uint64_t{up_to_zero} << 63;
  RecentSlot& recent = recent_slots_[((first_block * 0x9E3779B1u) ^ (length * 0x85EBCA77u) ^ up_to_zero) >> 28];
  if (recent.generation == slots_generation_ && recent.key == key) return *recent.value;
  if (chain_key_valid_ && chain_key_ == key) return chain_value_;
  auto found = slots_.find(key);
  if (found == slots_.end()) {
    // chain_value_ keeps its buffer from chain to chain: a long value is not
    // built anew, in fresh memory, for every slot.
    std::int32_t chain_code = code::kOk;
    chain_key_valid_ = false;
    ReadChain(first_block, length, up_to_zero, &chain_value_, &chain_code);
    if (chain_code != code::kOk) {
      // A failed read is not kept: it is tried again next time.
      *code = chain_code;
      return chain_value_;
    }
    if (chain_value_.size() > kMaxSlotBytes) {
      // Too long to keep beside the others: it stays where it was read, as
      // the record's last value.
      chain_key_ = key;
      chain_key_valid_ = true;
      return chain_value_;
    }
    if (slot_bytes_ + chain_value_.size() > kMaxSlotBytes) {
      slots_.clear();
      slot_bytes_ = 0;
      ++slots_generation_;
    }
    slot_bytes_ += chain_value_.size();
    found = slots_.emplace(key, chain_value_).first;
  }
  recent = {key, slots_generation_, &found->second};
  return found->second;
}

void Database::Read(std::size_t index, FieldValue& value, std::int32_t* code) {
  const Field& field = fields_[index];
  value.kind = static_cast<FieldKind>(field.type);
  value.integer = 0;
  value.real = 0.0;
  value.boolean = false;
  value.bytes.clear();
  if (position_ < 0 || position_ >= record_count_) {
    *code = code::kNoCurrentRecord;
    return;
  }
  std::uint64_t record_start = data_offset_ + std::uint64_t(position_) * record_size_;
  const unsigned char* p = Window(record_start, record_start + field.offset, field.width, code);
  if (p == nullptr) return;
  switch (value.kind) {
    case FieldKind::kByte: value.integer = p[0]; break;
    case FieldKind::kInt16: value.integer = static_cast<std::int16_t>(p[0] | p[1] << 8); break;
    case FieldKind::kInt32: value.integer = static_cast<std::int32_t>(format::LoadU32(p)); break;
    case FieldKind::kInt64: value.integer = static_cast<std::int64_t>(format::LoadU64(p)); break;
    case FieldKind::kFloat: value.real = format::LoadF32(p); break;
    case FieldKind::kDouble:
    case FieldKind::kDateTime: value.real = format::LoadF64(p); break;
    case FieldKind::kBool: value.boolean = p[0] != 0; break;
    case FieldKind::kOpaque: value.integer = format::LoadU32(p); break;
    case FieldKind::kText:
      value.bytes.assign(reinterpret_cast<const char*>(p), format::LengthToZero(p, field.width));
      break;
    case FieldKind::kByteSet:
    case FieldKind::kMemo:
      // A memo is text: its value ends at its first zero byte, and the rest
      // of its chain is not read.
      value.bytes = SlotValue(format::LoadU32(p), format::LoadU32(p + 4), value.kind == FieldKind::kMemo, code);
      break;
    case FieldKind::kNone: break;
  }
}

}  // namespace raz::edb
