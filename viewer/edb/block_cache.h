// The auxiliary file's blocks held in memory for chain reading: pages of
// consecutive blocks, each read in one go, of which the least recently used
// is dropped when the cache is full. An auxiliary file of up to the cache's
// size ends up whole in memory, so any layout of slots and chains in it costs
// one read of each page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "viewer/edb/file_access.h"

namespace raz::edb {

class BlockCache {
 public:
  // Blocks per page: one read of 32 KiB.
  static constexpr std::size_t kPageBlocks = 64;
  // Pages held at most: 16 MiB.
  static constexpr std::size_t kMaxPages = 512;

  // Forgets every page, so that the next reads come from the file again.
  void Clear();

  // Block `number` (from 1) of `file`, whose blocks run from 1 to `blocks`:
  // its 512 bytes, or null when it cannot be read (*code keeps the cause of a
  // failed read; a block cut short by the end of the file leaves no code).
  const unsigned char* Block(ReadOnlyFile& file, std::uint32_t number, std::uint64_t blocks, std::int32_t* code);

 private:
  struct Page {
    std::uint32_t first = 0;   // its first block's number
    std::size_t held = 0;      // whole blocks read
    std::uint64_t used = 0;    // tick of its last use
    std::vector<unsigned char> bytes;
  };
  // The page to fill with page `index`: a new one, or the least recently used.
  Page& Victim(std::uint32_t index);

  std::vector<Page> pages_;
  std::unordered_map<std::uint32_t, std::size_t> where_;  // page index -> place in pages_
  std::uint64_t tick_ = 0;
  std::size_t last_ = 0;  // the page of the last block asked for
};

}  // namespace raz::edb
