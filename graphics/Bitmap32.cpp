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

#include <pixman.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  // Clip the source block to the source, move the destination along, then clip that (in 64
  // bits, so that far-off positions and huge sizes cannot overflow).
  auto clip = [](long long l, long long t, long long r, long long b, const TRect& bounds) {
    const TRect out{static_cast<int>(std::clamp<long long>(l, bounds.Left, bounds.Right)),
                    static_cast<int>(std::clamp<long long>(t, bounds.Top, bounds.Bottom)),
                    static_cast<int>(std::clamp<long long>(r, bounds.Left, bounds.Right)),
                    static_cast<int>(std::clamp<long long>(b, bounds.Top, bounds.Bottom))};
    return out.IsEmpty() ? TRect{} : out;
  };
  const TRect src = clip(sx, sy, static_cast<long long>(sx) + w, static_cast<long long>(sy) + h,
                         source.BoundsRect());
  if (src.IsEmpty()) return;
  const long long ddx = static_cast<long long>(x) - sx, ddy = static_cast<long long>(y) - sy;
  const TRect dst =
      clip(src.Left + ddx, src.Top + ddy, src.Right + ddx, src.Bottom + ddy, BoundsRect());
  if (dst.IsEmpty()) return;
  // Both blocks lie inside their bitmaps now, so the offset between them fits an int.
  const int dx = static_cast<int>(ddx), dy = static_cast<int>(ddy);

  if (&source == this && clip_) {
    // Clip rectangles are copied one after another; take the source block aside first so
    // that no rectangle reads pixels an earlier one wrote.
    Bitmap32 block(dst.Width(), dst.Height());
    block.CopyBlock(0, 0, dst.Width(), dst.Height(), source, dst.Left - dx, dst.Top - dy);
    CopyBlock(dst.Left, dst.Top, dst.Width(), dst.Height(), block, 0, 0);
    return;
  }
  const bool self = &source == this;
  if (clip_ && !self) {
    CopyThroughClip(dst, source, dx, dy);
    return;
  }
  ForEachTarget(dst, [&](const TRect& r) {
    // Whole rows of equally wide bitmaps lie end to end in memory: one move for the block.
    if (r.Left == 0 && r.Right == width_ && dx == 0 && source.width_ == width_) {
      std::memmove(ScanLine(r.Bottom - 1), source.ScanLine(r.Bottom - 1 - dy),
                   static_cast<std::size_t>(r.Width()) * r.Height() * sizeof(Pixel32));
      return;
    }
    const std::size_t bytes = static_cast<std::size_t>(r.Width()) * sizeof(Pixel32);
    // Rows go in memory order (bottom row first), except within one bitmap when the block moves
    // down: then rows are walked away from the side being written, so that no source row is
    // overwritten before it is read. memmove handles overlap inside a row.
    if (self && dy < 0) {
      for (int row = r.Top; row < r.Bottom; ++row)
        std::memmove(ScanLine(row) + r.Left, source.ScanLine(row - dy) + (r.Left - dx), bytes);
    } else {
      for (int row = r.Bottom - 1; row >= r.Top; --row)
        std::memmove(ScanLine(row) + r.Left, source.ScanLine(row - dy) + (r.Left - dx), bytes);
    }
  });
}

namespace {

// Copies n pixels; short runs (the pieces of a finely cut clip) in 16-byte moves rather than a
// library call each.
inline void CopyPixels(Pixel32* out, const Pixel32* in, int n) {
  if (n > 32) {
    std::memcpy(out, in, static_cast<std::size_t>(n) * sizeof(Pixel32));
    return;
  }
  if (n < 4) {
    for (int i = 0; i < n; ++i)
      out[i] = in[i];
    return;
  }
  // Whole 16-byte moves, the last one overlapping the one before it.
  std::memcpy(out, in, 16);
  for (int i = 4; i + 4 < n; i += 4)
    std::memcpy(out + i, in + i, 16);
  std::memcpy(out + n - 4, in + n - 4, 16);
}

}  // namespace

