// Regions over pixman's region32. Shapes are scan-converted here, one pixel row at a time:
// a pixel (x, y) belongs to a shape when its centre (x + 1/2, y + 1/2) lies inside it.
//
// - Polygon: the centre lies inside under the fill rule. A centre exactly on an edge belongs
//   to the shape when the edge is a left or top edge, so polygons that share an edge tile
//   without gaps or overlaps, and the square (0,0)-(10,0)-(10,10)-(0,10) covers 10 x 10 pixels.
//   PixelSample::Corner samples the pixel's top-left corner (x, y) instead, by the same rule:
//   the canvas fills with it, so that a filled polygon meets its outline, whose lines run
//   through the centres of the pixels named by the vertices.
// - Ellipse (left, top, right, bottom): the centre lies inside or on the ellipse inscribed in
//   the rectangle left..right, top..bottom. Right and bottom are exclusive (the pixel columns
//   run left .. right-1), so the region is symmetric about the rectangle's centre.
// - Rounded rectangle: the rectangle with each corner cut by a quarter of the corner ellipse
//   (width cornerWidth, height cornerHeight, clamped to the rectangle) by the same rule.
#include "graphics/Region.h"

#include <pixman.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace tarn {

static_assert(sizeof(pixman_region32_t) == 24, "Region storage must hold a pixman_region32_t");
static_assert(alignof(pixman_region32_t) <= 8, "Region storage is 8-byte aligned");

namespace {

std::atomic<long long> g_live{0};

pixman_region32_t* P(void* p) {
  return static_cast<pixman_region32_t*>(p);
}
const pixman_region32_t* P(const void* p) {
  return static_cast<const pixman_region32_t*>(p);
}

// Rows of spans collected by the scan converters, merged into bands of equal rows.
class BandBuilder {
 public:
  void BeginRow(int y) { BeginBand(y, y + 1); }
  void BeginBand(int top, int bottom) {
    row_y_ = top;
    row_bottom_ = bottom;
    row_.clear();
  }
  void AddSpan(int x0, int x1) {
    if (x1 <= x0) return;
    // Spans arrive left to right; touching or overlapping ones merge.
    if (!row_.empty() && x0 <= row_.back().second) {
      row_.back().second = std::max(row_.back().second, x1);
      return;
    }
    row_.emplace_back(x0, x1);
  }
  void EndRow() {
    const bool same = !band_.empty() && band_bottom_ == row_y_ && band_ == row_;
    if (same) {
      band_bottom_ = row_bottom_;
      return;
    }
    Flush();
    band_.swap(row_);
    band_top_ = row_y_;
    band_bottom_ = row_bottom_;
  }
  std::vector<pixman_box32_t>& Finish() {
    Flush();
    return boxes_;
  }

 private:
  void Flush() {
    for (const auto& [x0, x1] : band_)
      boxes_.push_back({x0, band_top_, x1, band_bottom_});
    band_.clear();
  }
  int row_y_ = 0;
  int row_bottom_ = 0;
  int band_top_ = 0;
  int band_bottom_ = 0;
  std::vector<std::pair<int, int>> row_;
  std::vector<std::pair<int, int>> band_;
  std::vector<pixman_box32_t> boxes_;
};

// Makes `region` hold boxes that are already in pixman's banded form (bands top to bottom,
// boxes of a band left to right and apart, no two touching bands with equal spans), without
// pixman's general sort-and-merge. The data block is laid out and allocated as pixman's own.
void InitFromBoxes(pixman_region32_t* region, const std::vector<pixman_box32_t>& boxes) {
  if (boxes.empty()) {
    pixman_region32_init(region);
    return;
  }
  if (boxes.size() == 1) {
    pixman_region32_init_with_extents(region, &boxes[0]);
    return;
  }
  auto* data = static_cast<pixman_region32_data_t*>(
      std::malloc(sizeof(pixman_region32_data_t) + boxes.size() * sizeof(pixman_box32_t)));
  if (!data) throw std::bad_alloc();
  data->size = data->numRects = static_cast<long>(boxes.size());
  std::memcpy(data + 1, boxes.data(), boxes.size() * sizeof(pixman_box32_t));
  pixman_box32_t extents{boxes.front().x1, boxes.front().y1, boxes.front().x2, boxes.back().y2};
  for (const pixman_box32_t& b : boxes) {
    extents.x1 = std::min(extents.x1, b.x1);
    extents.x2 = std::max(extents.x2, b.x2);
  }
  region->extents = extents;
  region->data = data;
}

long long FloorDiv(long long a, long long b) {  // b > 0
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
long long CeilDiv(long long a, long long b) {
  return -FloorDiv(-a, b);
}  // b > 0
int ClampInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN / 2, INT_MAX / 2));
}

