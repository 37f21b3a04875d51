// Texts stored back to back, NUL-terminated, in chunks of 1 MB that never
// move: a text is named by a 32-bit position, and adding texts never copies
// the ones already stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace raz::viewer {

class TextArena {
 public:
  // Position 0 always names the empty text.
  static constexpr std::uint32_t kEmpty = 0;

  // Stores the text (which must hold no zero byte) and returns its position;
  // kEmpty for the empty text, or when the positions are used up.
  std::uint32_t Append(std::string_view text);
  const char* At(std::uint32_t position) const {
    if (position == kEmpty) return "";
    return chunks_[position >> kChunkBits].get() + (position & (kChunkSize - 1));
  }
  void Clear();
  std::size_t AllocatedBytes() const { return allocated_; }

 private:
  static constexpr unsigned kChunkBits = 20;
  static constexpr std::size_t kChunkSize = std::size_t{1} << kChunkBits;

  // Slot i covers positions [i << 20, (i + 1) << 20). A text longer than a
  // chunk gets a block of several slots, the later ones left empty (null).
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::uint64_t end_ = 1;  // next free position; position 0 is never used
  std::size_t allocated_ = 0;
};

}  // namespace raz::viewer
