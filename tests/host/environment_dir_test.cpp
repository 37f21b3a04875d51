// The environment directory that Ravelmend and Ferrydrop both derive from the
// install value.
#include "common/environment_dir.h"

#include <gtest/gtest.h>

namespace raz {
namespace {

TEST(EnvironmentDirFromInstallValue, DropsTheLibFolderWhateverItsBytes) {
  EXPECT_EQ(EnvironmentDirFromInstallValue("C:\\E\\lib\\"), "C:\\E\\");
  EXPECT_EQ(EnvironmentDirFromInstallValue("C:\\E\\lib"), "C:\\E\\");
  EXPECT_EQ(EnvironmentDirFromInstallValue("C:\\E\\LIB\\"), "C:\\E\\");
  // The dropped bytes are not compared with anything.
  EXPECT_EQ(EnvironmentDirFromInstallValue("C:\\E\\bin\\"), "C:\\E\\");
  EXPECT_EQ(EnvironmentDirFromInstallValue("%RAZ%\\lib\\"), "%RAZ%\\");
  EXPECT_EQ(EnvironmentDirFromInstallValue(""), "");
  EXPECT_EQ(EnvironmentDirFromInstallValue("lib\\"), "");
  EXPECT_EQ(EnvironmentDirFromInstallValue("lib"), "");
  EXPECT_EQ(EnvironmentDirFromInstallValue("xlib"), "x");
}

}  // namespace
}  // namespace raz
