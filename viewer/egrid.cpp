#include "viewer/egrid.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace raz::viewer {

bool EGrid::CellsFit(std::int64_t rows, std::int64_t columns) {
  if (rows < 0 || columns < 0) return false;
  const auto r = static_cast<std::uint64_t>(rows);
  const auto c = static_cast<std::uint64_t>(columns);
  // Each factor is at most 2^24 before they are multiplied: no wrap.
  return r <= kMaxCells && c <= kMaxCells && r * c <= kMaxCells;
}

EGrid::EGrid() : EGrid(5, 5) {}

EGrid::EGrid(int rows, int columns, EGridSettings settings)
    : settings_(settings), rows_(rows > 0 ? rows : 1), columns_(columns > 0 ? columns : 1) {
  if (!CellsFit(rows_, columns_)) throw std::length_error("EGrid: too many cells");
  widths_.assign(static_cast<std::size_t>(columns_), settings_.default_column_width);
  cells_.assign(Index(rows_, 0), 0);
}

bool EGrid::SetRowCount(int rows) {
  if (rows <= 0) return true;
  if (!CellsFit(rows, columns_)) return false;
  if (rows < rows_) {
    for (std::size_t i = Index(rows, 0); i < cells_.size(); ++i) Forget(cells_[i]);
  }
  // Growing may throw std::bad_alloc before anything has changed.
  cells_.resize(Index(rows, 0), 0);
  rows_ = rows;
  CompactIfWasteful();
  if (observer_) observer_->OnRowCountChanged();
  return true;
}

bool EGrid::SetColumnCount(int columns) {
  if (columns <= 0) return true;
  if (!CellsFit(rows_, columns)) return false;
  if (columns != columns_) {
    std::vector<std::uint32_t> moved(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns), 0);
    for (int r = 0; r < rows_; ++r) {
      for (int c = 0; c < columns_; ++c) {
        const std::uint32_t offset = cells_[Index(r, c)];
        if (c < columns) {
          moved[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)] = offset;
        } else {
          Forget(offset);
        }
      }
    }
    cells_.swap(moved);
    columns_ = columns;
  }
  widths_.assign(static_cast<std::size_t>(columns_), settings_.default_column_width);
  CompactIfWasteful();
  if (observer_) observer_->OnColumnsChanged();
  return true;
}

void EGrid::Reinitialise() {
  ClearTexts();
  widths_.assign(static_cast<std::size_t>(columns_), settings_.default_column_width);
  if (observer_) observer_->OnColumnsChanged();
}

int EGrid::ColumnWidth(int column) const {
  if (column < 0 || column >= columns_) return 0;
  return widths_[static_cast<std::size_t>(column)];
}

bool EGrid::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= columns_ || width < 0) return false;
  widths_[static_cast<std::size_t>(column)] = width;
  if (observer_) observer_->OnColumnWidthChanged(column);
  return true;
}

bool EGrid::SetCellText(int row, int column, std::string_view text) {
  if (!Inside(row, column)) return true;
  text = UpToFirstZero(text);
  const std::uint64_t bytes = BudgetBytes(text);
  if (cell_bytes_ + bytes > kMaxTextBytes) return false;
  const bool shared = IsLastLongText(text);
  if (!shared && !arena_.Fits(text)) return false;
  std::uint32_t& cell = cells_[Index(row, column)];
  if (shared && cell == last_long_) {
    if (observer_) observer_->OnCellChanged(row, column);
    return true;  // the cell already holds that text
  }
  Forget(cell);
  if (shared) {
    cell = last_long_;
    ++shares_[cell];
  } else {
    cell = arena_.Append(text);
    if (cell != TextArena::kEmpty) used_ += text.size() + 1;
    if (text.size() >= kShareFrom) {
      last_long_ = cell;
      last_long_size_ = text.size();
    }
  }
  cell_bytes_ += bytes;
  CompactIfWasteful();
  if (observer_) observer_->OnCellChanged(row, column);
  return true;
}

bool EGrid::IsLastLongText(std::string_view text) const {
  return text.size() >= kShareFrom && last_long_ != TextArena::kEmpty && text.size() == last_long_size_ &&
         std::memcmp(arena_.At(last_long_), text.data(), text.size()) == 0;
}

const char* EGrid::CellText(int row, int column) const {
  if (!Inside(row, column)) return "";
  return arena_.At(cells_[Index(row, column)]);
}

void EGrid::Forget(std::uint32_t offset) {
  if (offset == TextArena::kEmpty) return;
  const std::size_t bytes = std::strlen(arena_.At(offset)) + 1;
  cell_bytes_ -= bytes;
  if (!shares_.empty()) {
    const auto share = shares_.find(offset);
    if (share != shares_.end()) {
      if (--share->second == 0) shares_.erase(share);
      return;  // other cells still show it
    }
  }
  waste_ += bytes;
  if (offset == last_long_) last_long_ = TextArena::kEmpty;
}

void EGrid::ClearTexts() {
  std::fill(cells_.begin(), cells_.end(), 0);
  arena_.Clear();
  used_ = 0;
  waste_ = 0;
  cell_bytes_ = 0;
  shares_.clear();
  last_long_ = TextArena::kEmpty;
}

// Texts replaced or cut off stay in the arena until CompactIfWasteful finds
// them too many. The new index is built beside the old one and both are
// swapped in only when complete: running out of memory midway leaves the grid
// as it was.
void EGrid::Compact() {
  TextArena fresh(kMaxTextBytes);
  std::vector<std::uint32_t> moved(cells_.size());
  std::unordered_map<std::uint32_t, std::uint32_t> shared_moves;  // a shared text is copied once
  std::transform(cells_.begin(), cells_.end(), moved.begin(), [&](std::uint32_t cell) {
    if (cell == TextArena::kEmpty) return cell;
    if (shares_.count(cell) == 0) return fresh.Append(arena_.At(cell));
    const auto [move, first] = shared_moves.try_emplace(cell, TextArena::kEmpty);
    if (first) move->second = fresh.Append(arena_.At(cell));
    return move->second;
  });
  std::unordered_map<std::uint32_t, std::uint32_t> shares;
  for (const auto& [offset, cells] : shares_) shares.emplace(shared_moves.at(offset), cells);
  cells_.swap(moved);
  shares_.swap(shares);
  arena_ = std::move(fresh);
  used_ -= waste_;
  waste_ = 0;
  last_long_ = TextArena::kEmpty;
}

}  // namespace raz::viewer
