// Registration of .fne and .lib: ProgID reuse, the icon and copy options, and
// the copier.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "repair/progid_readers.h"
#include "repair/register_libraries.h"
#include "shared/repair_fakes.h"

namespace raz {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

constexpr auto kClasses = RegistryRoot::ClassesRoot;
constexpr const char* kEnv = "C:\\raz\\";
constexpr const char* kCopyCommand = "\"C:\\raz\\tools\\Ferrydrop.exe\" \"%1\"";

class RegisterLibraries : public ::testing::Test {
 protected:
  void RunBoth() {
    RegisterFneType(rig.context(), kEnv);
    RegisterLibType(rig.context(), kEnv);
  }
  std::string Read(const std::string& path) { return rig.memory.ReadRegistryText(kClasses, path, "<none>"); }
  RepairRig rig;
};

TEST_F(RegisterLibraries, DisabledIconKeepsTheForeignIconAndDropsTheDefaultOne) {
  rig.Plant(".fne", "OtherLib");
  rig.Plant("OtherLib\\DefaultIcon", "C:\\Tools\\lib.ico,0");
  rig.Plant("FNE.Document", "raz支持库");
  rig.Plant("FNE.Document\\DefaultIcon", "C:\\raz\\help\\fne.ico");
  rig.options.Set(RepairOption::FneIcon, true, false);
  RegisterFneType(rig.context(), kEnv);
  EXPECT_EQ(Read(".fne\\"), "OtherLib");
  EXPECT_EQ(Read("OtherLib\\DefaultIcon\\"), "C:\\Tools\\lib.ico,0");
  EXPECT_EQ(Read("OtherLib\\Shell\\复制到raz目录\\Command\\"), kCopyCommand);
  EXPECT_EQ(Read("FNE.Document\\"), "<none>");
  EXPECT_EQ(Read("FNE.Document\\DefaultIcon\\"), "<none>");
  EXPECT_THAT(rig.files.log,
              ElementsAre(FakeRepairFiles::Install(CarriedFile::Ferrydrop, "C:\\raz\\tools\\Ferrydrop.exe")));
}

TEST_F(RegisterLibraries, ForeignProgIdGetsTheCarriedIconAndVerb) {
  rig.Plant(".lib", "OtherLib");
  rig.Plant("OtherLib\\DefaultIcon", "C:\\gone.ico");
  rig.Plant(".fne", "fne.document");  // differs in case only: another program's
  RunBoth();
  EXPECT_EQ(Read(".lib\\"), "OtherLib");
  EXPECT_EQ(Read("OtherLib\\DefaultIcon\\"), "C:\\raz\\help\\lib.ico");
  EXPECT_EQ(Read("OtherLib\\Shell\\复制到raz目录\\Command\\"), kCopyCommand);
  EXPECT_EQ(Read(".fne\\"), "fne.document");
  EXPECT_EQ(Read("FNE.Document\\"), "<none>");  // no description
  EXPECT_EQ(Read("fne.document\\DefaultIcon\\"), "C:\\raz\\help\\fne.ico");
  EXPECT_EQ(Read("fne.document\\Shell\\复制到raz目录\\Command\\"), kCopyCommand);
  EXPECT_FALSE(rig.memory.KeyExists(kClasses, "LIB.Document"));
}

TEST_F(RegisterLibraries, EmptyExtensionValueUsesTheDefaultProgId) {
  rig.Plant(".fne", "");
  rig.Plant(".lib", "");
  RunBoth();
  EXPECT_EQ(Read(".fne\\"), "FNE.Document");
  EXPECT_EQ(Read(".lib\\"), "LIB.Document");
  EXPECT_THAT(rig.memory.Dump(kClasses), Not(Contains(StartsWith("|"))));
}

// Unchecking the .lib icon, or its box being disabled, takes LIB.Document's
// icon away as it does for FNE.Document.
TEST_F(RegisterLibraries, StaticLibraryIconOffRemovesTheDefaultIcon) {
  for (bool enabled : {true, false}) {
    rig.options = FakeOptions(true);
    RunBoth();
    ASSERT_EQ(Read("LIB.Document\\DefaultIcon\\"), "C:\\raz\\help\\lib.ico");
    rig.registry.log.clear();
    rig.files.log.clear();
    rig.files.existing.clear();
    rig.options.Set(RepairOption::LibIcon, !enabled, enabled);
    RegisterLibType(rig.context(), kEnv);
    EXPECT_THAT(rig.registry.log, ElementsAre("D C LIB.Document\\DefaultIcon\\", "D C LIB.Document\\",
                                              "W C .lib\\=LIB.Document",
                                              std::string("W C LIB.Document\\Shell\\复制到raz目录\\Command\\=") +
                                                  kCopyCommand));
    EXPECT_EQ(Read("LIB.Document\\DefaultIcon\\"), "<none>");
    EXPECT_THAT(rig.files.log,
                ElementsAre(FakeRepairFiles::Install(CarriedFile::Ferrydrop, "C:\\raz\\tools\\Ferrydrop.exe")));
  }
}

TEST_F(RegisterLibraries, CopyOptionIgnoresTheEnabledState) {
  rig.options.Set(RepairOption::FneCopy, true, false);
  RegisterFneType(rig.context(), kEnv);
  EXPECT_EQ(Read("FNE.Document\\Shell\\复制到raz目录\\Command\\"), kCopyCommand);
}

TEST_F(RegisterLibraries, ExistingFilesAreLeftAndStillNamed) {
  rig.files.existing = {"C:\\raz\\help\\fne.ico", "C:\\raz\\help\\lib.ico", "C:\\raz\\tools\\Ferrydrop.exe"};
  RunBoth();
  EXPECT_THAT(rig.files.log, IsEmpty());
  EXPECT_EQ(Read("FNE.Document\\DefaultIcon\\"), "C:\\raz\\help\\fne.ico");
  EXPECT_EQ(Read("LIB.Document\\Shell\\复制到raz目录\\Command\\"), kCopyCommand);
}

TEST(ReadExtensionProgId, FallsBackForMissingEmptyOrNonTextValues) {
  MemoryRegistry reg;
  EXPECT_EQ(ReadExtensionProgId(reg, ".ec", "EC.Document"), "EC.Document");
  reg.SetValue(kClasses, ".ec", "", RegType::Sz, std::string(1, '\0'));
  EXPECT_EQ(ReadExtensionProgId(reg, ".ec", "EC.Document"), "EC.Document");
  reg.SetValue(kClasses, ".ec", "", RegType::Dword, std::string(4, '\1'));
  EXPECT_EQ(ReadExtensionProgId(reg, ".ec", "EC.Document"), "EC.Document");
  reg.SetValue(kClasses, ".ec", "", RegType::Sz, std::string("Mine\0", 5));
  EXPECT_EQ(ReadExtensionProgId(reg, ".ec", "EC.Document"), "Mine");

  reg.SetValue(kClasses, "Mine\\DefaultIcon", "", RegType::Sz, std::string("C:\\m.ico,0\0", 11));
  EXPECT_EQ(ReadProgIdIcon(reg, "Mine"), "C:\\m.ico,0");
  EXPECT_EQ(ReadProgIdIcon(reg, "Nobody"), "");
}

}  // namespace
}  // namespace raz
