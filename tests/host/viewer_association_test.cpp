#include <gtest/gtest.h>

#include "registry/memory_registry.h"
#include "viewer/association.h"

namespace raz::viewer {
namespace {

constexpr auto kRoot = RegistryRoot::ClassesRoot;
const char kProgram[] = "C:\\Program Files\\raz\\Tallyscope.exe";

// Fails every write once `writes_left` have succeeded.
struct FailingLaterRegistry : MemoryRegistry {
  int writes_left = 1000;
  bool WriteRegistryText(RegistryRoot root, std::string_view path, std::string_view text) override {
    return writes_left-- > 0 && MemoryRegistry::WriteRegistryText(root, path, text);
  }
};

struct AssociationTest : ::testing::Test {
  FailingLaterRegistry registry;
  int refreshes = 0;
  AssociationContext context{registry, kProgram, [this] { ++refreshes; }};

  std::string Read(const char* path) { return registry.ReadRegistryText(kRoot, path, "<none>"); }
};

TEST_F(AssociationTest, WritesTheFourEntriesWithAQuotedProgramPath) {
  ASSERT_TRUE(WriteAssociation(context, ".edb", "", "", ""));
  EXPECT_EQ(Read(".edb\\"), "edbfile");
  EXPECT_EQ(Read(".edb\\Content Type"), "application/edbfile");
  // Quoted so that a path with blanks stays one program; two blanks kept.
  EXPECT_EQ(Read("edbfile\\shell\\open\\command\\"), "\"C:\\Program Files\\raz\\Tallyscope.exe\"  \"%1\"");
  EXPECT_EQ(Read("edbfile\\DefaultIcon\\"), std::string(kProgram) + ",0");
  EXPECT_EQ(refreshes, 1);
}

TEST_F(AssociationTest, WritesNothingWhenAllFourAreAsWanted) {
  ASSERT_TRUE(WriteAssociation(context, ".edb", "", "", ""));
  const auto before = registry.Dump(kRoot);
  registry.SetReadOnly(true);  // any write would now fail the routine
  EXPECT_TRUE(WriteAssociation(context, ".edb", "", "", ""));
  EXPECT_EQ(registry.Dump(kRoot), before);
  EXPECT_EQ(refreshes, 1);
}

TEST_F(AssociationTest, AMovedProgramRewritesCommandAndIcon) {
  ASSERT_TRUE(WriteAssociation(context, ".edb", "", "C:\\old\\T.exe", ""));
  registry.SetValue(kRoot, ".edb", "Content Type", RegType::Sz, std::string("text/other") + '\0');
  ASSERT_TRUE(WriteAssociation(context, ".edb", "text/other", "", ""));
  EXPECT_EQ(Read("edbfile\\shell\\open\\command\\"), "\"C:\\Program Files\\raz\\Tallyscope.exe\"  \"%1\"");
  EXPECT_EQ(Read("edbfile\\DefaultIcon\\"), std::string(kProgram) + ",0");
  EXPECT_EQ(Read(".edb\\Content Type"), "text/other");
  EXPECT_EQ(refreshes, 2);
}

TEST_F(AssociationTest, AFailedWriteStopsWithoutRefreshing) {
  registry.SetReadOnly(true);
  EXPECT_FALSE(WriteAssociation(context, ".edb", "", "", ""));
  EXPECT_EQ(refreshes, 0);

  // Failing after two writes: those stay, the later entries are not tried.
  registry.SetReadOnly(false);
  registry.writes_left = 2;
  EXPECT_FALSE(WriteAssociation(context, ".edb", "", "", ""));
  EXPECT_EQ(Read(".edb\\"), "edbfile");
  EXPECT_EQ(Read(".edb\\Content Type"), "application/edbfile");
  EXPECT_FALSE(registry.RegistryItemExists(kRoot, "edbfile\\shell\\open\\command\\"));
  EXPECT_FALSE(registry.RegistryItemExists(kRoot, "edbfile\\DefaultIcon\\"));
  EXPECT_EQ(refreshes, 0);
}

TEST(AssociationNotice, SuccessIsANoticeAndFailureAnErrorThatAsksForAdministrator) {
  const struct {
    Notice notice;
    const char* text;
    const char* caption;
    unsigned flags;
  } cases[] = {
      {SetAssociationNotice(true), "设置文件关联成功", "提示", 0x40},
      {SetAssociationNotice(false), "设置文件关联失败\r\n如果是Windows7、Windows8系统请用管理员方式运行本程序再设置", "错误", 0x10},
      {CancelAssociationNotice(true), "取消文件关联成功", "提示", 0x40},
      {CancelAssociationNotice(false), "取消文件关联失败\r\n如果是Windows7、Windows8系统请用管理员方式运行本程序再取消", "错误", 0x10},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.notice.text, c.text);
    EXPECT_EQ(c.notice.caption, c.caption) << c.text;
    EXPECT_EQ(c.notice.flags, c.flags) << c.text;
  }
}

TEST_F(AssociationTest, NormalisesCapitalsBlanksAndAMissingDot) {
  for (const char* ext : {".EDB", "edb", "  .Edb\xA1\xA1", "EDB "}) {
    const auto names = NormaliseExtension(ext);
    ASSERT_TRUE(names) << ext;
    EXPECT_EQ(names->extension, ".edb") << ext;
    EXPECT_EQ(names->file_class, "edbfile") << ext;
  }
  EXPECT_FALSE(NormaliseExtension(""));
  EXPECT_FALSE(NormaliseExtension("  \xA1\xA1 "));
  EXPECT_FALSE(WriteAssociation(context, "   ", "", "", ""));
  EXPECT_FALSE(RemoveAssociation(context, ""));
  EXPECT_TRUE(registry.Dump(kRoot).empty());
}

TEST_F(AssociationTest, CancelDeletesTheFourValuesWhoeverWroteThem) {
  ASSERT_TRUE(WriteAssociation(context, ".edb", "", "", ""));
  registry.SetValue(kRoot, ".edb", "", RegType::Sz, std::string("EDB.Document") + '\0');
  registry.SetValue(kRoot, "EDB.Document\\DefaultIcon", "", RegType::Sz, std::string("x.ico") + '\0');
  ASSERT_TRUE(RemoveAssociation(context, "EDB"));
  EXPECT_FALSE(registry.RegistryItemExists(kRoot, ".edb\\"));
  EXPECT_FALSE(registry.RegistryItemExists(kRoot, ".edb\\Content Type"));
  EXPECT_FALSE(registry.RegistryItemExists(kRoot, "edbfile\\shell\\open\\command\\"));
  EXPECT_FALSE(registry.RegistryItemExists(kRoot, "edbfile\\DefaultIcon\\"));
  EXPECT_EQ(Read("EDB.Document\\DefaultIcon\\"), "x.ico");
  EXPECT_EQ(refreshes, 2);
}

TEST_F(AssociationTest, CancelWithNothingThereSucceedsWithoutRefreshing) {
  EXPECT_TRUE(RemoveAssociation(context, ".edb"));
  EXPECT_EQ(refreshes, 0);
}

TEST_F(AssociationTest, AFailedDeleteStopsWithoutRefreshing) {
  ASSERT_TRUE(WriteAssociation(context, ".edb", "", "", ""));
  registry.SetReadOnly(true);
  EXPECT_FALSE(RemoveAssociation(context, ".edb"));
  EXPECT_EQ(refreshes, 1);
}

}  // namespace
}  // namespace raz::viewer
