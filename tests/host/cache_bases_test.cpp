#include "shellcache/cache_bases.h"

#include <gtest/gtest.h>

namespace raz {
namespace {

using Bases = std::vector<std::string>;

TEST(IconCacheBases, SweepsEachDistinctBaseOnce) {
  EXPECT_EQ(IconCacheBases("C:\\Users\\me\\AppData\\Roaming", "C:\\Users\\me"),
            (Bases{"C:\\Users\\me\\AppData\\Roaming\\", "C:\\Users\\me\\AppData\\"}));
  // The profile's AppData equals the application-data base in another case.
  EXPECT_EQ(IconCacheBases("C:\\USERS\\ME\\appdata\\", "c:\\users\\me"), (Bases{"C:\\USERS\\ME\\appdata\\"}));
  // A trailing backslash is not doubled.
  EXPECT_EQ(IconCacheBases("D:\\data\\", "D:\\p\\"), (Bases{"D:\\data\\", "D:\\p\\AppData\\"}));
}

TEST(IconCacheBases, MissingBasesShortenTheSweep) {
  EXPECT_EQ(IconCacheBases("C:\\ad", ""), (Bases{"C:\\ad\\"}));
  EXPECT_EQ(IconCacheBases("", "C:\\p"), (Bases{"C:\\p\\AppData\\"}));
  EXPECT_TRUE(IconCacheBases("", "").empty());
  // Case folding leaves two-byte characters alone: these differ.
  EXPECT_EQ(IconCacheBases("C:\\\x81\x41\\AppData\\", "C:\\\x81\x61").size(), 2u);
}

}  // namespace
}  // namespace raz
