#include "payload/generator/raster.h"

#include <algorithm>
#include <utility>

namespace payload {

Shape RoundRect(double x0, double y0, double x1, double y1, double radius) {
  return [=](double x, double y) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    const double cx = std::clamp(x, x0 + radius, x1 - radius);
    const double cy = std::clamp(y, y0 + radius, y1 - radius);
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
  };
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  };
}

Shape Capsule(double x0, double y0, double x1, double y1, double width) {
  const double r2 = width * width / 4;
  return [=](double x, double y) {
    const double vx = x1 - x0, vy = y1 - y0;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((x - x0) * vx + (y - y0) * vy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
    return dx * dx + dy * dy <= r2;
  };
}

Shape Polygon(std::vector<double> points) {
  return [pts = std::move(points)](double x, double y) {
    bool inside = false;
    const std::size_t n = pts.size() / 2;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const double xi = pts[2 * i], yi = pts[2 * i + 1];
      const double xj = pts[2 * j], yj = pts[2 * j + 1];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
  };
}

Shape Minus(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

Shape Union(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Intersect(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && b(x, y); };
}

Rgba Blend(Rgba under, Rgba over) {
  const int sa = over.a;
  const int da = under.a * (255 - sa) / 255;
  const int oa = sa + da;
  if (oa == 0) return Rgba{};
  auto channel = [&](int s, int d) { return static_cast<std::uint8_t>((s * sa + d * da + oa / 2) / oa); };
  return Rgba{channel(over.r, under.r), channel(over.g, under.g), channel(over.b, under.b),
              static_cast<std::uint8_t>(oa)};
}

Rgba Mix(Rgba a, Rgba b, int t, int den) {
  auto lerp = [&](int u, int v) { return static_cast<std::uint8_t>((u * (den - t) + v * t + den / 2) / den); };
  return Rgba{lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
}

void Canvas::Fill(const Shape& shape, Rgba colour) {
  Fill(shape, [colour](int, int) { return colour; });
}

void Canvas::Fill(const Shape& shape, const Paint& paint) {
  constexpr int kGrid = 4;
  const int samples = antialias_ ? kGrid * kGrid : 1;
  for (int y = 0; y < image_.height(); ++y) {
    for (int x = 0; x < image_.width(); ++x) {
      int hits = 0;
      if (antialias_) {
        for (int j = 0; j < kGrid; ++j)
          for (int i = 0; i < kGrid; ++i)
            hits += shape(x + (i + 0.5) / kGrid, y + (j + 0.5) / kGrid) ? 1 : 0;
      } else {
        hits = shape(x + 0.5, y + 0.5) ? 1 : 0;
      }
      if (hits == 0) continue;
      Rgba c = paint(x, y);
      c.a = static_cast<std::uint8_t>((c.a * hits + samples / 2) / samples);
      image_.at(x, y) = Blend(image_.at(x, y), c);
    }
  }
}

void Canvas::FillPixels(int x0, int y0, int x1, int y1, Rgba colour) {
  for (int y = std::max(y0, 0); y < std::min(y1, image_.height()); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, image_.width()); ++x)
      image_.at(x, y) = Blend(image_.at(x, y), colour);
}

void Canvas::Draw(const Image& image, int x, int y) {
  for (int j = 0; j < image.height(); ++j)
    for (int i = 0; i < image.width(); ++i) {
      const int tx = x + i, ty = y + j;
      if (tx < 0 || ty < 0 || tx >= image_.width() || ty >= image_.height()) continue;
      image_.at(tx, ty) = Blend(image_.at(tx, ty), image.at(i, j));
    }
}

}  // namespace payload
