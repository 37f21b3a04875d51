// The .e and .e8 icons and the two program icons.
#include <cmath>

#include "payload/generator/artwork.h"
#include "payload/generator/bitmap_font.h"

namespace payload {
namespace {

// Colours of the standard 16-colour palette used by the sharp-edged images.
const Rgba kBlack = Opaque(0, 0, 0);
const Rgba kWhite = Opaque(255, 255, 255);
const Rgba kSilver = Opaque(192, 192, 192);
const Rgba kGrey = Opaque(128, 128, 128);
const Rgba kBlue = Opaque(0, 0, 255);
const Rgba kNavy = Opaque(0, 0, 128);
const Rgba kTeal = Opaque(0, 128, 128);

// A 16 x 16 picture from rows of letters: K black, W white, S silver, G grey,
// B blue, N navy, T teal; anything else is transparent.
Image FromRows(const char* const rows[16]) {
  Image image(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      switch (rows[y][x]) {
        case 'K': image.at(x, y) = kBlack; break;
        case 'W': image.at(x, y) = kWhite; break;
        case 'S': image.at(x, y) = kSilver; break;
        case 'G': image.at(x, y) = kGrey; break;
        case 'B': image.at(x, y) = kBlue; break;
        case 'N': image.at(x, y) = kNavy; break;
        case 'T': image.at(x, y) = kTeal; break;
        default: break;
      }
    }
  return image;
}

}  // namespace

Image DrawSourceFileIcon() {
  static const char* const rows[16] = {
      "..KKKKKKKKK.....", "..KWWWWWWWKK....", "..KWWWWWWWKSK...", "..KWWWWWWWKKKK..",
      "..KWWWWWWWWWWK..", "..KWWWBBBBWWWK..", "..KWWBBWWBBWWK..", "..KWBBWWWWBBWK..",
      "..KWBBBBBBBBWK..", "..KWBBWWWWWWWK..", "..KWBBWWWWWWWK..", "..KWWBBWWWBBWK..",
      "..KWWWBBBBBWWK..", "..KWWWWWWWWWWK..", "..KWWWWWWWWWWK..", "..KKKKKKKKKKKK..",
  };
  return FromRows(rows);
}

Image DrawConfigFileIcon() {
  static const char* const rows[16] = {
      "..KKKKKKKKK.....", "..KWWWWWWWKK....", "..KWGGGGWWKSK...", "..KWWWWWWWKKKK..",
      "..KWGGGGGGGGWK..", "..KWWWWWWWWWWK..", "..KWGGGGGGWWWK..", "..KWWWWWWWWWWK..",
      "..KWWWWWWWWWWK..", "..KWWWWWWWWWWK..", "..KWWWWWWWWWWK..", "..KWWWWWWWWWWK..",
      "..KWWWWWWWWWWK..", "..KWWWWWWWWWWK..", "..KWWWWWWWWWWK..", "..KKKKKKKKKKKK..",
  };
  Canvas c(16, 16, false);
  c.Draw(FromRows(rows), 0, 0);
  DrawText(c, SmallFont(), 4, 8, 1, "e", kBlue);
  DrawText(c, SmallFont(), 8, 8, 1, "8", kTeal);
  return c.image();
}

Image DrawRepairIcon(int n, bool antialias) {
  Canvas c(n, n, antialias);
  const double s = n / 48.0;
  const double ow = antialias ? 1.5 * s : std::fmax(1.0, std::floor(1.5 * s));

  // The page, with a folded corner and lines of text.
  const double px0 = 5 * s, px1 = 37 * s, py0 = 1 * s, py1 = 47 * s, f = 10 * s;
  c.Fill(Polygon({px0, py0, px1 - f, py0, px1, py0 + f, px1, py1, px0, py1}), kBlack);
  c.Fill(Polygon({px0 + ow, py0 + ow, px1 - f - ow * 0.4, py0 + ow, px1 - ow, py0 + f + ow * 0.4, px1 - ow, py1 - ow,
                  px0 + ow, py1 - ow}),
         kWhite);
  c.Fill(Polygon({px1 - f, py0, px1 - f, py0 + f, px1, py0 + f}), kSilver);
  c.Fill(Union(RoundRect(px1 - f, py0, px1 - f + ow, py0 + f, 0), RoundRect(px1 - f, py0 + f - ow, px1, py0 + f, 0)),
         kBlack);
  const double lw = std::fmax(1.0, std::round(2 * s));
  for (int i = 0; i < 5; ++i) {
    const double y = std::round((14 + 6 * i) * s);
    const double right = (i % 2 == 0 ? 31 : 25) * s;
    c.Fill(RoundRect(std::round(10 * s), y, std::round(right), y + lw, 0), kNavy);
  }

  // The wrench: a handle from the lower left up to an open jaw at the upper right.
  const double ax = 13 * s, ay = 41 * s, hx = BySize(n, 11.5, 24, 36), hy = BySize(n, 4.5, 10.5, 16);
  const double head = BySize(n, 3.4, 5.7, 8.5), handle = BySize(n, 2.4, 4.7, 7), jaw = BySize(n, 1.3, 2.1, 3.2);
  const double len = std::sqrt((hx - ax) * (hx - ax) + (hy - ay) * (hy - ay));
  const double dx = (hx - ax) / len, dy = (hy - ay) / len;
  auto slot = [&](double halfWidth) {
    const double nx = -dy * halfWidth, ny = dx * halfWidth;
    const double bx = hx - dx * 1.5 * s, by = hy - dy * 1.5 * s, ex = hx + dx * 14 * s, ey = hy + dy * 14 * s;
    return Polygon({bx + nx, by + ny, ex + nx, ey + ny, ex - nx, ey - ny, bx - nx, by - ny});
  };
  c.Fill(Minus(Union(Capsule(ax, ay, hx, hy, handle + 2 * ow), Ellipse(hx, hy, head + ow, head + ow)),
               slot(jaw - ow)),
         kBlack);
  c.Fill(Minus(Union(Capsule(ax, ay, hx, hy, handle), Ellipse(hx, hy, head, head)), slot(jaw)), kGrey);
  if (n > 16) c.Fill(Capsule(ax + dy * 1.2 * s, ay - dx * 1.2 * s, hx - dx * 6 * s, hy - dy * 6 * s, 2 * s), kSilver);
  return c.image();
}

Image DrawViewerIcon(int n) {
  Canvas c(n, n, true);
  const double s = n / 48.0;
  auto px = [&](double v) { return std::round(v * s); };
  const Rgba frame = Opaque(0x34, 0x48, 0x68), header = Opaque(0x3C, 0x78, 0xD8), rule = Opaque(0xA9, 0xBC, 0xD6);

  // The table: a header row and a grid of cells.
  const double x0 = px(2), x1 = px(40), y0 = px(4), y1 = px(38), one = std::fmax(1.0, px(1));
  c.Fill(RoundRect(x0, y0, x1, y1, BySize(n, 0.5, 1.5, 2)), frame);
  c.Fill(RoundRect(x0 + one, y0 + one, x1 - one, y1 - one, 0), Opaque(0xFF, 0xFF, 0xFF));
  c.Fill(RoundRect(x0 + one, y0 + one, x1 - one, px(12), 0), header);
  for (double col : {14.0, 27.0}) c.Fill(RoundRect(px(col), px(12), px(col) + one, y1 - one, 0), rule);
  for (double row : {20.0, 28.0}) c.Fill(RoundRect(x0 + one, px(row), x1 - one, px(row) + one, 0), rule);

  // The magnifier over the lower right.
  const double cx = 30.5 * s, cy = 29.5 * s, r = BySize(n, 5, 10, 10.5), ring = BySize(n, 1.5, 2.5, 3.2);
  c.Fill(Capsule(cx + r * 0.7, cy + r * 0.7, 45 * s, 45 * s, BySize(n, 2.6, 4.5, 6)), Opaque(0x3B, 0x2A, 0x20));
  c.Fill(Ellipse(cx, cy, r, r), Opaque(0x26, 0x2B, 0x36));
  c.Fill(Ellipse(cx, cy, r - ring, r - ring), Rgba{0xBF, 0xE3, 0xFF, 200});
  if (n > 16) c.Fill(Minus(Ellipse(cx - 1 * s, cy - 1 * s, r - ring - 2 * s, r - ring - 2 * s),
                           Ellipse(cx + 0.5 * s, cy + 0.5 * s, r - ring - 2 * s, r - ring - 2 * s)),
                     Rgba{255, 255, 255, 200});
  return c.image();
}

}  // namespace payload
