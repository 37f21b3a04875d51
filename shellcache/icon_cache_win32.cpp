#include <windows.h>
#include <shlobj.h>

#include "common/win32/unique_handle.h"
#include "shellcache/cache_bases.h"
#include "shellcache/icon_cache.h"
#include "shellcache/shell_notices_win32.h"

namespace raz {

bool ForceDeleteFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), 0);
  return DeleteFileA(path.c_str()) != FALSE;
}

namespace {

std::string AppDataPath() {
  UniqueItemList items;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, items.put())) || !items) return {};
  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(items.get(), path)) return {};
  return path;
}

std::string UserProfile() {
  char value[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA("userprofile", value, MAX_PATH);
  // 0: not set or empty; >= MAX_PATH: did not fit, nothing was copied.
  if (n == 0 || n >= MAX_PATH) return {};
  return std::string(value, n);
}

}  // namespace

const ShellNotices& SystemShellNotices() {
  static const ShellNotices notices = {SHChangeNotify, SendMessageTimeoutA};
  return notices;
}

void RefreshIconCache(const ShellNotices& notices) {
  for (const std::string& base : IconCacheBases(AppDataPath(), UserProfile())) {
    for (const char* name : kIconCacheNames) ForceDeleteFile(base + name);
  }
  notices.change_notify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST | SHCNF_FLUSH, nullptr, nullptr);
  // SMTO_NORMAL: this thread goes on handling messages sent to it while it waits.
  DWORD_PTR result = 0;
  notices.send_message_timeout(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_NORMAL, 1000, &result);
}

void RefreshIconCache() { RefreshIconCache(SystemShellNotices()); }

}  // namespace raz
