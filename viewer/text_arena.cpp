#include "viewer/text_arena.h"

#include <cstdint>
#include <cstring>

namespace raz::viewer {
namespace {

// Copies `size` bytes, sizeof(Word) <= size <= 2 * sizeof(Word), as two
// overlapping words: fixed-size moves that the compiler inlines.
template <typename Word>
void CopyAsTwoWords(char* to, const char* from, std::size_t size) {
  Word head;
  Word tail;
  std::memcpy(&head, from, sizeof head);
  std::memcpy(&tail, from + size - sizeof tail, sizeof tail);
  std::memcpy(to, &head, sizeof head);
  std::memcpy(to + size - sizeof tail, &tail, sizeof tail);
}

// Copies a text: one of up to 16 bytes (most cells) inline, a longer one by
// memcpy. Under Wine a call into the C library per cell costs more than the
// copy.
void CopyText(char* to, const char* from, std::size_t size) {
  if (size > 16) {
    std::memcpy(to, from, size);
  } else if (size >= 8) {
    CopyAsTwoWords<std::uint64_t>(to, from, size);
  } else if (size >= 4) {
    CopyAsTwoWords<std::uint32_t>(to, from, size);
  } else {
    if (size > 0) to[0] = from[0];
    if (size > 1) to[1] = from[1];
    if (size > 2) to[2] = from[2];
  }
}

}  // namespace

std::uint64_t TextArena::SlotsFor(std::string_view text) const {
  const std::uint64_t need = std::uint64_t{text.size()} + 1;
  const std::uint64_t capacity = chunks_.size() * std::uint64_t{kChunkSize};
  if (end_ + need <= capacity) return 0;
  // A new block starts at the first position of a fresh chunk (past 0).
  const std::uint64_t first = capacity == 0 ? 1 : capacity;
  return (first - capacity + need + kChunkSize - 1) / kChunkSize;
}

bool TextArena::Fits(std::string_view text) const {
  if (text.empty()) return true;  // position 0 names it
  const std::uint64_t slots = SlotsFor(text);
  const std::uint64_t capacity = chunks_.size() * std::uint64_t{kChunkSize};
  return slots == 0 || capacity + slots * kChunkSize <= max_bytes_;
}

std::uint32_t TextArena::Append(std::string_view text) {
  if (text.empty() || !Fits(text)) return kEmpty;
  const std::uint64_t slots = SlotsFor(text);
  if (slots != 0) {
    const std::uint64_t capacity = chunks_.size() * std::uint64_t{kChunkSize};
    // Within the limit, so the byte count fits size_t on every build.
    const auto bytes = static_cast<std::size_t>(slots * kChunkSize);
    // Not value-initialised: the bytes are written before they are read.
    chunks_.reserve(chunks_.size() + static_cast<std::size_t>(slots));
    chunks_.emplace_back(new char[bytes]);
    allocated_ += bytes;
    for (std::uint64_t i = 1; i < slots; ++i) chunks_.emplace_back();
    end_ = capacity == 0 ? 1 : capacity;
  }
  const auto position = static_cast<std::uint32_t>(end_);
  char* at = chunks_[position >> kChunkBits].get() + (position & (kChunkSize - 1));
  CopyText(at, text.data(), text.size());
  at[text.size()] = '\0';
  end_ += std::uint64_t{text.size()} + 1;
  // After a block of several slots the next text starts a fresh chunk, since
  // the block's later slots have no chunk of their own.
  if (slots > 1) end_ = chunks_.size() * std::uint64_t{kChunkSize};
  return position;
}

void TextArena::Clear() {
  chunks_.clear();
  chunks_.shrink_to_fit();
  end_ = 1;
  allocated_ = 0;
}

}  // namespace raz::viewer
