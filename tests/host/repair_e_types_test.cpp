// Registration of .e, .e8, .ec and .edb: ProgID reuse, paths and carried files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "repair/register_e_types.h"
#include "repair/register_libraries.h"
#include "shared/repair_fakes.h"

namespace raz {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using ::testing::StartsWith;

constexpr auto kClasses = RegistryRoot::ClassesRoot;

class RegisterETypes : public ::testing::Test {
 protected:
  bool Run(const char* e_exe = "C:\\raz\\e.exe") { return RegisterEFileTypes(rig.context(), e_exe); }
  std::string Read(const std::string& path) { return rig.memory.ReadRegistryText(kClasses, path, "<none>"); }
  RepairRig rig;
};

TEST_F(RegisterETypes, ForeignModuleProgIdIsReusedAndClearedInPlace) {
  rig.Plant(".ec", "OtherModule");
  rig.Plant("OtherModule\\DefaultIcon", "C:\\other.ico");
  ASSERT_TRUE(Run());
  EXPECT_EQ(Read(".ec\\"), "OtherModule");
  EXPECT_EQ(Read("OtherModule\\"), "raz模块");
  EXPECT_EQ(Read("OtherModule\\DefaultIcon\\"), "C:\\raz\\help\\ec.ico");
  EXPECT_FALSE(rig.memory.KeyExists(kClasses, "EC.Document"));

  rig.options.Set(RepairOption::EcIcon, false);
  ASSERT_TRUE(Run());
  EXPECT_EQ(Read(".ec\\"), "OtherModule");
  EXPECT_EQ(Read("OtherModule\\"), "<none>");
  EXPECT_EQ(Read("OtherModule\\DefaultIcon\\"), "<none>");
}

TEST_F(RegisterETypes, DatabaseOnTheModuleProgIdMovesToItsOwn) {
  rig.Plant(".edb", "EC.Document");
  rig.Plant("EC.Document\\Shell\\Open\\Command", "module command");
  rig.options.Set(RepairOption::EcIcon, false).Set(RepairOption::EdbOpen, false);
  ASSERT_TRUE(Run());
  EXPECT_EQ(Read(".edb\\"), "EDB.Document");
  EXPECT_EQ(Read("EDB.Document\\DefaultIcon\\"), "C:\\raz\\help\\edb.ico");
  EXPECT_EQ(Read("EC.Document\\Shell\\Open\\Command\\"), "module command");
}

TEST(RegisterETypesDatabase, ForeignProgIdsAreReused) {
  for (const std::string prog_id : {"edbfile", "edb.document"}) {
    RepairRig rig;
    rig.Plant(".edb", prog_id);
    ASSERT_TRUE(RegisterEFileTypes(rig.context(), "C:\\raz\\e.exe"));
    auto read = [&](const std::string& path) { return rig.memory.ReadRegistryText(kClasses, path); };
    EXPECT_EQ(read(".edb\\"), prog_id);
    EXPECT_EQ(read(prog_id + "\\"), "raz数据库");
    EXPECT_EQ(read(prog_id + "\\DefaultIcon\\"), "C:\\raz\\help\\edb.ico");
    EXPECT_EQ(read(prog_id + "\\Shell\\Open\\Command\\"), "\"C:\\raz\\tools\\Tallyscope.exe\" \"%1\"");
  }
}

// An extension whose default value is the empty text has no ProgID: nothing may
// land on the root of HKEY_CLASSES_ROOT.
TEST_F(RegisterETypes, EmptyProgIdCountsAsNone) {
  rig.Plant(".ec", "");
  rig.Plant(".edb", "");
  rig.options.Set(RepairOption::EcIcon, false).Set(RepairOption::EdbIcon, false).Set(RepairOption::EdbOpen, false);
  ASSERT_TRUE(Run());
  for (const std::string& op : rig.registry.log) EXPECT_THAT(op, Not(StartsWith("D C \\"))) << op;

  rig.options = FakeOptions(true);
  ASSERT_TRUE(Run());
  EXPECT_EQ(Read(".ec\\"), "EC.Document");
  EXPECT_EQ(Read(".edb\\"), "EDB.Document");
  EXPECT_THAT(rig.memory.Dump(kClasses), Not(Contains(StartsWith("|"))));
}

TEST_F(RegisterETypes, BareExeNameAddressesTheCurrentDirectory) {
  ASSERT_TRUE(Run("e.exe"));
  EXPECT_THAT(rig.files.log, ElementsAre("mkdir help", "mkdir tools",
                                         FakeRepairFiles::Install(CarriedFile::EcIcon, "help\\ec.ico"),
                                         FakeRepairFiles::Install(CarriedFile::EdbIcon, "help\\edb.ico"),
                                         FakeRepairFiles::Install(CarriedFile::Tallyscope, "tools\\Tallyscope.exe")));
  EXPECT_EQ(rig.memory.ReadRegistryText(RegistryRoot::CurrentUser, "Software\\VidOvu\\E\\Install\\Path"), "lib\\");
  EXPECT_EQ(Read("E.Document\\DefaultIcon\\"), "e.exe,-127");
  EXPECT_EQ(Read("E.Document\\Shell\\Open\\Command\\"), "\"e.exe\" \"%1\"");
  EXPECT_EQ(Read("EC.Document\\DefaultIcon\\"), "help\\ec.ico");
}

TEST_F(RegisterETypes, CommandsQuoteProgramPathsWithBlanks) {
  ASSERT_TRUE(Run("C:\\Program Files\\raz\\e.exe"));
  RegisterFneType(rig.context(), "C:\\Program Files\\raz\\");
  EXPECT_EQ(Read("E.Document\\Shell\\Open\\Command\\"), "\"C:\\Program Files\\raz\\e.exe\" \"%1\"");
  EXPECT_EQ(Read("E8.Document\\Shell\\Open\\Command\\"), "\"C:\\Program Files\\raz\\e.exe\" \"%1\"");
  EXPECT_EQ(Read("E8.Document\\Shell\\用raz打开\\Command\\"), "\"C:\\Program Files\\raz\\e.exe\" \"%1\"");
  EXPECT_EQ(Read("E8.Document\\Shell\\用记事本打开\\Command\\"), "notepad.exe \"%1\"");
  EXPECT_EQ(Read("EDB.Document\\Shell\\Open\\Command\\"), "\"C:\\Program Files\\raz\\tools\\Tallyscope.exe\" \"%1\"");
  EXPECT_EQ(Read("FNE.Document\\Shell\\复制到raz目录\\Command\\"),
            "\"C:\\Program Files\\raz\\tools\\Ferrydrop.exe\" \"%1\"");
  // Icon locations are not commands and stay as they are.
  EXPECT_EQ(Read("E.Document\\DefaultIcon\\"), "C:\\Program Files\\raz\\e.exe,-127");
}

TEST_F(RegisterETypes, ExistingCarriedFilesAreNeverInstalledAgain) {
  rig.files.existing = {"C:\\raz\\help\\ec.ico", "C:\\raz\\help\\edb.ico", "C:\\raz\\tools\\Tallyscope.exe"};
  ASSERT_TRUE(Run());
  EXPECT_THAT(rig.files.log, ElementsAre("mkdir C:\\raz\\help", "mkdir C:\\raz\\tools"));
  EXPECT_EQ(Read("EC.Document\\DefaultIcon\\"), "C:\\raz\\help\\ec.ico");
  EXPECT_EQ(Read("EDB.Document\\Shell\\Open\\Command\\"), "\"C:\\raz\\tools\\Tallyscope.exe\" \"%1\"");
}

TEST_F(RegisterETypes, DatabaseFilesFollowEitherDatabaseBox) {
  rig.options.Set(RepairOption::EcIcon, false).Set(RepairOption::EdbOpen, false);
  ASSERT_TRUE(Run());
  EXPECT_THAT(rig.files.log, ElementsAre("mkdir C:\\raz\\help", "mkdir C:\\raz\\tools",
                                         FakeRepairFiles::Install(CarriedFile::EdbIcon, "C:\\raz\\help\\edb.ico"),
                                         FakeRepairFiles::Install(CarriedFile::Tallyscope,
                                                                  "C:\\raz\\tools\\Tallyscope.exe")));

  // Neither box: no files, and the extension and description are left alone.
  RepairRig off;
  off.options = FakeOptions(false);
  off.memory.SetValue(kClasses, ".edb", "", RegType::Sz, std::string("EDB.Document\0", 13));
  off.memory.SetValue(kClasses, "EDB.Document", "", RegType::Sz, std::string("old\0", 4));
  ASSERT_TRUE(RegisterEFileTypes(off.context(), "C:\\raz\\e.exe"));
  EXPECT_THAT(off.files.log, ElementsAre("mkdir C:\\raz\\help", "mkdir C:\\raz\\tools"));
  EXPECT_EQ(off.memory.ReadRegistryText(kClasses, "EDB.Document\\"), "old");
  EXPECT_EQ(off.memory.ReadRegistryText(kClasses, ".edb\\"), "EDB.Document");
}

}  // namespace
}  // namespace raz
