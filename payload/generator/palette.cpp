#include "payload/generator/palette.h"

#include <map>
#include <tuple>

namespace payload {

const std::vector<Rgba>& StandardPalette16() {
  static const std::vector<Rgba> palette = {
      Opaque(0, 0, 0),       Opaque(128, 0, 0),   Opaque(0, 128, 0),   Opaque(128, 128, 0),
      Opaque(0, 0, 128),     Opaque(128, 0, 128), Opaque(0, 128, 128), Opaque(192, 192, 192),
      Opaque(128, 128, 128), Opaque(255, 0, 0),   Opaque(0, 255, 0),   Opaque(255, 255, 0),
      Opaque(0, 0, 255),     Opaque(255, 0, 255), Opaque(0, 255, 255), Opaque(255, 255, 255),
  };
  return palette;
}

std::vector<Rgba> ReducedPalette(const Image& image, int entries) {
  struct Sum {
    long r = 0, g = 0, b = 0, n = 0;
  };
  std::map<std::tuple<int, int, int>, Sum> buckets;
  for (int drop = 0; drop <= 8; ++drop) {
    buckets.clear();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const Rgba c = image.at(x, y);
        if (c.a < kOpaqueAlpha) continue;
        Sum& s = buckets[{c.r >> drop, c.g >> drop, c.b >> drop}];
        s.r += c.r, s.g += c.g, s.b += c.b, ++s.n;
      }
    if (static_cast<int>(buckets.size()) < entries) break;  // entry 0 stays black
  }
  std::vector<Rgba> palette(static_cast<std::size_t>(entries), Opaque(0, 0, 0));
  std::size_t i = 1;
  for (const auto& [key, s] : buckets)
    palette[i++] = Opaque(static_cast<std::uint8_t>((s.r + s.n / 2) / s.n), static_cast<std::uint8_t>((s.g + s.n / 2) / s.n),
                          static_cast<std::uint8_t>((s.b + s.n / 2) / s.n));
  return palette;
}

int NearestIndex(const std::vector<Rgba>& palette, Rgba colour) {
  int best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const long dr = palette[i].r - colour.r, dg = palette[i].g - colour.g, db = palette[i].b - colour.b;
    const long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) best = static_cast<int>(i), bestDistance = d;
  }
  return best;
}

}  // namespace payload
