#include "tools/artwork/Compose.h"

#include <algorithm>
#include <cmath>

namespace tarn::artwork {
namespace {

float Clamp01(float v) {
  return std::clamp(v, 0.f, 1.f);
}

// Pixels a shape of these float bounds may touch, one pixel of anti-aliasing around.
TRect Around(float left, float top, float right, float bottom) {
  return {static_cast<int>(std::floor(left)) - 1, static_cast<int>(std::floor(top)) - 1,
          static_cast<int>(std::ceil(right)) + 1, static_cast<int>(std::ceil(bottom)) + 1};
}

uint8_t ToByte(float v) {
  return static_cast<uint8_t>(std::lround(std::clamp(v, 0.f, 255.f)));
}

// One horizontal and one vertical running-sum pass of the given radius.
void BoxPass(std::vector<float>& v, int width, int height, int radius) {
  std::vector<float> line;
  const float scale = 1.f / static_cast<float>(2 * radius + 1);
  auto pass = [&](int count, int length, auto index) {
    line.resize(length);
    for (int i = 0; i < count; ++i) {
      for (int k = 0; k < length; ++k)
        line[k] = v[index(i, k)];
      float sum = 0;
      for (int k = -radius; k <= radius; ++k)
        sum += (k >= 0 && k < length) ? line[k] : 0.f;
      for (int k = 0; k < length; ++k) {
        v[index(i, k)] = sum * scale;
        const int out = k - radius, in = k + radius + 1;
        if (out >= 0) sum -= line[out];
        if (in < length) sum += line[in];
      }
    }
  };
  pass(height, width, [&](int row, int k) { return static_cast<std::size_t>(row) * width + k; });
  pass(width, height, [&](int col, int k) { return static_cast<std::size_t>(k) * width + col; });
}

}  // namespace

Rgba Mix(Rgba x, Rgba y, float t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
          x.a + (y.a - x.a) * t};
}

Paint Solid(Rgba c) {
  return [c](float, float) { return c; };
}

Rgba AtStop(const Stops& stops, float t) {
  if (t <= stops.front().first) return stops.front().second;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].first) {
      const float span = stops[i].first - stops[i - 1].first;
      return Mix(stops[i - 1].second, stops[i].second,
                 span > 0 ? (t - stops[i - 1].first) / span : 1.f);
    }
  }
  return stops.back().second;
}

Paint Linear(float x0, float y0, float x1, float y1, Stops stops) {
  const float dx = x1 - x0, dy = y1 - y0;
  const float length2 = std::max(dx * dx + dy * dy, 1e-6f);
  return [=, stops = std::move(stops)](float x, float y) {
    return AtStop(stops, ((x - x0) * dx + (y - y0) * dy) / length2);
  };
}

Paint Radial(float cx, float cy, float radius, Stops stops) {
  return [=, stops = std::move(stops)](float x, float y) {
    return AtStop(stops, std::hypot(x - cx, y - cy) / radius);
  };
}

Shape RoundBox(float left, float top, float right, float bottom, float radius) {
  const float cx = (left + right) / 2, cy = (top + bottom) / 2;
  const float hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
  return {[=](float x, float y) {
            const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
            const float outside = std::hypot(std::max(qx, 0.f), std::max(qy, 0.f));
            return outside + std::min(std::max(qx, qy), 0.f) - radius;
          },
          Around(left, top, right, bottom)};
}

Shape Circle(float cx, float cy, float radius) {
  return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; },
          Around(cx - radius, cy - radius, cx + radius, cy + radius)};
}

Shape Ring(float cx, float cy, float radius, float width) {
  return {
      [=](float x, float y) { return std::abs(std::hypot(x - cx, y - cy) - radius) - width / 2; },
      Around(cx - radius - width, cy - radius - width, cx + radius + width, cy + radius + width)};
}

Shape Segment(float x0, float y0, float x1, float y1, float width) {
  const float dx = x1 - x0, dy = y1 - y0;
  const float length2 = std::max(dx * dx + dy * dy, 1e-6f);
  const float h = width / 2;
  return {[=](float x, float y) {
            const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.f, 1.f);
            return std::hypot(x - x0 - t * dx, y - y0 - t * dy) - h;
          },
          Around(std::min(x0, x1) - h, std::min(y0, y1) - h, std::max(x0, x1) + h,
                 std::max(y0, y1) + h)};
}

