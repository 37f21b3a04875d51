#include "payload/generator/ico_writer.h"

#include "payload/generator/palette.h"

namespace payload {
namespace {

class Bytes {
 public:
  explicit Bytes(std::vector<std::uint8_t>& out) : out_(out) {}
  void U8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(unsigned v) { U8(v & 0xFF), U8(v >> 8); }
  void U32(std::uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }

 private:
  std::vector<std::uint8_t>& out_;
};

int RowBytes(int width, int bits) { return (width * bits + 31) / 32 * 4; }
int PaletteEntries(int bits) { return bits == 4 ? 16 : bits == 8 ? 256 : 0; }

std::uint32_t BitmapSize(const IconImage& icon) {
  const int n = icon.pixels.width();
  return 40 + 4 * PaletteEntries(icon.bits) + (RowBytes(n, icon.bits) + RowBytes(n, 1)) * n;
}

void WriteBitmap(const IconImage& icon, std::vector<std::uint8_t>& out) {
  const Image& img = icon.pixels;
  const int n = img.width();
  Bytes b(out);
  b.U32(40);
  b.U32(n);
  b.U32(2 * n);  // XOR bitmap and AND mask stacked
  b.U16(1);
  b.U16(icon.bits);
  b.U32(0);  // BI_RGB
  b.U32((RowBytes(n, icon.bits) + RowBytes(n, 1)) * n);
  b.U32(0), b.U32(0), b.U32(0), b.U32(0);

  std::vector<Rgba> palette;
  if (icon.bits == 4) palette = StandardPalette16();
  if (icon.bits == 8) palette = ReducedPalette(img, 256);
  for (const Rgba& c : palette) b.U8(c.b), b.U8(c.g), b.U8(c.r), b.U8(0);

  auto transparent = [&](const Rgba& c) { return icon.bits == 32 ? c.a == 0 : c.a < kOpaqueAlpha; };
  for (int y = n - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(RowBytes(n, icon.bits)), 0);
    for (int x = 0; x < n; ++x) {
      const Rgba c = img.at(x, y);
      if (icon.bits == 32) {
        row[4 * x] = c.b, row[4 * x + 1] = c.g, row[4 * x + 2] = c.r, row[4 * x + 3] = c.a;
        continue;
      }
      const int index = transparent(c) ? 0 : NearestIndex(palette, c);
      if (icon.bits == 8) row[x] = static_cast<std::uint8_t>(index);
      else row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(RowBytes(n, 1)), 0);
    for (int x = 0; x < n; ++x)
      if (transparent(img.at(x, y))) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(const std::vector<IconImage>& images) {
  std::vector<std::uint8_t> out;
  Bytes b(out);
  b.U16(0);
  b.U16(1);  // icon
  b.U16(static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (const IconImage& icon : images) {
    const int n = icon.pixels.width();
    b.U8(n >= 256 ? 0 : n);
    b.U8(n >= 256 ? 0 : n);
    b.U8(icon.bits == 4 ? 16 : 0);
    b.U8(0);
    b.U16(1);
    b.U16(icon.bits);
    b.U32(BitmapSize(icon));
    b.U32(offset);
    offset += BitmapSize(icon);
  }
  for (const IconImage& icon : images) WriteBitmap(icon, out);
  return out;
}

}  // namespace payload
