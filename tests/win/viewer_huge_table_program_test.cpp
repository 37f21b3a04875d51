// Tallyscope meets small files that describe huge tables (overlapping fields,
// memo fields sharing one chain): it refuses them with one box, stays usable
// and ends normally; a 10 MB file of four thousand memo fields laid one byte
// apart opens. Each run prints how long the refusal or the load took.
#include <windows.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "tests/shared/edb_hostile_shapes.h"
#include "tests/shared/edb_writer.h"
#include "viewer_paths.h"
#include "win/driver/driver.h"
#include "win/driver/tallyscope.h"

namespace raz::viewer {
namespace {

using test::Program;
using namespace test::tallyscope;

struct ViewerHugeTableProgramTest : ::testing::Test {
  edb::testing::ScratchDir dir;

  // Opens `path` on Tallyscope's command line and expects the refusal for a
  // table of `records` x `fields`.
  void ExpectRefused(const std::string& path, const char* shape, long records, long fields) {
    const DWORD start = GetTickCount();
    Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + path + "\"");
    ASSERT_TRUE(viewer.ok());
    const auto box = test::WaitForMessageBox(viewer.pid(), 60000);
    const DWORD elapsed = GetTickCount() - start;
    ASSERT_TRUE(box) << "no box within 60 s; exit code " << viewer.ExitCode();
    std::printf("viewer: %s refused after %lu ms\n", shape, static_cast<unsigned long>(elapsed));
    RecordProperty("refused_ms", static_cast<int>(elapsed));
    EXPECT_EQ(box->caption, "错误");
    const std::string expected = "数据表太大，本程序无法显示\r\n记录数：" + std::to_string(records) +
                                 "\r\n字段数：" + std::to_string(fields);
    EXPECT_EQ(box->text.substr(0, expected.size()), expected) << box->text;

    HWND main = viewer.WaitForWindow(kMainClass, nullptr);
    ASSERT_TRUE(main);
    EXPECT_EQ(test::TextOf(Status(main)), "数据表太大，无法显示");
    test::AnswerMessageBox(box->box, IDOK);
    ASSERT_TRUE(test::WaitUntil([&] { return !IsWindow(box->box); }));
    EXPECT_TRUE(NoBoxWithin(viewer.pid(), 1000));  // one box only
    EXPECT_TRUE(test::WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }, 5000));

    // Still usable: the menu closes the database.
    Menu(main, kMenuClose);
    EXPECT_TRUE(test::WaitUntil([&] { return test::TextOf(main) == "Tallyscope"; }));
    EXPECT_TRUE(StatusReads(main, ""));
    EXPECT_EQ(test::ListViewColumnCount(Grid(main)), 1);

    test::PressKey(Grid(main), VK_ESCAPE);
    ASSERT_TRUE(viewer.WaitForExit());
    EXPECT_EQ(viewer.ExitCode(), 0u);
  }
};

TEST_F(ViewerHugeTableProgramTest, OpensTenMegabytesOfMemosLaidOneByteApart) {
  const std::string path = dir.File("memos one byte apart.edb");
  ASSERT_TRUE(edb::testing::WriteMemosOneByteApart(path));
  const DWORD start = GetTickCount();
  Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + path + "\"");
  ASSERT_TRUE(viewer.ok());
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  ASSERT_TRUE(main);
  // Each of its 9,555,968 cells names a block of zeros or one past the file:
  // every memo is empty.
  ASSERT_TRUE(StatusReads(main, "共有记录：2333", 60000)) << test::TextOf(Status(main));
  const DWORD elapsed = GetTickCount() - start;
  std::printf("viewer: 4096 memos one byte apart x 2333 records loaded after %lu ms\n",
              static_cast<unsigned long>(elapsed));
  RecordProperty("loaded_ms", static_cast<int>(elapsed));
  EXPECT_EQ(test::ListViewColumnCount(Grid(main)), 4097);
  EXPECT_TRUE(NoBoxWithin(viewer.pid(), 500));
  test::PressKey(Grid(main), VK_ESCAPE);
  ASSERT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(viewer.ExitCode(), 0u);
}

TEST_F(ViewerHugeTableProgramTest, RefusesFourBillionOverlappingByteCells) {
  const std::string path = dir.File("bytes.edb");
  ASSERT_TRUE(edb::testing::WriteOverlappingByteFields(path));
  ExpectRefused(path, "4096 overlapping byte fields x 1048576 records", 1048576, 4096);
}

TEST_F(ViewerHugeTableProgramTest, RefusesAThousandOverlappingOneMebibyteTexts) {
  const std::string path = dir.File("texts.edb");
  ASSERT_TRUE(edb::testing::WriteOverlappingTextFields(path));
  ExpectRefused(path, "1024 overlapping 1 MiB text fields", 1, 1024);
}

TEST_F(ViewerHugeTableProgramTest, RefusesMemoFieldsSharingOneLongChain) {
  const std::string path = dir.File("memos.edb");
  ASSERT_TRUE(edb::testing::WriteSharedMemoChain(path));
  ExpectRefused(path, "64 memo fields sharing one 16 MiB chain", 1, 64);
}

TEST_F(ViewerHugeTableProgramTest, RefusesMemosEnteringOneChainAtManyBlocks) {
  const std::string path = dir.File("entering.edb");
  ASSERT_TRUE(edb::testing::WriteMemosEnteringOneChain(path));
  ExpectRefused(path, "64 memos entering one 8.65 MB chain x 2 records", 2, 64);
}

}  // namespace
}  // namespace raz::viewer
