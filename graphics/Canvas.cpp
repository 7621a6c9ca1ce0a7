// Canvas primitives. Each one follows the same shape: translate to device coordinates, clip to
// the bitmap, the canvas clip and the bitmap's clip, return early when nothing is left, then
// fill rows.
#include "graphics/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/StretchMap.h"

namespace tarn {

Canvas::Canvas(Bitmap32& target) : target_(&target) {}
Canvas::~Canvas() = default;

// ---- State and clipping -------------------------------------------------------------------

void Canvas::SelectClip(const Region& logical) {
  auto device = std::make_unique<Region>(logical);
  device->Offset(origin_.X, origin_.Y);
  clip_ = std::move(device);
}

void Canvas::RemoveClip() {
  clip_.reset();
}

void Canvas::ExcludeClipRect(const TRect& logical) {
  if (!clip_) clip_ = std::make_unique<Region>(target_->BoundsRect());
  *clip_ -= Region(ToDevice(logical));
}

void Canvas::IntersectClipRect(const TRect& logical) {
  if (!clip_)
    clip_ = std::make_unique<Region>(ToDevice(logical));
  else
    *clip_ &= Region(ToDevice(logical));
}

TRect Canvas::ClipBounds() const {
  TRect r = target_->BoundsRect();
  if (clip_) r = r.Intersect(clip_->Bounds());
  if (const Region* bc = target_->Clip()) r = r.Intersect(bc->Bounds());
  return r.IsEmpty() ? TRect{} : r.Offset(-origin_.X, -origin_.Y);
}

bool Canvas::IsVisible(const TRect& logical) const {
  bool any = false;
  ForEachVisible(ToDevice(logical), [&](const TRect&) { any = true; });
  return any;
}

void Canvas::Save() {
  saved_.push_back(State{origin_, clip_ ? std::make_unique<Region>(*clip_) : nullptr, pen, brush,
                         font, pen_pos_});
}

void Canvas::Restore() {
  if (saved_.empty()) return;
  State& s = saved_.back();
  origin_ = s.origin;
  clip_ = std::move(s.clip);
  pen = s.pen;
  brush = s.brush;
  font = std::move(s.font);
  pen_pos_ = s.pen_pos;
  saved_.pop_back();
}

// ---- Pixels and rectangles ----------------------------------------------------------------

void Canvas::FillDevice(const TRect& device, Pixel32 pixel) {
  ForEachVisible(device, [&](const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
      std::fill_n(target_->ScanLine(y) + r.Left, r.Width(), pixel);
  });
}

void Canvas::FillRegionDevice(const Region& device, Pixel32 pixel) {
  device.ForEachRectIn(target_->BoundsRect(), [&](const TRect& r) { FillDevice(r, pixel); });
}

void Canvas::SetPixel(int x, int y, TColor color) {
  if (color == clNone) return;
  FillDevice(ToDevice({x, y, x + 1, y + 1}), ColorToPixel(color));
}

TColor Canvas::GetPixel(int x, int y) const {
  const int dx = x + origin_.X, dy = y + origin_.Y;
  if (!target_->BoundsRect().Contains(TPoint{dx, dy})) return clNone;
  return PixelToColor(target_->PixelAt(dx, dy));
}

void Canvas::FillRect(const TRect& rect) {
  if (brush.Style == BrushStyle::Clear) return;
  FillRect(rect, brush.Color);
}

void Canvas::FillRect(const TRect& rect, TColor color) {
  if (color == clNone) return;
  FillDevice(ToDevice(rect), ColorToPixel(color));
}

void Canvas::FrameRect(const TRect& rect) {
  if (brush.Style == BrushStyle::Clear) return;
  FrameRect(rect, brush.Color);
}

void Canvas::FrameRect(const TRect& rect, TColor color) {
  if (rect.IsEmpty() || color == clNone) return;
  const Pixel32 p = ColorToPixel(color);
  const TRect d = ToDevice(rect);
  FillDevice({d.Left, d.Top, d.Right, d.Top + 1}, p);
  FillDevice({d.Left, d.Bottom - 1, d.Right, d.Bottom}, p);
  FillDevice({d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, p);
  FillDevice({d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1}, p);
}

void Canvas::Rectangle(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const bool outline = pen.Style != PenStyle::Clear && pen.Color != clNone;
  const int w = outline ? std::max(1, pen.Width) : 0;
  if (brush.Style != BrushStyle::Clear) FillRect(rect.Inflate(-w, -w), brush.Color);
  if (!outline) return;
  const TRect d = ToDevice(rect);
  const Pixel32 p = ColorToPixel(pen.Color);
  const int wy = std::min(w, (d.Height() + 1) / 2), wx = std::min(w, (d.Width() + 1) / 2);
  FillDevice({d.Left, d.Top, d.Right, d.Top + wy}, p);
  FillDevice({d.Left, d.Bottom - wy, d.Right, d.Bottom}, p);
  FillDevice({d.Left, d.Top + wy, d.Left + wx, d.Bottom - wy}, p);
  FillDevice({d.Right - wx, d.Top + wy, d.Right, d.Bottom - wy}, p);
}

void Canvas::DrawFocusRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const TRect d = ToDevice(rect);
  // The border's pixels, each once, on the dot grid of the device (x + y even).
  auto invert = [&](int x, int y) {
    if ((x + y) % 2 != 0) return;
    ForEachVisible({x, y, x + 1, y + 1},
                   [&](const TRect&) { target_->ScanLine(y)[x] ^= 0x00FFFFFF; });
  };
  for (int x = d.Left; x < d.Right; ++x) {
    invert(x, d.Top);
    if (d.Bottom - 1 > d.Top) invert(x, d.Bottom - 1);
  }
  for (int y = d.Top + 1; y < d.Bottom - 1; ++y) {
    invert(d.Left, y);
    if (d.Right - 1 > d.Left) invert(d.Right - 1, y);
  }
}

void Canvas::Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width) {
  for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
    const TRect d = ToDevice(rect);
    // Top row and left column in topLeft; the bottom row and right column, with the top-right
    // and bottom-left corner pixels, in bottomRight.
    if (topLeft != clNone) {
      const Pixel32 p = ColorToPixel(topLeft);
      FillDevice({d.Left, d.Top, d.Right - 1, d.Top + 1}, p);
      FillDevice({d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, p);
    }
    if (bottomRight != clNone) {
      const Pixel32 p = ColorToPixel(bottomRight);
      FillDevice({d.Right - 1, d.Top, d.Right, d.Bottom}, p);
      FillDevice({d.Left, d.Bottom - 1, d.Right - 1, d.Bottom}, p);
    }
    rect = rect.Inflate(-1, -1);
  }
  if (rect.IsEmpty()) rect = {rect.Left, rect.Top, rect.Left, rect.Top};
}