namespace {

// out[i] = from[-i] for i < n: a mirrored row.
inline void ReverseCopy(Pixel32* out, const Pixel32* from, int n) {
  int i = 0;
#if defined(__SSE2__)
  for (; i + 4 <= n; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from - i - 3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_shuffle_epi32(v, 0x1B));
  }
#endif
  for (; i < n; ++i)
    out[i] = from[-i];
}

}  // namespace

// A copy through a clip of many rectangles: the clip's pieces come in bands of equal rows, so
// each band's spans are gathered once and then copied row by row in memory order.
void Bitmap32::CopyThroughClip(const TRect& dst, const Bitmap32& source, int dx, int dy) {
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(
      static_cast<pixman_region32_t*>(const_cast<void*>(clip_->Native())), &n);
  const pixman_box32_t* end = boxes + n;
  // Skip the bands above the block; then band by band (boxes of a band share y1 and y2).
  const pixman_box32_t* band =
      std::partition_point(boxes, end, [&](const pixman_box32_t& b) { return b.y2 <= dst.Top; });
  struct Span {
    int left, width;
  };
  std::vector<Span> spans;
  while (band != end && band->y1 < dst.Bottom) {
    const pixman_box32_t* next = band;
    spans.clear();
    for (; next != end && next->y1 == band->y1; ++next) {
      const int l = std::max(next->x1, dst.Left), r = std::min(next->x2, dst.Right);
      if (l < r) spans.push_back({l, r - l});
    }
    const int top = std::max(band->y1, dst.Top), bottom = std::min(band->y2, dst.Bottom);
    for (int row = bottom - 1; row >= top && !spans.empty(); --row) {
      Pixel32* out = ScanLine(row);
      const Pixel32* in = source.ScanLine(row - dy) - dx;
      for (const Span& sp : spans)
        CopyPixels(out + sp.left, in + sp.left, sp.width);
    }
    band = next;
  }
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
  std::vector<int> cols, rows;
  StretchMap(dst.Left, dst.Width(), x, w, sx, sw, source.width_, cols);
  StretchMap(dst.Top, dst.Height(), y, h, sy, sh, source.height_, rows);
  // The mapping is monotonic, so the positions that fall outside the source form a run at each
  // end: find the run between them once and copy it without per-pixel tests.
  int first = 0, last = static_cast<int>(cols.size());
  while (first < last && cols[static_cast<std::size_t>(first)] < 0)
    ++first;
  while (last > first && cols[static_cast<std::size_t>(last - 1)] < 0)
    --last;
  int firstRow = 0, lastRow = static_cast<int>(rows.size());
  while (firstRow < lastRow && rows[static_cast<std::size_t>(firstRow)] < 0)
    ++firstRow;
  while (lastRow > firstRow && rows[static_cast<std::size_t>(lastRow - 1)] < 0)
    --lastRow;
  if (first == last || firstRow == lastRow) return;
  const TRect valid{dst.Left + first, dst.Top + firstRow, dst.Left + last, dst.Top + lastRow};

  // Within one bitmap the result must be as if the source were read first. Without a clip the
  // rows can be drawn in an order that never reads a row already drawn when every row reads at
  // or below itself (draw top down) or at or above itself (bottom up); a row that reads itself
  // is safe when its columns all read on one side likewise. Anything else (mirrors across
  // themselves, or a clip whose pieces are drawn one after another) reads from a copy of just
  // the source pixels the block uses.
  bool rowsDown = true;
  if (&source == this) {
    bool up = true, colsRight = true, colsLeft = true;
    for (int k = firstRow; k < lastRow; ++k) {
      rowsDown = rowsDown && rows[static_cast<std::size_t>(k)] >= dst.Top + k;
      up = up && rows[static_cast<std::size_t>(k)] <= dst.Top + k;
    }
    for (int k = first; k < last; ++k) {
      colsRight = colsRight && cols[static_cast<std::size_t>(k)] >= dst.Left + k;
      colsLeft = colsLeft && cols[static_cast<std::size_t>(k)] <= dst.Left + k;
    }
    if (clip_ || !(rowsDown || up) || !(colsRight || colsLeft)) {
      const int ca = cols[static_cast<std::size_t>(first)];
      const int cb = cols[static_cast<std::size_t>(last - 1)];
      const int ra = rows[static_cast<std::size_t>(firstRow)];
      const int rb = rows[static_cast<std::size_t>(lastRow - 1)];
      const int c0 = std::min(ca, cb), c1 = std::max(ca, cb);
      const int r0 = std::min(ra, rb), r1 = std::max(ra, rb);
      Bitmap32 block(c1 - c0 + 1, r1 - r0 + 1);
      block.CopyBlock(0, 0, block.width_, block.height_, source, c0, r0);
      for (int& c : cols)
        if (c >= 0) c -= c0;
      for (int& r : rows)
        if (r >= 0) r -= r0;
      StretchRows(valid, dst, block, cols, rows, true, false);
      return;
    }
    StretchRows(valid, dst, source, cols, rows, rowsDown, colsLeft && !colsRight);
    return;
  }
  StretchRows(valid, dst, source, cols, rows, true, false);
}

