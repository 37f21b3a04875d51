// Icons of the .ec, .edb, .fne and .lib file types.
#include <string_view>

#include "payload/generator/artwork.h"
#include "payload/generator/bitmap_font.h"

namespace payload {
namespace {

const Rgba kWhite = Opaque(255, 255, 255);

// Horizontal shading of a rounded solid: light a third of the way in, darker
// towards both edges.
Paint SideShade(double x0, double x1, Rgba light, Rgba dark) {
  return [=](int x, int) {
    const double h = x0 + (x1 - x0) * 0.35;
    const double far = (x + 0.5 < h) ? h - x0 : x1 - h;
    double t = (x + 0.5 - h) / far;
    if (t < 0) t = -t;
    if (t > 1) t = 1;
    return Mix(light, dark, static_cast<int>(t * 255), 255);
  };
}

// Letters centred in the box [x0, x1) x [y0, y1), small font at 16 pixels.
void CentredText(Canvas& c, std::string_view text, int x0, int y0, int x1, int y1, int scale, Rgba colour,
                 bool shadow) {
  const BitmapFont& font = c.size() <= 16 ? SmallFont() : LargeFont();
  const int x = (x0 + x1 - TextWidth(font, text, scale)) / 2;
  const int y = (y0 + y1 - font.height * scale) / 2;
  if (shadow) DrawText(c, font, x + 1, y + 1, scale, text, Rgba{0, 0, 0, 90});
  DrawText(c, font, x, y, scale, text, colour);
}

}  // namespace

Image DrawModuleIcon(int n) {
  Canvas c(n, n, true);
  const double m = BySize(n, 0.5, 1.5, 2), r = BySize(n, 3, 6, 9), bw = BySize(n, 1, 1, 1.5);
  const Rgba rim = Opaque(0x1B, 0x5E, 0x20), top = Opaque(0x6F, 0xC2, 0x6B), bottom = Opaque(0x2E, 0x7D, 0x32);
  c.Fill(RoundRect(m, m, n - m, n - m, r), rim);
  const Shape face = RoundRect(m + bw, m + bw, n - m - bw, n - m - bw, r - bw);
  c.Fill(face, [&](int, int y) { return Mix(top, bottom, y, n - 1); });
  c.Fill(Intersect(face, Ellipse(n / 2.0, m, n * 0.62, n * 0.36)), Rgba{255, 255, 255, 45});
  CentredText(c, "EC", 0, 0, n, n, n <= 16 ? 1 : 2, kWhite, n > 16);
  return c.image();
}

Image DrawDatabaseIcon(int n) {
  Canvas c(n, n, true);
  const double x0 = BySize(n, 2, 4.5, 7), x1 = n - x0, cx = n / 2.0, rx = (x1 - x0) / 2;
  const double ry = BySize(n, 2, 3.5, 5), bw = BySize(n, 1, 1, 1.5);
  const double top = BySize(n, 0.5, 1, 1.5) + ry, bottom = n - BySize(n, 0.5, 1, 1.5) - ry;
  const Rgba rim = Opaque(0x27, 0x3F, 0x60), light = Opaque(0x9C, 0xC0, 0xE8), dark = Opaque(0x3A, 0x62, 0x98);

  c.Fill(Union(RoundRect(x0 - bw, top, x1 + bw, bottom, 0), Ellipse(cx, bottom, rx + bw, ry + bw)), rim);
  c.Fill(Ellipse(cx, top, rx + bw, ry + bw), rim);
  c.Fill(Union(RoundRect(x0, top, x1, bottom, 0), Ellipse(cx, bottom, rx, ry)), SideShade(x0, x1, light, dark));
  // One disc boundary above the label.
  if (n > 16) {
    const double band = top + BySize(n, 0, 6, 8);
    c.Fill(Intersect(Minus(Ellipse(cx, band, rx, ry), Ellipse(cx, band - bw, rx, ry)),
                     RoundRect(0, band, n, n, 0)),
           Rgba{0x27, 0x3F, 0x60, 170});
  }
  c.Fill(Ellipse(cx, top, rx, ry), Opaque(0xC4, 0xDC, 0xF5));

  const int lx0 = static_cast<int>(BySize(n, 1, 2, 3)), lx1 = n - static_cast<int>(BySize(n, 2, 2, 3));
  const int ly0 = static_cast<int>(BySize(n, 7, 14, 23)), ly1 = static_cast<int>(BySize(n, 14, 25, 41));
  const double lbw = BySize(n, 0, 1, 1), lr = BySize(n, 1, 2, 3);
  if (lbw > 0) c.Fill(RoundRect(lx0, ly0, lx1, ly1, lr), Opaque(0xA8, 0x80, 0x00));
  c.Fill(RoundRect(lx0 + lbw, ly0 + lbw, lx1 - lbw, ly1 - lbw, lr - lbw), Opaque(0xFF, 0xD3, 0x3C));
  CentredText(c, "EDB", lx0, ly0, lx1, ly1, n >= 48 ? 2 : 1, Opaque(0x3A, 0x2A, 0x00), false);
  return c.image();
}

Image DrawSupportLibraryIcon(int n) {
  Canvas c(n, n, true);
  const double px0 = BySize(n, 2, 5, 8), px1 = BySize(n, 15, 28, 41);
  const double py0 = BySize(n, 0.5, 1, 2), py1 = BySize(n, 15.5, 31, 46);
  const double f = BySize(n, 4, 7, 10), bw = BySize(n, 1, 1, 1.5);
  const Rgba edge = Opaque(0x7A, 0x84, 0x92);
  c.Fill(Polygon({px0, py0, px1 - f, py0, px1, py0 + f, px1, py1, px0, py1}), edge);
  c.Fill(Polygon({px0 + bw, py0 + bw, px1 - f - bw * 0.4, py0 + bw, px1 - bw, py0 + f + bw * 0.4, px1 - bw,
                  py1 - bw, px0 + bw, py1 - bw}),
         Opaque(0xFF, 0xFF, 0xFF));
  c.Fill(Polygon({px1 - f, py0, px1 - f, py0 + f, px1, py0 + f}), Opaque(0xD9, 0xDF, 0xE7));
  c.Fill(Union(Capsule(px1 - f, py0 + bw / 2, px1 - f, py0 + f, bw), Capsule(px1 - f, py0 + f, px1 - bw / 2, py0 + f, bw)),
         edge);

  // The tab with the type's name.
  const int tx0 = static_cast<int>(BySize(n, 1, 2, 3)), tx1 = static_cast<int>(BySize(n, 15, 23, 30));
  const int ty0 = static_cast<int>(BySize(n, 1, 4, 6)), ty1 = static_cast<int>(BySize(n, 8, 13, 19));
  c.Fill(RoundRect(tx0, ty0, tx1, ty1, BySize(n, 1, 1.5, 2)), Opaque(0xD8, 0x4A, 0x18));
  CentredText(c, "FNE", tx0, ty0, tx1, ty1, 1, kWhite, false);

  // A large lower-case e: a ring with a bar, open at the lower right; at 16
  // pixels the 5 x 7 font's e, which stays crisper.
  const Rgba blue = Opaque(0x1E, 0x5A, 0xC8);
  if (n <= 16) {
    DrawText(c, LargeFont(), 6, 8, 1, "e", blue);
    return c.image();
  }
  const double cx = BySize(n, 8.5, 16.5, 24.5), cy = BySize(n, 12, 22.5, 33.5);
  const double r = BySize(n, 3.5, 7.2, 10.5), w = BySize(n, 1.5, 2.6, 3.8);
  const Shape ring = Minus(Ellipse(cx, cy, r, r), Ellipse(cx, cy, r - w, r - w));
  const Shape bar = RoundRect(cx - r + w / 2, cy - w / 2, cx + r - w / 3, cy + w / 2, 0);
  const Shape opening = Polygon({cx, cy + w / 2, cx + r + 1, cy + w / 2, cx + r + 1, cy + r * 0.8});
  c.Fill(Minus(Union(ring, bar), opening), blue);
  return c.image();
}

Image DrawStaticLibraryIcon(int n) {
  Canvas c(n, n, true);
  const Rgba colours[3] = {Opaque(0x2E, 0x3B, 0x52), Opaque(0x23, 0x48, 0x36), Opaque(0x52, 0x26, 0x2E)};
  const double w = BySize(n, 4, 9, 13), gap = BySize(n, 1, 1.5, 2), start = BySize(n, 1, 1, 2.5);
  const double y0 = BySize(n, 1, 2, 3), y1 = BySize(n, 15, 30, 45), r = BySize(n, 0.5, 1, 1.5);
  const double inset = BySize(n, 1, 2, 3), plateTop = BySize(n, 3, 6, 9), plateBottom = BySize(n, 6, 13, 19);
  const double holeY = BySize(n, 11.5, 23.5, 35.5), holeR = BySize(n, 1, 1.8, 2.6);
  const double band = BySize(n, 1, 1, 1.5);
  for (int i = 0; i < 3; ++i) {
    const double x = start + i * (w + gap);
    const Rgba light = Mix(colours[i], kWhite, 70, 255), dark = Mix(colours[i], Opaque(0, 0, 0), 90, 255);
    c.Fill(RoundRect(x, y0, x + w, y1, r), SideShade(x, x + w, light, dark));
    c.Fill(RoundRect(x, y0 + BySize(n, 1, 2, 3), x + w, y0 + BySize(n, 1, 2, 3) + band, 0), Rgba{255, 255, 255, 60});
    c.Fill(RoundRect(x, y1 - BySize(n, 2, 4, 6), x + w, y1 - BySize(n, 2, 4, 6) + band, 0), Rgba{255, 255, 255, 60});
    c.Fill(RoundRect(x + inset, plateTop, x + w - inset, plateBottom, BySize(n, 0, 0.8, 1)), Opaque(0xEE, 0xEC, 0xE2));
    if (n > 16) {
      const double lx0 = x + inset + BySize(n, 0, 1, 1.5), lx1 = x + w - inset - BySize(n, 0, 1, 1.5);
      c.Fill(RoundRect(lx0, plateTop + BySize(n, 0, 2, 3), lx1, plateTop + BySize(n, 0, 3, 4), 0), Opaque(0x8A, 0x8A, 0x8A));
      c.Fill(RoundRect(lx0, plateTop + BySize(n, 0, 4, 6), lx1, plateTop + BySize(n, 0, 5, 7), 0), Opaque(0x8A, 0x8A, 0x8A));
      c.Fill(Ellipse(x + w / 2, holeY, holeR, holeR), Opaque(0xC8, 0xC8, 0xC8));
      c.Fill(Ellipse(x + w / 2, holeY, holeR * 0.55, holeR * 0.55), dark);
    } else {
      c.Fill(RoundRect(x + inset, holeY - 0.5, x + w - inset, holeY + 0.5, 0), Opaque(0xC8, 0xC8, 0xC8));
    }
  }
  return c.image();
}

}  // namespace payload
