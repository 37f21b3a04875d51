// What Tallyscope.exe carries: its icon group, manifest and version
// information, read from the built file.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "viewer_paths.h"

namespace raz::viewer {
namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bit_count;
  DWORD bytes;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved, type, count;
};
#pragma pack(pop)

struct ViewerResourcesTest : ::testing::Test {
  void SetUp() override {
    module = LoadLibraryExA(RAZ_TALLYSCOPE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
  }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }
  std::string Resource(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
  }
  HMODULE module = nullptr;
};

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
  *reinterpret_cast<std::string*>(out) = IS_INTRESOURCE(name) ? "#" : name;
  return FALSE;
}

TEST_F(ViewerResourcesTest, FirstIconGroupIsDefaultIconWithThree32BitImages) {
  std::string first;
  EnumResourceNamesA(module, RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&first));
  EXPECT_EQ(first, "DEFAULT_ICON");
  const std::string group = Resource("DEFAULT_ICON", RT_GROUP_ICON);
  ASSERT_GE(group.size(), sizeof(GroupIconHeader));
  GroupIconHeader header;
  std::memcpy(&header, group.data(), sizeof header);
  ASSERT_EQ(header.count, 3);
  ASSERT_EQ(group.size(), sizeof header + 3 * sizeof(GroupIconEntry));
  std::vector<int> sizes;
  for (int i = 0; i < 3; ++i) {
    GroupIconEntry entry;
    std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
    EXPECT_EQ(entry.bit_count, 32);
    EXPECT_EQ(entry.width, entry.height);
    sizes.push_back(entry.width);
  }
  EXPECT_EQ(sizes, (std::vector<int>{48, 32, 16}));
}

TEST_F(ViewerResourcesTest, ManifestAsksForCommonControlsSixAndNoExecutionLevel) {
  const std::string manifest = Resource(MAKEINTRESOURCEA(1), RT_MANIFEST);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
}

TEST_F(ViewerResourcesTest, VersionInformationNamesTallyscopeOneZero) {
  // version.dll is not among the test program's libraries: reach it by name.
  HMODULE version = LoadLibraryA("version.dll");
  ASSERT_TRUE(version);
  using SizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
  using InfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
  using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
  auto size_of = reinterpret_cast<SizeFn>(reinterpret_cast<void*>(GetProcAddress(version, "GetFileVersionInfoSizeA")));
  auto info_of = reinterpret_cast<InfoFn>(reinterpret_cast<void*>(GetProcAddress(version, "GetFileVersionInfoA")));
  auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(GetProcAddress(version, "VerQueryValueA")));
  ASSERT_TRUE(size_of && info_of && query);

  std::vector<char> block(size_of(RAZ_TALLYSCOPE_EXE, nullptr));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(info_of(RAZ_TALLYSCOPE_EXE, 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(query(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);

  struct Translation {
    WORD language, code_page;
  }* translation = nullptr;
  ASSERT_TRUE(query(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
  char prefix[64];
  wsprintfA(prefix, "\\StringFileInfo\\%04x%04x\\", translation->language, translation->code_page);
  for (const char* name : {"FileDescription", "ProductName"}) {
    char* text = nullptr;
    ASSERT_TRUE(query(block.data(), (std::string(prefix) + name).c_str(), reinterpret_cast<void**>(&text), &length))
        << name;
    EXPECT_STREQ(text, "Tallyscope") << name;
  }
  FreeLibrary(version);
}

}  // namespace
}  // namespace raz::viewer
