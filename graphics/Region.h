// A region: a set of pixels, built from rectangles, polygons, ellipses and rounded rectangles,
// combinable by intersection, union, exclusive-or and difference. Rectangle, ellipse and
// rounded-rectangle regions have exclusive right and bottom edges. The boolean algebra is
// pixman's region32; the scan conversion of the shapes is ours (pixel centres; see Region.cpp).
#pragma once

#include <cstddef>
#include <type_traits>
#include <vector>

#include "base/Geometry.h"

namespace tarn {

enum class PolyFillMode { Alternate, Winding };
// The platform's combine modes by number: 1 intersection, 2 union, 3 exclusive-or, 4 difference.
enum class CombineMode { And = 1, Or = 2, Xor = 3, Diff = 4 };
// Where a pixel is tested against a polygon: its centre (x + 1/2, y + 1/2), or its corner (x, y).
enum class PixelSample { Centre, Corner };

class Region {
 public:
  Region();  // empty
  explicit Region(const TRect& rect);
  Region(const Region& other);
  Region& operator=(const Region& other);
  Region(Region&& other) noexcept;
  Region& operator=(Region&& other) noexcept;
  ~Region();

  // The union of the rectangles in one step (empty and inverted ones are ignored); fast for
  // thousands of rectangles.
  static Region FromRects(const TRect* rects, std::size_t count);
  static Region Polygon(const TPoint* points, std::size_t count, PolyFillMode mode,
                        PixelSample sample = PixelSample::Centre);
  static Region Ellipse(int left, int top, int right, int bottom);
  static Region RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                          int cornerHeight);

  // this := a <mode> b.
  static Region Combine(const Region& a, const Region& b, CombineMode mode);
  Region& operator&=(const Region& other) {
    return *this = Combine(*this, other, CombineMode::And);
  }
  Region& operator|=(const Region& other) { return *this = Combine(*this, other, CombineMode::Or); }
  Region& operator^=(const Region& other) {
    return *this = Combine(*this, other, CombineMode::Xor);
  }
  Region& operator-=(const Region& other) {
    return *this = Combine(*this, other, CombineMode::Diff);
  }

  void Offset(int dx, int dy);
  bool IsEmpty() const;
  TRect Bounds() const;  // all zero when empty
  bool Contains(int x, int y) const;
  bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
  // The region as disjoint rectangles in bands, top to bottom, left to right.
  std::vector<TRect> Rects() const;
  // Number of pixels in the region.
  long long Area() const;
  // Calls f(const TRect&) for each rectangle of the region that meets `area`, clipped to it,
  // in band order; bands above and below `area` are skipped without being visited.
  template <class F>
  void ForEachRectIn(const TRect& area, F&& f) const {
    using Fn = std::remove_reference_t<F>;
    VisitRectsIn(
        area, [](void* ctx, const TRect& r) { (*static_cast<Fn*>(ctx))(r); },
        const_cast<void*>(static_cast<const void*>(&f)));
  }
  void VisitRectsIn(const TRect& area, void (*visit)(void*, const TRect&), void* ctx) const;
  // Checks pixman's banding invariants (for tests).
  bool SelfCheck() const;

  friend bool operator==(const Region& a, const Region& b);

  // Regions alive in this process; the effect tests use it to see that every region is released.
  static long long LiveCount();

  // The pixman region32 behind it, for the graphics module's own loops.
  const void* Native() const { return &storage_; }
  void* Native() { return &storage_; }

 private:
  // Storage for a pixman_region32_t, kept opaque so that this header does not need pixman.
  alignas(8) unsigned char storage_[24];  // static_assert against pixman in Region.cpp
};

}  // namespace tarn
