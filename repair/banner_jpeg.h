// Decoding of the carried banner picture through the IJG libjpeg API.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace raz {

// A decoded picture: rows top-down, 3 bytes per pixel in blue, green, red
// order, each row padded to a multiple of 4 bytes (a Windows 24-bit DIB's rows).
struct BgrImage {
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
  std::vector<unsigned char> pixels;
};

// Decodes JPEG bytes. Data that libjpeg rejects, or a picture of more than
// kMaxJpegSide pixels on a side, gives nullopt; a libjpeg error never ends the
// process.
constexpr int kMaxJpegSide = 8192;
std::optional<BgrImage> DecodeJpeg(const unsigned char* data, std::size_t size);

}  // namespace raz
