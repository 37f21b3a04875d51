#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "viewer/egrid.h"
#include "viewer/text_arena.h"

namespace raz::viewer {
namespace {

TEST(EGrid, StartsAsDesigned) {
  EGrid grid;
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.ColumnCount(), 5);
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_EQ(grid.FixedColumns(), 1);
  EXPECT_EQ(grid.RowHeight(), 24);
  EXPECT_EQ(grid.ColumnWidth(4), 60);
  EXPECT_STREQ(grid.CellText(4, 4), "");
}

TEST(EGrid, IgnoresCountsOfZeroOrLess) {
  EGrid grid;
  grid.SetColumnWidth(1, 100);
  grid.SetCellText(2, 2, "kept");
  for (int count : {0, -1}) {
    grid.SetRowCount(count);
    grid.SetColumnCount(count);
  }
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.ColumnCount(), 5);
  EXPECT_EQ(grid.ColumnWidth(1), 100);
  EXPECT_STREQ(grid.CellText(2, 2), "kept");
}

TEST(EGrid, ColumnCountResetsEveryWidthAndKeepsCellsOfRemainingColumns) {
  EGrid grid;
  grid.SetColumnWidth(0, 100);
  grid.SetColumnWidth(1, 200);
  grid.SetCellText(1, 1, "a");
  grid.SetCellText(1, 4, "gone");
  grid.SetColumnCount(3);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(grid.ColumnWidth(c), 60) << c;
  EXPECT_STREQ(grid.CellText(1, 1), "a");
  grid.SetColumnCount(5);
  EXPECT_STREQ(grid.CellText(1, 4), "");  // removed columns come back empty
  EXPECT_STREQ(grid.CellText(1, 1), "a");
}

TEST(EGrid, RowCountAddsAndRemovesAtTheEnd) {
  EGrid grid;
  grid.SetCellText(1, 0, "1");
  grid.SetCellText(4, 0, "4");
  grid.SetRowCount(2);
  grid.SetRowCount(6);
  EXPECT_STREQ(grid.CellText(1, 0), "1");
  EXPECT_STREQ(grid.CellText(4, 0), "");
}

TEST(EGrid, ColumnWidthNeedsAnExistingColumnAndNoNegativeWidth) {
  EGrid grid;
  EXPECT_FALSE(grid.SetColumnWidth(5, 80));
  EXPECT_FALSE(grid.SetColumnWidth(-1, 80));
  EXPECT_FALSE(grid.SetColumnWidth(2, -1));
  EXPECT_TRUE(grid.SetColumnWidth(4, 0));
  EXPECT_EQ(grid.ColumnWidth(4), 0);
}

TEST(EGrid, IgnoresCellsOutsideAndKeepsTextUpToItsFirstZeroByte) {
  EGrid grid(2, 2);
  grid.SetCellText(2, 0, "x");
  grid.SetCellText(0, -1, "x");
  EXPECT_STREQ(grid.CellText(2, 0), "");
  grid.SetCellText(1, 1, std::string("ab\0cd", 5));
  EXPECT_STREQ(grid.CellText(1, 1), "ab");
  grid.SetCellText(1, 1, "");
  EXPECT_STREQ(grid.CellText(1, 1), "");
}

TEST(EGrid, ReinitialiseKeepsCountsAndClearsCellsAndWidths) {
  EGrid grid;
  grid.SetCellText(0, 0, "h");
  grid.SetColumnWidth(0, 300);
  grid.SetRowCount(1);
  grid.SetColumnCount(1);
  grid.Reinitialise();
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(grid.ColumnCount(), 1);
  EXPECT_STREQ(grid.CellText(0, 0), "");
  EXPECT_EQ(grid.ColumnWidth(0), 60);
}

TEST(EGrid, RewritingCellsDoesNotGrowTheArenaWithoutBound) {
  EGrid grid(3, 3);
  const std::string text(100, 'x');
  for (int i = 0; i < 100000; ++i) grid.SetCellText(1, 1, text + std::to_string(i));
  EXPECT_EQ(grid.CellText(1, 1), text + "99999");
  EXPECT_LE(grid.TextArenaBytes(), 2u << 20);
}

// A file can name one long memo chain from many fields: such cells share one
// copy, which outlives any of them and survives compaction, while the budget
// still counts each cell in full.
TEST(EGrid, EqualLongTextsAreStoredOnceAndCountedInFull) {
  EGrid grid(200, 2);
  const std::string memo(std::size_t{4} << 20, 'm');
  int rows = 0;
  while (grid.SetCellText(rows, 1, memo)) ++rows;
  EXPECT_EQ(rows, 127);  // 128 x (4 MiB + 1) passes 512 MiB
  EXPECT_LE(grid.TextArenaBytes(), std::size_t{6} << 20);

  grid.SetCellText(0, 1, "x");
  grid.SetRowCount(100);
  const std::string rewritten(100, 'r');  // enough waste to compact the arena
  for (int i = 0; i < 60000; ++i) grid.SetCellText(0, 0, rewritten + std::to_string(i));
  EXPECT_LE(grid.TextArenaBytes(), std::size_t{16} << 20);  // not a copy a cell
  EXPECT_EQ(grid.CellText(1, 1), memo);
  EXPECT_EQ(grid.CellText(99, 1), memo);
  grid.SetRowCount(200);
  while (grid.SetCellText(rows, 1, memo)) ++rows;
  EXPECT_EQ(rows, 127 + 28);  // 99 cells kept it, so 28 more fit
  EXPECT_STREQ(grid.CellText(0, 1), "x");
}

TEST(TextArena, KeepsTextsAcrossChunkEdgesAndBlocksLargerThanAChunk) {
  TextArena arena;
  std::vector<std::pair<std::uint32_t, std::string>> stored;
  const std::size_t mb = std::size_t{1} << 20;
  // Sizes chosen to fill chunks exactly, overflow them by one and exceed them.
  for (std::size_t size : {mb - 2, std::size_t{1}, mb - 1, mb, std::size_t{7}, 3 * mb + 5, std::size_t{2}}) {
    std::string text(size, static_cast<char>('a' + stored.size()));
    stored.emplace_back(arena.Append(text), text);
  }
  // Every short length, no two bytes alike, so that a copy that drops or
  // repeats a byte shows.
  for (std::string text = "A"; text.size() <= 40; text += static_cast<char>('A' + text.size())) {
    stored.emplace_back(arena.Append(text), text);
  }
  for (const auto& [position, text] : stored) {
    ASSERT_NE(position, TextArena::kEmpty);
    EXPECT_EQ(arena.At(position), text) << text.size();
  }
  EXPECT_EQ(arena.Append(""), TextArena::kEmpty);
  EXPECT_STREQ(arena.At(TextArena::kEmpty), "");
}

}  // namespace
}  // namespace raz::viewer
