#include "viewer/text_arena.h"

#include <cstring>

namespace raz::viewer {

std::uint32_t TextArena::Append(std::string_view text) {
  if (text.empty()) return kEmpty;
  const std::size_t need = text.size() + 1;
  const std::uint64_t capacity = chunks_.size() * std::uint64_t{kChunkSize};
  std::size_t slots = 0;
  if (end_ + need > capacity) {
    const std::uint64_t first = capacity == 0 ? 1 : capacity;
    slots = static_cast<std::size_t>((first - capacity + need + kChunkSize - 1) / kChunkSize);
    if (capacity + slots * std::uint64_t{kChunkSize} > (std::uint64_t{1} << 32)) return kEmpty;
    // Not value-initialised: the bytes are written before they are read.
    chunks_.emplace_back(new char[slots * kChunkSize]);
    allocated_ += slots * kChunkSize;
    for (std::size_t i = 1; i < slots; ++i) chunks_.emplace_back();
    end_ = first;
  }
  const auto position = static_cast<std::uint32_t>(end_);
  char* at = chunks_[position >> kChunkBits].get() + (position & (kChunkSize - 1));
  std::memcpy(at, text.data(), text.size());
  at[text.size()] = '\0';
  end_ += need;
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
