// The behaviour every RegistryItems implementation must share. Instantiated on
// the host against MemoryRegistry and under Wine against the real registry, so
// the double cannot drift from what the programs meet on Windows.
//
// A harness provides: items(), Plant(root, key, name, type, bytes),
// RawBytes(root, key, name) (the stored bytes exactly, or "<missing>"),
// KeyExists(root, key), sets the environment variables RAZ_TEST_VAR to "C:\raz"
// and RAZ_TEST_GBK to kGbkFolder, and gives a scratch key name unique to the
// test, removed with everything below it when the harness is destroyed.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "registry/memory_registry.h"

namespace raz {

// A folder name with Chinese text, GBK bytes (two bytes a character).
constexpr char kGbkFolder[] = "C:\\中文路径";

template <typename Harness>
class RegistryContract : public ::testing::Test {
 protected:
  Harness h;
  RegistryItems& r() { return h.items(); }
  std::string S() const { return h.scratch(); }  // scratch key, e.g. "RazTest_123"
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, WriteCreatesMissingKeysAndReadsBack) {
  const std::string path = this->S() + "\\a\\b\\c\\Name";
  EXPECT_TRUE(this->r().WriteRegistryText(RegistryRoot::CurrentUser, path, "value"));
  EXPECT_TRUE(this->h.KeyExists(RegistryRoot::CurrentUser, this->S() + "\\a\\b\\c"));
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, path), "value");
  // Value and key names ignore ASCII case.
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, this->S() + "\\A\\B\\C\\NAME"), "value");
}

TYPED_TEST_P(RegistryContract, TrailingBackslashNamesTheDefaultValue) {
  const std::string key = this->S() + "\\.edb";
  EXPECT_TRUE(this->r().WriteRegistryText(RegistryRoot::ClassesRoot, key + "\\", "EDB.Document"));
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::ClassesRoot, key + "\\"), "EDB.Document");
  // The default value is not a value named "" under another spelling.
  EXPECT_FALSE(this->r().RegistryItemExists(RegistryRoot::ClassesRoot, key + "\\Other"));
  EXPECT_TRUE(this->r().RegistryItemExists(RegistryRoot::ClassesRoot, key + "\\"));
}

TYPED_TEST_P(RegistryContract, DefaultValueNeverSetDoesNotExist) {
  this->h.Plant(RegistryRoot::ClassesRoot, this->S() + "\\k", "named", RegType::Sz, std::string("x\0", 2));
  EXPECT_FALSE(this->r().RegistryItemExists(RegistryRoot::ClassesRoot, this->S() + "\\k\\"));
  EXPECT_TRUE(this->r().RegistryItemExists(RegistryRoot::ClassesRoot, this->S() + "\\k\\named"));
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::ClassesRoot, this->S() + "\\k\\", "fb"), "fb");
}

TYPED_TEST_P(RegistryContract, NoBackslashNamesAValueUnderTheRoot) {
  const std::string name = this->S();  // value directly under HKCU
  EXPECT_TRUE(this->r().WriteRegistryText(RegistryRoot::CurrentUser, name, "root value"));
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, name), "root value");
  EXPECT_TRUE(this->r().RegistryItemExists(RegistryRoot::CurrentUser, name));
  EXPECT_TRUE(this->r().DeleteRegistryItem(RegistryRoot::CurrentUser, name));
  EXPECT_FALSE(this->r().RegistryItemExists(RegistryRoot::CurrentUser, name));
  // With no value of that name left, deleting falls back to the root's subkey.
  this->h.Plant(RegistryRoot::CurrentUser, name, "v", RegType::Sz, std::string("1\0", 2));
  EXPECT_TRUE(this->r().DeleteRegistryItem(RegistryRoot::CurrentUser, name));
  EXPECT_FALSE(this->h.KeyExists(RegistryRoot::CurrentUser, name));
}

