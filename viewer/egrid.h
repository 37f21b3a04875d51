// EGrid: the data model of Tallyscope's table. Rows and columns are counted
// from 0; the designed grid has one fixed header row and one fixed header
// column. Every cell holds one text, stored with all the others in a single
// byte arena (a cell is a 4-byte offset into it), so a table of millions of
// cells costs little more than its text bytes.
//
// A view (the Win32 grid control) draws from the model and is told of changes
// through EGridObserver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "viewer/text_arena.h"

namespace raz::viewer {

class EGridObserver {
 public:
  virtual ~EGridObserver() = default;
  virtual void OnRowCountChanged() = 0;
  // Column count changed, or the grid was re-initialised.
  virtual void OnColumnsChanged() = 0;
  virtual void OnColumnWidthChanged(int column) = 0;
  virtual void OnCellChanged(int row, int column) = 0;
};

// The grid's property settings, as designed; re-initialising applies them.
struct EGridSettings {
  int fixed_rows = 1;
  int fixed_columns = 1;
  int default_row_height = 24;
  int default_column_width = 60;
};

class EGrid {
 public:
  // What one grid holds at most, so that a table fits a 32-bit process with
  // room to spare (up to 2 GiB of address space, fragmented by the program,
  // its DLLs and the list view):
  // - 16,777,216 cells: their index takes at most 64 MiB, in one block, and
  //   a table of 1,000,000 records x 8 fields (9,000,009 cells with the
  //   header row and column) fits with room;
  // - 512 MiB of chunks for cell texts (about 80 MiB for that table).
  // Together at most 576 MiB, leaving well over 1 GiB for everything else.
  static constexpr std::uint64_t kMaxCells = std::uint64_t{1} << 24;
  static constexpr std::uint64_t kMaxTextBytes = std::uint64_t{512} << 20;

  // True when a grid of rows x columns stays within kMaxCells; the product
  // is taken in 64 bits after each count is checked, so it never wraps.
  static bool CellsFit(std::int64_t rows, std::int64_t columns);

  // The designed grid: 5 rows, 5 columns, all cells empty.
  EGrid();
  // Counts of 0 or less become 1; throws std::length_error beyond kMaxCells.
  explicit EGrid(int rows, int columns, EGridSettings settings = {});

  int RowCount() const { return rows_; }
  int ColumnCount() const { return columns_; }
  // A count of 0 or less is ignored. Otherwise rows (columns) are added or
  // removed at the end, and every row height (column width) goes back to the
  // default. False, and nothing changes, when the grid would pass kMaxCells.
  bool SetRowCount(int rows);
  bool SetColumnCount(int columns);

  // Keeps the counts; empties every cell and applies the settings again, so
  // every row and column takes the default height and width.
  void Reinitialise();

  const EGridSettings& Settings() const { return settings_; }
  int FixedRows() const { return settings_.fixed_rows; }
  int FixedColumns() const { return settings_.fixed_columns; }
  // All rows share the default height: nothing sets a row's own height.
  int RowHeight() const { return settings_.default_row_height; }

  int ColumnWidth(int column) const;  // 0 outside the grid
  // True and exact (no minimum) when the column exists and width >= 0.
  bool SetColumnWidth(int column, int width);

  // A cell outside the grid is ignored (and reads as empty). The text is kept
  // up to its first zero byte. False when the texts would pass kMaxTextBytes,
  // counting every cell's text in full: the cell then keeps its text.
  // A long text equal to the last long one stored is not stored again (many
  // fields of a file may name one memo chain): the cells share it.
  bool SetCellText(int row, int column, std::string_view text);
  // Valid until the next change of the grid; always NUL-terminated.
  const char* CellText(int row, int column) const;

  void SetObserver(EGridObserver* observer) { observer_ = observer; }

  // Bytes one cell's text takes in the budget: its length and NUL, nothing
  // for the empty text.
  static std::uint64_t BudgetBytes(std::string_view text) {
    return text.empty() ? 0 : std::uint64_t{text.size()} + 1;
  }
  // Bytes of every cell's text as the budget counts them (shared texts once
  // per cell).
  std::uint64_t CellBytes() const { return cell_bytes_; }
  // Bytes held for cell texts and their index (for the memory figures).
  std::size_t TextArenaBytes() const { return arena_.AllocatedBytes(); }
  std::size_t CellIndexBytes() const { return cells_.capacity() * sizeof(std::uint32_t); }

 private:
  bool Inside(int row, int column) const {
    return row >= 0 && column >= 0 && row < rows_ && column < columns_;
  }
  // At most kMaxCells (rows_ x columns_ never passes it), so it fits size_t
  // on every build.
  std::size_t Index(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
  }
  // From this length on, a text equal to the last such text is shared.
  static constexpr std::size_t kShareFrom = 4096;

  bool IsLastLongText(std::string_view text) const;
  void Forget(std::uint32_t offset);  // drops one cell's hold on a text
  void ClearTexts();
  // Once dropped texts make up half of the stored bytes (and at least 4 KiB),
  // copies the live texts into a fresh arena. Checked after every change, so
  // the check is inline.
  void CompactIfWasteful() {
    if (waste_ >= 4096 && waste_ * 2 >= used_) Compact();
  }
  void Compact();

  EGridSettings settings_;
  int rows_ = 0;
  int columns_ = 0;
  std::vector<int> widths_;
  // Row-major positions in arena_; TextArena::kEmpty for an empty cell.
  std::vector<std::uint32_t> cells_;
  TextArena arena_{kMaxTextBytes};
  std::size_t used_ = 0;   // bytes of stored texts, NULs included
  std::size_t waste_ = 0;  // of those, bytes of texts no cell refers to any more
  // Bytes of every cell's text as if each were stored alone, NULs included:
  // what the budget counts.
  std::uint64_t cell_bytes_ = 0;
  // Shared texts: the cells beyond the first that refer to each.
  std::unordered_map<std::uint32_t, std::uint32_t> shares_;
  std::uint32_t last_long_ = TextArena::kEmpty;  // the last long text stored
  std::size_t last_long_size_ = 0;
  EGridObserver* observer_ = nullptr;
};

}  // namespace raz::viewer
