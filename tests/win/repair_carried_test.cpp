// Writing a carried file: only where nothing exists, never truncating, and
// never leaving a half-written file behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "common/win32/file_exists.h"
#include "repair/win32/carried_files_win32.h"
#include "win/driver/scratch.h"

namespace raz {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(WriteNewFile, WritesTheWholeBlock) {
  const test::ScratchDir dir("razcarried");
  const std::string target = dir / "Tallyscope.exe";
  std::string bytes(3 << 20, '\0');  // larger than one write
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(WriteNewFile(target, bytes));
  EXPECT_EQ(ReadAll(target), bytes);
}

TEST(WriteNewFile, NeverTouchesAFileThatExists) {
  const test::ScratchDir dir("razcarried");
  const std::string target = dir / "ec.ico";
  { std::ofstream(target, std::ios::binary) << "older"; }
  EXPECT_FALSE(WriteNewFile(target, "newer bytes"));
  EXPECT_EQ(ReadAll(target), "older");
}

TEST(WriteNewFile, FailsQuietlyWhereNoFolderIs) {
  const test::ScratchDir dir("razcarried");
  EXPECT_FALSE(WriteNewFile(dir / "missing\\lib.ico", "x"));
}

TEST(WriteNewFile, RemovesAFileWhoseWriteFailedPartWay) {
  const test::ScratchDir dir("razcarried");
  const std::string target = dir / "Ferrydrop.exe";
  int calls = 0;
  // The first chunk is written, the second fails (as on a full disk).
  auto failing = [&](HANDLE h, const void* data, DWORD size, DWORD* written) -> BOOL {
    if (++calls > 1) {
      *written = 0;
      SetLastError(ERROR_DISK_FULL);
      return FALSE;
    }
    return WriteFile(h, data, size, written, nullptr);
  };
  EXPECT_FALSE(WriteNewFile(target, std::string(3 << 20, 'x'), failing));
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(FileExists(target));
}

}  // namespace
}  // namespace raz
