#include <cstdlib>

#include "registry/memory_registry.h"
#include "shared/registry_contract.h"

namespace raz {
namespace {

class MemoryHarness {
 public:
  MemoryHarness() {
    setenv("RAZ_TEST_VAR", "C:\\raz", 1);
    setenv("RAZ_TEST_GBK", kGbkFolder, 1);
  }
  RegistryItems& items() { return reg_; }
  std::string scratch() const { return "RazTest"; }
  void Plant(RegistryRoot root, const std::string& key, const std::string& name, RegType type, std::string bytes) {
    reg_.SetValue(root, key, name, type, std::move(bytes));
  }
  std::string RawBytes(RegistryRoot root, const std::string& key, const std::string& name) {
    return reg_.StoredBytes(root, key, name).value_or("<missing>");
  }
  bool KeyExists(RegistryRoot root, const std::string& key) const { return reg_.KeyExists(root, key); }

 private:
  MemoryRegistry reg_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryContract, MemoryHarness);

TEST(SplitRegistryItemPath, SplitsAtTheLastSingleByteBackslash) {
  auto p = SplitRegistryItemPath("Software\\VidOvu\\E\\Install\\Path");
  EXPECT_EQ(p.key, "Software\\VidOvu\\E\\Install");
  EXPECT_EQ(p.value, "Path");
  p = SplitRegistryItemPath(".edb\\");
  EXPECT_EQ(p.key, ".edb");
  EXPECT_EQ(p.value, "");
  p = SplitRegistryItemPath("NoBackslash");
  EXPECT_EQ(p.key, "");
  EXPECT_EQ(p.value, "NoBackslash");
  p = SplitRegistryItemPath("a\\\x95\x5C");  // the last 0x5C is a trail byte
  EXPECT_EQ(p.key, "a");
  EXPECT_EQ(p.value, "\x95\x5C");
  p = SplitRegistryItemPath("\x95");  // a lead byte at the end stands alone
  EXPECT_EQ(p.key, "");
  EXPECT_EQ(p.value, "\x95");
}

TEST(MemoryRegistry, RefusesWritesWhenReadOnly) {
  MemoryRegistry reg;
  ASSERT_TRUE(reg.WriteRegistryText(RegistryRoot::ClassesRoot, ".e\\", "E.Document"));
  reg.SetReadOnly(true);
  EXPECT_FALSE(reg.WriteRegistryText(RegistryRoot::ClassesRoot, ".e\\", "X"));
  EXPECT_FALSE(reg.DeleteRegistryItem(RegistryRoot::ClassesRoot, ".e\\"));
  EXPECT_EQ(reg.ReadRegistryText(RegistryRoot::ClassesRoot, ".e\\"), "E.Document");
}

}  // namespace
}  // namespace raz