TYPED_TEST_P(RegistryContract, TrailByte5CIsNotASplitPoint) {
  // 0x95 0x5C is one GBK character; the backslash after it is the split point.
  const std::string key = this->S() + "\\k\x95\x5C" "a";
  const std::string path = key + "\\v\x95\x5C" "b";
  EXPECT_TRUE(this->r().WriteRegistryText(RegistryRoot::CurrentUser, path, "dbcs"));
  EXPECT_TRUE(this->h.KeyExists(RegistryRoot::CurrentUser, key));
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, path), "dbcs");
  EXPECT_TRUE(this->r().RegistryItemExists(RegistryRoot::CurrentUser, path));
}

TYPED_TEST_P(RegistryContract, ReadsOnlyTextValues) {
  const std::string k = this->S() + "\\types";
  this->h.Plant(RegistryRoot::CurrentUser, k, "dword", RegType::Dword, std::string("\x01\x00\x00\x00", 4));
  this->h.Plant(RegistryRoot::CurrentUser, k, "binary", RegType::Binary, "abc");
  this->h.Plant(RegistryRoot::CurrentUser, k, "zero", RegType::Sz, "");
  this->h.Plant(RegistryRoot::CurrentUser, k, "empty", RegType::Sz, std::string("\0", 1));
  this->h.Plant(RegistryRoot::CurrentUser, k, "unterminated", RegType::Sz, "abcd");
  this->h.Plant(RegistryRoot::CurrentUser, k, "inner", RegType::Sz, std::string("ab\0cd\0", 6));
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\dword", "fb"), "fb");
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\binary", "fb"), "fb");
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\zero", "fb"), "fb");
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\empty", "fb"), "");
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\unterminated", "fb"), "abcd");
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\inner"), "ab");
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\missing"), "");
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, this->S() + "\\nokey\\v", "fb"), "fb");
  // Every one of them can be queried.
  EXPECT_TRUE(this->r().RegistryItemExists(RegistryRoot::CurrentUser, k + "\\dword"));
  EXPECT_TRUE(this->r().RegistryItemExists(RegistryRoot::CurrentUser, k + "\\zero"));
}

TYPED_TEST_P(RegistryContract, ExpandsExpandSzValues) {
  const std::string k = this->S() + "\\expand";
  this->h.Plant(RegistryRoot::CurrentUser, k, "p", RegType::ExpandSz, std::string("%RAZ_TEST_VAR%\\x\0", 17));
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\p"), "C:\\raz\\x");
}

TYPED_TEST_P(RegistryContract, ExpandsGbkTextWhole) {
  const std::string k = this->S() + "\\expand";
  const std::string stored = "%RAZ_TEST_GBK%\\help\\lib.ico";
  this->h.Plant(RegistryRoot::CurrentUser, k, "icon", RegType::ExpandSz, stored + '\0');
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\icon"),
            std::string(kGbkFolder) + "\\help\\lib.ico");
  // Longer than any first guess of a buffer: every byte is still there.
  std::string many;
  for (int i = 0; i < 200; ++i) many += "%RAZ_TEST_GBK%;";
  this->h.Plant(RegistryRoot::CurrentUser, k, "many", RegType::ExpandSz, many + '\0');
  std::string expected;
  for (int i = 0; i < 200; ++i) expected += std::string(kGbkFolder) + ";";
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, k + "\\many"), expected);
}

TYPED_TEST_P(RegistryContract, WritesEmptyTextAsOneNul) {
  const std::string path = this->S() + "\\e\\v";
  EXPECT_TRUE(this->r().WriteRegistryText(RegistryRoot::CurrentUser, path, ""));
  EXPECT_TRUE(this->r().RegistryItemExists(RegistryRoot::CurrentUser, path));
  EXPECT_EQ(this->r().ReadRegistryText(RegistryRoot::CurrentUser, path, "fb"), "");
  EXPECT_EQ(this->h.RawBytes(RegistryRoot::CurrentUser, this->S() + "\\e", "v"), std::string("\0", 1));
  // A text is stored with exactly one NUL after it.
  EXPECT_TRUE(this->r().WriteRegistryText(RegistryRoot::CurrentUser, path, "\xD6\xD0"));
  EXPECT_EQ(this->h.RawBytes(RegistryRoot::CurrentUser, this->S() + "\\e", "v"), std::string("\xD6\xD0\0", 3));
}

