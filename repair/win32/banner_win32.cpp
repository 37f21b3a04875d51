#include "repair/win32/banner_win32.h"

#include <cstring>

#include "repair/banner_jpeg.h"
#include "repair/ravelmend_resource_ids.h"

namespace raz {

UniqueHBitmap BitmapFromJpeg(const unsigned char* data, std::size_t size) {
  const std::optional<BgrImage> image = DecodeJpeg(data, size);
  if (!image) return {};
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image->width;
  info.bmiHeader.biHeight = -image->height;  // top-down rows, as decoded
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueHBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return {};
  std::memcpy(bits, image->pixels.data(), image->pixels.size());
  return bitmap;
}

UniqueHBitmap LoadBannerBitmap(HINSTANCE instance) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(RAZ_IDR_BANNER), RT_RCDATA);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(instance, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return BitmapFromJpeg(static_cast<const unsigned char*>(bytes), SizeofResource(instance, found));
}

}  // namespace raz
