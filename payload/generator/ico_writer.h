// Windows icon files (.ico): a directory of images, each stored as an
// uncompressed bitmap (BITMAPINFOHEADER with doubled height, optional colour
// table, bottom-up XOR bitmap, 1-bit AND mask with rows padded to 4 bytes).
#pragma once

#include <cstdint>
#include <vector>

#include "payload/generator/raster.h"

namespace payload {

struct IconImage {
  Image pixels;  // square
  int bits;      // 4 (standard 16 colours), 8 (256-entry palette) or 32 (BGRA)
};

// The icon file of `images`, in the order given.
std::vector<std::uint8_t> EncodeIco(const std::vector<IconImage>& images);

}  // namespace payload