Shape ConvexPolygon(std::vector<std::pair<float, float>> points) {
  float area = 0;
  float left = points[0].first, right = left, top = points[0].second, bottom = top;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto [x0, y0] = points[i];
    const auto [x1, y1] = points[(i + 1) % points.size()];
    area += x0 * y1 - x1 * y0;
    left = std::min(left, x0), right = std::max(right, x0);
    top = std::min(top, y0), bottom = std::max(bottom, y0);
  }
  // Each edge: its start, direction, length and outward unit normal.
  struct Edge {
    float x, y, dx, dy, length, nx, ny;
  };
  std::vector<Edge> edges;
  const float sign = area > 0 ? 1.f : -1.f;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto [x0, y0] = points[i];
    const auto [x1, y1] = points[(i + 1) % points.size()];
    const float length = std::max(std::hypot(x1 - x0, y1 - y0), 1e-6f);
    const float dx = (x1 - x0) / length, dy = (y1 - y0) / length;
    edges.push_back({x0, y0, dx, dy, length, sign * dy, -sign * dx});
  }
  // Inside, the distance to the nearest edge's line; outside, to the nearest edge itself (so a
  // grown polygon has round corners).
  return {[edges](float x, float y) {
            float inside = -1e9f, outside = 1e9f;
            for (const Edge& e : edges) {
              const float px = x - e.x, py = y - e.y;
              inside = std::max(inside, px * e.nx + py * e.ny);
              const float t = std::clamp(px * e.dx + py * e.dy, 0.f, e.length);
              outside = std::min(outside, std::hypot(px - t * e.dx, py - t * e.dy));
            }
            return inside <= 0 ? inside : outside;
          },
          Around(left, top, right, bottom)};
}

Shape Wave(float left, float right, float base, float amplitude, float period, float phase,
           float width) {
  constexpr float kTwoPi = 6.2831853f;
  const float k = kTwoPi / period;
  return {[=](float x, float y) {
            const float f = base + amplitude * std::sin(k * x + phase);
            const float slope = amplitude * k * std::cos(k * x + phase);
            return std::abs(y - f) / std::sqrt(1.f + slope * slope) - width / 2;
          },
          Around(left, base - amplitude - width, right, base + amplitude + width)};
}

Shape Intersect(Shape a, Shape b) {
  const TRect bounds = a.bounds.Intersect(b.bounds);
  return {[a = std::move(a.distance), b = std::move(b.distance)](float x, float y) {
            return std::max(a(x, y), b(x, y));
          },
          bounds};
}

Shape Subtract(Shape a, Shape b) {
  const TRect bounds = a.bounds;
  return {[a = std::move(a.distance), b = std::move(b.distance)](float x, float y) {
            return std::max(a(x, y), -b(x, y));
          },
          bounds};
}

Shape Union(Shape a, Shape b) {
  const TRect bounds = a.bounds.Union(b.bounds);
  return {[a = std::move(a.distance), b = std::move(b.distance)](float x, float y) {
            return std::min(a(x, y), b(x, y));
          },
          bounds};
}

Shape Grow(Shape a, float by) {
  const int margin = static_cast<int>(std::ceil(by));
  return {[a = std::move(a.distance), by](float x, float y) { return a(x, y) - by; },
          a.bounds.Inflate(margin, margin)};
}

void Mask::Blur(int radius) {
  if (radius <= 0) return;
  for (int i = 0; i < 3; ++i)
    BoxPass(v_, width_, height_, radius);
}

Mask Mask::Padded(int margin) const {
  Mask out(width_ + 2 * margin, height_ + 2 * margin);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      out.At(x + margin, y + margin) = At(x, y);
  return out;
}

Mask ShapeMask(const Shape& shape, int width, int height) {
  Mask mask(width, height);
  const TRect r = shape.bounds.Intersect({0, 0, width, height});
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      mask.At(x, y) = Clamp01(0.5f - shape.distance(x + 0.5f, y + 0.5f));
  return mask;
}

Image::Image(int width, int height)
    : width_(width),
      height_(height),
      px_(static_cast<std::size_t>(width) * height, Px{0, 0, 0, 0}) {}

