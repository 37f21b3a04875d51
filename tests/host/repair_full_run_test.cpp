// Whole-registration runs: every option on over an empty registry, every
// option off over the result, and the required writes of the first phase.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "repair/register_e_types.h"
#include "repair/register_libraries.h"
#include "shared/repair_expected_tree.h"
#include "shared/repair_fakes.h"

namespace raz {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::UnorderedElementsAreArray;

constexpr auto kClasses = RegistryRoot::ClassesRoot;

void RepairAll(RepairRig& rig, bool expected_outcome = true) {
  EXPECT_EQ(RegisterEFileTypes(rig.context(), kFullRepairEExePath), expected_outcome);
  RegisterFneType(rig.context(), kFullRepairEnvironmentDirectory);
  RegisterLibType(rig.context(), kFullRepairEnvironmentDirectory);
}

TEST(RepairFullRun, EveryOptionOnFillsAnEmptyRegistry) {
  RepairRig rig;
  RepairAll(rig);
  EXPECT_THAT(rig.memory.Dump(kClasses), UnorderedElementsAreArray(ExpectedClassesRootAfterFullRepair()));
  EXPECT_EQ(rig.registry.listings, 0);  // the default ProgIDs need no look-up of other extensions
  EXPECT_THAT(rig.memory.Dump(RegistryRoot::CurrentUser, "Software\\VidOvu\\E\\Install"),
              ElementsAreArray(ExpectedCurrentUserAfterFullRepair()));
  // Folders first, then each carried file once, in the order of the steps.
  using F = FakeRepairFiles;
  EXPECT_THAT(rig.files.log,
              ElementsAre("mkdir C:\\raz\\help", "mkdir C:\\raz\\tools",
                          F::Install(CarriedFile::EcIcon, "C:\\raz\\help\\ec.ico"),
                          F::Install(CarriedFile::EdbIcon, "C:\\raz\\help\\edb.ico"),
                          F::Install(CarriedFile::Tallyscope, "C:\\raz\\tools\\Tallyscope.exe"),
                          F::Install(CarriedFile::FneIcon, "C:\\raz\\help\\fne.ico"),
                          F::Install(CarriedFile::Ferrydrop, "C:\\raz\\tools\\Ferrydrop.exe"),
                          F::Install(CarriedFile::LibIcon, "C:\\raz\\help\\lib.ico")));
}

// An extension that points at a class not its own (another extension's class,
// a key inside one, a shell key, another type's default) is pointed back at its
// default ProgID, with every option on or off, and what it pointed at is left
// as it was.
TEST(RepairFullRun, PlantedProgIdsGiveWayToTheDefaults) {
  const std::pair<const char*, const char*> types[] = {
      {".ec", "EC.Document"}, {".edb", "EDB.Document"}, {".fne", "FNE.Document"}, {".lib", "LIB.Document"}};
  for (const auto& [extension, default_prog_id] : types) {
    for (const char* planted : {"exefile", "EXEFILE", "txtfile", "exefile\\shell", "Folder", "*", ".exe", "E8.Document"}) {
      for (bool on : {true, false}) {
        SCOPED_TRACE(std::string(extension) + " -> " + planted + (on ? ", options on" : ", options off"));
        RepairRig rig;
        rig.Plant(".exe", "exefile");
        rig.Plant("exefile\\shell\\open\\command", "\"%1\" %*");
        rig.Plant(".txt", "txtfile");
        std::vector<std::string> expected = rig.memory.Dump(kClasses);
        const std::vector<std::string> shell_class = rig.memory.Dump(kClasses, "exefile");
        rig.Plant(extension, planted);
        rig.options = FakeOptions(on);
        RepairAll(rig);
        EXPECT_EQ(rig.memory.ReadRegistryText(kClasses, std::string(extension) + "\\"), default_prog_id);
        EXPECT_EQ(rig.memory.Dump(kClasses, "exefile"), shell_class);
        if (!on) continue;
        const std::vector<std::string> repaired = ExpectedClassesRootAfterFullRepair();
        expected.insert(expected.end(), repaired.begin(), repaired.end());
        EXPECT_THAT(rig.memory.Dump(kClasses), UnorderedElementsAreArray(expected));
      }
    }
  }
}

TEST(RepairFullRun, EveryOptionOffRemovesWhatTheOptionsGovern) {
  RepairRig rig;
  RepairAll(rig);
  rig.registry.log.clear();
  rig.files.log.clear();
  rig.options = FakeOptions(false);
  EXPECT_TRUE(RegisterEFileTypes(rig.context(), kFullRepairEExePath));

  const std::vector<std::string> e_types_ops = {
      "W U Software\\VidOvu\\E\\Install\\Path=C:\\raz\\lib\\",
      "W C .e\\=E.Document",
      "D C .e\\ShellNew\\NullFile",
      "W C E.Document\\=易程序",
      "D C E.Document\\DefaultIcon\\",
      "D C E.Document\\Shell\\Open\\Command\\",
      "D C E.Document\\Shell\\",
      "W C .e8\\=E8.Document",
      "D C .e8\\ShellNew\\NullFile",
      "W C E8.Document\\=易程序配置信息",
      "D C E8.Document\\DefaultIcon\\",
      "D C E8.Document\\Shell\\Open\\Command\\",
      "D C E8.Document\\Shell\\",
      "D C E8.Document\\Shell\\用raz打开\\Command\\",
      "D C E8.Document\\Shell\\用raz打开\\Command",
      "D C E8.Document\\Shell\\用raz打开\\",
      "D C E8.Document\\Shell\\用raz打开",
      "D C E8.Document\\Shell\\用记事本打开\\Command\\",
      "D C E8.Document\\Shell\\用记事本打开\\Command",
      "D C E8.Document\\Shell\\用记事本打开\\",
      "D C E8.Document\\Shell\\用记事本打开",
      "D C EC.Document\\DefaultIcon\\",
      "D C EC.Document\\",
      "D C EDB.Document\\DefaultIcon\\",
      "D C EDB.Document\\Shell\\Open\\Command\\",
      "D C EDB.Document\\Shell\\Open\\Command",
      "D C EDB.Document\\Shell\\",
      "D C EDB.Document\\Shell",
  };
  EXPECT_THAT(rig.registry.log, ElementsAreArray(e_types_ops));

  RegisterFneType(rig.context(), kFullRepairEnvironmentDirectory);
  RegisterLibType(rig.context(), kFullRepairEnvironmentDirectory);
  EXPECT_THAT(rig.files.log, ElementsAre("mkdir C:\\raz\\help", "mkdir C:\\raz\\tools"));
  // Values go; a key goes only where a chain names it and nothing lies below.
  // The extensions and the .edb description stay.
  EXPECT_THAT(rig.memory.Dump(kClasses), UnorderedElementsAreArray({
                                             ".e||1|E.Document",
                                             ".e\\ShellNew|",
                                             "E.Document||1|易程序",
                                             "E.Document\\DefaultIcon|",
                                             "E.Document\\Shell|",
                                             "E.Document\\Shell\\Open|",
                                             "E.Document\\Shell\\Open\\Command|",
                                             ".e8||1|E8.Document",
                                             ".e8\\ShellNew|",
                                             "E8.Document||1|易程序配置信息",
                                             "E8.Document\\DefaultIcon|",
                                             "E8.Document\\Shell|",
                                             "E8.Document\\Shell\\Open|",
                                             "E8.Document\\Shell\\Open\\Command|",
                                             ".ec||1|EC.Document",
                                             "EC.Document|",
                                             "EC.Document\\DefaultIcon|",
                                             ".edb||1|EDB.Document",
                                             "EDB.Document||1|raz数据库",
                                             "EDB.Document\\DefaultIcon|",
                                             "EDB.Document\\Shell|",
                                             "EDB.Document\\Shell\\Open|",
                                             ".fne||1|FNE.Document",
                                             "FNE.Document|",
                                             "FNE.Document\\DefaultIcon|",
                                             "FNE.Document\\Shell|",
                                             ".lib||1|LIB.Document",
                                             "LIB.Document|",
                                             "LIB.Document\\DefaultIcon|",
                                             "LIB.Document\\Shell|",
                                         }));
}

TEST(RepairFullRun, EveryOptionOffOnAnEmptyRegistryWritesOnlyTheAlwaysRows) {
  RepairRig rig;
  rig.options = FakeOptions(false);
  EXPECT_TRUE(RegisterEFileTypes(rig.context(), kFullRepairEExePath));
  EXPECT_THAT(rig.memory.Dump(kClasses),
              UnorderedElementsAreArray({".e||1|E.Document", "E.Document||1|易程序", ".e8||1|E8.Document",
                                         "E8.Document||1|易程序配置信息"}));
}

TEST(RepairFullRun, CheckedButDisabledBoxesCountForTheEnvironmentTypes) {
  RepairRig enabled;
  RepairRig disabled;
  for (RepairOption o : {RepairOption::EIcon, RepairOption::EOpen, RepairOption::E8Icon, RepairOption::EcIcon,
                         RepairOption::EdbIcon, RepairOption::EdbOpen}) {
    disabled.options.Set(o, true, false);
  }
  EXPECT_TRUE(RegisterEFileTypes(enabled.context(), kFullRepairEExePath));
  EXPECT_TRUE(RegisterEFileTypes(disabled.context(), kFullRepairEExePath));
  EXPECT_EQ(disabled.memory.Dump(kClasses), enabled.memory.Dump(kClasses));
}

class RequiredWrite : public ::testing::TestWithParam<int> {};

TEST_P(RequiredWrite, FailureEndsTheFirstPhaseAtOnce) {
  RepairRig rig;
  rig.registry.FailClassesRootWrite(GetParam());
  EXPECT_FALSE(RegisterEFileTypes(rig.context(), kFullRepairEExePath));
  EXPECT_EQ(rig.registry.classes_root_writes(), GetParam());
  EXPECT_EQ(rig.registry.log.back().rfind("W C ", 0), 0u) << "something ran after the failed write";
}

INSTANTIATE_TEST_SUITE_P(EachOfThe22, RequiredWrite, ::testing::Range(1, 23));

TEST(RepairFullRun, AllTwentyTwoWritesSucceedingGivesTrue) {
  RepairRig rig;
  rig.registry.FailClassesRootWrite(23);
  EXPECT_TRUE(RegisterEFileTypes(rig.context(), kFullRepairEExePath));
  EXPECT_EQ(rig.registry.classes_root_writes(), 22);
}

TEST(RepairFullRun, RefusedFirstWriteLeavesFoldersAndInstallValueOnly) {
  RepairRig rig;
  rig.memory.SetValue(kClasses, ".ec", "", RegType::Sz, std::string("Old\0", 4));
  const auto before = rig.memory.Dump(kClasses);
  rig.registry.FailClassesRootWrite(1);
  EXPECT_FALSE(RegisterEFileTypes(rig.context(), kFullRepairEExePath));
  EXPECT_THAT(rig.files.log, ElementsAre("mkdir C:\\raz\\help", "mkdir C:\\raz\\tools"));
  EXPECT_THAT(rig.registry.log, ElementsAre("W U Software\\VidOvu\\E\\Install\\Path=C:\\raz\\lib\\",
                                            "W C .e\\=E.Document"));
  EXPECT_EQ(rig.memory.Dump(kClasses), before);

  // The same with every write refused, the install value included.
  RepairRig locked;
  locked.memory.SetReadOnly(true);
  EXPECT_FALSE(RegisterEFileTypes(locked.context(), kFullRepairEExePath));
  EXPECT_THAT(locked.files.log, ElementsAre("mkdir C:\\raz\\help", "mkdir C:\\raz\\tools"));
  EXPECT_EQ(locked.registry.classes_root_writes(), 1);
}

}  // namespace
}  // namespace raz
