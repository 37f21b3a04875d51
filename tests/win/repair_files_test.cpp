// The repair's files on the real file system: the e.exe path must name an
// existing file, and is taken by its full path; a carried file is still held
// back by anything of its name.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "repair/repair_files_win32.h"
#include "win/driver/scratch.h"

namespace raz {
namespace {

class Win32RepairFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.WriteFile("e.exe", "MZ"));
    ASSERT_TRUE(dir.MakeDir("folder\\e.exe"));
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    saved_directory_ = saved;
  }
  void TearDown() override { SetCurrentDirectoryA(saved_directory_.c_str()); }

  // The full path found, or what the check made of the name.
  std::string Check(const std::string& name) {
    const ProgramFileCheck check = files.ProgramFile(name);
    const char* const outcomes[] = {"<missing>", "", "<too long>"};
    return check.path + outcomes[static_cast<int>(check.outcome)];
  }

  test::ScratchDir dir{"razfiles"};
  Win32RepairFiles files;
  std::string saved_directory_;
};

TEST_F(Win32RepairFilesTest, TakesAnExistingFileByItsFullPath) {
  EXPECT_EQ(Check(dir / "e.exe"), dir / "e.exe");
  EXPECT_EQ(Check(dir / "folder\\..\\e.exe"), dir / "e.exe");
  ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
  EXPECT_EQ(Check("e.exe"), dir / "e.exe");
  EXPECT_EQ(Check(".\\folder\\..\\e.exe"), dir / "e.exe");
}

TEST_F(Win32RepairFilesTest, RefusesFoldersPatternsAndMissingNames) {
  std::string folder = dir.path();
  folder.pop_back();
  ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
  for (const std::string& name : {folder, dir.path(), dir / "folder\\e.exe", dir / "folder\\e.exe\\", dir / "*.exe",
                                  dir / "e.ex?", dir / "?.exe", std::string("*"), dir / "missing.exe",
                                  dir / "e.exe\t", std::string("folder"), std::string()}) {
    EXPECT_EQ(Check(name), "<missing>") << name;
  }
  // Longer than the file functions take, whether or not it exists (the tools
  // folder beside e.exe must fit as well).
  for (const std::string& name : {dir / (std::string(240, 'd') + "\\e.exe"), dir / std::string(300, 'e'),
                                  std::string(300, 'e')}) {
    EXPECT_EQ(Check(name), "<too long>") << name;
  }
  // A carried file is still held back by a folder of its name.
  EXPECT_TRUE(files.Exists(dir / "folder\\e.exe"));
}

TEST_F(Win32RepairFilesTest, KeepsTheCharactersOfAChineseFolder) {
  ASSERT_TRUE(dir.MakeDir("中文路径"));
  ASSERT_TRUE(dir.WriteFile("中文路径\\e.exe", "MZ"));
  EXPECT_EQ(Check(dir / "中文路径\\e.exe"), dir / "中文路径\\e.exe");
  ASSERT_TRUE(SetCurrentDirectoryA((dir / "中文路径").c_str()));
  EXPECT_EQ(Check("e.exe"), dir / "中文路径\\e.exe");
}

}  // namespace
}  // namespace raz
