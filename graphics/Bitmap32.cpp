// Bitmap storage, block copies and nearest-pixel stretches, clipped to the bitmap and its clip.
//
// Stretch sampling rule: the destination block has |w| columns, numbered i = 0 .. |w|-1 from x
// in the direction of w (rightward when w > 0, leftward from x when w < 0); the source block has
// |sw| columns numbered j from sx in the direction of sw. Destination column i takes source
// column j = floor((2i + 1) * |sw| / (2 |w|)), the source column under the destination pixel's
// centre. Rows likewise. So 1:1 is an exact copy, a mirrored copy is an exact mirror, an
// integer upscale by n repeats every source pixel n times, and a downscale by n keeps every
// n-th pixel (the middle one of each group: column n/2, n/2 + n, ...).
#include "graphics/Bitmap32.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "base/Exception.h"
#include "graphics/Region.h"
#include "graphics/StretchMap.h"

namespace tarn {

Bitmap32::Bitmap32() = default;

Bitmap32::Bitmap32(int width, int height) {
  SetSize(width, height);
}

Bitmap32::Bitmap32(const Bitmap32& other)
    : width_(other.width_),
      height_(other.height_),
      bits_(other.bits_),
      clip_(other.clip_ ? std::make_unique<Region>(*other.clip_) : nullptr) {}

Bitmap32& Bitmap32::operator=(const Bitmap32& other) {
  if (this != &other) {
    Bitmap32 copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Bitmap32::Bitmap32(Bitmap32&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      bits_(std::move(other.bits_)),
      clip_(std::move(other.clip_)) {
  other.width_ = other.height_ = 0;
  other.bits_.clear();
}

Bitmap32& Bitmap32::operator=(Bitmap32&& other) noexcept {
  if (this != &other) {
    width_ = other.width_;
    height_ = other.height_;
    bits_ = std::move(other.bits_);
    clip_ = std::move(other.clip_);
    other.width_ = other.height_ = 0;
    other.bits_.clear();
  }
  return *this;
}

Bitmap32::~Bitmap32() = default;

void Bitmap32::SetSize(int width, int height) {
  if (width < 0 || height < 0) throw Exception("Bitmap size cannot be negative");
  constexpr long long kMaxPixels = (1LL << 31) / 4;  // 2 GiB of pixels at most
  if (static_cast<long long>(width) * height > kMaxPixels)
    throw Exception("Bitmap too large: " + std::to_string(width) + " x " + std::to_string(height));
  std::vector<Pixel32> bits(static_cast<std::size_t>(width) * height, 0);
  bits_.swap(bits);
  width_ = width;
  height_ = height;
  clip_.reset();
}

void Bitmap32::Fill(Pixel32 value) {
  std::fill(bits_.begin(), bits_.end(), value);
}

template <class F>
void Bitmap32::ForEachTarget(const TRect& rect, F&& f) const {
  const TRect r = rect.Intersect(BoundsRect());
  if (r.IsEmpty()) return;
  if (clip_)
    clip_->ForEachRectIn(r, f);
  else
    f(r);
}

void Bitmap32::FillRect(const TRect& rect, Pixel32 value) {
  ForEachTarget(rect, [&](const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
      std::fill_n(ScanLine(y) + r.Left, r.Width(), value);
  });
}

void Bitmap32::SelectClip(const Region& region) {
  clip_ = std::make_unique<Region>(region);
}

void Bitmap32::RemoveClip() {
  clip_.reset();
}

void Bitmap32::ExcludeClipRect(const TRect& rect) {
  if (!clip_) clip_ = std::make_unique<Region>(BoundsRect());
  *clip_ -= Region(rect);
}

void Bitmap32::IntersectClipRect(const TRect& rect) {
  if (!clip_)
    clip_ = std::make_unique<Region>(rect);
  else
    *clip_ &= Region(rect);
}

void Bitmap32::CopyBlock(int x, int y, int w, int h, const Bitmap32& source, int sx, int sy) {
  if (w <= 0 || h <= 0) return;
  // Clip the source block to the source, move the destination along, then clip that.
  const TRect src = TRect{sx, sy, sx + w, sy + h}.Intersect(source.BoundsRect());
  if (src.IsEmpty()) return;
  const int dx = x - sx, dy = y - sy;  // destination = source + (dx, dy)
  const TRect dst = src.Offset(dx, dy).Intersect(BoundsRect());
  if (dst.IsEmpty()) return;

  if (&source == this && clip_) {
    // Clip rectangles are copied one after another; take the source block aside first so
    // that no rectangle reads pixels an earlier one wrote.
    Bitmap32 block(dst.Width(), dst.Height());
    block.CopyBlock(0, 0, dst.Width(), dst.Height(), source, dst.Left - dx, dst.Top - dy);
    CopyBlock(dst.Left, dst.Top, dst.Width(), dst.Height(), block, 0, 0);
    return;
  }
  ForEachTarget(dst, [&](const TRect& r) {
    const std::size_t bytes = static_cast<std::size_t>(r.Width()) * sizeof(Pixel32);
    // Within one bitmap, walk rows away from the side being written so that no source row is
    // overwritten before it is read; memmove handles overlap inside a row.
    if (dy > 0) {
      for (int row = r.Bottom - 1; row >= r.Top; --row)
        std::memmove(ScanLine(row) + r.Left, source.ScanLine(row - dy) + (r.Left - dx), bytes);
    } else {
      for (int row = r.Top; row < r.Bottom; ++row)
        std::memmove(ScanLine(row) + r.Left, source.ScanLine(row - dy) + (r.Left - dx), bytes);
    }
  });
}

void Bitmap32::StretchBlock(int x, int y, int w, int h, const Bitmap32& source, int sx, int sy,
                            int sw, int sh) {
  if (w == 0 || h == 0 || sw == 0 || sh == 0 || source.Empty()) return;
  const long long left = w > 0 ? x : static_cast<long long>(x) + w + 1;
  const long long top = h > 0 ? y : static_cast<long long>(y) + h + 1;
  const long long right = left + (w > 0 ? w : -static_cast<long long>(w));
  const long long bottom = top + (h > 0 ? h : -static_cast<long long>(h));
  const TRect dst{static_cast<int>(std::max<long long>(left, 0)),
                  static_cast<int>(std::max<long long>(top, 0)),
                  static_cast<int>(std::min<long long>(right, width_)),
                  static_cast<int>(std::min<long long>(bottom, height_))};
  if (dst.IsEmpty()) return;
  if (&source == this) {
    const Bitmap32 copy(source);
    StretchBlock(x, y, w, h, copy, sx, sy, sw, sh);
    return;
  }
  std::vector<int> cols, rows;
  StretchMap(dst.Left, dst.Width(), x, w, sx, sw, source.width_, cols);
  StretchMap(dst.Top, dst.Height(), y, h, sy, sh, source.height_, rows);
  ForEachTarget(dst, [&](const TRect& r) {
    for (int row = r.Top; row < r.Bottom; ++row) {
      const int srow = rows[static_cast<std::size_t>(row - dst.Top)];
      if (srow < 0) continue;
      const Pixel32* in = source.ScanLine(srow);
      Pixel32* out = ScanLine(row);
      const int* map = cols.data() + (r.Left - dst.Left);
      for (int col = r.Left; col < r.Right; ++col, ++map)
        if (*map >= 0) out[col] = in[*map];
    }
  });
}

bool operator==(const Bitmap32& a, const Bitmap32& b) {
  return a.width_ == b.width_ && a.height_ == b.height_ && a.bits_ == b.bits_;
}

}  // namespace tarn