void Canvas::FillRegion(const Region& logical, TColor color) {
  if (color == clNone) return;
  Region device = logical;
  device.Offset(origin_.X, origin_.Y);
  FillRegionDevice(device, ColorToPixel(color));
}

// ---- Lines --------------------------------------------------------------------------------

// One-pixel line from a up to but not including b (Bresenham), emitted as runs so that
// horizontal and vertical lines are a single clipped fill.
void Canvas::DrawLineDevice(TPoint a, TPoint b, Pixel32 pixel) {
  const int dx = std::abs(b.X - a.X), dy = std::abs(b.Y - a.Y);
  if (dx == 0 && dy == 0) return;
  const int sx = b.X > a.X ? 1 : -1, sy = b.Y > a.Y ? 1 : -1;
  if (dy == 0) {
    const int x0 = sx > 0 ? a.X : b.X + 1;
    FillDevice({x0, a.Y, x0 + dx, a.Y + 1}, pixel);
    return;
  }
  if (dx == 0) {
    const int y0 = sy > 0 ? a.Y : b.Y + 1;
    FillDevice({a.X, y0, a.X + 1, y0 + dy}, pixel);
    return;
  }
  const bool x_major = dx >= dy;
  const int steps = x_major ? dx : dy;
  const int minor = x_major ? dy : dx;
  int err = steps / 2;
  int x = a.X, y = a.Y;
  int run_x = x, run_y = y, run = 0;
  auto flush = [&] {
    if (run == 0) return;
    if (x_major) {
      const int x0 = sx > 0 ? run_x : run_x - run + 1;
      FillDevice({x0, run_y, x0 + run, run_y + 1}, pixel);
    } else {
      const int y0 = sy > 0 ? run_y : run_y - run + 1;
      FillDevice({run_x, y0, run_x + 1, y0 + run}, pixel);
    }
    run = 0;
  };
  for (int i = 0; i < steps; ++i) {
    if (run == 0) {
      run_x = x;
      run_y = y;
    }
    ++run;
    err -= minor;
    if (x_major) {
      x += sx;
      if (err < 0) {
        err += steps;
        flush();
        y += sy;
      }
    } else {
      y += sy;
      if (err < 0) {
        err += steps;
        flush();
        x += sx;
      }
    }
  }
  flush();
}

