// Opening, naming and closing databases, the current database and the codes
// those operations leave.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "tests/shared/edb_engine_test.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"
#include "viewer/edb/error_texts.h"
#include "viewer/edb/full_path.h"

namespace raz::edb {
namespace {

using testing::EdbWriter;
using testing::FieldSpec;
using testing::WriteOneNumberDatabase;

class EdbOpenTest : public testing::EngineTest {
 protected:
  void TearDown() override {
    SetFullPathMaker(nullptr);
    EngineTest::TearDown();
  }
};

TEST_F(EdbOpenTest, EmptyNameAndMissingFileFailWithMinus3) {
  EXPECT_FALSE(OpenDatabase(""));
  EXPECT_EQ(LastErrorCode(), -3);
  EXPECT_EQ(LastErrorText(), "指定文件未找到");
  EXPECT_FALSE(OpenDatabase(dir_.File("missing.edb")));
  EXPECT_EQ(LastErrorCode(), -3);
  EXPECT_EQ(LastErrorText(), "指定文件未找到");  // reading the text keeps the code
  EXPECT_EQ(LastErrorCode(), -3);
}

TEST_F(EdbOpenTest, SuffixRulesAddEdbOnlyWhenTheFileNameHasNoExtension) {
  static std::string asked;
  SetFullPathMaker([](const std::string& name, std::string*) {
    asked = name;
    return false;  // stop here: only the name handed on is of interest
  });
  struct Case {
    const char* name;
    const char* becomes;
  } cases[] = {
      {"C:\\data\\sales", "C:\\data\\sales.EDB"},
      {"C:\\data\\sales.", "C:\\data\\sales.EDB"},
      {"C:\\data\\sales.db", "C:\\data\\sales.db"},
      {"C:\\my.dir\\sales", "C:\\my.dir\\sales.EDB"},  // the dot must follow the last backslash
      {"sales.x.", "sales.x.EDB"},
      {"sales", "sales.EDB"},
      {"C:\\d.d\\\x95\x5C", "C:\\d.d\\\x95\x5C.EDB"},  // 95 5C is one character, not a backslash
      {"C:\\d\\\x95\x5C.x", "C:\\d\\\x95\x5C.x"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(OpenDatabase(c.name));
    EXPECT_EQ(asked, c.becomes) << c.name;
    EXPECT_EQ(LastErrorCode(), -4);
  }
}

TEST_F(EdbOpenTest, OpensTheSuffixedFileAndNamesTheDatabaseAfterIt) {
  ASSERT_TRUE(WriteOneNumberDatabase(dir_.File("sales.EDB"), 7));
  ASSERT_TRUE(OpenDatabase(dir_.File("sales")));
  EXPECT_EQ(LastErrorCode(), 0);
  EXPECT_EQ(CurrentDatabaseName(), "sales");
  CloseDatabase();
  ASSERT_TRUE(OpenDatabase(dir_.File("sales.")));
  EXPECT_EQ(CurrentDatabaseName(), "sales");
}

TEST_F(EdbOpenTest, FullPathsLongerThan260BytesAreRefused) {
  static std::string long_path;
  long_path = "C:\\" + std::string(254, 'a') + ".edb";  // 261 bytes
  SetFullPathMaker([](const std::string&, std::string* full) {
    *full = long_path;
    return true;
  });
  EXPECT_FALSE(OpenDatabase("x.edb"));
  EXPECT_EQ(LastErrorCode(), -4);
}

TEST_F(EdbOpenTest, SamePathInAnotherLetterCaseIsAlreadyOpen) {
  ASSERT_TRUE(WriteOneNumberDatabase(dir_.File("a.edb"), 7));
  ASSERT_TRUE(OpenDatabase(dir_.File("a.edb")));
  EXPECT_FALSE(OpenDatabase(dir_.File("A.EDB")));
  EXPECT_EQ(LastErrorCode(), -38);
  EXPECT_EQ(LastErrorText(), "指定数据库已经被打开");
  EXPECT_FALSE(OpenDatabase(dir_.path() + "/./a.edb"));  // the same full path
  EXPECT_EQ(LastErrorCode(), -38);
  EXPECT_EQ(CurrentDatabaseName(), "a");
}

TEST_F(EdbOpenTest, FailedOpenChangesNeitherListNorCurrent) {
  ASSERT_TRUE(WriteOneNumberDatabase(dir_.File("a.edb"), 7));
  ASSERT_TRUE(WriteOneNumberDatabase(dir_.File("b.edb"), 7));
  ASSERT_TRUE(OpenDatabase(dir_.File("a.edb")));
  EXPECT_FALSE(OpenDatabase(dir_.File("missing.edb")));
  EXPECT_EQ(CurrentDatabaseName(), "a");
  EXPECT_EQ(RecordCount(), 1);

  ASSERT_TRUE(OpenDatabase(dir_.File("b.edb")));
  EXPECT_EQ(CurrentDatabaseName(), "b");
  CloseDatabase();
  EXPECT_EQ(LastErrorCode(), 0);
  EXPECT_EQ(CurrentDatabaseName(), "");
  EXPECT_EQ(LastErrorCode(), -67);

  // "a" is still in the list though no longer current.
  EXPECT_FALSE(OpenDatabase(dir_.File("a.edb")));
  EXPECT_EQ(LastErrorCode(), -38);
  CloseDatabase("missing");
  EXPECT_EQ(LastErrorCode(), -39);
  CloseDatabase("A");
  EXPECT_EQ(LastErrorCode(), 0);
  EXPECT_TRUE(OpenDatabase(dir_.File("a.edb")));
}

TEST_F(EdbOpenTest, EveryOperationOnTheCurrentDatabaseNeedsOne) {
  CloseDatabase();
  EXPECT_EQ(LastErrorCode(), 0);  // closing nothing leaves no code
  EXPECT_EQ(CurrentDatabaseName(), "");
  EXPECT_EQ(LastErrorCode(), -67);
  EXPECT_EQ(LastErrorText(), "未设置当前数据库");
  auto expect_67 = [](const char* what) { EXPECT_EQ(LastErrorCode(), -67) << what; };
  OpenDatabase("");  // leave another code first
  EXPECT_EQ(RecordCount(), 0);
  expect_67("RecordCount");
  OpenDatabase("");
  EXPECT_EQ(FieldCount(), 0);
  expect_67("FieldCount");
  OpenDatabase("");
  EXPECT_EQ(FieldName(1), "");
  expect_67("FieldName");
  OpenDatabase("");
  GoToFirstRecord();
  expect_67("GoToFirstRecord");
  OpenDatabase("");
  EXPECT_FALSE(SkipRecords(1));
  expect_67("SkipRecords");
  OpenDatabase("");
  FieldValue by_name = ReadField("数量");
  expect_67("ReadField by name");
  EXPECT_EQ(by_name.integer, 0);
  EXPECT_EQ(by_name.bytes, "");
  OpenDatabase("");
  ReadField(1);
  expect_67("ReadField by index");
}

TEST_F(EdbOpenTest, PasswordProtectedDatabasesNeedTheRightPassword) {
  ASSERT_TRUE(WriteOneNumberDatabase(dir_.File("p.edb"), 7, "s3cret 密码"));
  EXPECT_FALSE(OpenDatabase(dir_.File("p.edb")));
  EXPECT_EQ(LastErrorCode(), -78);
  EXPECT_EQ(LastErrorText(), "未提供数据库访问密码或提供了错误的密码");
  EXPECT_FALSE(OpenDatabase(dir_.File("p.edb"), std::string("")));
  EXPECT_EQ(LastErrorCode(), -78);
  EXPECT_FALSE(OpenDatabase(dir_.File("p.edb"), std::string("S3CRET 密码")));
  EXPECT_EQ(LastErrorCode(), -78);
  EXPECT_FALSE(OpenDatabase(dir_.File("p.edb"), std::string(" s3cret 密码")));  // blanks count
  EXPECT_EQ(LastErrorCode(), -78);
  EXPECT_EQ(CurrentDatabaseName(), "");

  ASSERT_TRUE(OpenDatabase(dir_.File("p.edb"), std::string("s3cret 密码")));
  EXPECT_EQ(ReadField("数量").integer, 7);

  // The file holds a verifier, never the password itself.
  std::string bytes = testing::ReadFileBytes(dir_.File("p.edb"));
  EXPECT_EQ(bytes.find("s3cret"), std::string::npos);
}

TEST_F(EdbOpenTest, AnUnprotectedDatabaseIgnoresAPassword) {
  ASSERT_TRUE(WriteOneNumberDatabase(dir_.File("u.edb"), 7));
  EXPECT_TRUE(OpenDatabase(dir_.File("u.edb"), std::string("anything")));
}

TEST_F(EdbOpenTest, FilesThatAreNoDatabaseFailWithMinus22And23) {
  const std::string path = dir_.File("x.edb");
  ASSERT_TRUE(WriteOneNumberDatabase(path, 7));
  const std::string good = testing::ReadFileBytes(path);
  std::string bytes;
  auto code_for = [&](std::string b) {
    testing::WriteFileBytes(path, b);
    EXPECT_FALSE(OpenDatabase(path));
    return LastErrorCode();
  };
  EXPECT_EQ(code_for(""), -22);
  EXPECT_EQ(code_for("not a database at all"), -22);
  EXPECT_EQ(code_for(good.substr(0, 111)), -22);
  bytes = good;
  bytes[0] = 'X';
  EXPECT_EQ(code_for(bytes), -22);
  bytes = good;
  bytes[6] = 2;  // version 0x20000
  EXPECT_EQ(code_for(bytes), -23);
  EXPECT_EQ(LastErrorText(), "指定数据库文件版本太高，无法读入，请升级系统软件");
  bytes = good;
  bytes[7] = '\x80';  // a version that is negative as a signed number is still higher
  EXPECT_EQ(code_for(bytes), -23);
  bytes = good;
  bytes[6] = 0;  // version 0
  EXPECT_EQ(code_for(bytes), -22);
  EXPECT_EQ(CurrentDatabaseName(), "");
}

TEST_F(EdbOpenTest, ADirectoryIsNoDatabase) {
  std::filesystem::create_directory(dir_.File("folder.edb"));
  EXPECT_FALSE(OpenDatabase(dir_.File("folder.edb")));
  EXPECT_LT(LastErrorCode(), 0);
  EXPECT_NE(LastErrorText(), "未知错误");
}

TEST_F(EdbOpenTest, AMissingAuxiliaryFileFailsTheOpen) {
  {
    EdbWriter writer(dir_.File("m.edb"), {{"note", FieldKind::kMemo}});
    writer.AddRecord({testing::BytesValue("hello")});
  }
  std::filesystem::remove(dir_.File("m.edt"));
  EXPECT_FALSE(OpenDatabase(dir_.File("m.edb")));
  EXPECT_EQ(LastErrorCode(), -21);
  EXPECT_EQ(LastErrorText(), "打开指定数据库失败");
}

TEST(EdbErrorTexts, EveryCodeFromZeroToMinus80HasAText) {
  for (std::int32_t code = 0; code >= -80; --code) EXPECT_NE(ErrorText(code), "未知错误") << code;
  EXPECT_EQ(ErrorText(-81), "未知错误");
  EXPECT_EQ(ErrorText(1), "未知错误");
  EXPECT_EQ(ErrorText(-22), "指定文件不是数据库文件");
  EXPECT_EQ(ErrorText(-21), "打开指定数据库失败");
}

TEST(EdbLastError, IsKeptPerThread) {
  OpenDatabase("");
  ASSERT_EQ(LastErrorCode(), -3);
  std::int32_t seen = 1;
  std::thread([&] { seen = LastErrorCode(); }).join();
  EXPECT_EQ(seen, 0);
  EXPECT_EQ(LastErrorCode(), -3);
}

}  // namespace
}  // namespace raz::edb