// Draws the valid part of a stretch whose maps are already made (cols / rows indexed from
// dst's corner, all non-negative inside valid). Rows go top down or bottom up as asked; a
// gathered row that reads itself goes right to left when leftward is set.
void Bitmap32::StretchRows(const TRect& valid, const TRect& dst, const Bitmap32& source,
                           const std::vector<int>& cols, const std::vector<int>& rows, bool topDown,
                           bool leftward) {
  // Unscaled columns (a plain or mirrored copy of each row) need no lookup per pixel.
  const int first = valid.Left - dst.Left, last = valid.Right - dst.Left;
  int step = 0;
  if (last - first >= 2) {
    step = cols[static_cast<std::size_t>(first) + 1] - cols[static_cast<std::size_t>(first)];
    if (step != 1 && step != -1) step = 0;
    for (int i = first + 1; i < last && step != 0; ++i)
      if (cols[static_cast<std::size_t>(i)] - cols[static_cast<std::size_t>(i) - 1] != step)
        step = 0;
  }
  ForEachTarget(valid, [&](const TRect& r) {
    const int* map = cols.data() + (r.Left - dst.Left);
    const int n = r.Width();
    const std::size_t bytes = static_cast<std::size_t>(n) * sizeof(Pixel32);
    int prev_srow = -1;
    const Pixel32* prev_out = nullptr;
    for (int i = 0; i < r.Height(); ++i) {
      const int row = topDown ? r.Top + i : r.Bottom - 1 - i;
      const int srow = rows[static_cast<std::size_t>(row - dst.Top)];
      if (srow < 0) continue;
      Pixel32* out = ScanLine(row) + r.Left;
      if (srow == prev_srow) {  // an enlarged row repeats the one drawn before it
        std::memcpy(out, prev_out, bytes);
      } else {
        const Pixel32* in = source.ScanLine(srow);
        if (step == 1) {
          std::memmove(out, in + map[0], bytes);  // may be the same row, shifted
        } else if (step == -1) {
          // In place only when the row's reads all lie on one side of its writes, so the
          // forward mirror never reads a pixel it has written.
          ReverseCopy(out, in + map[0], n);
        } else if (leftward) {
          for (int c = n - 1; c >= 0; --c)
            out[c] = in[map[c]];
        } else {
          // Four reads before four writes: the writes may alias the map as far as the compiler
          // knows, and would otherwise force it to reload the map after every pixel.
          int c = 0;
          for (; c + 4 <= n; c += 4) {
            const Pixel32 p0 = in[map[c]], p1 = in[map[c + 1]], p2 = in[map[c + 2]],
                          p3 = in[map[c + 3]];
            out[c] = p0;
            out[c + 1] = p1;
            out[c + 2] = p2;
            out[c + 3] = p3;
          }
          for (; c < n; ++c)
            out[c] = in[map[c]];
        }
      }
      prev_srow = srow;
      prev_out = out;
    }
  });
}

bool operator==(const Bitmap32& a, const Bitmap32& b) {
  return a.width_ == b.width_ && a.height_ == b.height_ && a.bits_ == b.bits_;
}

}  // namespace tarn
