// The committed pictures are exactly what the generator draws, so a change to
// the drawing code that is not followed by a regeneration is caught here.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "payload/generator/palette.h"
#include "payload/generator/payload_files.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadPayload(const std::string& name) {
  std::ifstream in(std::string(RAZ_PAYLOAD_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PayloadRenderTest, CommittedIconsMatchTheGenerator) {
  const std::vector<payload::PayloadFile> files = payload::RenderIconFiles();
  ASSERT_EQ(files.size(), 12u);
  for (const payload::PayloadFile& file : files) {
    const Bytes committed = ReadPayload(file.name);
    EXPECT_FALSE(committed.empty()) << file.name << " is missing";
    EXPECT_TRUE(committed == file.bytes) << file.name
                                         << " differs from the generator's output: run payload_generator payload";
  }
}

TEST(PayloadRenderTest, BannerIsA600By80ColourJpeg) {
  const Bytes jpeg = ReadPayload("banner.jpg");
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_LT(jpeg.size(), 20u * 1024);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
  // Walk the markers up to the frame header.
  std::size_t at = 2;
  while (at + 9 < jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xC0 && jpeg[at + 1] != 0xC2)
    at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
  ASSERT_LT(at + 9, jpeg.size());
  ASSERT_EQ(jpeg[at + 1], 0xC0) << "baseline frame";
  EXPECT_EQ(jpeg[at + 5] << 8 | jpeg[at + 6], 80) << "height";
  EXPECT_EQ(jpeg[at + 7] << 8 | jpeg[at + 8], 600) << "width";
  EXPECT_EQ(jpeg[at + 9], 3) << "colour components";
  EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
}

TEST(PayloadRenderTest, ReducedPaletteKeepsBlackFirstAndFitsManyColours) {
  payload::Image image(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      image.at(x, y) = payload::Opaque(static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4), 200);
  image.at(0, 0).a = 0;  // clear pixels take no entry
  const std::vector<payload::Rgba> palette = payload::ReducedPalette(image, 256);
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(palette[0].r + palette[0].g + palette[0].b, 0);
  // 4095 distinct colours squeezed into 255 entries: each lands near its own.
  for (int y = 0; y < 64; y += 9)
    for (int x = 0; x < 64; x += 7) {
      const payload::Rgba want = image.at(x, y);
      const payload::Rgba got = palette[payload::NearestIndex(palette, want)];
      EXPECT_LE(std::abs(got.r - want.r) + std::abs(got.g - want.g) + std::abs(got.b - want.b), 48) << x << "," << y;
    }
}

}  // namespace
