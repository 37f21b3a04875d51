// The table budget: the grid's cell and text limits at their edges, with the
// products a 32-bit build would compute, and hostile databases that describe
// huge tables in small files refused with one message and a usable window.
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "tests/shared/viewer_ui_doubles.h"
#include "tests/shared/edb_hostile_shapes.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"
#include "viewer/edb/edb_format.h"
#include "viewer/egrid.h"
#include "viewer/text_arena.h"
#include "viewer/viewer.h"

namespace raz::viewer {
namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

// rows x columns as the i686 build's size_t arithmetic gives it.
std::uint32_t ProductIn32Bits(std::uint32_t rows, std::uint32_t columns) { return rows * columns; }

TEST(TableBudget, CellCountAtItsEdgeAndWhereA32BitProductWraps) {
  EXPECT_TRUE(EGrid::CellsFit(4096, 4096));  // exactly kMaxCells
  EXPECT_FALSE(EGrid::CellsFit(4096, 4097));
  EXPECT_TRUE(EGrid::CellsFit(1, EGrid::kMaxCells));
  EXPECT_FALSE(EGrid::CellsFit(EGrid::kMaxCells + 1, 1));
  EXPECT_FALSE(EGrid::CellsFit(-1, 1));

  // 1,048,577 rows x 4,097 columns: 4,296,019,969 cells, which 32 bits wrap
  // to 1,052,673 -- well inside the limit, had the check trusted that.
  ASSERT_LE(ProductIn32Bits(1048577, 4097), EGrid::kMaxCells);
  EXPECT_FALSE(EGrid::CellsFit(1048577, 4097));
  ASSERT_EQ(ProductIn32Bits(65536, 65536), 0u);
  EXPECT_FALSE(EGrid::CellsFit(65536, 65536));
  const std::int64_t most = std::numeric_limits<std::int32_t>::max();
  ASSERT_EQ(ProductIn32Bits(most, most), 1u);
  EXPECT_FALSE(EGrid::CellsFit(most, most));
  EXPECT_FALSE(EGrid::CellsFit(std::numeric_limits<std::int64_t>::max(), 2));
}

TEST(TableBudget, GridRefusesToGrowPastTheCellLimitAndKeepsItsCells) {
  EGrid grid(2, 4097);
  grid.SetCellText(1, 4096, "kept");
  EXPECT_FALSE(grid.SetRowCount(1048577));
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_STREQ(grid.CellText(1, 4096), "kept");
  EXPECT_TRUE(grid.SetRowCount(4095));  // 16,777,215 cells
  EXPECT_FALSE(grid.SetRowCount(4096));  // 16,781,312 cells
  EXPECT_EQ(grid.RowCount(), 4095);

  EGrid tall(1048577, 1);
  EXPECT_FALSE(tall.SetColumnCount(4097));
  EXPECT_EQ(tall.ColumnCount(), 1);
  EXPECT_THROW(EGrid(65536, 65536), std::length_error);
}

TEST(TableBudget, ArenaStopsAtItsLimitAndStaysUnchanged) {
  TextArena arena(3 * kMiB);
  // A block of three chunks fills the limit exactly: 3 MiB less the unused
  // position 0 and the text's NUL.
  const std::string fills(3 * kMiB - 2, 'a');
  EXPECT_FALSE(arena.Fits(fills + "b"));
  EXPECT_EQ(arena.Append(fills + "b"), TextArena::kEmpty);
  EXPECT_EQ(arena.AllocatedBytes(), 0u);
  EXPECT_TRUE(arena.Fits(fills));
  const std::uint32_t at = arena.Append(fills);
  ASSERT_NE(at, TextArena::kEmpty);
  EXPECT_EQ(arena.AllocatedBytes(), 3 * kMiB);
  EXPECT_FALSE(arena.Fits("x"));
  EXPECT_EQ(arena.Append("x"), TextArena::kEmpty);
  EXPECT_TRUE(arena.Fits(""));  // the empty text takes no room
  EXPECT_EQ(arena.AllocatedBytes(), 3 * kMiB);
  EXPECT_EQ(arena.At(at), fills);
}

TEST(TableBudget, ArenaLimitIsCappedAtItsPositions) {
  EXPECT_EQ(TextArena(std::numeric_limits<std::uint64_t>::max()).MaxBytes(), TextArena::kMaxPositions);
}

// Opening databases through the viewer, as the main window does.
// Memos entering one chain at many blocks: no two cells alike, and a few
// megabytes of file name more text than the budget. Once the texts stored
// pass 128 MiB the rest is counted first, so such a table is refused without
// filling the budget, and one that fits loads whole across that point.
TEST(TableBudget, TextsPastAQuarterOfTheBudgetAreCountedBeforeTheRestIsStored) {
  edb::testing::ScratchDir dir;
  const std::string path = dir.File("entering.edb");
  constexpr std::uint32_t kMemo = 8650000;
  constexpr std::uint32_t kStep = (kMemo + edb::format::kBlockDataSize - 1) / edb::format::kBlockDataSize / 8;
  for (const std::uint32_t records : {14u, 6u}) {  // 545 MB of text, then 234 MB
    ASSERT_TRUE(edb::testing::WriteMemosEnteringOneChain(path, 8, records, kMemo));
    ASSERT_TRUE(edb::OpenDatabase(path));
    ViewerState state;
    EGrid grid;
    testing::QuietUi sink;
    const LoadOutcome outcome = LoadTable(state, grid, sink);
    edb::CloseDatabase();
    if (records == 14) {
      EXPECT_EQ(outcome, LoadOutcome::kTooLarge);
      EXPECT_LE(grid.TextArenaBytes(), 192 * kMiB);  // far from the 512 MiB of the budget
      continue;
    }
    ASSERT_EQ(outcome, LoadOutcome::kLoaded);
    for (int row = 1; row <= 6; ++row) {
      for (std::uint32_t field = 1; field <= 8; ++field) {
        EXPECT_EQ(std::strlen(grid.CellText(row, static_cast<int>(field))),
                  kMemo - (field - 1) * kStep * edb::format::kBlockDataSize) << row << " " << field;
      }
    }
  }
}

struct HostileTableTest : ::testing::Test {
  edb::testing::ScratchDir dir;
  testing::FakeUi ui;
  Viewer viewer{ui};

