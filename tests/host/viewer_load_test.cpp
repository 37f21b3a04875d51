#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/shared/viewer_ui_doubles.h"
#include "tests/shared/edb_writer.h"
#include "viewer/viewer.h"

namespace raz::viewer {
namespace {

using edb::FieldKind;
using edb::FieldValue;
using edb::testing::BoolValue;
using edb::testing::BytesValue;
using edb::testing::EdbWriter;
using edb::testing::FieldSpec;
using edb::testing::IntValue;
using edb::testing::RealValue;

using testing::FakeUi;

struct ViewerLoadTest : ::testing::Test {
  edb::testing::ScratchDir dir;
  FakeUi ui;
  Viewer viewer{ui};

  ~ViewerLoadTest() override { viewer.ResetView(); }

  std::string Write(const std::string& name, std::vector<FieldSpec> fields, int records,
                    const std::vector<FieldValue>& values = {}, const std::string& password = "") {
    const std::string path = dir.File(name);
    EdbWriter writer(path, std::move(fields), password);
    for (int i = 0; i < records; ++i) writer.AddRecord(values);
    EXPECT_TRUE(writer.Finish());
    return path;
  }
  std::string Cell(int r, int c) { return viewer.Grid().CellText(r, c); }
};

TEST_F(ViewerLoadTest, LoadsNamesNumbersAndEveryValueKind) {
  const double march_2_2015_14_05 = 42065.0 + (14 * 60 + 5) / 1440.0;
  const std::string path = Write("kinds.edb",
                                 {{"B", FieldKind::kByte},
                                  {"S", FieldKind::kInt16},
                                  {"I", FieldKind::kInt32},
                                  {"L", FieldKind::kInt64},
                                  {"F", FieldKind::kFloat},
                                  {"D", FieldKind::kDouble},
                                  {"Flag", FieldKind::kBool},
                                  {"When", FieldKind::kDateTime},
                                  {"Own", FieldKind::kOpaque},
                                  {"名称", FieldKind::kText, 16},
                                  {"Set", FieldKind::kByteSet},
                                  {"Memo", FieldKind::kMemo}},
                                 2,
                                 {IntValue(200), IntValue(-2), IntValue(-70000), IntValue(-5000000000LL),
                                  RealValue(0.1f), RealValue(1.0 / 3.0), BoolValue(true),
                                  RealValue(march_2_2015_14_05), IntValue(7), BytesValue("中文"),
                                  BytesValue(std::string("xy\0z", 4)), BytesValue("long memo")});
  ASSERT_TRUE(viewer.OpenDatabaseFile(path));

  EXPECT_EQ(ui.title, "Tallyscope - " + path);
  const ViewerState& state = viewer.State();
  EXPECT_EQ(state.record_count, 2);
  EXPECT_EQ(state.field_count, 12);
  ASSERT_EQ(state.field_names.size(), 12u);
  EXPECT_EQ(state.field_names[9], "名称");

  EGrid& grid = viewer.Grid();
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.ColumnCount(), 13);
  EXPECT_EQ(Cell(0, 0), "");
  EXPECT_EQ(Cell(0, 10), "名称");
  EXPECT_EQ(Cell(2, 0), "2");
  const std::vector<std::string> expected = {"200",  "-2",  "-70000", "-5000000000",      "0.1", "0.3333333333333",
                                             "真",   "2015年3月2日14时5分", "", "中文", "xy",  "long memo"};
  for (int j = 1; j <= 12; ++j) EXPECT_EQ(Cell(2, j), expected[j - 1]) << "column " << j;

  EXPECT_EQ(grid.ColumnWidth(0), 50);
  EXPECT_EQ(grid.ColumnWidth(1), 60);    // "B": 8 px, at least 60
  EXPECT_EQ(grid.ColumnWidth(10), 60);   // two Chinese characters: 32 px
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"", "读取数据...", "共有记录：2"}));
}

TEST_F(ViewerLoadTest, WidthsFromLongNamesAndDisabledOnlyWhileRecordsLoad) {
  const std::string ten_chinese = "一二三四五六七八九十";
  const std::string path = Write("wide.edb", {{ten_chinese, FieldKind::kInt32}, {"ID", FieldKind::kInt32}}, 120);
  ASSERT_TRUE(viewer.OpenDatabaseFile(path));
  EXPECT_EQ(viewer.Grid().ColumnWidth(1), 160);
  EXPECT_EQ(viewer.Grid().ColumnWidth(2), 60);
  EXPECT_EQ(Cell(120, 0), "120");
  // Pumps: after the header row, after the row count, after records 50 and
  // 100; the status texts pump on their own.
  const std::vector<std::string> tail(ui.events.end() - 7, ui.events.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"disable", "pump", "pump", "pump", "pump", "enable",
                                            "status:共有记录：120"}));
}

