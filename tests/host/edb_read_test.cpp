// Reading a database: fields, records, positions and every kind of value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/shared/edb_engine_test.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"
#include "viewer/edb/edb_format.h"

namespace raz::edb {
namespace {

using testing::BoolValue;
using testing::BytesValue;
using testing::EdbWriter;
using testing::IntValue;
using testing::RealValue;

class EdbReadTest : public testing::EngineTest {};

std::string LongBytes(std::size_t size, int seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + seed) % 251);
  return bytes;
}

TEST_F(EdbReadTest, EveryKindReadsBackExactlyAsWritten) {
  const std::vector<testing::FieldSpec> fields = {
      {"b", FieldKind::kByte},       {"s", FieldKind::kInt16},    {"i", FieldKind::kInt32},
      {"l", FieldKind::kInt64},      {"f", FieldKind::kFloat},    {"d", FieldKind::kDouble},
      {"ok", FieldKind::kBool},      {"when", FieldKind::kDateTime}, {"raw", FieldKind::kOpaque},
      {"名称", FieldKind::kText, 12}, {"bin", FieldKind::kByteSet}, {"memo", FieldKind::kMemo},
  };
  const std::string bin = LongBytes(1300, 5);        // three blocks, zero bytes inside
  const std::string memo = "备注" + std::string(600, 'x');  // two blocks
  std::vector<std::vector<FieldValue>> rows = {
      {IntValue(255), IntValue(-32768), IntValue(std::numeric_limits<std::int32_t>::min()),
       IntValue(std::numeric_limits<std::int64_t>::max()), RealValue(1.5f), RealValue(-0.1),
       BoolValue(true), RealValue(42065.58680555555), IntValue(0xDEADBEEF), BytesValue("整整十二字节"),
       BytesValue(bin), BytesValue(memo)},
      {IntValue(0), IntValue(32767), IntValue(std::numeric_limits<std::int32_t>::max()),
       IntValue(std::numeric_limits<std::int64_t>::min()), RealValue(3.4e38f), RealValue(1e300),
       BoolValue(false), RealValue(-693593.0), IntValue(0), BytesValue("ab"), BytesValue(""),
       BytesValue("")},
  };
  {
    EdbWriter writer(dir_.File("all.edb"), fields);
    for (const auto& row : rows) writer.AddRecord(row);
    ASSERT_TRUE(writer.Finish());
  }
  ASSERT_TRUE(OpenDatabase(dir_.File("all.edb")));
  ASSERT_EQ(FieldCount(), 12);
  ASSERT_EQ(RecordCount(), 2);
  GoToFirstRecord();
  for (const auto& row : rows) {
    for (std::int32_t j = 1; j <= 12; ++j) {
      SCOPED_TRACE(FieldName(j));
      FieldValue v = ReadField(FieldName(j));
      EXPECT_EQ(LastErrorCode(), 0);
      EXPECT_EQ(static_cast<int>(v.kind), j);
      const FieldValue& w = row[j - 1];
      switch (v.kind) {
        case FieldKind::kByte:
        case FieldKind::kInt16:
        case FieldKind::kInt32:
        case FieldKind::kInt64: EXPECT_EQ(v.integer, w.integer); break;
        case FieldKind::kOpaque: EXPECT_EQ(v.integer, w.integer & 0xFFFFFFFF); break;
        case FieldKind::kFloat: EXPECT_EQ(v.real, static_cast<double>(static_cast<float>(w.real))); break;
        case FieldKind::kDouble:
        case FieldKind::kDateTime: EXPECT_EQ(v.real, w.real); break;
        case FieldKind::kBool: EXPECT_EQ(v.boolean, w.boolean); break;
        default: EXPECT_EQ(v.bytes, w.bytes); break;
      }
      FieldValue by_index = ReadField(j);
      EXPECT_EQ(by_index.integer, v.integer);
      EXPECT_EQ(by_index.bytes, v.bytes);
    }
    EXPECT_TRUE(SkipRecords(1));
  }
}

TEST_F(EdbReadTest, TextStopsAtItsFirstZeroByteAndMemoReadsAsText) {
  {
    EdbWriter writer(dir_.File("t.edb"), {{"t", FieldKind::kText, 8}, {"m", FieldKind::kMemo}});
    writer.AddRecord({BytesValue(std::string("ab\0cd", 5)), BytesValue(std::string("xy\0z", 4))});
  }
  ASSERT_TRUE(OpenDatabase(dir_.File("t.edb")));
  EXPECT_EQ(ReadField("t").bytes, "ab");
  EXPECT_EQ(ReadField("m").bytes, "xy");
}

TEST_F(EdbReadTest, NamesMatchInAnyLetterCaseAndTheFirstMatchWins) {
  {
    EdbWriter writer(dir_.File("n.edb"), {{"Name", FieldKind::kInt32},
                                          {"NAME", FieldKind::kInt32},
                                          {"\x81" "A", FieldKind::kInt32},
                                          {"id", FieldKind::kInt32}});
    writer.AddRecord({IntValue(1), IntValue(2), IntValue(3), IntValue(4)});
  }
  ASSERT_TRUE(OpenDatabase(dir_.File("n.edb")));
  EXPECT_EQ(FieldName(2), "NAME");
  // Read in the viewer's order: the second name still finds the first field.
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(ReadField("Name").integer, 1);
    EXPECT_EQ(ReadField("NAME").integer, 1);
    EXPECT_EQ(ReadField("\x81" "A").integer, 3);
    EXPECT_EQ(ReadField("ID").integer, 4);
  }
  EXPECT_EQ(ReadField("name").integer, 1);
  // 81 41 is one character: its trail byte is no letter to fold.
  FieldValue missing = ReadField("\x81" "a");
  EXPECT_EQ(LastErrorCode(), -31);
  EXPECT_EQ(missing.kind, FieldKind::kNone);
  ReadField("");
  EXPECT_EQ(LastErrorCode(), -31);
  ReadField(0);
  EXPECT_EQ(LastErrorCode(), -31);
  ReadField(5);
  EXPECT_EQ(LastErrorCode(), -31);
}

