// Resolving a copy request and choosing the road of a run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "libcopier/copy_request.h"
#include "shared/libcopier_path_cases.h"

namespace raz {
namespace {

CopyRequest Resolve(const std::string& args, const std::string& install_value) {
  return ResolvePaths("\"C:\\E\\tools\\Ferrydrop.exe\" " + args, install_value, FakePathFacts());
}

TEST(LibcopierCopyRequest, ExtensionChoosesTheFolderAndTheNameKeepsItsCase) {
  for (const char* value : {"C:\\E\\lib\\", "C:\\E\\lib", "C:\\E\\LIB\\"}) {
    SCOPED_TRACE(value);
    const CopyRequest fne = Resolve("C:\\src\\Grid.FNE", value);
    EXPECT_EQ(fne.environment_dir, "C:\\E\\");
    EXPECT_EQ(fne.source.full_path, "C:\\src\\Grid.FNE");
    EXPECT_EQ(fne.destination.full_path, "C:\\E\\lib\\Grid.FNE");
    EXPECT_EQ(fne.destination.folder, "C:\\E\\lib");
    EXPECT_EQ(fne.destination.name, "Grid.FNE");

    const CopyRequest lib = Resolve("\"C:\\my files\\Base.Lib\" ignored.fne", value);
    EXPECT_EQ(lib.source.full_path, "C:\\my files\\Base.Lib");
    EXPECT_EQ(lib.destination.full_path, "C:\\E\\static_lib\\Base.Lib");
  }
}

TEST(LibcopierCopyRequest, OtherSourcesHaveNoDestination) {
  for (const char* args : {"C:\\a.dll", "C:\\a.txt", "C:\\noext", "C:\\a.fne.bak", ""}) {
    SCOPED_TRACE(args);
    const CopyRequest request = Resolve(args, "C:\\E\\lib\\");
    EXPECT_EQ(request.destination.full_path, "");
    EXPECT_EQ(request.destination.name, "");
  }
}

TEST(LibcopierCopyRequest, WithoutInstallValueTheDestinationIsRelative) {
  const CopyRequest request = Resolve("C:\\a.fne", "");
  EXPECT_EQ(request.environment_dir, "");
  EXPECT_EQ(request.destination.full_path, "C:\\cwd\\lib\\a.fne");
}

class LibcopierRoad : public ::testing::Test {
 protected:
  CopyRoad Road(const std::string& args) { return ChooseRoad(Resolve(args, "C:\\E\\lib\\"), fs); }
  FakePathFacts fs;
};

TEST_F(LibcopierRoad, SilentEndsComeBeforeTheEnvironmentTest) {
  EXPECT_EQ(Road(""), CopyRoad::kSilentEnd);
  EXPECT_EQ(Road("\"\""), CopyRoad::kSilentEnd);
  EXPECT_EQ(Road("C:\\a.dll"), CopyRoad::kSilentEnd);
  EXPECT_THAT(fs.asked, ::testing::IsEmpty());
}

TEST_F(LibcopierRoad, MissingEExeEndsWithTheEnvironmentBox) {
  EXPECT_EQ(Road("C:\\a.fne"), CopyRoad::kNoEnvironment);
  EXPECT_THAT(fs.asked, ::testing::ElementsAre("C:\\E\\e.exe"));
}

TEST_F(LibcopierRoad, ExistingDestinationAsksFirst) {
  fs.existing = {"C:\\E\\e.exe"};
  EXPECT_EQ(Road("C:\\a.fne"), CopyRoad::kDirectCopy);
  fs.existing.insert("C:\\E\\static_lib\\b.lib");
  EXPECT_EQ(Road("C:\\b.lib"), CopyRoad::kReplaceWindow);
}

TEST_F(LibcopierRoad, ALibraryThatIsItsOwnDestinationEndsSilently) {
  fs.existing = {"C:\\E\\e.exe", "C:\\E\\lib\\a.fne", "C:\\E\\static_lib\\B.LIB"};
  EXPECT_EQ(Road("C:\\E\\lib\\a.fne"), CopyRoad::kSilentEnd);
  // Another spelling of the same file is the same file too.
  fs.same_files = {{"C:\\E8\\STATIC_LIB\\B.LIB", "C:\\E\\static_lib\\B.LIB"}};
  EXPECT_EQ(Road("C:\\E8\\STATIC_LIB\\B.LIB"), CopyRoad::kSilentEnd);
  EXPECT_EQ(Road("C:\\E9\\STATIC_LIB\\B.LIB"), CopyRoad::kReplaceWindow);
}

}  // namespace
}  // namespace raz