  ~HostileTableTest() override { viewer.ResetView(); }

  // Opens the file and expects the refusal: one box, the status text, the
  // window enabled as often as disabled, nothing of the table open or shown.
  void OpenRefused(const std::string& path, long long records, int fields) {
    EXPECT_FALSE(viewer.OpenDatabaseFile(path));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "数据表太大，本程序无法显示\r\n记录数：" + std::to_string(records) +
                                    "\r\n字段数：" + std::to_string(fields) + "\r\n" + path);
    EXPECT_EQ(ui.boxes[0].caption, "错误");
    EXPECT_EQ(ui.boxes[0].flags, kInformationBox);
    EXPECT_EQ(ui.statuses.back(), "数据表太大，无法显示");
    EXPECT_EQ(ui.Count("disable"), ui.Count("enable"));
    EXPECT_TRUE(edb::CurrentDatabaseName().empty());
    EXPECT_EQ(viewer.Grid().RowCount(), 1);
    EXPECT_EQ(viewer.Grid().ColumnCount(), 1);
    EXPECT_EQ(ui.title, "Tallyscope");
  }
};

TEST_F(HostileTableTest, OverlappingByteFieldsAreRefusedBeforeTheGridGrows) {
  const std::string path = dir.File("bytes.edb");
  ASSERT_TRUE(edb::testing::WriteOverlappingByteFields(path));
  OpenRefused(path, 1048576, 4096);
  EXPECT_EQ(ui.Count("disable"), 0);
}

TEST_F(HostileTableTest, OverlappingTextFieldsStopWhenTheirTextPassesTheBudget) {
  const std::string path = dir.File("texts.edb");
  ASSERT_TRUE(edb::testing::WriteOverlappingTextFields(path));
  OpenRefused(path, 1, 1024);
  EXPECT_EQ(ui.Count("disable"), 1);
}

TEST_F(HostileTableTest, MemoFieldsSharingOneChainStopWhenTheirTextPassesTheBudget) {
  const std::string path = dir.File("memos.edb");
  ASSERT_TRUE(edb::testing::WriteSharedMemoChain(path));
  OpenRefused(path, 1, 64);

  // The viewer is usable afterwards.
  ui.boxes.clear();
  const std::string small = dir.File("small.edb");
  ASSERT_TRUE(edb::testing::WriteSharedMemoChain(small, 2, 1000));
  ASSERT_TRUE(viewer.OpenDatabaseFile(small));
  EXPECT_EQ(std::string(viewer.Grid().CellText(1, 2)), std::string(1000, 'M'));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(HostileTableTest, RunningOutOfMemoryWhileLoadingIsReportedAndReenablesTheWindow) {
  const std::string path = dir.File("n.edb");
  {
    edb::testing::EdbWriter writer(path, {{"N", edb::FieldKind::kInt32}});
    for (int i = 0; i < 120; ++i) writer.AddRecord({edb::testing::IntValue(i)});
    ASSERT_TRUE(writer.Finish());
  }
  ui.pumps_before_bad_alloc = 2;  // after the header row, the row count, then in the records
  OpenRefused(path, 120, 1);
  EXPECT_EQ(ui.Count("disable"), 1);
}

}  // namespace
}  // namespace raz::viewer
