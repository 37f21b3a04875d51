// Damaged and hostile files: every read stays in bounds, counts never exceed
// what the files hold, and failures come back as codes or empty values.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "tests/shared/edb_engine_test.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"
#include "viewer/edb/edb_format.h"

namespace raz::edb {
namespace {

using testing::BytesValue;
using testing::EdbWriter;
using testing::IntValue;

// Opens the file and reads every field of every record the way the viewer
// does; returns the open's code.
std::int32_t OpenAndReadAll(const std::string& path) {
  if (!OpenDatabase(path)) return LastErrorCode();
  std::int32_t records = RecordCount();
  std::int32_t fields = FieldCount();
  EXPECT_GE(records, 0);
  EXPECT_GE(fields, 0);
  GoToFirstRecord();
  for (std::int32_t i = 0; i < records; ++i) {
    for (std::int32_t j = 1; j <= fields; ++j) {
      ReadField(FieldName(j));
      ReadField(j);
    }
    SkipRecords(1);
  }
  CloseDatabase();
  return 0;
}

class EdbHostileTest : public testing::EngineTest {
 protected:
  void SetUp() override {
    path_ = dir_.File("h.edb");
    aux_path_ = dir_.File("h.edt");
    EdbWriter writer(path_, {{"n", FieldKind::kInt32}, {"t", FieldKind::kText, 6},
                             {"m", FieldKind::kMemo}, {"b", FieldKind::kByteSet}});
    writer.AddRecord({IntValue(1), BytesValue("one"), BytesValue(std::string(1200, 'm')),
                      BytesValue("\x01\x02")});
    writer.AddRecord({IntValue(2), BytesValue("two"), BytesValue("short"), BytesValue("")});
    ASSERT_TRUE(writer.Finish());
    db_ = testing::ReadFileBytes(path_);
    aux_ = testing::ReadFileBytes(aux_path_);
  }
  std::int32_t OpenWith(const std::string& db, const std::string& aux) {
    testing::WriteFileBytes(path_, db);
    testing::WriteFileBytes(aux_path_, aux);
    return OpenDatabase(path_) ? 0 : LastErrorCode();
  }
  // Offset of the memo slot of record `index`.
  std::size_t MemoSlot(int index) const {
    return format::kHeaderSize + 4 * format::kDescriptorSize + std::size_t(index) * (4 + 6 + 8 + 8) + 10;
  }