TEST_F(EdbReadTest, FieldNameOutsideOneToCountIsEmpty) {
  {
    EdbWriter writer(dir_.File("f.edb"), {{"a", FieldKind::kInt32}, {"b", FieldKind::kInt32}});
  }
  ASSERT_TRUE(OpenDatabase(dir_.File("f.edb")));
  EXPECT_EQ(FieldName(1), "a");
  EXPECT_EQ(FieldName(2), "b");
  for (std::int32_t index : {0, -1, 3, std::numeric_limits<std::int32_t>::min(),
                             std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_EQ(FieldName(index), "") << index;
  }
}

TEST_F(EdbReadTest, EmptyDatabaseHasNoRecordToSkipOrRead) {
  {
    EdbWriter writer(dir_.File("e.edb"), {{"a", FieldKind::kText, 4}});
  }
  ASSERT_TRUE(OpenDatabase(dir_.File("e.edb")));
  EXPECT_EQ(RecordCount(), 0);
  EXPECT_EQ(LastErrorCode(), 0);
  GoToFirstRecord();
  EXPECT_EQ(LastErrorCode(), 0);
  EXPECT_FALSE(SkipRecords(1));
  EXPECT_EQ(LastErrorCode(), -26);
  EXPECT_TRUE(SkipRecords(0));
  EXPECT_EQ(LastErrorCode(), 0);
  FieldValue v = ReadField("a");
  EXPECT_EQ(LastErrorCode(), -68);
  EXPECT_EQ(v.kind, FieldKind::kText);
  EXPECT_EQ(v.bytes, "");
}

TEST_F(EdbReadTest, SkippingStopsOnePastTheLastRecord) {
  {
    EdbWriter writer(dir_.File("s.edb"), {{"n", FieldKind::kInt32}});
    for (int i = 0; i < 3; ++i) writer.AddRecord({IntValue(i)});
  }
  ASSERT_TRUE(OpenDatabase(dir_.File("s.edb")));
  GoToFirstRecord();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ReadField("n").integer, i);
    EXPECT_TRUE(SkipRecords());
  }
  FieldValue past = ReadField("n");
  EXPECT_EQ(LastErrorCode(), -68);
  EXPECT_EQ(past.integer, 0);
  EXPECT_FALSE(SkipRecords(1));
  EXPECT_EQ(LastErrorCode(), -26);
  EXPECT_EQ(LastErrorText(), "已经到达数据库尾部");

  GoToFirstRecord();
  EXPECT_TRUE(SkipRecords(std::numeric_limits<std::int32_t>::max()));  // stops at the end
  EXPECT_FALSE(SkipRecords(1));
  EXPECT_TRUE(SkipRecords(-1));
  EXPECT_EQ(ReadField("n").integer, 2);
  EXPECT_TRUE(SkipRecords(std::numeric_limits<std::int32_t>::min()));  // stops at the first
  EXPECT_EQ(ReadField("n").integer, 0);
  EXPECT_FALSE(SkipRecords(-1));
  EXPECT_EQ(LastErrorCode(), -25);
}

TEST_F(EdbReadTest, RecordCountIsReadAfreshWhenTheFileGrows) {
  const std::string path = dir_.File("g.edb");
  {
    EdbWriter writer(path, {{"n", FieldKind::kInt32}});
    writer.AddRecord({IntValue(10)});
    writer.AddRecord({IntValue(11)});
  }
  ASSERT_TRUE(OpenDatabase(path));
  EXPECT_EQ(RecordCount(), 2);

  std::string bytes = testing::ReadFileBytes(path);
  bytes += std::string("\x0C\0\0\0", 4);  // a third record, 12
  bytes[format::kRecordCountAt] = 3;
  ASSERT_TRUE(testing::WriteFileBytes(path, bytes));
  EXPECT_EQ(RecordCount(), 3);
  GoToFirstRecord();
  SkipRecords(2);
  EXPECT_EQ(ReadField("n").integer, 12);

  // A header that claims more than the file holds counts what is there.
  bytes[format::kRecordCountAt] = 100;
  ASSERT_TRUE(testing::WriteFileBytes(path, bytes));
  EXPECT_EQ(RecordCount(), 3);
  // A negative stored count reads as 0.
  std::memcpy(&bytes[format::kRecordCountAt], "\xFF\xFF\xFF\xFF", 4);
  ASSERT_TRUE(testing::WriteFileBytes(path, bytes));
  EXPECT_EQ(RecordCount(), 0);
  EXPECT_EQ(LastErrorCode(), 0);
}

TEST_F(EdbReadTest, ADatabaseWithoutFieldsOpens) {
  {
    EdbWriter writer(dir_.File("z.edb"), {});
    writer.AddRecord({});
  }
  ASSERT_TRUE(OpenDatabase(dir_.File("z.edb")));
  EXPECT_EQ(FieldCount(), 0);
  EXPECT_EQ(RecordCount(), 0);  // records of no bytes store nothing
}

}  // namespace
}  // namespace raz::edb
