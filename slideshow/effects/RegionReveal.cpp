#include "slideshow/effects/RegionReveal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "slideshow/effects/VectorClones.h"

namespace tarn {

void RevealThrough(Bitmap32& Screen, const Bitmap32& Picture, const Region& R) {
  // Copying the region's rectangles is what clipping to it and copying everything does, without
  // taking a copy of the region for the clip.
  const TRect area = Screen.BoundsRect().Intersect(Picture.BoundsRect());
  R.ForEachRectIn(area, [&](const TRect& r) {
    const std::size_t bytes = static_cast<std::size_t>(r.Width()) * sizeof(Pixel32);
    for (int y = r.Top; y < r.Bottom; ++y) {
      std::memcpy(Screen.ScanLine(y) + r.Left, Picture.ScanLine(y) + r.Left, bytes);
    }
  });
}

void RevealThrough(Bitmap32& Screen, const Bitmap32& Picture, const std::optional<Region>& R) {
  if (R) RevealThrough(Screen, Picture, *R);
}

namespace {

// Rectangles at least this wide are copied row by row; narrower ones go through the sweep.
constexpr int kWideRect = 32;

// Copies the pixels of `in` whose coverage count is positive onto `out`, for columns
// from .. to - 1 of one row.
TARN_VECTOR_CLONES
void CopyCovered(Pixel32* out, const Pixel32* in, const int32_t* cover, int from, int to) {
  for (int x = from; x < to; ++x) {
    const Pixel32 take = 0u - static_cast<Pixel32>(cover[x] > 0);  // all ones where covered
    out[x] = (in[x] & take) | (out[x] & ~take);
  }
}

}  // namespace

void RevealRects(Bitmap32& Screen, const Bitmap32& Picture, std::span<const TRect> rects) {
  const TRect area = Screen.BoundsRect().Intersect(Picture.BoundsRect());
  if (area.IsEmpty()) return;
  const int W = area.Right, H = area.Bottom;
  // Narrow rectangles become events: +1 on the columns of their top row, -1 below their bottom
  // row. Sweeping the rows then keeps, per column, how many rectangles cover the current row,
  // at a cost of the rectangles' widths rather than their areas.
  std::vector<TRect> narrow;
  int from = W, to = 0;
  for (const TRect& rect : rects) {
    const TRect r = rect.Intersect(area);
    if (r.IsEmpty()) continue;
    if (r.Width() >= kWideRect) {
      const std::size_t bytes = static_cast<std::size_t>(r.Width()) * sizeof(Pixel32);
      for (int y = r.Top; y < r.Bottom; ++y) {
        std::memcpy(Screen.ScanLine(y) + r.Left, Picture.ScanLine(y) + r.Left, bytes);
      }
    } else {
      narrow.push_back(r);
      from = std::min(from, r.Left);
      to = std::max(to, r.Right);
    }
  }
  if (narrow.empty()) return;
  // Events bucketed by row: index 2k is rectangle k's top, 2k + 1 its bottom.
  std::vector<uint32_t> start(static_cast<std::size_t>(H) + 2, 0);
  for (const TRect& r : narrow) {
    ++start[static_cast<std::size_t>(r.Top) + 1];
    ++start[static_cast<std::size_t>(r.Bottom) + 1];
  }
  for (std::size_t y = 1; y < start.size(); ++y)
    start[y] += start[y - 1];
  std::vector<uint32_t> events(narrow.size() * 2);
  {
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (std::size_t k = 0; k < narrow.size(); ++k) {
      events[fill[static_cast<std::size_t>(narrow[k].Top)]++] = static_cast<uint32_t>(2 * k);
      events[fill[static_cast<std::size_t>(narrow[k].Bottom)]++] = static_cast<uint32_t>(2 * k + 1);
    }
  }
  std::vector<int32_t> cover(static_cast<std::size_t>(W), 0);
  long long active = 0;
  for (int y = 0; y < H; ++y) {
    for (uint32_t e = start[static_cast<std::size_t>(y)];
         e < start[static_cast<std::size_t>(y) + 1]; ++e) {
      const TRect& r = narrow[events[e] / 2];
      const int32_t step = events[e] % 2 == 0 ? 1 : -1;
      for (int x = r.Left; x < r.Right; ++x)
        cover[static_cast<std::size_t>(x)] += step;
      active += step;
    }
    if (active > 0) CopyCovered(Screen.ScanLine(y), Picture.ScanLine(y), cover.data(), from, to);
  }
}

}  // namespace tarn
