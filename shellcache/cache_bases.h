// Which folders the icon-cache refresh sweeps, and the cache files under each.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace raz {

// Explorer's icon and thumbnail caches, relative to a base, in sweep order.
extern const std::array<const char*, 8> kIconCacheNames;

// The bases to sweep, in order: the application-data folder (with a trailing
// backslash) when `app_data` is not empty, then "userprofile" + "AppData\" when
// `user_profile` is not empty and that base differs from the first in more than
// ASCII letter case.
std::vector<std::string> IconCacheBases(const std::string& app_data, const std::string& user_profile);

}  // namespace raz
