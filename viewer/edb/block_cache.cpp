#include "viewer/edb/block_cache.h"

#include <algorithm>

#include "viewer/edb/edb.h"
#include "viewer/edb/edb_format.h"

namespace raz::edb {

void BlockCache::Clear() {
  pages_.clear();
  where_.clear();
  last_ = 0;
}

BlockCache::Page& BlockCache::Victim(std::uint32_t index) {
  std::size_t place = pages_.size();
  if (pages_.size() < kMaxPages) {
    pages_.emplace_back();
  } else {
    // A miss costs a read of a whole page, so a scan of the pages is cheap
    // beside it.
    place = static_cast<std::size_t>(
        std::min_element(pages_.begin(), pages_.end(),
                         [](const Page& a, const Page& b) { return a.used < b.used; }) -
        pages_.begin());
    where_.erase(static_cast<std::uint32_t>((pages_[place].first - 1) / kPageBlocks));
  }
  where_[index] = place;
  last_ = place;
  return pages_[place];
}

const unsigned char* BlockCache::Block(ReadOnlyFile& file, std::uint32_t number, std::uint64_t blocks,
                                       std::int32_t* code) {
  const std::uint32_t index = (number - 1) / kPageBlocks;
  const std::uint32_t first = index * kPageBlocks + 1;
  const std::size_t within = number - first;
  Page* page = nullptr;
  if (last_ < pages_.size() && pages_[last_].first == first) {
    page = &pages_[last_];
  } else if (auto found = where_.find(index); found != where_.end()) {
    page = &pages_[found->second];
    last_ = found->second;
  }
  // A page read when the file ended inside it is read again once the file
  // has grown past what it holds.
  if (page == nullptr || within >= page->held) {
    if (page == nullptr) page = &Victim(index);
    page->first = first;
    page->held = 0;
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kPageBlocks, blocks - first + 1));
    page->bytes.resize(count * format::kBlockSize);
    std::int32_t read_code = code::kOk;
    const std::size_t got = file.ReadAt(format::kAuxHeaderSize + std::uint64_t(first - 1) * format::kBlockSize,
                                        page->bytes.data(), page->bytes.size(), &read_code);
    page->held = got / format::kBlockSize;
    if (within >= page->held) {
      if (read_code != code::kOk) *code = read_code;
      return nullptr;
    }
  }
  page->used = ++tick_;
  return page->bytes.data() + within * format::kBlockSize;
}

}  // namespace raz::edb
