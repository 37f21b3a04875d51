// Memo and byte-set chains read a run of consecutive blocks at a time: values
// come back exactly whatever the run lengths, jumps and cycles, and fields
// sharing a slot each get their own kind's value.
#include <gtest/gtest.h>

#include <string>

#include "tests/shared/edb_engine_test.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"
#include "viewer/edb/edb_format.h"

namespace raz::edb {
namespace {

using testing::BytesValue;
using testing::EdbWriter;

constexpr std::size_t kData = format::kBlockDataSize;

// Data whose every block differs, with no zero byte.
std::string Pattern(std::size_t blocks) {
  std::string data;
  for (std::size_t k = 0; k < blocks; ++k) data.append(kData, static_cast<char>('A' + k % 50));
  return data;
}

class EdbChainTest : public testing::EngineTest {
 protected:
  // One record: memo "m" then byte set "b", each a chain of its own.
  void Write(const std::string& memo, const std::string& bytes) {
    EdbWriter writer(path_, {{"m", FieldKind::kMemo}, {"b", FieldKind::kByteSet}});
    writer.AddRecord({BytesValue(memo), BytesValue(bytes)});
    ASSERT_TRUE(writer.Finish());
    aux_ = testing::ReadFileBytes(format::AuxiliaryPath(path_));
  }
  // Makes block `from` lead to block `to`.
  void Link(std::uint32_t from, std::uint32_t to) {
    format::StoreU32(aux_, format::kAuxHeaderSize + (from - 1) * format::kBlockSize, to);
  }
  std::string Memo() {
    testing::WriteFileBytes(format::AuxiliaryPath(path_), aux_);
    EXPECT_TRUE(OpenDatabase(path_));
    std::string value = ReadField("m").bytes;
    EXPECT_EQ(LastErrorCode(), 0);
    CloseDatabase();
    return value;
  }

  std::string path_ = dir_.File("c.edb");
  std::string aux_;
};

TEST_F(EdbChainTest, LongChainsReadBackExactlyAcrossEveryRunLength) {
  // 1,500 blocks: runs of 1, 2, 4 ... 512 blocks and then whole runs of 512.
  for (std::size_t blocks : {1, 2, 3, 511, 512, 1025, 1500}) {
    const std::string memo = Pattern(blocks).substr(0, blocks * kData - 7);
    Write(memo, std::string(blocks * kData, '\0'));
    EXPECT_EQ(Memo(), memo) << blocks;
    ASSERT_TRUE(OpenDatabase(path_));
    EXPECT_EQ(ReadField("b").bytes, std::string(blocks * kData, '\0')) << blocks;
    CloseDatabase();
  }
}

TEST_F(EdbChainTest, AValueTooLongToKeepBesideOthersIsReadAgainAfterThem) {
  const std::string memo = Pattern(9000);  // 4.5 MB: more than a record keeps
  Write(memo, "small");
  ASSERT_TRUE(OpenDatabase(path_));
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(ReadField("m").bytes, memo);
    EXPECT_EQ(ReadField("m").bytes, memo);
    EXPECT_EQ(ReadField("b").bytes, "small");
  }
  CloseDatabase();
}

TEST_F(EdbChainTest, AJumpInsideARunDropsTheRestOfTheRun) {
  const std::string memo = Pattern(1000);
  Write(memo, "");
  // Block 300 jumps to 700, in the middle of the runs read at once; 700 on
  // runs consecutively to the end.
  Link(300, 700);
  EXPECT_EQ(Memo(), memo.substr(0, 300 * kData) + memo.substr(699 * kData));
}

TEST_F(EdbChainTest, ACycleBackIntoTheChainEndsTheValue) {
  const std::string memo = Pattern(900);
  Write(memo, "");
  Link(800, 200);  // 1 .. 800, then back to a block already read
  EXPECT_EQ(Memo(), memo.substr(0, 800 * kData));
  Link(5, 5);  // a block leading to itself
  EXPECT_EQ(Memo(), memo.substr(0, 5 * kData));
}

TEST_F(EdbChainTest, AMemoEndsAtAZeroByteDeepInsideARun) {
  std::string memo = Pattern(600);
  memo[450 * kData + 3] = '\0';
  Write(memo, memo);
  EXPECT_EQ(Memo(), memo.substr(0, 450 * kData + 3));
  ASSERT_TRUE(OpenDatabase(path_));
  EXPECT_EQ(ReadField("b").bytes, memo);  // a byte set keeps its zero bytes
}

TEST_F(EdbChainTest, EachRecordCountReadsChainsAfreshAlsoPastTheOldEnd) {
  std::string memo = Pattern(70);  // past the first page of cached blocks
  Write(memo, "");
  const std::string whole = aux_;
  aux_.resize(aux_.size() - 2 * format::kBlockSize);  // the last two blocks come later
  testing::WriteFileBytes(format::AuxiliaryPath(path_), aux_);
  ASSERT_TRUE(OpenDatabase(path_));
  EXPECT_EQ(ReadField("m").bytes, memo.substr(0, 68 * kData));

  aux_ = whole;
  aux_[format::kAuxHeaderSize + 4] = memo[0] = '!';  // and block 1 changes
  testing::WriteFileBytes(format::AuxiliaryPath(path_), aux_);
  EXPECT_EQ(RecordCount(), 1);
  GoToFirstRecord();
  EXPECT_EQ(ReadField("m").bytes, memo);
}

TEST_F(EdbChainTest, FieldsSharingOneSlotEachReadTheirOwnKind) {
  const std::string value = std::string("text") + '\0' + "after the zero";
  Write(value, "unused");
  // The byte set's descriptor now names the memo's slot.
  std::string db = testing::ReadFileBytes(path_);
  format::StoreU32(db, format::kHeaderSize + format::kDescriptorSize + format::kOffsetAt, 0);
  testing::WriteFileBytes(path_, db);
  ASSERT_TRUE(OpenDatabase(path_));
  EXPECT_EQ(ReadField("m").bytes, "text");
  EXPECT_EQ(ReadField("b").bytes, value);
  EXPECT_EQ(ReadField("m").bytes, "text");
}

}  // namespace
}  // namespace raz::edb
