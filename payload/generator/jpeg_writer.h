// Encodes an opaque image as a baseline JPEG through the IJG libjpeg API.
#pragma once

#include <cstdint>
#include <vector>

#include "payload/generator/raster.h"

namespace payload {

// Empty on failure. The same image and quality give the same bytes.
std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality);

}  // namespace payload