TEST_F(ViewerLoadTest, NumberColumnTakesEightPixelsADigitAndAtLeastFifty) {
  for (const auto& [records, width] : {std::pair{12345, 50}, std::pair{1234567, 56}}) {
    const std::string path = Write("n" + std::to_string(records) + ".edb", {{"B", FieldKind::kByte}}, records);
    int seen = -1;
    // Read once the header row is set; the load is then cut short.
    ui.at_pump = [&] {
      seen = viewer.Grid().ColumnWidth(0);
      throw 42;
    };
    viewer.OpenDatabaseFile(path);
    EXPECT_EQ(seen, width) << records;
  }
}

TEST_F(ViewerLoadTest, NoRecordsGivesTenRowsAndNoFieldsStaysOneByOne) {
  ASSERT_TRUE(viewer.OpenDatabaseFile(Write("empty.edb", {{"Name", FieldKind::kText, 8}}, 0)));
  EXPECT_EQ(viewer.Grid().RowCount(), 10);
  EXPECT_EQ(viewer.Grid().ColumnWidth(0), 50);
  EXPECT_EQ(ui.statuses.back(), "共有记录：0");
  EXPECT_EQ(ui.Count("enable"), 1);

  ui.events.clear();
  ASSERT_TRUE(viewer.OpenDatabaseFile(Write("nofields.edb", {}, 0)));
  EXPECT_EQ(viewer.Grid().RowCount(), 1);
  EXPECT_EQ(viewer.Grid().ColumnCount(), 1);
  EXPECT_EQ(ui.statuses.back(), "字段数量为0");
  EXPECT_EQ(ui.Count("disable"), 0);
}

TEST_F(ViewerLoadTest, FieldsNamedAlikeButForCaseEachShowTheirOwnValues) {
  const std::string path =
      Write("case.edb", {{"name", FieldKind::kText, 8}, {"NAME", FieldKind::kText, 8}}, 1,
            {BytesValue("lower"), BytesValue("upper")});
  ASSERT_TRUE(viewer.OpenDatabaseFile(path));
  EXPECT_EQ(Cell(0, 2), "NAME");
  EXPECT_EQ(Cell(1, 1), "lower");
  EXPECT_EQ(Cell(1, 2), "upper");
}

TEST_F(ViewerLoadTest, PasswordAskedOnceAndTypedAsIs) {
  const std::string path = Write("secret.edb", {{"N", FieldKind::kInt32}}, 1, {IntValue(5)}, " pw ");
  ui.password_answers = {" pw "};
  ASSERT_TRUE(viewer.OpenDatabaseFile(path));
  EXPECT_EQ(ui.password_prompts, 1);
  EXPECT_EQ(Cell(1, 1), "5");

  ui.password_answers = {"wrong"};
  EXPECT_FALSE(viewer.OpenDatabaseFile(path));
  EXPECT_EQ(ui.password_prompts, 2);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "打开raz数据库失败\r\n错误代码：-78\r\n错误信息：未提供数据库访问密码或提供了错误的密码\r\n" + path);
  EXPECT_EQ(ui.boxes[0].caption, "错误");
  EXPECT_EQ(ui.boxes[0].flags, 0x40u);
  EXPECT_EQ(ui.statuses.back(), "打开数据库失败");
}

