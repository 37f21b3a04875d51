// The engine's Windows file access: each failure keeps the code of its cause,
// and reads reach past 2 GiB (also in the 32-bit build).
#include <windows.h>
#include <winioctl.h>

#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "common/win32/unique_handle.h"
#include "tests/shared/edb_engine_test.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"
#include "viewer/edb/edb_format.h"
#include "viewer/edb/file_access.h"

namespace raz::edb {
namespace {

using testing::BytesValue;
using testing::EdbWriter;
using testing::IntValue;

struct FileAccessTest : testing::EngineTest {

  std::string Database(const std::string& name) {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(testing::WriteOneNumberDatabase(path, 42));
    return path;
  }
  // The code ReadOnlyFile::Open leaves, and the engine's code for an open of
  // the same path (which must agree).
  static std::int32_t OpenCode(const std::string& path) {
    std::int32_t code = code::kOk;
    const bool opened = ReadOnlyFile::Open(path, &code) != nullptr;
    EXPECT_FALSE(opened) << path;
    EXPECT_FALSE(OpenDatabase(path));
    EXPECT_EQ(LastErrorCode(), code) << path;
    return code;
  }
  static UniqueFile Hold(const std::string& path, DWORD share) {
    return UniqueFile(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  }
};

TEST_F(FileAccessTest, OpenFailuresKeepTheirCause) {
  EXPECT_EQ(OpenCode(dir_.File("missing.edb")), -3);
  EXPECT_EQ(OpenCode(dir_.File("no folder\\missing.edb")), -4);
  // A directory cannot be opened as a file.
  ASSERT_TRUE(CreateDirectoryA(dir_.File("folder.edb").c_str(), nullptr));
  EXPECT_EQ(OpenCode(dir_.File("folder.edb")), -6);
}

TEST_F(FileAccessTest, APathThatIsNoDiskFileIsABadPath) {
  // Reads from these could block the viewer's thread; they are refused before any read.
  std::int32_t code = code::kOk;
  EXPECT_EQ(ReadOnlyFile::Open("NUL", &code), nullptr);
  EXPECT_EQ(code, -4);
  // A named pipe with two waiting instances, for the file access and the engine.
  const std::string pipe = "\\\\.\\pipe\\raz-edb-" + std::to_string(GetCurrentProcessId()) + ".edb";
  UniqueFile instances[2];
  for (UniqueFile& instance : instances) {
    instance.reset(CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 2, 4096, 4096, 0,
                                    nullptr));
    ASSERT_TRUE(instance);
  }
  code = code::kOk;
  ASSERT_EQ(ReadOnlyFile::Open(pipe, &code), nullptr);
  EXPECT_EQ(code, -4);
  EXPECT_FALSE(OpenDatabase(pipe));
  EXPECT_EQ(LastErrorCode(), -4);
}

TEST_F(FileAccessTest, AFileHeldExclusivelyIsASharingViolation) {
  const std::string path = Database("held.edb");
  UniqueFile held = Hold(path, 0);
  ASSERT_TRUE(held);
  EXPECT_EQ(OpenCode(path), -12);
  held.reset();
  EXPECT_TRUE(OpenDatabase(path));
}

TEST_F(FileAccessTest, AFileHeldForReadingAndWritingStillOpens) {
  const std::string path = Database("shared.edb");
  UniqueFile held = Hold(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(held);
  EXPECT_TRUE(OpenDatabase(path));
  EXPECT_EQ(RecordCount(), 1);
}

// Wine keeps byte-range locks between LockFile calls but does not apply them
// to reads, where Windows fails the read with ERROR_LOCK_VIOLATION.
bool RunningUnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

TEST_F(FileAccessTest, AReadOfALockedRegionIsALockViolation) {
  const std::string path = Database("locked.edb");
  UniqueFile held = Hold(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(held);
  ASSERT_TRUE(LockFile(held.get(), 0, 0, format::kHeaderSize, 0));

  std::int32_t code = code::kOk;
  auto file = ReadOnlyFile::Open(path, &code);
  ASSERT_TRUE(file);
  char header[format::kHeaderSize];
  const std::size_t got = file->ReadAt(0, header, sizeof header, &code);
  if (RunningUnderWine()) {
    EXPECT_EQ(got, sizeof header);
    EXPECT_EQ(code, code::kOk);
    EXPECT_TRUE(OpenDatabase(path));
    return;
  }
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(code, code::kLockViolation);
  // The engine's open reads the header first and reports the same cause.
  EXPECT_FALSE(OpenDatabase(path));
  EXPECT_EQ(LastErrorCode(), code::kLockViolation);
  ASSERT_TRUE(UnlockFile(held.get(), 0, 0, format::kHeaderSize, 0));
  EXPECT_TRUE(OpenDatabase(path));
}

TEST_F(FileAccessTest, ReadsStopAtTheEndWithoutAnError) {
  const std::string path = dir_.File("short.bin");
  ASSERT_TRUE(testing::WriteFileBytes(path, "abcdef"));
  std::int32_t code = code::kOk;
  auto file = ReadOnlyFile::Open(path, &code);
  ASSERT_TRUE(file);
  char buffer[16] = {};
  EXPECT_EQ(file->ReadAt(4, buffer, sizeof buffer, &code), 2u);
  EXPECT_EQ(std::string(buffer, 2), "ef");
  EXPECT_EQ(file->ReadAt(100, buffer, sizeof buffer, &code), 0u);
  EXPECT_EQ(code, code::kOk);
  std::uint64_t size = 0;
  ASSERT_TRUE(file->Size(&size, &code));
  EXPECT_EQ(size, 6u);
  // The size is read afresh: a file that grows is seen grown.
  ASSERT_TRUE(testing::WriteFileBytes(path, "abcdefgh"));
  ASSERT_TRUE(file->Size(&size, &code));
  EXPECT_EQ(size, 8u);
}

// Records of 1 MiB: the record at kFarRecord starts past 2 GiB. The file is
// made sparse where the file system allows, so only its ends take space.
constexpr std::uint32_t kRecordSize = 1u << 20;
constexpr std::int32_t kFarRecord = 2100;

TEST_F(FileAccessTest, ReadsARecordBeyondTwoGibibytes) {
  const std::string path = dir_.File("far.edb");
  {
    EdbWriter writer(path, {{"数量", FieldKind::kInt32}, {"名称", FieldKind::kText, kRecordSize - 4}});
    writer.AddRecord({IntValue(1), BytesValue("近")});
    ASSERT_TRUE(writer.Finish());
  }
  const std::uint64_t data_at = format::kHeaderSize + 2 * format::kDescriptorSize;
  const std::uint64_t far_at = data_at + std::uint64_t(kFarRecord) * kRecordSize;
  ASSERT_GT(far_at, std::uint64_t(1) << 31);
  {
    UniqueFile file = Hold(path, 0);
    ASSERT_TRUE(file);
    DWORD returned = 0;
    DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    unsigned char count[4];
    format::StoreU32(count, kFarRecord + 1);
    unsigned char record[8] = {};
    format::StoreU32(record, 0x5EC0DE);
    std::memcpy(record + 4, "远", 2);
    LARGE_INTEGER at = {};
    DWORD written = 0;
    at.QuadPart = format::kRecordCountAt;
    ASSERT_TRUE(SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN));
    ASSERT_TRUE(WriteFile(file.get(), count, sizeof count, &written, nullptr));
    at.QuadPart = static_cast<LONGLONG>(far_at);
    ASSERT_TRUE(SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN));
    ASSERT_TRUE(WriteFile(file.get(), record, sizeof record, &written, nullptr));
    at.QuadPart = static_cast<LONGLONG>(far_at + kRecordSize);
    ASSERT_TRUE(SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file.get()));
  }

  ASSERT_TRUE(OpenDatabase(path)) << LastErrorCode();
  EXPECT_EQ(RecordCount(), kFarRecord + 1);
  GoToFirstRecord();
  EXPECT_EQ(ReadField(1).integer, 1);
  ASSERT_TRUE(SkipRecords(kFarRecord));
  EXPECT_EQ(ReadField(1).integer, 0x5EC0DE);
  EXPECT_EQ(ReadField(2).bytes, "远");
  EXPECT_EQ(LastErrorCode(), code::kOk);
}

}  // namespace
}  // namespace raz::edb
