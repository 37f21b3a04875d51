#include "viewer/egrid.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace raz::viewer {

EGrid::EGrid() : EGrid(5, 5) {}

EGrid::EGrid(int rows, int columns, EGridSettings settings)
    : settings_(settings), rows_(rows > 0 ? rows : 1), columns_(columns > 0 ? columns : 1) {
  widths_.assign(static_cast<std::size_t>(columns_), settings_.default_column_width);
  cells_.assign(Index(rows_, 0), 0);
}

void EGrid::SetRowCount(int rows) {
  if (rows <= 0) return;
  if (rows < rows_) {
    for (std::size_t i = Index(rows, 0); i < cells_.size(); ++i) Forget(cells_[i]);
  }
  rows_ = rows;
  cells_.resize(Index(rows_, 0), 0);
  CompactIfWasteful();
  if (observer_) observer_->OnRowCountChanged();
}

void EGrid::SetColumnCount(int columns) {
  if (columns <= 0) return;
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

void EGrid::SetCellText(int row, int column, std::string_view text) {
  if (!Inside(row, column)) return;
  const std::size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  std::uint32_t& cell = cells_[Index(row, column)];
  Forget(cell);
  if (text.empty()) {
    cell = 0;
  } else {
    cell = arena_.Append(text);
    if (cell != TextArena::kEmpty) used_ += text.size() + 1;
  }
  CompactIfWasteful();
  if (observer_) observer_->OnCellChanged(row, column);
}

const char* EGrid::CellText(int row, int column) const {
  if (!Inside(row, column)) return "";
  return arena_.At(cells_[Index(row, column)]);
}

void EGrid::Forget(std::uint32_t offset) {
  if (offset != TextArena::kEmpty) waste_ += std::strlen(arena_.At(offset)) + 1;
}

void EGrid::ClearTexts() {
  std::fill(cells_.begin(), cells_.end(), 0);
  arena_.Clear();
  used_ = 0;
  waste_ = 0;
}

// Texts replaced or cut off stay in the arena until they make up more than
// half of it; then the live texts are copied into a fresh arena.
void EGrid::CompactIfWasteful() {
  if (waste_ < 4096 || waste_ * 2 < used_) return;
  TextArena fresh;
  for (std::uint32_t& cell : cells_) {
    if (cell != TextArena::kEmpty) cell = fresh.Append(arena_.At(cell));
  }
  arena_ = std::move(fresh);
  used_ -= waste_;
  waste_ = 0;
}

}  // namespace raz::viewer