TEST_F(ViewerLoadTest, EveryFailedOpenShowsItsBox) {
  const std::string secret = Write("secret.edb", {{"N", FieldKind::kInt32}}, 1, {}, "pw");
  const std::string plain = Write("plain.edb", {{"N", FieldKind::kInt32}}, 120);
  const struct {
    std::function<void(FakeUi&)> arrange;
    const std::string& path;
    const char* code_and_text;
  } cases[] = {
      // A password window that cannot be shown: the engine's own code.
      {[](FakeUi& u) { u.password_window_fails = true; }, secret, "-78\r\n错误信息：未提供数据库访问密码或提供了错误的密码"},
      // Memory running out before the table is read is no large table.
      {[](FakeUi& u) { u.bad_alloc_at_status = "读取数据..."; }, plain, "-2\r\n错误信息：内存不足"},
      // Anything else thrown midway through the load.
      {[](FakeUi& u) { u.at_pump = [] { throw 42; }; }, plain, "-21\r\n错误信息：打开指定数据库失败"},
  };
  for (const auto& c : cases) {
    ui = FakeUi();
    ASSERT_TRUE(viewer.OpenDatabaseFile(Write("before.edb", {{"N", FieldKind::kInt32}}, 1)));
    ui = FakeUi();
    c.arrange(ui);
    EXPECT_FALSE(viewer.OpenDatabaseFile(c.path));
    ASSERT_EQ(ui.boxes.size(), 1u) << c.code_and_text;
    EXPECT_EQ(ui.boxes[0].text, std::string("打开raz数据库失败\r\n错误代码：") + c.code_and_text + "\r\n" + c.path);
    EXPECT_EQ(ui.statuses.back(), "打开数据库失败");
    EXPECT_EQ(ui.Count("disable"), ui.Count("enable"));
    EXPECT_TRUE(edb::CurrentDatabaseName().empty());
    EXPECT_EQ(ui.title, "Tallyscope");
  }
}

TEST_F(ViewerLoadTest, CancelledPasswordClosesWhatWasOpenSilently) {
  ASSERT_TRUE(viewer.OpenDatabaseFile(Write("plain.edb", {{"N", FieldKind::kInt32}}, 3)));
  const std::string secret = Write("secret.edb", {{"N", FieldKind::kInt32}}, 1, {}, "pw");
  EXPECT_FALSE(viewer.OpenDatabaseFile(secret));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(ui.statuses.back(), "");
  EXPECT_EQ(ui.title, "Tallyscope");
  EXPECT_EQ(viewer.Grid().RowCount(), 1);
  EXPECT_TRUE(edb::CurrentDatabaseName().empty());
}

TEST_F(ViewerLoadTest, MissingFileAndReopeningTheOpenFile) {
  const std::string missing = dir.File("missing.edb");
  EXPECT_FALSE(viewer.OpenDatabaseFile(missing));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "打开raz数据库失败\r\n错误代码：-3\r\n错误信息：指定文件未找到\r\n" + missing);
  EXPECT_EQ(ui.password_prompts, 0);

  const std::string path = Write("again.edb", {{"N", FieldKind::kInt32}}, 1);
  ASSERT_TRUE(viewer.OpenDatabaseFile(path));
  EXPECT_TRUE(viewer.OpenDatabaseFile(path));
}

TEST_F(ViewerLoadTest, ResetViewClearsEverything) {
  ASSERT_TRUE(viewer.OpenDatabaseFile(Write("r.edb", {{"N", FieldKind::kInt32}}, 3)));
  viewer.ResetView();
  EXPECT_TRUE(edb::CurrentDatabaseName().empty());
  EXPECT_EQ(viewer.State().record_count, 0);
  EXPECT_TRUE(viewer.State().field_names.empty());
  EXPECT_EQ(viewer.Grid().RowCount(), 1);
  EXPECT_EQ(viewer.Grid().ColumnCount(), 1);
  EXPECT_EQ(viewer.Grid().ColumnWidth(0), 60);
  EXPECT_EQ(Cell(0, 0), "");
  EXPECT_EQ(ui.title, "Tallyscope");
  EXPECT_EQ(ui.statuses.back(), "");
}

TEST_F(ViewerLoadTest, CommandLineAndDropOpenTheFirstPath) {
  const std::string a = Write("a.edb", {{"N", FieldKind::kInt32}}, 1);
  const std::string b = Write("b.edb", {{"N", FieldKind::kInt32}}, 2);
  const auto exists = [&](const std::string& p) { return p == a || p == b; };
  viewer.OpenFromCommandLine("T.exe \"" + dir.File("none.edb") + "\" " + a, exists);
  EXPECT_EQ(viewer.State().open_path, "");
  EXPECT_TRUE(ui.boxes.empty());
  viewer.OpenFromCommandLine("T.exe \"" + b + "\" " + a, exists);
  EXPECT_EQ(viewer.State().open_path, b);

  viewer.OnFilesDropped(a + "\r\n" + b + "\r\n");
  EXPECT_EQ(viewer.State().open_path, a);
  EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
}  // namespace raz::viewer