long long ISqrt(unsigned __int128 n) {
  if (n == 0) return 0;
  auto r = static_cast<unsigned long long>(std::sqrt(static_cast<long double>(n)));
  while (static_cast<unsigned __int128>(r) * r > n)
    --r;
  while (static_cast<unsigned __int128>(r + 1) * (r + 1) <= n)
    ++r;
  return static_cast<long long>(r);
}

// Columns [x0, x1) of row y of the ellipse inscribed in l..r, t..b (l < r, t < b); empty when
// the row misses it. In doubled coordinates relative to the centre a pixel centre is
// X = 2x + 1 - (l + r), Y = 2y + 1 - (t + b) and the ellipse is X^2 B^2 + Y^2 A^2 <= A^2 B^2
// with A = r - l, B = b - t.
std::pair<int, int> EllipseRow(int l, int t, int r, int b, int y) {
  const long long A = static_cast<long long>(r) - l;
  const long long B = static_cast<long long>(b) - t;
  const long long Y = 2LL * y + 1 - (static_cast<long long>(t) + b);
  if (Y < -B || Y > B) return {0, 0};
  using U = unsigned __int128;
  const U a2 = static_cast<U>(A * A);
  const U b2 = static_cast<U>(B * B);
  const U y2 = static_cast<U>(Y * Y);
  const long long xmax = ISqrt(a2 * (b2 - y2) / b2);  // |X| <= xmax
  const long long sum = static_cast<long long>(l) + r - 1;
  // x = (X + l + r - 1) / 2 for X of the right parity.
  const long long x0 = CeilDiv(-xmax + sum, 2);
  const long long x1 = FloorDiv(xmax + sum, 2) + 1;
  if (x1 <= x0) return {0, 0};
  return {static_cast<int>(x0), static_cast<int>(x1)};
}

struct Edge {
  long long x0, y0, x1, y1;  // y0 < y1
  int dir;                   // +1 downward in the input order, -1 upward
};

}  // namespace

Region::Region() {
  pixman_region32_init(P(storage_));
  ++g_live;
}

Region::Region(const TRect& rect) {
  if (rect.IsEmpty())
    pixman_region32_init(P(storage_));
  else
    pixman_region32_init_rect(P(storage_), rect.Left, rect.Top, static_cast<unsigned>(rect.Width()),
                              static_cast<unsigned>(rect.Height()));
  ++g_live;
}

Region::Region(const Region& other) {
  pixman_region32_init(P(storage_));
  if (!pixman_region32_copy(P(storage_), P(other.storage_))) {
    pixman_region32_fini(P(storage_));
    throw std::bad_alloc();
  }
  ++g_live;
}

Region& Region::operator=(const Region& other) {
  if (this != &other && !pixman_region32_copy(P(storage_), P(other.storage_)))
    throw std::bad_alloc();
  return *this;
}

Region::Region(Region&& other) noexcept {
  // A pixman region is a plain struct (extents plus a data pointer): moving it is a byte copy
  // that leaves the source empty.
  std::memcpy(storage_, other.storage_, sizeof storage_);
  pixman_region32_init(P(other.storage_));
  ++g_live;
}