void Image::Blend(int x, int y, Rgba c, float coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const float a = Clamp01(c.a * coverage);
  if (a <= 0) return;
  Px& p = px_[static_cast<std::size_t>(y) * width_ + x];
  const float keep = 1.f - a;
  p.r = c.r / 255.f * a + p.r * keep;
  p.g = c.g / 255.f * a + p.g * keep;
  p.b = c.b / 255.f * a + p.b * keep;
  p.a = a + p.a * keep;
}

Rgba Image::At(int x, int y) const {
  const Px& p = px_[static_cast<std::size_t>(y) * width_ + x];
  if (p.a <= 0) return {};
  return {p.r / p.a * 255.f, p.g / p.a * 255.f, p.b / p.a * 255.f, p.a};
}

void Image::Fill(const Paint& paint) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      Blend(x, y, paint(x + 0.5f, y + 0.5f));
}

void Image::Fill(const Shape& shape, const Paint& paint, float opacity) {
  const TRect r = shape.bounds.Intersect({0, 0, width_, height_});
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) {
      const float cx = x + 0.5f, cy = y + 0.5f;
      const float coverage = Clamp01(0.5f - shape.distance(cx, cy));
      if (coverage > 0) Blend(x, y, paint(cx, cy), coverage * opacity);
    }
  }
}

void Image::Fill(const Mask& mask, int x0, int y0, const Paint& paint, float opacity) {
  for (int y = 0; y < mask.Height(); ++y) {
    for (int x = 0; x < mask.Width(); ++x) {
      const float coverage = mask.At(x, y);
      if (coverage > 0)
        Blend(x0 + x, y0 + y, paint(x0 + x + 0.5f, y0 + y + 0.5f), coverage * opacity);
    }
  }
}

void Image::Draw(const Image& source, int x0, int y0, float opacity) {
  for (int y = 0; y < source.height_; ++y)
    for (int x = 0; x < source.width_; ++x)
      Blend(x0 + x, y0 + y, source.At(x, y), opacity);
}

void Image::Clip(const Mask& mask) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      Px& p = px_[static_cast<std::size_t>(y) * width_ + x];
      const float m = mask.Sample(x, y);
      p = {p.r * m, p.g * m, p.b * m, p.a * m};
    }
  }
}

void Image::Recolor(const TRect& rect, const std::function<Rgba(int, int, Rgba)>& f) {
  const TRect r = rect.Intersect({0, 0, width_, height_});
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) {
      Px& p = px_[static_cast<std::size_t>(y) * width_ + x];
      if (p.a <= 0) continue;
      const Rgba c = f(x, y, At(x, y));
      p = {c.r / 255.f * p.a, c.g / 255.f * p.a, c.b / 255.f * p.a, p.a};
    }
  }
}

void Image::Shadow(const Shape& shape, int dx, int dy, int blur, Rgba c) {
  const int margin = 3 * blur + 2;
  const TRect r = shape.bounds.Inflate(margin, margin);
  Mask mask(r.Width(), r.Height());
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      mask.At(x, y) = Clamp01(0.5f - shape.distance(r.Left + x + 0.5f, r.Top + y + 0.5f));
  mask.Blur(blur);
  Fill(mask, r.Left + dx, r.Top + dy, Solid(c));
}

Bitmap32 Image::ToBitmap() const {
  Bitmap32 out(width_, height_);
  for (int y = 0; y < height_; ++y) {
    Pixel32* row = out.ScanLine(y);
    for (int x = 0; x < width_; ++x) {
      const Rgba c = At(x, y);
      row[x] = static_cast<Pixel32>(ToByte(c.a * 255.f)) << 24 |
               static_cast<Pixel32>(ToByte(c.r)) << 16 | static_cast<Pixel32>(ToByte(c.g)) << 8 |
               ToByte(c.b);
    }
  }
  return out;
}

Image Image::FromBitmap(const Bitmap32& bitmap) {
  Image out(bitmap.Width(), bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    const Pixel32* row = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const Pixel32 p = row[x];
      out.Blend(x, y,
                Rgb(static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                    static_cast<int>(p & 0xFF), static_cast<float>(p >> 24) / 255.f));
    }
  }
  return out;
}

float Noise(int x, int y, unsigned seed) {
  uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
               seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return static_cast<float>(h & 0xFFFF) / 65535.f - 0.5f;
}

}  // namespace tarn::artwork