// A wide line: the segment's band plus round caps, added to `into` in device coordinates.
void Canvas::ThickLine(TPoint a, TPoint b, Region& into) const {
  const int w = pen.Width;
  const int half_lo = w / 2, half_hi = w - w / 2;
  into |= Region::Ellipse(a.X - half_lo, a.Y - half_lo, a.X + half_hi, a.Y + half_hi);
  into |= Region::Ellipse(b.X - half_lo, b.Y - half_lo, b.X + half_hi, b.Y + half_hi);
  const double vx = b.X - a.X, vy = b.Y - a.Y;
  const double len = std::sqrt(vx * vx + vy * vy);
  if (len == 0) return;
  const double nx = -vy / len * w / 2.0, ny = vx / len * w / 2.0;
  // Pixel centres sit at +1/2: shift the band so that it is centred on the pixels of the line.
  auto pt = [](double x, double y) {
    return TPoint{static_cast<int>(std::lround(x + 0.5)), static_cast<int>(std::lround(y + 0.5))};
  };
  const TPoint quad[] = {pt(a.X + nx, a.Y + ny), pt(b.X + nx, b.Y + ny), pt(b.X - nx, b.Y - ny),
                         pt(a.X - nx, a.Y - ny)};
  into |= Region::Polygon(quad, 4, PolyFillMode::Winding);
}

void Canvas::LineTo(int x, int y) {
  const TPoint from = pen_pos_, to{x, y};
  pen_pos_ = to;
  if (pen.Style == PenStyle::Clear || pen.Color == clNone) return;
  const TPoint a{from.X + origin_.X, from.Y + origin_.Y}, b{to.X + origin_.X, to.Y + origin_.Y};
  if (pen.Width <= 1) {
    DrawLineDevice(a, b, ColorToPixel(pen.Color));
    return;
  }
  Region band;
  ThickLine(a, b, band);
  FillRegionDevice(band, ColorToPixel(pen.Color));
}

void Canvas::Polyline(const TPoint* points, std::size_t count) {
  if (count == 0) return;
  if (pen.Width > 1 && pen.Style != PenStyle::Clear && pen.Color != clNone) {
    Region band;
    for (std::size_t i = 0; i + 1 < count; ++i)
      ThickLine({points[i].X + origin_.X, points[i].Y + origin_.Y},
                {points[i + 1].X + origin_.X, points[i + 1].Y + origin_.Y}, band);
    FillRegionDevice(band, ColorToPixel(pen.Color));
    pen_pos_ = points[count - 1];
    return;
  }
  MoveTo(points[0].X, points[0].Y);
  for (std::size_t i = 1; i < count; ++i)
    LineTo(points[i].X, points[i].Y);
}

// ---- Filled shapes ------------------------------------------------------------------------

void Canvas::Polygon(const TPoint* points, std::size_t count, PolyFillMode mode) {
  if (count < 2) return;
  std::vector<TPoint> device(points, points + count);
  for (TPoint& p : device)
    p = {p.X + origin_.X, p.Y + origin_.Y};
  if (brush.Style != BrushStyle::Clear && brush.Color != clNone)
    FillRegionDevice(Region::Polygon(device.data(), count, mode, PixelSample::Corner),
                     ColorToPixel(brush.Color));
  if (pen.Style == PenStyle::Clear || pen.Color == clNone) return;
  const TPoint saved = pen_pos_;
  std::vector<TPoint> closed(points, points + count);
  closed.push_back(points[0]);
  if (pen.Width <= 1) {
    for (std::size_t i = 0; i + 1 < closed.size(); ++i)
      DrawLineDevice({closed[i].X + origin_.X, closed[i].Y + origin_.Y},
                     {closed[i + 1].X + origin_.X, closed[i + 1].Y + origin_.Y},
                     ColorToPixel(pen.Color));
  } else {
    Polyline(closed);
  }
  pen_pos_ = saved;
}

void Canvas::Ellipse(const TRect& rect) {
  RoundRect(rect, rect.Width(), rect.Height());
}

void Canvas::RoundRect(const TRect& rect, int cornerWidth, int cornerHeight) {
  if (rect.IsEmpty()) return;
  const TRect d = ToDevice(rect);
  const bool full = cornerWidth >= rect.Width() && cornerHeight >= rect.Height();
  auto shape = [&](int inset) {
    const int l = d.Left + inset, t = d.Top + inset, r = d.Right - inset, b = d.Bottom - inset;
    if (r <= l || b <= t) return Region();
    if (full) return Region::Ellipse(l, t, r, b);
    return Region::RoundRect(l, t, r, b, cornerWidth - 2 * inset, cornerHeight - 2 * inset);
  };
  const bool outline = pen.Style != PenStyle::Clear && pen.Color != clNone;
  const int w = outline ? std::max(1, pen.Width) : 0;
  if (brush.Style != BrushStyle::Clear && brush.Color != clNone)
    FillRegionDevice(shape(w), ColorToPixel(brush.Color));
  if (outline)
    FillRegionDevice(Region::Combine(shape(0), shape(w), CombineMode::Diff),
                     ColorToPixel(pen.Color));
}