Region& Region::operator=(Region&& other) noexcept {
  if (this != &other) {
    pixman_region32_fini(P(storage_));
    std::memcpy(storage_, other.storage_, sizeof storage_);
    pixman_region32_init(P(other.storage_));
  }
  return *this;
}

Region::~Region() {
  pixman_region32_fini(P(storage_));
  --g_live;
}

long long Region::LiveCount() {
  return g_live.load();
}

Region Region::FromRects(const TRect* rects, std::size_t count) {
  // A sweep from top to bottom: between consecutive rectangle edges the set of rectangles that
  // cross a row does not change, so each such band is the merged spans of that set.
  std::vector<TRect> v;
  v.reserve(count);
  long long top = 0, bottom = 0;
  for (std::size_t i = 0; i < count; ++i)
    if (!rects[i].IsEmpty()) {
      if (v.empty()) top = rects[i].Top, bottom = rects[i].Bottom;
      top = std::min<long long>(top, rects[i].Top);
      bottom = std::max<long long>(bottom, rects[i].Bottom);
      v.push_back(rects[i]);
    }
  Region out;
  if (v.empty()) return out;
  // The rectangles in order of their tops, and the distinct edges: by counting when the rows
  // span a modest range (the usual case: a picture's height), by sorting otherwise.
  std::vector<int> ys;
  const long long range = bottom - top + 1;
  if (range <= 16 * static_cast<long long>(v.size()) + 4096) {
    std::vector<uint32_t> starts(static_cast<std::size_t>(range) + 1, 0);
    std::vector<bool> edge(static_cast<std::size_t>(range), false);
    for (const TRect& r : v) {
      ++starts[static_cast<std::size_t>(r.Top - top) + 1];
      edge[static_cast<std::size_t>(r.Top - top)] = true;
      edge[static_cast<std::size_t>(r.Bottom - top)] = true;
    }
    for (std::size_t i = 1; i < starts.size(); ++i)
      starts[i] += starts[i - 1];
    std::vector<TRect> sorted(v.size());
    for (const TRect& r : v)
      sorted[starts[static_cast<std::size_t>(r.Top - top)]++] = r;
    v.swap(sorted);
    for (std::size_t i = 0; i < edge.size(); ++i)
      if (edge[i]) ys.push_back(static_cast<int>(top + static_cast<long long>(i)));
  } else {
    std::sort(v.begin(), v.end(), [](const TRect& a, const TRect& b) { return a.Top < b.Top; });
    for (const TRect& r : v) {
      ys.push_back(r.Top);
      ys.push_back(r.Bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  }

  BandBuilder bands;
  std::vector<const TRect*> active;  // sorted by Left
  auto by_left = [](const TRect* a, const TRect* b) { return a->Left < b->Left; };
  std::size_t next = 0;
  for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
    const int y0 = ys[k], y1 = ys[k + 1];
    std::erase_if(active, [y0](const TRect* r) { return r->Bottom <= y0; });
    for (; next < v.size() && v[next].Top <= y0; ++next)
      active.insert(std::upper_bound(active.begin(), active.end(), &v[next], by_left), &v[next]);
    bands.BeginBand(y0, y1);
    for (const TRect* r : active)
      bands.AddSpan(r->Left, r->Right);
    bands.EndRow();
  }
  pixman_region32_fini(P(out.storage_));
  InitFromBoxes(P(out.storage_), bands.Finish());
  return out;
}

Region Region::Polygon(const TPoint* points, std::size_t count, PolyFillMode mode,
                       PixelSample sample) {
  const long long s = sample == PixelSample::Centre ? 1 : 0;  // doubled offset of the sample
  std::vector<Edge> edges;
  long long top = 0, bottom = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const TPoint a = points[i];
    const TPoint b = points[(i + 1) % count];
    if (a.Y == b.Y) continue;  // horizontal edges cross no row centre
    Edge e = a.Y < b.Y ? Edge{a.X, a.Y, b.X, b.Y, 1} : Edge{b.X, b.Y, a.X, a.Y, -1};
    if (edges.empty()) {
      top = e.y0;
      bottom = e.y1;
    }
    top = std::min(top, e.y0);
    bottom = std::max(bottom, e.y1);
    edges.push_back(e);
  }
  Region out;
  if (edges.empty()) return out;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });

  BandBuilder bands;
  std::vector<const Edge*> active;
  std::vector<std::pair<long long, int>> crossings;  // first pixel column at or right of it, dir
  std::size_t next = 0;
  for (long long y = top; y < bottom; ++y) {
    const long long yc2 = 2 * y + s;  // doubled row of the samples
    while (next < edges.size() && 2 * edges[next].y0 <= yc2)
      active.push_back(&edges[next++]);
    std::erase_if(active, [yc2](const Edge* e) { return 2 * e->y1 <= yc2; });
    crossings.clear();
    for (const Edge* e : active) {
      if (2 * e->y0 > yc2) continue;
      const long long dy = e->y1 - e->y0;
      // The crossing lies at x = num / (2 dy); pixel x is right of it when its doubled sample
      // 2x + s >= 2 * crossing.
      const long long num = 2 * e->x0 * dy + (yc2 - 2 * e->y0) * (e->x1 - e->x0);
      crossings.emplace_back(CeilDiv(num - s * dy, 2 * dy), e->dir);
    }
    std::sort(crossings.begin(), crossings.end());
    bands.BeginRow(static_cast<int>(y));
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += mode == PolyFillMode::Winding ? crossings[i].second : 1;
      const bool inside = mode == PolyFillMode::Winding ? winding != 0 : (winding & 1) != 0;
      if (inside) bands.AddSpan(ClampInt(crossings[i].first), ClampInt(crossings[i + 1].first));
    }
    bands.EndRow();
  }
  pixman_region32_fini(P(out.storage_));
  InitFromBoxes(P(out.storage_), bands.Finish());
  return out;
}

