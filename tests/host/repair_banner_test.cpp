// The banner decoder: the carried picture decodes to 600 x 80, and data that
// libjpeg rejects gives no picture instead of ending the process.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "repair/banner_jpeg.h"

namespace raz {
namespace {

std::vector<unsigned char> Banner() {
  std::ifstream in(std::string(RAZ_PAYLOAD_DIR) + "/banner.jpg", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Offset of the baseline frame header's height field (after FF C0, length, precision).
std::size_t FrameSizeOffset(const std::vector<unsigned char>& jpeg) {
  for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) return i + 5;
  }
  return 0;
}

TEST(BannerJpeg, CarriedBannerDecodesToItsSize) {
  const std::vector<unsigned char> jpeg = Banner();
  ASSERT_FALSE(jpeg.empty());
  const auto image = DecodeJpeg(jpeg.data(), jpeg.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 600);
  EXPECT_EQ(image->height, 80);
  EXPECT_EQ(image->stride, 1800u);
  EXPECT_EQ(image->pixels.size(), 1800u * 80);
  // Not a blank picture.
  EXPECT_NE(std::vector<unsigned char>(image->pixels.begin(), image->pixels.begin() + 1800),
            std::vector<unsigned char>(image->pixels.begin() + 1800 * 40, image->pixels.begin() + 1800 * 41));
}

TEST(BannerJpeg, RejectedDataGivesNoPicture) {
  const std::vector<unsigned char> jpeg = Banner();
  const std::string garbage = "this is not a JPEG at all";
  EXPECT_FALSE(DecodeJpeg(reinterpret_cast<const unsigned char*>(garbage.data()), garbage.size()));
  EXPECT_FALSE(DecodeJpeg(jpeg.data(), 0));
  EXPECT_FALSE(DecodeJpeg(nullptr, 10));
  EXPECT_FALSE(DecodeJpeg(jpeg.data(), 100));  // ends inside the headers

  const std::size_t size_at = FrameSizeOffset(jpeg);
  ASSERT_NE(size_at, 0u);
  std::vector<unsigned char> zero_height = jpeg;
  zero_height[size_at] = zero_height[size_at + 1] = 0;
  EXPECT_FALSE(DecodeJpeg(zero_height.data(), zero_height.size()));
  std::vector<unsigned char> huge = jpeg;
  huge[size_at] = huge[size_at + 2] = 0xFF;  // 65k x 65k: refused before any allocation
  EXPECT_FALSE(DecodeJpeg(huge.data(), huge.size()));
}

// Offset of the first byte of entropy-coded data: just after the start-of-scan segment.
std::size_t ScanDataOffset(const std::vector<unsigned char>& jpeg) {
  for (std::size_t i = 0; i + 3 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) return i + 2 + (jpeg[i + 2] << 8 | jpeg[i + 3]);
  }
  return 0;
}

// libjpeg gets over a picture that ends early and over scan data that decodes
// to nonsense with warnings only, which the decoder ignores: the picture keeps
// its size.
void ExpectWholeBanner(const std::optional<BgrImage>& image) {
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 600);
  EXPECT_EQ(image->height, 80);
  EXPECT_EQ(image->pixels.size(), image->stride * static_cast<std::size_t>(image->height));
}

TEST(BannerJpeg, DamagedScanDataStillDecodes) {
  const std::vector<unsigned char> jpeg = Banner();
  const std::size_t scan = ScanDataOffset(jpeg);
  ASSERT_NE(scan, 0u);
  {
    SCOPED_TRACE("cut in half");
    ExpectWholeBanner(DecodeJpeg(jpeg.data(), jpeg.size() / 2));
  }
  for (std::size_t step = 7; step < 40; step += 11) {
    SCOPED_TRACE(step);
    // Zero bytes never form a marker, so the damage stays inside the scan.
    std::vector<unsigned char> damaged = jpeg;
    for (std::size_t i = scan + step; i + 2 < jpeg.size(); i += step) damaged[i] = 0;
    ExpectWholeBanner(DecodeJpeg(damaged.data(), damaged.size()));
  }
}

TEST(BannerJpeg, SecondFrameInsideTheScanGivesNoPicture) {
  std::vector<unsigned char> jpeg = Banner();
  const std::size_t scan = ScanDataOffset(jpeg);
  ASSERT_NE(scan, 0u);
  const std::size_t at = scan + (jpeg.size() - scan) / 2;
  jpeg[at] = 0xFF;
  jpeg[at + 1] = 0xC0;
  EXPECT_FALSE(DecodeJpeg(jpeg.data(), jpeg.size()));
}

}  // namespace
}  // namespace raz
