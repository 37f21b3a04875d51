// The icon-cache refresh against real files: it sweeps both bases, deletes
// read-only and hidden cache files, and always announces the change, with the
// calls and flags the shell and the other windows expect.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/win32/file_exists.h"
#include "shellcache/icon_cache.h"
#include "shellcache/shell_notices_win32.h"
#include "win/driver/scratch.h"

namespace raz {
namespace {

using ::testing::ElementsAre;

// Explorer's cache files under a base, in the order they are swept.
const char* const kCacheFiles[] = {
    "Local\\IconCache.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_32.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_96.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_102.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_256.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_1024.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_idx.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_sr.db",
};

void MakeFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  const std::string folder = path.substr(0, path.rfind('\\'));
  SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(h, "x", 1, &written, nullptr);
  CloseHandle(h);
}

std::string AppDataBase() {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, path);
  std::string base = path;
  if (base.back() != '\\') base += '\\';
  return base;
}

// What the refresh announced through the seam, one line per call, in order.
std::vector<std::string> g_announced;

void WINAPI RecordChangeNotify(LONG event, UINT flags, LPCVOID item1, LPCVOID item2) {
  char line[128];
  std::snprintf(line, sizeof line, "notify event=%08lx flags=%04x items=%d,%d", static_cast<unsigned long>(event),
                flags, item1 != nullptr, item2 != nullptr);
  g_announced.push_back(line);
}

LRESULT WINAPI RecordBroadcast(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT flags, UINT timeout,
                               PDWORD_PTR result) {
  char line[160];
  std::snprintf(line, sizeof line, "send to=%llx message=%04x wparam=%llu lparam=%lld smto=%x timeout=%u",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)), message,
                static_cast<unsigned long long>(wparam), static_cast<long long>(lparam), flags, timeout);
  g_announced.push_back(line);
  if (result != nullptr) *result = 0;
  return 1;
}

class RefreshIconCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char saved[MAX_PATH] = {};
    had_profile_ = GetEnvironmentVariableA("userprofile", saved, MAX_PATH) > 0;
    saved_profile_ = saved;
  }
  void TearDown() override {
    SetEnvironmentVariableA("userprofile", had_profile_ ? saved_profile_.c_str() : nullptr);
  }
  bool had_profile_ = false;
  std::string saved_profile_;
};

TEST_F(RefreshIconCacheTest, DeletesEveryCacheFileUnderBothBases) {
  const test::ScratchDir profile_dir("razprofile");
  const std::string& profile = profile_dir.path();
  SetEnvironmentVariableA("userprofile", profile.substr(0, profile.size() - 1).c_str());  // no trailing backslash
  const std::string app = AppDataBase();
  const std::string prof = profile + "AppData\\";
  for (const char* name : kCacheFiles) {
    MakeFile(app + name, FILE_ATTRIBUTE_READONLY);
    MakeFile(prof + name, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  }
  MakeFile(prof + "Local\\keep.db");  // not a cache file

  RefreshIconCache();

  for (const char* name : kCacheFiles) {
    EXPECT_FALSE(FileExists(app + name)) << app + name;
    EXPECT_FALSE(FileExists(prof + name)) << prof + name;
  }
  EXPECT_TRUE(FileExists(prof + "Local\\keep.db"));
}

TEST_F(RefreshIconCacheTest, AnnouncesTheChangeEvenWhenNothingWasDeleted) {
  SetEnvironmentVariableA("userprofile", nullptr);
  for (const char* name : kCacheFiles) DeleteFileA((AppDataBase() + name).c_str());
  g_announced.clear();
  RefreshIconCache(ShellNotices{RecordChangeNotify, RecordBroadcast});
  // SHCNE_ASSOCCHANGED with SHCNF_IDLIST | SHCNF_FLUSH and no items, then
  // WM_SETTINGCHANGE to HWND_BROADCAST with SMTO_NORMAL and one second.
  EXPECT_THAT(g_announced, ElementsAre("notify event=08000000 flags=1000 items=0,0",
                                       "send to=ffff message=001a wparam=0 lparam=0 smto=0 timeout=1000"));
}

TEST(ForceDeleteFile, ClearsAttributesAndReportsTheOutcome) {
  const test::ScratchDir scratch("razforce");
  const std::string& dir = scratch.path();
  const std::string path = dir + "locked.db";
  MakeFile(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(ForceDeleteFile(path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(ForceDeleteFile(path));  // nothing left to delete
  EXPECT_FALSE(ForceDeleteFile(dir + "missing\\x.db"));
}

TEST(FileExists, FindsFilesDirectoriesAndMatchingPatterns) {
  const test::ScratchDir scratch("razexists");
  const std::string& dir = scratch.path();
  MakeFile(dir + "e.exe");
  EXPECT_TRUE(FileExists(dir + "e.exe"));
  EXPECT_TRUE(FileExists(dir.substr(0, dir.size() - 1)));  // the directory itself
  EXPECT_TRUE(FileExists(dir + "*.exe"));
  EXPECT_FALSE(FileExists(dir + "*.dll"));
  EXPECT_FALSE(FileExists(dir + "missing.exe"));
  EXPECT_FALSE(FileExists(""));
}

}  // namespace
}  // namespace raz