Region Region::Ellipse(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  Region out;
  if (left == right || top == bottom) return out;
  BandBuilder bands;
  for (int y = top; y < bottom; ++y) {
    bands.BeginRow(y);
    const auto [x0, x1] = EllipseRow(left, top, right, bottom, y);
    bands.AddSpan(x0, x1);
    bands.EndRow();
  }
  pixman_region32_fini(P(out.storage_));
  InitFromBoxes(P(out.storage_), bands.Finish());
  return out;
}

Region Region::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                         int cornerHeight) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  Region out;
  if (left == right || top == bottom) return out;
  const int cw = std::min(std::abs(cornerWidth), right - left);
  const int ch = std::min(std::abs(cornerHeight), bottom - top);
  if (cw < 2 || ch < 2) return Region(TRect{left, top, right, bottom});
  BandBuilder bands;
  for (int y = top; y < bottom; ++y) {
    bands.BeginRow(y);
    int x0 = left, x1 = right;
    const long long yc2 = 2LL * y + 1;
    int et = 0;  // top of the corner ellipses that cut this row, if any
    bool cut = false;
    if (yc2 < 2LL * top + ch) {
      et = top;
      cut = true;
    } else if (yc2 > 2LL * bottom - ch) {
      et = bottom - ch;
      cut = true;
    }
    if (cut) {
      const auto left_row = EllipseRow(left, et, left + cw, et + ch, y);
      const auto right_row = EllipseRow(right - cw, et, right, et + ch, y);
      if (left_row.second <= left_row.first) {
        x1 = x0;  // the row misses the corner ellipses entirely
      } else {
        x0 = left_row.first;
        x1 = right_row.second;
      }
    }
    bands.AddSpan(x0, x1);
    bands.EndRow();
  }
  pixman_region32_fini(P(out.storage_));
  InitFromBoxes(P(out.storage_), bands.Finish());
  return out;
}

