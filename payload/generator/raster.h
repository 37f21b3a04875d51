// Pixel images and the few filled shapes the artwork is made of.
//
// Shapes are tests "is this point inside?", evaluated at 4 x 4 sample points
// per pixel (or at the pixel centre only when anti-aliasing is off, as for the
// 16-colour images, whose palette has no in-between shades). A pixel's
// coverage scales the paint's alpha before it is laid over what is there.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace payload {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

constexpr Rgba Opaque(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return Rgba{r, g, b, 255}; }

// Straight (not premultiplied) colour, row 0 at the top.
class Image {
 public:
  Image(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height) {}
  int width() const { return width_; }
  int height() const { return height_; }
  Rgba& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  const Rgba& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

 private:
  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

// Inside test of a shape, in pixel coordinates (pixel x covers [x, x+1)).
using Shape = std::function<bool(double x, double y)>;
// Colour of the paint at a pixel.
using Paint = std::function<Rgba(int x, int y)>;

Shape RoundRect(double x0, double y0, double x1, double y1, double radius);
Shape Ellipse(double cx, double cy, double rx, double ry);
// A thick segment with round ends.
Shape Capsule(double x0, double y0, double x1, double y1, double width);
// Even-odd filled polygon; points as x0, y0, x1, y1, ...
Shape Polygon(std::vector<double> points);
Shape Minus(Shape a, Shape b);
Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);

// Lays `over` onto `under` (straight alpha "over" operator).
Rgba Blend(Rgba under, Rgba over);

class Canvas {
 public:
  Canvas(int width, int height, bool antialias) : image_(width, height), antialias_(antialias) {}
  Image& image() { return image_; }
  int size() const { return image_.width(); }

  void Fill(const Shape& shape, Rgba colour);
  void Fill(const Shape& shape, const Paint& paint);
  // Whole-pixel rectangle, no sampling: [x0, x1) x [y0, y1).
  void FillPixels(int x0, int y0, int x1, int y1, Rgba colour);
  // Lays a whole image over the canvas with its top-left corner at (x, y).
  void Draw(const Image& image, int x, int y);

 private:
  Image image_;
  bool antialias_;
};

// Straight interpolation between two colours, t in [0, den].
Rgba Mix(Rgba a, Rgba b, int t, int den);

}  // namespace payload
