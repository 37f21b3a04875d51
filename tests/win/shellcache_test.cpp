// The icon-cache refresh against real files: it sweeps both bases, deletes
// read-only and hidden cache files, and always broadcasts the setting change.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win32/file_exists.h"
#include "shellcache/cache_bases.h"
#include "shellcache/icon_cache.h"

namespace raz {
namespace {

std::string TempDir(const char* name) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string dir = std::string(base) + name + std::to_string(GetCurrentProcessId()) + "\\";
  SHCreateDirectoryExA(nullptr, dir.c_str(), nullptr);
  return dir;
}

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

// Records WM_SETTINGCHANGE sent to a top-level window of this thread.
int g_setting_changes = 0;
LRESULT CALLBACK RecordingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_SETTINGCHANGE) ++g_setting_changes;
  return DefWindowProcA(w, m, wp, lp);
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
  const std::string profile = TempDir("razprofile");
  SetEnvironmentVariableA("userprofile", profile.substr(0, profile.size() - 1).c_str());  // no trailing backslash
  const std::string app = AppDataBase();
  const std::string prof = profile + "AppData\\";
  for (const char* name : kIconCacheNames) {
    MakeFile(app + name, FILE_ATTRIBUTE_READONLY);
    MakeFile(prof + name, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  }
  MakeFile(prof + "Local\\keep.db");  // not a cache file

  RefreshIconCache();

  for (const char* name : kIconCacheNames) {
    EXPECT_FALSE(FileExists(app + name)) << app + name;
    EXPECT_FALSE(FileExists(prof + name)) << prof + name;
  }
  EXPECT_TRUE(FileExists(prof + "Local\\keep.db"));
}

TEST_F(RefreshIconCacheTest, BroadcastsEvenWhenNothingExists) {
  SetEnvironmentVariableA("userprofile", nullptr);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = RecordingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "RazSettingChangeProbe";
  RegisterClassA(&wc);
  HWND probe = CreateWindowA(wc.lpszClassName, "probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
  ASSERT_NE(probe, nullptr);
  g_setting_changes = 0;
  RefreshIconCache();
  // Other test programs running at the same time may broadcast too.
  EXPECT_GE(g_setting_changes, 1);
  DestroyWindow(probe);
}

TEST(ForceDeleteFile, ClearsAttributesAndReportsTheOutcome) {
  const std::string dir = TempDir("razforce");
  const std::string path = dir + "locked.db";
  MakeFile(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(ForceDeleteFile(path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(ForceDeleteFile(path));  // nothing left to delete
  EXPECT_FALSE(ForceDeleteFile(dir + "missing\\x.db"));
}

TEST(FileExists, FindsFilesDirectoriesAndMatchingPatterns) {
  const std::string dir = TempDir("razexists");
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