Region Region::Combine(const Region& a, const Region& b, CombineMode mode) {
  Region out;
  pixman_region32_t* o = P(out.storage_);
  const auto* pa = P(a.storage_);
  const auto* pb = P(b.storage_);
  auto* ma = const_cast<pixman_region32_t*>(pa);  // pixman's API is not const-correct
  auto* mb = const_cast<pixman_region32_t*>(pb);
  pixman_bool_t ok = 1;
  switch (mode) {
    case CombineMode::And:
      ok = pixman_region32_intersect(o, ma, mb);
      break;
    case CombineMode::Or:
      ok = pixman_region32_union(o, ma, mb);
      break;
    case CombineMode::Diff:
      ok = pixman_region32_subtract(o, ma, mb);
      break;
    case CombineMode::Xor: {
      Region ab, ba;
      ok = pixman_region32_subtract(P(ab.storage_), ma, mb) &&
           pixman_region32_subtract(P(ba.storage_), mb, ma) &&
           pixman_region32_union(o, P(ab.storage_), P(ba.storage_));
      break;
    }
  }
  if (!ok) throw std::bad_alloc();
  return out;
}

void Region::Offset(int dx, int dy) {
  pixman_region32_translate(P(storage_), dx, dy);
}

bool Region::IsEmpty() const {
  return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(P(storage_)));
}

TRect Region::Bounds() const {
  if (IsEmpty()) return {};
  const pixman_box32_t& e = P(storage_)->extents;
  return {e.x1, e.y1, e.x2, e.y2};
}

bool Region::Contains(int x, int y) const {
  return pixman_region32_contains_point(const_cast<pixman_region32_t*>(P(storage_)), x, y, nullptr);
}

std::vector<TRect> Region::Rects() const {
  int n = 0;
  const pixman_box32_t* boxes =
      pixman_region32_rectangles(const_cast<pixman_region32_t*>(P(storage_)), &n);
  std::vector<TRect> out;
  out.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    out.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
  return out;
}

long long Region::Area() const {
  int n = 0;
  const pixman_box32_t* boxes =
      pixman_region32_rectangles(const_cast<pixman_region32_t*>(P(storage_)), &n);
  long long area = 0;
  for (int i = 0; i < n; ++i)
    area += static_cast<long long>(boxes[i].x2 - boxes[i].x1) * (boxes[i].y2 - boxes[i].y1);
  return area;
}

void Region::VisitRectsIn(const TRect& area, void (*visit)(void*, const TRect&), void* ctx) const {
  if (area.IsEmpty()) return;
  auto* region = const_cast<pixman_region32_t*>(P(storage_));
  const pixman_box32_t& e = region->extents;
  if (e.x1 >= area.Right || e.x2 <= area.Left || e.y1 >= area.Bottom || e.y2 <= area.Top) return;
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(region, &n);
  // Boxes are sorted by band: skip the bands that end above the area.
  const pixman_box32_t* it = std::partition_point(
      boxes, boxes + n, [&](const pixman_box32_t& b) { return b.y2 <= area.Top; });
  for (; it != boxes + n && it->y1 < area.Bottom; ++it) {
    const TRect r{std::max(it->x1, area.Left), std::max(it->y1, area.Top),
                  std::min(it->x2, area.Right), std::min(it->y2, area.Bottom)};
    if (!r.IsEmpty()) visit(ctx, r);
  }
}

bool Region::SelfCheck() const {
  return pixman_region32_selfcheck(const_cast<pixman_region32_t*>(P(storage_)));
}

bool operator==(const Region& a, const Region& b) {
  return pixman_region32_equal(const_cast<pixman_region32_t*>(P(a.storage_)),
                               const_cast<pixman_region32_t*>(P(b.storage_)));
}

}  // namespace tarn