  std::string path_, aux_path_, db_, aux_;
};

TEST_F(EdbHostileTest, EveryTruncationOpensOrFailsCleanly) {
  for (std::size_t size = 0; size <= db_.size(); ++size) {
    testing::WriteFileBytes(path_, db_.substr(0, size));
    std::int32_t code = OpenAndReadAll(path_);
    if (size < format::kHeaderSize) {
      EXPECT_EQ(code, -22) << size;
    }
  }
  testing::WriteFileBytes(path_, db_);
  for (std::size_t size = 0; size <= aux_.size(); size += 7) {
    testing::WriteFileBytes(aux_path_, aux_.substr(0, size));
    std::int32_t code = OpenAndReadAll(path_);
    if (size < format::kAuxHeaderSize) {
      EXPECT_EQ(code, -22) << size;
    }
  }
}

TEST_F(EdbHostileTest, ATruncatedRecordAreaCountsOnlyWholeRecords) {
  ASSERT_EQ(OpenWith(db_.substr(0, db_.size() - 1), aux_), 0);
  EXPECT_EQ(RecordCount(), 1);
}

TEST_F(EdbHostileTest, HugeClaimsAreBoundedByTheFile) {
  std::string db = db_;
  format::StoreU32(db, format::kRecordCountAt, 0x7FFFFFFF);
  ASSERT_EQ(OpenWith(db, aux_), 0);
  EXPECT_EQ(RecordCount(), 2);
  CloseDatabase();

  // More fields than descriptors present: the fields the file holds.
  db = db_.substr(0, format::kHeaderSize + 2 * format::kDescriptorSize);
  format::StoreU32(db, format::kFieldCountAt, 4000);
  ASSERT_EQ(OpenWith(db, aux_), 0);
  EXPECT_EQ(FieldCount(), 2);
  EXPECT_EQ(RecordCount(), 0);
  CloseDatabase();

  db = db_;
  format::StoreU32(db, format::kFieldCountAt, 0xFFFFFFFF);
  EXPECT_EQ(OpenWith(db, aux_), -22);
  db = db_;
  format::StoreU32(db, format::kRecordSizeAt, 0xFFFFFFF0);
  EXPECT_EQ(OpenWith(db, aux_), -22);
}

TEST_F(EdbHostileTest, BadDescriptorsAreNoDatabase) {
  const std::size_t first = format::kHeaderSize;
  struct Damage {
    std::size_t at;
    std::uint32_t value;
  } damages[] = {
      {first + format::kTypeAt, 0},
      {first + format::kTypeAt, 13},
      {first + format::kWidthAt, 8},                     // an int32 of 8 bytes
      {first + format::kOffsetAt, 0xFFFFFFFE},           // offset + width wraps in 32 bits
      {first + format::kDescriptorSize + format::kWidthAt, 0},  // text of no width
      {first + format::kDescriptorSize + format::kWidthAt, 1u << 30},
  };
  for (const Damage& d : damages) {
    std::string db = db_;
    format::StoreU32(db, d.at, d.value);
    EXPECT_EQ(OpenWith(db, aux_), -22) << d.at << " " << d.value;
    EXPECT_EQ(CurrentDatabaseName(), "");
  }
}

TEST_F(EdbHostileTest, AuxiliaryHeaderIsChecked) {
  std::string aux = aux_;
  aux[3] = 'X';
  EXPECT_EQ(OpenWith(db_, aux), -22);
  aux = aux_;
  format::StoreU32(aux, format::kVersionAt, 0x20000);
  EXPECT_EQ(OpenWith(db_, aux), -23);
}

TEST_F(EdbHostileTest, BrokenChainsEndTheValue) {
  const std::size_t second_block = format::kAuxHeaderSize + format::kBlockSize;
  std::string aux = aux_;
  format::StoreU32(aux, second_block, 1);  // block 2 leads back to block 1
  ASSERT_EQ(OpenWith(db_, aux), 0);
  FieldValue memo = ReadField("m");
  EXPECT_EQ(LastErrorCode(), 0);
  EXPECT_EQ(memo.bytes, std::string(2 * format::kBlockDataSize, 'm'));
  CloseDatabase();

  aux = aux_;
  format::StoreU32(aux, format::kAuxHeaderSize, 0x7FFFFFFF);  // block 1 leads out of the file
  ASSERT_EQ(OpenWith(db_, aux), 0);
  EXPECT_EQ(ReadField("m").bytes, std::string(format::kBlockDataSize, 'm'));
  CloseDatabase();

  std::string db = db_;
  format::StoreU32(db, MemoSlot(0), 0xFFFFFFFF);  // first block out of range
  ASSERT_EQ(OpenWith(db, aux_), 0);
  EXPECT_EQ(ReadField("m").bytes, "");
  CloseDatabase();

  db = db_;
  format::StoreU32(db, MemoSlot(1) + 4, 0xFFFFFFFF);  // a length far beyond the data
  ASSERT_EQ(OpenWith(db, aux_), 0);
  SkipRecords(1);
  std::string value = ReadField("m").bytes;
  EXPECT_EQ(value.substr(0, 5), "short");
  EXPECT_LE(value.size(), format::kBlockDataSize);
}

TEST_F(EdbHostileTest, AFileCutShortAfterTheOpenReadsEmptyValues) {
  ASSERT_EQ(OpenWith(db_, aux_), 0);
  ASSERT_EQ(RecordCount(), 2);
  testing::WriteFileBytes(path_, db_.substr(0, format::kHeaderSize + 4 * format::kDescriptorSize));
  GoToFirstRecord();
  FieldValue v = ReadField("t");
  EXPECT_EQ(LastErrorCode(), -15);
  EXPECT_EQ(v.bytes, "");
  EXPECT_EQ(RecordCount(), 0);
}

TEST_F(EdbHostileTest, RandomDamageNeverBreaksTheEngine) {
  std::mt19937 random(20240607);
  for (int round = 0; round < 400; ++round) {
    std::string db = db_;
    std::string aux = aux_;
    int flips = 1 + int(random() % 8);
    for (int i = 0; i < flips; ++i) {
      std::string& target = random() % 3 == 0 ? aux : db;
      target[random() % target.size()] = static_cast<char>(random());
    }
    testing::WriteFileBytes(path_, db);
    testing::WriteFileBytes(aux_path_, aux);
    OpenAndReadAll(path_);
  }
}

}  // namespace
}  // namespace raz::edb
