// The artwork's drawing model: pictures are composed in floating point (premultiplied RGBA,
// 0..1) from anti-aliased shapes given as signed-distance functions, filled with paints
// (solid colours, gradients), so that layers blend without rounding until a picture is written
// out as a 32-bit bitmap. Everything is deterministic: no clock, no library random numbers.
#pragma once

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "base/Geometry.h"
#include "graphics/Bitmap32.h"

namespace tarn::artwork {

// A colour with straight alpha: channels 0..255, alpha 0..1.
struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;
};
constexpr Rgba Rgb(int r, int g, int b, float a = 1.f) {
  return {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), a};
}
// 0xRRGGBB as colour pickers write it.
constexpr Rgba Hex(unsigned rgb, float a = 1.f) {
  return Rgb(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
             static_cast<int>(rgb & 0xFF), a);
}
// A colour value of the window's controls, 0x00BBGGRR.
constexpr Rgba FromTColor(unsigned bgr) {
  return Rgb(static_cast<int>(bgr & 0xFF), static_cast<int>(bgr >> 8 & 0xFF),
             static_cast<int>(bgr >> 16 & 0xFF));
}
Rgba Mix(Rgba x, Rgba y, float t);  // t = 0 gives x
inline Rgba Alpha(Rgba c, float a) {
  return {c.r, c.g, c.b, c.a * a};
}

// A paint gives the colour at a point (pixel centres are at +0.5).
using Paint = std::function<Rgba(float x, float y)>;
Paint Solid(Rgba c);
using Stops = std::vector<std::pair<float, Rgba>>;  // positions 0..1, ascending
Rgba AtStop(const Stops& stops, float t);
Paint Linear(float x0, float y0, float x1, float y1, Stops stops);
Paint Radial(float cx, float cy, float radius, Stops stops);

// A shape: signed distance in pixels (negative inside), and the box outside which it is empty.
struct Shape {
  std::function<float(float x, float y)> distance;
  TRect bounds;
};
Shape RoundBox(float left, float top, float right, float bottom, float radius);
Shape Circle(float cx, float cy, float radius);
Shape Ring(float cx, float cy, float radius, float width);
Shape Segment(float x0, float y0, float x1, float y1, float width);  // round caps
Shape ConvexPolygon(std::vector<std::pair<float, float>> points);    // any winding
// A gentle sine wave across [left, right): y = base + amplitude sin(2 pi x / period + phase).
Shape Wave(float left, float right, float base, float amplitude, float period, float phase,
           float width);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
Shape Union(Shape a, Shape b);
Shape Grow(Shape a, float by);  // rounds corners outward: the shape grown by `by` pixels

// Coverage 0..1 per pixel.
class Mask {
 public:
  Mask() = default;
  Mask(int width, int height) : width_(width), height_(height), v_(width * height, 0.f) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  float& At(int x, int y) { return v_[static_cast<std::size_t>(y) * width_ + x]; }
  float At(int x, int y) const { return v_[static_cast<std::size_t>(y) * width_ + x]; }
  float Sample(int x, int y) const {  // 0 outside
    return x < 0 || y < 0 || x >= width_ || y >= height_ ? 0.f : At(x, y);
  }
  // Three box passes of the given radius: close to a Gaussian of that spread.
  void Blur(int radius);
  // A copy grown by `margin` on every side (room for a blur).
  Mask Padded(int margin) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<float> v_;
};

Mask ShapeMask(const Shape& shape, int width, int height);

class Image {
 public:
  Image(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Colour `c` over pixel (x, y) with the given coverage; nothing outside the picture.
  void Blend(int x, int y, Rgba c, float coverage = 1.f);
  Rgba At(int x, int y) const;  // straight alpha
  void Fill(const Paint& paint);
  void Fill(const Shape& shape, const Paint& paint, float opacity = 1.f);
  // The mask's pixels placed with its top-left at (x, y).
  void Fill(const Mask& mask, int x, int y, const Paint& paint, float opacity = 1.f);
  void Draw(const Image& source, int x, int y, float opacity = 1.f);
  // Multiplies the alpha of every pixel by the mask (same size) — cuts the picture to a shape.
  void Clip(const Mask& mask);
  // Every pixel's colour through f(x, y, colour) (alpha is kept), inside the rectangle.
  void Recolor(const TRect& rect, const std::function<Rgba(int, int, Rgba)>& f);
  // A soft shadow of a shape: blurred, offset, in colour c.
  void Shadow(const Shape& shape, int dx, int dy, int blur, Rgba c);

  // Bytes rounded to nearest; an opaque picture writes alpha 255 everywhere.
  Bitmap32 ToBitmap() const;
  static Image FromBitmap(const Bitmap32& bitmap);

 private:
  struct Px {
    float r, g, b, a;  // premultiplied, 0..1
  };
  int width_, height_;
  std::vector<Px> px_;
};

// A tiny deterministic hash noise in -0.5..0.5, for film grain and dithering gradients so they
// do not band.
float Noise(int x, int y, unsigned seed);

}  // namespace tarn::artwork