// ---- Bitmaps ------------------------------------------------------------------------------

namespace {
enum BlitMode { kOpaque, kKeyed, kAlpha };

inline Pixel32 BlendStraight(Pixel32 d, Pixel32 s) {
  const uint32_t a = s >> 24;
  if (a == 255) return s;
  if (a == 0) return d;
  const uint32_t ia = 255 - a;
  auto ch = [&](int shift) {
    const uint32_t v = ((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * ia + 127;
    return ((v + (v >> 8)) >> 8) << shift;  // v / 255, rounded
  };
  const uint32_t da = d >> 24;
  uint32_t oa = a * 255 + da * ia + 127;
  oa = (oa + (oa >> 8)) >> 8;
  return ch(0) | ch(8) | ch(16) | (oa << 24);
}
}  // namespace

void Canvas::BlitDevice(const TRect& dest, const Bitmap32& source, const TRect& sourceRect,
                        int mode, Pixel32 key) {
  if (dest.IsEmpty() || sourceRect.IsEmpty() || source.Empty()) return;
  const TRect vis = dest.Intersect(target_->BoundsRect());
  if (vis.IsEmpty()) return;
  std::vector<int> cols, rows;
  StretchMap(vis.Left, vis.Width(), dest.Left, dest.Width(), sourceRect.Left, sourceRect.Width(),
             source.Width(), cols);
  StretchMap(vis.Top, vis.Height(), dest.Top, dest.Height(), sourceRect.Top, sourceRect.Height(),
             source.Height(), rows);
  const bool one_to_one =
      dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height();
  ForEachVisible(vis, [&](const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y) {
      const int sy = rows[static_cast<std::size_t>(y - vis.Top)];
      if (sy < 0) continue;
      const Pixel32* in = source.ScanLine(sy);
      Pixel32* out = target_->ScanLine(y);
      const int* map = cols.data() + (r.Left - vis.Left);
      if (mode == kOpaque && one_to_one && map[0] >= 0 && map[r.Width() - 1] >= 0) {
        std::memcpy(out + r.Left, in + map[0], static_cast<std::size_t>(r.Width()) * 4);
        continue;
      }
      for (int x = r.Left; x < r.Right; ++x, ++map) {
        if (*map < 0) continue;
        const Pixel32 s = in[*map];
        switch (mode) {
          case kOpaque:
            out[x] = s;
            break;
          case kKeyed:
            if ((s & 0x00FFFFFF) != key) out[x] = s;
            break;
          default:
            out[x] = BlendStraight(out[x], s);
            break;
        }
      }
    }
  });
}

void Canvas::Draw(int x, int y, const Bitmap32& source) {
  Draw(x, y, source, source.BoundsRect());
}

void Canvas::Draw(int x, int y, const Bitmap32& source, const TRect& sourceRect) {
  BlitDevice(ToDevice(Bounds(x, y, sourceRect.Width(), sourceRect.Height())), source, sourceRect,
             kOpaque, 0);
}

void Canvas::StretchDraw(const TRect& dest, const Bitmap32& source) {
  StretchDraw(dest, source, source.BoundsRect());
}

void Canvas::StretchDraw(const TRect& dest, const Bitmap32& source, const TRect& sourceRect) {
  BlitDevice(ToDevice(dest), source, sourceRect, kOpaque, 0);
}

void Canvas::DrawTransparent(int x, int y, const Bitmap32& source, TColor transparent) {
  StretchDrawTransparent(Bounds(x, y, source.Width(), source.Height()), source, transparent);
}

void Canvas::StretchDrawTransparent(const TRect& dest, const Bitmap32& source, TColor transparent) {
  if (transparent == clNone) {
    StretchDraw(dest, source);
    return;
  }
  // Compared as a pixel's low three bytes: 0x00RRGGBB.
  const Pixel32 key = ColorToPixel(transparent) & 0x00FFFFFF;
  BlitDevice(ToDevice(dest), source, source.BoundsRect(), kKeyed, key);
}

void Canvas::DrawAlpha(int x, int y, const Bitmap32& rgba) {
  DrawAlpha(Bounds(x, y, rgba.Width(), rgba.Height()), rgba);
}

void Canvas::DrawAlpha(const TRect& dest, const Bitmap32& rgba) {
  DrawAlpha(dest, rgba, rgba.BoundsRect());
}

void Canvas::DrawAlpha(const TRect& dest, const Bitmap32& rgba, const TRect& sourceRect) {
  BlitDevice(ToDevice(dest), rgba, sourceRect, kAlpha, 0);
}

}  // namespace tarn
