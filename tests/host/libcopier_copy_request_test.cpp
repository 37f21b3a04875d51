// Resolving a copy request and choosing the road of a run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "libcopier/copy_request.h"

namespace raz {
namespace {

// Absolute paths stay as they are; relative ones resolve against C:\cwd.
class FakePathFacts : public PathFacts {
 public:
  std::string FullPathName(const std::string& path) const override {
    return path.size() >= 2 && path[1] == ':' ? path : "C:\\cwd\\" + path;
  }
  std::string RemoveFileSpec(const std::string& full_path) const override {
    const auto slash = full_path.find_last_of('\\');
    if (slash == std::string::npos) return "";
    return slash == 2 ? full_path.substr(0, 3) : full_path.substr(0, slash);
  }
  std::int64_t QueryFileSize(const std::string&) const override { return -1; }
};

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
  CopyRoad Road(const std::string& args) {
    const CopyRequest request = Resolve(args, "C:\\E\\lib\\");
    return ChooseRoad(request, [&](const std::string& path) {
      asked.push_back(path);
      return existing.count(path) > 0;
    });
  }
  std::set<std::string> existing;
  std::vector<std::string> asked;
};

TEST_F(LibcopierRoad, SilentEndsComeBeforeTheEnvironmentTest) {
  EXPECT_EQ(Road(""), CopyRoad::kSilentEnd);
  EXPECT_EQ(Road("\"\""), CopyRoad::kSilentEnd);
  EXPECT_EQ(Road("C:\\a.dll"), CopyRoad::kSilentEnd);
  EXPECT_THAT(asked, ::testing::IsEmpty());
}

TEST_F(LibcopierRoad, MissingEExeEndsWithTheEnvironmentBox) {
  EXPECT_EQ(Road("C:\\a.fne"), CopyRoad::kNoEnvironment);
  EXPECT_THAT(asked, ::testing::ElementsAre("C:\\E\\e.exe"));
}

TEST_F(LibcopierRoad, ExistingDestinationAsksFirst) {
  existing = {"C:\\E\\e.exe"};
  EXPECT_EQ(Road("C:\\a.fne"), CopyRoad::kDirectCopy);
  existing.insert("C:\\E\\static_lib\\b.lib");
  EXPECT_EQ(Road("C:\\b.lib"), CopyRoad::kReplaceWindow);
}

}  // namespace
}  // namespace raz
