// One open .edb database: its parsed header and fields, a read window over
// its records, and the auxiliary file holding memo and byte-set data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "viewer/edb/block_cache.h"

#include "viewer/edb/edb.h"
#include "viewer/edb/file_access.h"

namespace raz::edb {

struct Field {
  std::string name;
  std::uint32_t type = 0;
  std::uint32_t offset = 0;  // within the record
  std::uint32_t width = 0;
  bool first_of_name = true;  // no earlier field has this name, in any letter case
};

// Compares two GBK names with ASCII letters in either case; bytes of two-byte
// characters compare exactly.
bool NamesEqualNoCase(std::string_view a, std::string_view b);

class Database {
 public:
  // Reads and checks the file at `path`; null with *code on failure.
  static std::unique_ptr<Database> Open(const std::string& path,
                                        const std::optional<std::string>& password,
                                        std::int32_t* code);

  const std::string& path() const { return path_; }
  const std::vector<Field>& fields() const { return fields_; }

  // Reads the record count afresh from the file and keeps it for reading and
  // skipping; on a read failure 0 and *code.
  std::int64_t RefreshRecordCount(std::int32_t* code);
  std::int64_t record_count() const { return record_count_; }

  std::int64_t position() const { return position_; }
  void set_position(std::int64_t position) { position_ = position; }

  // Index of the first field named `name` (any letter case), or -1.
  std::ptrdiff_t FindField(std::string_view name);

  // Reads field `index` (0-based) of the current record into `value`,
  // reusing its buffer.
  void Read(std::size_t index, FieldValue& value, std::int32_t* code);

 private:
  Database() = default;
  bool LoadFields(std::uint32_t stored_count, std::uint64_t file_size, std::int32_t* code);
  bool OpenAuxiliary(std::int32_t* code);
  // Makes [offset, offset + size) of the database file, inside the record at
  // record_start, available in the window.
  const unsigned char* Window(std::uint64_t record_start, std::uint64_t offset, std::size_t size,
                              std::int32_t* code);
  // Reads the chain from `first_block` into *value, cut to `length` and
  // 16 MiB, and at its first zero byte when `up_to_zero`.
  void ReadChain(std::uint32_t first_block, std::uint32_t length, bool up_to_zero, std::string* value,
                 std::int32_t* code);
  // Marks block `at` visited by the chain being read; false when it already was.
  bool Visit(std::uint32_t at);
  // The value of a memo or byte-set slot of the current record.
  const std::string& SlotValue(std::uint32_t first_block, std::uint32_t length, bool up_to_zero,
                               std::int32_t* code);

  // Values of the slots of one record kept at most, in bytes; a longer value
  // is kept alone, in chain_value_, until the next chain is read.
  static constexpr std::size_t kMaxSlotBytes = 4u << 20;

  std::string path_;
  std::unique_ptr<ReadOnlyFile> file_;
  std::unique_ptr<ReadOnlyFile> aux_;
  std::vector<Field> fields_;
  std::uint64_t data_offset_ = 0;
  std::uint32_t record_size_ = 0;
  std::int64_t record_count_ = 0;
  std::int64_t position_ = 0;
  std::size_t name_hint_ = 0;  // the field after the last one found by name

  std::vector<unsigned char> window_;
  std::uint64_t window_start_ = 0;
  std::size_t window_size_ = 0;
  std::uint64_t aux_blocks_ = 0;
  std::int64_t aux_size_read_at_ = -1;  // the record at which aux_blocks_ was last refreshed
  BlockCache blocks_;
  // Blocks visited by the chain being read: a bit per block, and the blocks
  // whose bits are set, to clear them for the next chain.
  std::vector<std::uint64_t> visited_bits_;
  std::vector<std::uint32_t> visited_;
  // Values of the distinct slots read in the record at slots_position_, by
  // first block, length (cut to 16 MiB) and whether cut at a zero byte; a
  // slot shared by several fields is read once per record.
  std::int64_t slots_position_ = -1;
  std::unordered_map<std::uint64_t, std::string> slots_;
  std::size_t slot_bytes_ = 0;
  // The slots last found, by a few bits of their key, so that most cells of
  // a record find their value without hashing; an entry counts while its
  // generation is that of slots_ (a new one each time slots_ is emptied).
  struct RecentSlot {
    std::uint64_t key = 0;
    std::uint64_t generation = 0;
    const std::string* value = nullptr;
  };
  RecentSlot recent_slots_[16];
  std::uint64_t slots_generation_ = 1;
  std::string chain_value_;  // the chain being read; after a failed read, its partial value
  std::uint64_t chain_key_ = 0;  // the slot whose value chain_value_ holds, when valid
  bool chain_key_valid_ = false;
};

}  // namespace raz::edb
