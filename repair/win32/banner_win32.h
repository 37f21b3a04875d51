// The banner picture 图片框1: the JPEG carried as RCDATA, decoded at start.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"

namespace raz {

// A 24-bit DIB section of the carried banner, or an empty owner when the
// resource is missing or does not decode.
UniqueHBitmap LoadBannerBitmap(HINSTANCE instance);

// A 24-bit top-down DIB section of JPEG bytes, or an empty owner.
UniqueHBitmap BitmapFromJpeg(const unsigned char* data, std::size_t size);

}  // namespace raz