TYPED_TEST_P(RegistryContract, DeleteRemovesValueThenFallsBackToKey) {
  const std::string verb = this->S() + "\\E8.Document\\Shell\\\xD3\xC3raz\xB4\xF2\xBF\xAA";  // 用raz打开
  ASSERT_TRUE(this->r().WriteRegistryText(RegistryRoot::ClassesRoot, verb + "\\Command\\", "cmd"));
  // The verb's chain, from the inside out.
  EXPECT_TRUE(this->r().DeleteRegistryItem(RegistryRoot::ClassesRoot, verb + "\\Command\\"));   // the value
  EXPECT_TRUE(this->h.KeyExists(RegistryRoot::ClassesRoot, verb + "\\Command"));
  EXPECT_TRUE(this->r().DeleteRegistryItem(RegistryRoot::ClassesRoot, verb + "\\Command"));     // the key
  EXPECT_FALSE(this->h.KeyExists(RegistryRoot::ClassesRoot, verb + "\\Command"));
  // No default value is set, so the fallback removes the now empty verb key.
  EXPECT_TRUE(this->r().DeleteRegistryItem(RegistryRoot::ClassesRoot, verb + "\\"));
  EXPECT_FALSE(this->h.KeyExists(RegistryRoot::ClassesRoot, verb));
  EXPECT_FALSE(this->r().DeleteRegistryItem(RegistryRoot::ClassesRoot, verb));  // nothing left
  EXPECT_TRUE(this->h.KeyExists(RegistryRoot::ClassesRoot, this->S() + "\\E8.Document\\Shell"));
}

TYPED_TEST_P(RegistryContract, KeyWithSubkeysIsNotDeleted) {
  ASSERT_TRUE(this->r().WriteRegistryText(RegistryRoot::ClassesRoot, this->S() + "\\p\\child\\v", "x"));
  EXPECT_FALSE(this->r().DeleteRegistryItem(RegistryRoot::ClassesRoot, this->S() + "\\p"));
  EXPECT_TRUE(this->h.KeyExists(RegistryRoot::ClassesRoot, this->S() + "\\p\\child"));
}

TYPED_TEST_P(RegistryContract, DeleteWithTrailingBackslashFallsBackToTheKey) {
  // "...\Command\" names the default value; with none set, the key itself goes.
  ASSERT_TRUE(this->r().WriteRegistryText(RegistryRoot::ClassesRoot, this->S() + "\\t\\Command\\named", "x"));
  EXPECT_TRUE(this->r().DeleteRegistryItem(RegistryRoot::ClassesRoot, this->S() + "\\t\\Command\\"));
  EXPECT_FALSE(this->h.KeyExists(RegistryRoot::ClassesRoot, this->S() + "\\t\\Command"));
}

TYPED_TEST_P(RegistryContract, ListsTheDirectSubkeysAsStored) {
  const std::string list = this->S() + "\\list\\";
  for (const char* key : {".Exe\\", "\xD6\xD0\\", "Folder\\inner\\"}) {
    this->r().WriteRegistryText(RegistryRoot::ClassesRoot, list + key, "x");
  }
  std::vector<std::string> names = this->r().SubkeyNames(RegistryRoot::ClassesRoot, list);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".Exe", "Folder", "\xD6\xD0"}));  // 中
  EXPECT_TRUE(this->r().SubkeyNames(RegistryRoot::ClassesRoot, list + "missing").empty());
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, WriteCreatesMissingKeysAndReadsBack,
                            TrailingBackslashNamesTheDefaultValue, DefaultValueNeverSetDoesNotExist,
                            NoBackslashNamesAValueUnderTheRoot, TrailByte5CIsNotASplitPoint, ReadsOnlyTextValues,
                            ExpandsExpandSzValues, ExpandsGbkTextWhole, WritesEmptyTextAsOneNul,
                            DeleteRemovesValueThenFallsBackToKey, KeyWithSubkeysIsNotDeleted,
                            DeleteWithTrailingBackslashFallsBackToTheKey, ListsTheDirectSubkeysAsStored);

}  // namespace raz
