#include "shellcache/cache_bases.h"

#include "common/gbk_text.h"

namespace raz {

const std::array<const char*, 8> kIconCacheNames = {
    "Local\\IconCache.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_32.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_96.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_102.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_256.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_1024.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_idx.db",
    "Local\\Microsoft\\Windows\\Explorer\\thumbcache_sr.db",
};

namespace {
std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}
}  // namespace

std::vector<std::string> IconCacheBases(const std::string& app_data, const std::string& user_profile) {
  std::vector<std::string> bases;
  const std::string app_base = app_data.empty() ? std::string() : WithBackslash(app_data);
  if (!app_base.empty()) bases.push_back(app_base);
  if (!user_profile.empty()) {
    const std::string profile_base = WithBackslash(user_profile) + "AppData\\";
    if (!EqualsAsciiNoCase(profile_base, app_base)) bases.push_back(profile_base);
  }
  return bases;
}

}  // namespace raz
