// Ravelmend.exe's resources, read from the built program: its icon group,
// the option icons, the carried banner, the manifest and the version.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "repair/banner_jpeg.h"
#include "repair/ravelmend_resource_ids.h"
#include "repair_paths_generated.h"

namespace raz {
namespace {

class RepairResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(RAZ_RAVELMEND_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  std::string Bytes(LPCSTR name, LPCSTR type) const {
    HRSRC found = FindResourceA(module_, name, type);
    if (found == nullptr) return {};
    const void* data = LockResource(LoadResource(module_, found));
    return data ? std::string(static_cast<const char*>(data), SizeofResource(module_, found)) : std::string();
  }
  HMODULE module_ = nullptr;
};

struct IconEntry {
  int width, height, bits;
};

std::vector<IconEntry> IconGroup(const std::string& group) {
  std::vector<IconEntry> entries;
  if (group.size() < 6) return entries;
  const int count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8;
  for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(group.size()); ++i) {
    const char* e = group.data() + 6 + 14 * i;
    entries.push_back({static_cast<unsigned char>(e[0]), static_cast<unsigned char>(e[1]),
                       static_cast<unsigned char>(e[6]) | static_cast<unsigned char>(e[7]) << 8});
  }
  return entries;
}

TEST_F(RepairResources, IconsBannerManifestAndVersion) {
  // DEFAULT_ICON: 16, 32 and 48 pixels in 16 colours.
  const std::vector<IconEntry> program_icon = IconGroup(Bytes("DEFAULT_ICON", RT_GROUP_ICON));
  ASSERT_EQ(program_icon.size(), 3u);
  std::vector<int> sizes;
  for (const IconEntry& e : program_icon) {
    EXPECT_EQ(e.width, e.height);
    EXPECT_EQ(e.bits, 4);
    sizes.push_back(e.width);
  }
  std::sort(sizes.begin(), sizes.end());
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));

  // The six option icons: one 16 x 16 image each.
  for (int id = RAZ_IDI_TYPE_E; id <= RAZ_IDI_TYPE_LIB; ++id) {
    const std::vector<IconEntry> icon = IconGroup(Bytes(MAKEINTRESOURCEA(id), RT_GROUP_ICON));
    ASSERT_EQ(icon.size(), 1u) << id;
    EXPECT_EQ(icon[0].width, 16) << id;
    EXPECT_EQ(icon[0].bits, id <= RAZ_IDI_TYPE_E8 ? 4 : 32) << id;
  }

  // The banner carried as RCDATA decodes to 600 x 80.
  const std::string banner = Bytes(MAKEINTRESOURCEA(RAZ_IDR_BANNER), RT_RCDATA);
  const auto image = DecodeJpeg(reinterpret_cast<const unsigned char*>(banner.data()), banner.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 600);
  EXPECT_EQ(image->height, 80);

  const std::string manifest = Bytes(MAKEINTRESOURCEA(1), RT_MANIFEST);
  EXPECT_NE(manifest.find("level=\"requireAdministrator\" uiAccess=\"false\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Ravelmend\""), std::string::npos);

  // Version information: the fixed part (signature FEEF04BD) holds 1.0.0.0 as
  // file and product version; the texts are UTF-16.
  const std::string version = Bytes(MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
  const std::size_t fixed = version.find("\xBD\x04\xEF\xFE");
  ASSERT_NE(fixed, std::string::npos);
  ASSERT_GE(version.size(), fixed + 24);
  const auto word = [&](std::size_t at) {
    DWORD value;
    std::memcpy(&value, version.data() + at, sizeof value);
    return value;
  };
  EXPECT_EQ(word(fixed + 8), 0x00010000u);   // file version 1.0
  EXPECT_EQ(word(fixed + 12), 0u);           // .0.0
  EXPECT_EQ(word(fixed + 16), 0x00010000u);  // product version
  EXPECT_EQ(word(fixed + 20), 0u);
  const auto wide = [](const std::string& ascii) {
    std::string out;
    for (char c : ascii) out += {c, '\0'};
    return out;
  };
  for (const char* name : {"FileDescription", "ProductName", "Comments"}) {
    const std::size_t at = version.find(wide(name));
    ASSERT_NE(at, std::string::npos) << name;
    // The value follows the NUL-ended name, aligned to 4 bytes.
    std::size_t value = at + 2 * (std::strlen(name) + 1);
    value = (value + 3) & ~std::size_t{3};
    EXPECT_EQ(version.compare(value, 20, wide("Ravelmend") + std::string(2, '\0')), 0) << name;
  }
}

}  // namespace
}  // namespace raz
