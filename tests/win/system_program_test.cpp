// The whole system as a user meets it: a repair installs the icons and both
// companions and registers the types; the registered commands, run as the
// shell runs them, start the installed viewer and copier; a second repair
// leaves every installed file alone. Once in a plain folder and once under a
// path with a blank.
#include <windows.h>

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "libcopier/replace_layout.h"
#include "libcopier_paths.h"
#include "registry/registry_win32.h"
#include "repair/main_window_layout.h"
#include "repair_paths_generated.h"
#include "tests/shared/edb_writer.h"
#include "viewer/win32/menu_ids.h"
#include "viewer_paths.h"
#include "win/driver/driver.h"
#include "win/driver/registry_dump.h"
#include "win/driver/scratch.h"
#include "win/repair_fixtures.h"

namespace raz {
namespace {

using test::Program;

// The committed payload folder as Wine sees it.
std::string PayloadFile(const std::string& relative) {
  std::string dir = RAZ_PAYLOAD_DIR;
  std::replace(dir.begin(), dir.end(), '/', '\\');
  if (dir.size() > 1 && dir[1] != ':') dir = "Z:" + dir;
  return dir + "\\" + relative;
}

std::string ReplacePercentOne(std::string command, const std::string& path) {
  const std::size_t at = command.find("%1");
  if (at != std::string::npos) command.replace(at, 2, path);
  return command;
}

FILETIME LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

class SystemProgram : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    test::RemoveFileTypeKeys();
    if (GetParam()) {
      env_ = "C:\\Program Files\\raz " + std::to_string(GetCurrentProcessId()) + "\\";
      CreateDirectoryA(env_.c_str(), nullptr);
    } else {
      env_ = plain_.path();
    }
    for (const char* folder : {"lib", "static_lib"}) CreateDirectoryA((env_ + folder).c_str(), nullptr);
    ASSERT_TRUE(edb::testing::WriteFileBytes(env_ + "e.exe", "MZ"));
  }
  void TearDown() override {
    test::RemoveFileTypeKeys();
    if (GetParam()) test::RemoveTree(env_);
  }

  // Runs one repair with every option on through Ravelmend's window.
  void RepairWithEveryOption() {
    Program ravelmend(RAZ_RAVELMEND_EXE, "");
    const HWND main = ravelmend.WaitForWindow("RavelmendMain", "Ravelmend V1.30");
    ASSERT_TRUE(main);
    test::SetText(test::ChildById(main, kIdPathEdit), env_ + "e.exe");
    for (RepairOption option : {RepairOption::FneCopy, RepairOption::LibCopy}) {
      test::SetChecked(test::ChildById(main, OptionControlId(option)), true);
    }
    test::Click(test::ChildById(main, kIdRepair));
    test::AnswerBox(ravelmend.pid(), "提示", "文件关联 修复成功");
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ravelmend.WaitForExit());
  }

  std::string Registered(const std::string& item) {
    return registry_.ReadRegistryText(RegistryRoot::ClassesRoot, item);
  }

  test::ScratchDir plain_{"razsystem"};
  test::ScratchDir elsewhere_{"razsource"};
  Win32Registry registry_;
  std::string env_;
};

