// File facts: full path, folder, name, extension and size text of a path.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "libcopier/file_facts.h"
#include "shared/libcopier_path_cases.h"

namespace raz {
namespace {

FileFacts Fill(const std::string& path, const FakePathFacts& fs = {}) {
  FileFacts facts;
  FillFileFacts(path, facts, fs);
  return facts;
}

TEST(LibcopierFileFacts, DerivesTheTextsOfAPath) {
  for (const LibcopierPathCase& c : kLibcopierPathCases) {
    ExpectFactsOf(c, Fill(c.path));
  }
  EXPECT_EQ(Fill("a.fne").full_path, "C:\\cwd\\a.fne");
}

TEST(LibcopierFileFacts, EmptyPathLeavesTheRecordAsItWas) {
  FileFacts facts{"C:\\a.fne", "C:\\", "a.fne", ".fne", "3 B"};
  FillFileFacts("", facts, FakePathFacts());
  EXPECT_EQ(facts.full_path, "C:\\a.fne");
  EXPECT_EQ(facts.folder, "C:\\");
  EXPECT_EQ(facts.name, "a.fne");
  EXPECT_EQ(facts.extension, ".fne");
  EXPECT_EQ(facts.size_text, "3 B");
}

TEST(LibcopierFileFacts, FullPathLongerThan254BytesBecomes256Blanks) {
  const std::string fits = "C:\\" + std::string(250, 'a') + ".fne";  // 257 bytes
  const std::string at_limit = fits.substr(0, 250) + ".fne";           // 254 bytes
  ASSERT_EQ(at_limit.size(), 254u);
  EXPECT_EQ(Fill(at_limit).full_path, at_limit);

  const std::string one_more = at_limit.substr(0, 250) + "b.fne";
  const FileFacts facts = Fill(one_more);
  EXPECT_EQ(facts.full_path, std::string(256, ' '));
  EXPECT_EQ(facts.folder, "");
  EXPECT_EQ(facts.name, std::string(256, ' '));
  EXPECT_EQ(facts.extension, "");
  EXPECT_EQ(facts.size_text, "-1 B");
}

TEST(LibcopierFileFacts, SizeTextComesFromTheFullPath) {
  FakePathFacts fs;
  fs.sizes["C:\\cwd\\a.fne"] = 1536;
  EXPECT_EQ(Fill("a.fne", fs).size_text, "1.5 KB");
}

TEST(LibcopierFileFacts, NameRemovesTheFolderAtCharacterStartsOnly) {
  EXPECT_EQ(NameWithoutFolder("C:\\E\\lib\\a.fne", "C:\\E\\lib"), "a.fne");
  EXPECT_EQ(NameWithoutFolder("C:\\a.fne", "C:\\"), "a.fne");
  EXPECT_EQ(NameWithoutFolder("\\\\srv\\share\\a.fne", "\\\\srv\\share"), "a.fne");
  // Every occurrence goes, case-sensitively; only one leading backslash is dropped.
  EXPECT_EQ(NameWithoutFolder("ab\\ab\\xAB", "ab"), "\\xAB");
  EXPECT_EQ(NameWithoutFolder("\\\\a", ""), "\\a");
  // The second "A" is the trail byte of a two-byte character and stays.
  EXPECT_EQ(NameWithoutFolder("A\x81" "AA.fne", "A"), "\x81" "A.fne");
  EXPECT_EQ(NameWithoutFolder("C:\\dir\\\x81\\dir", "\\dir"), "C:\\\x81\\dir");
}

TEST(LibcopierFileFacts, ExtensionLowerCasesSingleBytesOnly) {
  EXPECT_EQ(LowerExtension("Grid.FNE"), ".fne");
  EXPECT_EQ(LowerExtension("a.b.LiB"), ".lib");
  EXPECT_EQ(LowerExtension("noext"), "");
  EXPECT_EQ(LowerExtension(""), "");
  EXPECT_EQ(LowerExtension("x."), ".");
  // "\x81" "A" is one character: its trail byte is not a capital letter.
  EXPECT_EQ(LowerExtension("a.\x81" "AB"), ".\x81" "Ab");
}

TEST(LibcopierFileFacts, SizeTextTable) {
  const std::pair<std::int64_t, const char*> table[] = {
      {-1, "-1 B"},
      {0, "0 B"},
      {1023, "1023 B"},
      {1024, "1 KB"},
      {1100, "1.07 KB"},
      {1152, "1.13 KB"},
      {1536, "1.5 KB"},
      {1048575, "1024 KB"},
      {1048576, "1 MB"},
      {5000000, "4.77 MB"},
      {1073741823, "1024 MB"},
      {1073741824, "1 GB"},
      {1099511627776, "1024 GB"},
      {1125899906842624, "1048576 GB"},
  };
  for (const auto& [size, text] : table) EXPECT_EQ(FormatSizeText(size), text) << size;
}

}  // namespace
}  // namespace raz
