// Texts stored back to back, NUL-terminated, in chunks of 1 MB that never
// move: a text is named by a 32-bit position, and adding texts never copies
// the ones already stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "viewer/edb/edb_format.h"

namespace raz::viewer {

// The text up to its first zero byte.
inline std::string_view UpToFirstZero(std::string_view text) {
  return text.substr(0, edb::format::LengthToZero(text.data(), text.size()));
}

class TextArena {
 public:
  // Position 0 always names the empty text.
  static constexpr std::uint32_t kEmpty = 0;
  // 32-bit positions reach 4 GiB at most.
  static constexpr std::uint64_t kMaxPositions = std::uint64_t{1} << 32;

  // The arena never holds more than `max_bytes` of chunks (kMaxPositions at
  // most).
  explicit TextArena(std::uint64_t max_bytes = kMaxPositions)
      : max_bytes_(max_bytes < kMaxPositions ? max_bytes : kMaxPositions) {}

  // Stores the text (which must hold no zero byte) and returns its position;
  // kEmpty for the empty text, or when it would take the arena past its
  // limit (the arena is then unchanged).
  std::uint32_t Append(std::string_view text);
  // True when Append would store the text without passing the limit.
  bool Fits(std::string_view text) const;
  const char* At(std::uint32_t position) const {
    if (position == kEmpty) return "";
    return chunks_[position >> kChunkBits].get() + (position & (kChunkSize - 1));
  }
  void Clear();
  std::size_t AllocatedBytes() const { return allocated_; }
  std::uint64_t MaxBytes() const { return max_bytes_; }

 private:
  static constexpr unsigned kChunkBits = 20;
  static constexpr std::size_t kChunkSize = std::size_t{1} << kChunkBits;

  // Chunk slots a new block for the text needs (0: it fits in the last
  // chunk), all in 64 bits so that no size wraps in a 32-bit build.
  std::uint64_t SlotsFor(std::string_view text) const;

  // Slot i covers positions [i << 20, (i + 1) << 20). A text longer than a
  // chunk gets a block of several slots, the later ones left empty (null).
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::uint64_t end_ = 1;  // next free position; position 0 is never used
  std::size_t allocated_ = 0;
  std::uint64_t max_bytes_;
};

}  // namespace raz::viewer