TEST_P(SystemProgram, RepairInstallsAndTheRegisteredCommandsWork) {
  RepairWithEveryOption();

  // 1. The carried files, byte for byte, and the registry entries naming them.
  for (const char* icon : {"ec.ico", "edb.ico", "fne.ico", "lib.ico"}) {
    EXPECT_EQ(test::ReadFileBytes(env_ + "help\\" + icon), test::ReadFileBytes(PayloadFile(std::string("icons\\") + icon)))
        << icon;
  }
  EXPECT_EQ(test::ReadFileBytes(env_ + "tools\\Tallyscope.exe"), test::ReadFileBytes(RAZ_TALLYSCOPE_EXE));
  EXPECT_EQ(test::ReadFileBytes(env_ + "tools\\Ferrydrop.exe"), test::ReadFileBytes(RAZ_FERRYDROP_EXE));
  EXPECT_GT(test::ReadFileBytes(env_ + "tools\\Tallyscope.exe").size(), 100000u);
  EXPECT_EQ(Registered("EDB.Document\\DefaultIcon\\"), env_ + "help\\edb.ico");
  EXPECT_EQ(Registered("LIB.Document\\DefaultIcon\\"), env_ + "help\\lib.ico");
  EXPECT_EQ(registry_.ReadRegistryText(RegistryRoot::CurrentUser, "Software\\VidOvu\\E\\Install\\Path"),
            env_ + "lib\\");

  // 2. The .edb open command starts the installed viewer on the database.
  const std::string database = env_ + "sample db.edb";
  {
    edb::testing::EdbWriter writer(database, {{"名称", edb::FieldKind::kText, 8}});
    for (int i = 0; i < 3; ++i) writer.AddRecord({edb::testing::BytesValue("r" + std::to_string(i))});
    ASSERT_TRUE(writer.Finish());
  }
  const std::string open = Registered("EDB.Document\\Shell\\Open\\Command\\");
  ASSERT_EQ(open, "\"" + env_ + "tools\\Tallyscope.exe\" \"%1\"");
  {
    Program viewer = Program::FromCommandLine(ReplacePercentOne(open, database));
    const HWND main = viewer.WaitForWindow("TallyscopeMain", nullptr);
    ASSERT_TRUE(main);
    HWND status = test::ChildById(main, viewer::kStatusBarId);
    EXPECT_TRUE(test::WaitUntil([&] { return test::TextOf(status) == "共有记录：3"; }));
    EXPECT_EQ(test::TextOf(main), "Tallyscope - " + database);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(viewer.WaitForExit());
  }

  // 3. The copy verb of .fne and .lib starts the installed copier, which copies
  // into lib\ and static_lib\; a second time it asks in its replace window.
  struct Verb {
    const char* prog_id;
    const char* file;
    const char* folder;
  };
  for (const Verb& verb : {Verb{"FNE.Document", "spec lib.fne", "lib\\"}, Verb{"LIB.Document", "static.lib", "static_lib\\"}}) {
    const std::string source = elsewhere_ / verb.file;
    ASSERT_TRUE(elsewhere_.WriteFile(verb.file, std::string("library ") + verb.file));
    const std::string copy = Registered(std::string(verb.prog_id) + "\\Shell\\复制到raz目录\\Command\\");
    ASSERT_EQ(copy, "\"" + env_ + "tools\\Ferrydrop.exe\" \"%1\"");
    {
      Program copier = Program::FromCommandLine(ReplacePercentOne(copy, source));
      ASSERT_TRUE(copier.WaitForExit());
      EXPECT_EQ(copier.ExitCode(), 0u);
    }
    EXPECT_EQ(test::ReadFileBytes(env_ + verb.folder + verb.file), std::string("library ") + verb.file);
    {
      Program copier = Program::FromCommandLine(ReplacePercentOne(copy, source));
      const HWND window = copier.WaitForWindow("OrrinWindow", "复制文件");
      ASSERT_TRUE(window) << verb.file;
      test::Click(test::ChildById(window, kSkipButtonId));
      ASSERT_TRUE(copier.WaitForExit());
      EXPECT_EQ(copier.ExitCode(), 0u);
    }
  }

  // 4. A second repair leaves every installed file as it was.
  const char* const installed[] = {"help\\ec.ico",  "help\\edb.ico",        "help\\fne.ico",
                                   "help\\lib.ico", "tools\\Tallyscope.exe", "tools\\Ferrydrop.exe"};
  ASSERT_TRUE(edb::testing::WriteFileBytes(env_ + "help\\ec.ico", "changed by the user"));
  FILETIME before[6];
  for (int i = 0; i < 6; ++i) before[i] = LastWrite(env_ + installed[i]);
  Sleep(50);
  RepairWithEveryOption();
  for (int i = 0; i < 6; ++i) {
    const FILETIME after = LastWrite(env_ + installed[i]);
    EXPECT_EQ(CompareFileTime(&before[i], &after), 0) << installed[i];
  }
  EXPECT_EQ(test::ReadFileBytes(env_ + "help\\ec.ico"), "changed by the user");
}

INSTANTIATE_TEST_SUITE_P(Environments, SystemProgram, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("UnderAPathWithABlank") : std::string("InAPlainFolder");
                         });

}  // namespace
}  // namespace raz
