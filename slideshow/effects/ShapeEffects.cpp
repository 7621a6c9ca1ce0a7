#include "slideshow/effects/ShapeEffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "slideshow/effects/EffectGeometry.h"
#include "slideshow/effects/EffectMath.h"
#include "slideshow/effects/RegionReveal.h"

namespace tarn {
namespace {

Region Poly(std::initializer_list<TPoint> points) {
  return CreatePolyRgn(std::span<const TPoint>(points.begin(), points.size()));
}

Region Full(int W, int H) {
  return Region(TRect{0, 0, W, H});
}

// The smallest integer whose square is not below a^2 + b^2.
int CeilHypot(int a, int b) {
  const int64_t sum = static_cast<int64_t>(a) * a + static_cast<int64_t>(b) * b;
  auto r = static_cast<int64_t>(std::sqrt(static_cast<long double>(sum)));
  while (r * r < sum)
    ++r;
  while (r > 0 && (r - 1) * (r - 1) >= sum)
    --r;
  return static_cast<int>(r);
}

// One full turn over the transition, clockwise on screen.
long double TurnAngle(int Progress) {
  return Progress * kPi / 50;
}

// The centred rectangle of rows 149 and 151, X wide and Y high (in halves).
std::array<TPoint, 4> CentredRect(int W, int H, int X, int Y) {
  const int cW = Half(W), cH = Half(H), hX = Half(X), hY = Half(Y);
  return {{{cW - hX, cH - hY}, {cW + hX, cH - hY}, {cW + hX, cH + hY}, {cW - hX, cH + hY}}};
}

}  // namespace

Region CreateSectorRgn(int cx, int cy, int r, int Count, long double End, long double Start) {
  std::vector<TPoint> points;
  points.reserve(static_cast<std::size_t>(std::max(Count, 0)) + 1);
  points.push_back({cx, cy});
  for (int k = 0; k < Count; ++k) {
    const long double angle = Start + k * (End - Start) / Count;
    points.push_back({cx + static_cast<int>(std::rint(r * std::cos(angle))),
                      cy + static_cast<int>(std::rint(r * std::sin(angle)))});
  }
  return CreatePolyRgn(std::span<const TPoint>(points));
}

// Curves: rounded rectangles whose huge corners make a curved front.

TARN_EFFECT_PROC(CurvedRevealFromLeft) {
  RevealThrough(Screen, Picture, Region::RoundRect(-2 * W, 0, 2 * X, H + 1, 2 * W, 2 * W));
}
TARN_EFFECT_PROC(CurvedRevealFromRight) {
  RevealThrough(Screen, Picture, Region::RoundRect(W - 2 * X, 0, 3 * W, H + 1, 2 * W, 2 * W));
}
TARN_EFFECT_PROC(CurvedRevealFromTop) {
  RevealThrough(Screen, Picture, Region::RoundRect(0, -2 * H, W + 1, 2 * Y, 2 * H, 2 * H));
}
TARN_EFFECT_PROC(CurvedRevealFromBottom) {
  RevealThrough(Screen, Picture, Region::RoundRect(0, H - 2 * Y, W + 1, 3 * H, 2 * H, 2 * H));
}
TARN_EFFECT_PROC(CurvedRevealFromTopLeft) {
  RevealThrough(Screen, Picture, Region::RoundRect(-W, -H, 3 * X / 2, 3 * Y / 2, 2 * W, 2 * H));
}
TARN_EFFECT_PROC(CurvedRevealFromTopRight) {
  RevealThrough(Screen, Picture,
                Region::RoundRect(W - 3 * X / 2, -H, 2 * W, 3 * Y / 2, 2 * W, 2 * H));
}
TARN_EFFECT_PROC(CurvedRevealFromBottomLeft) {
  RevealThrough(Screen, Picture,
                Region::RoundRect(-W, H - 3 * Y / 2, 3 * X / 2, 2 * H, 2 * W, 2 * H));
}
TARN_EFFECT_PROC(CurvedRevealFromBottomRight) {
  RevealThrough(Screen, Picture,
                Region::RoundRect(W - 3 * X / 2, H - 3 * Y / 2, 2 * W, 2 * H, 2 * W, 2 * H));
}
TARN_EFFECT_PROC(EllipticRevealOutFromCentre) {
  const int cW = Half(W), cH = Half(H);
  RevealThrough(Screen, Picture,
                Region::RoundRect(cW - X, cH - Y, cW + X, cH + Y, 9 * X / 5, 9 * Y / 5));
}
TARN_EFFECT_PROC(EllipticRevealInToCentre) {
  const int cW = Half(W), cH = Half(H);
  const Region shape =
      Region::RoundRect(X - cW, Y - cH, 3 * cW - X, 3 * cH - Y, 9 * (W - X) / 5, 9 * (H - Y) / 5);
  RevealThrough(Screen, Picture, Region::Combine(Full(W, H), shape, CombineMode::Xor));
}

// Diagonals and sweeps. Where the region is a union of shapes, each shape is revealed in turn:
// the same frame, without combining regions.

TARN_EFFECT_PROC(DiagonalFromTopLeft) {
  RevealThrough(Screen, Picture, Poly({{0, 0}, {2 * X, 0}, {0, 2 * Y}}));
}
TARN_EFFECT_PROC(DiagonalFromTopRight) {
  RevealThrough(Screen, Picture, Poly({{W, 0}, {W - 2 * X, 0}, {W, 2 * Y}}));
}
TARN_EFFECT_PROC(DiagonalFromBottomLeft) {
  RevealThrough(Screen, Picture, Poly({{0, H}, {2 * X, H}, {0, H - 2 * Y}}));
}
TARN_EFFECT_PROC(DiagonalFromBottomRight) {
  RevealThrough(Screen, Picture, Poly({{W, H}, {W - 2 * X, H}, {W, H - 2 * Y}}));
}
TARN_EFFECT_PROC(DiagonalSweepAnticlockwise) {
  RevealThrough(Screen, Picture, Poly({{0, H}, {0, 0}, {X, H}}));
  RevealThrough(Screen, Picture, Poly({{W, H}, {W, 0}, {W - X, 0}}));
}
TARN_EFFECT_PROC(DiagonalSweepClockwise) {
  RevealThrough(Screen, Picture, Poly({{W, 0}, {0, 0}, {W, Y}}));
  RevealThrough(Screen, Picture, Poly({{W, H}, {0, H}, {0, H - Y}}));
}
TARN_EFFECT_PROC(StarburstClockwise) {
  const TPoint M{Half(W), Half(H)};
  RevealThrough(Screen, Picture, Poly({M, {0, 0}, {X, 0}}));
  RevealThrough(Screen, Picture, Poly({M, {0, H}, {0, H - Y}}));
  RevealThrough(Screen, Picture, Poly({M, {W, H}, {W - X, H}}));
  RevealThrough(Screen, Picture, Poly({M, {W, 0}, {W, Y}}));
}
TARN_EFFECT_PROC(StarburstAnticlockwise) {
  const TPoint M{Half(W), Half(H)};
  RevealThrough(Screen, Picture, Poly({M, {0, 0}, {0, Y}}));
  RevealThrough(Screen, Picture, Poly({M, {0, H}, {X, H}}));
  RevealThrough(Screen, Picture, Poly({M, {W, H}, {W, H - Y}}));
  RevealThrough(Screen, Picture, Poly({M, {W, 0}, {W - X, 0}}));
}
TARN_EFFECT_PROC(SweepClockwise) {
  const int cW = Half(W), cH = Half(H);
  RevealThrough(Screen, Picture,
                CreateSectorRgn(cW, cH, CeilHypot(cH, cW), Progress, Progress * kPi / 50 - kPi / 2,
                                -kPi / 2));
}
TARN_EFFECT_PROC(SweepAnticlockwise) {
  const int cW = Half(W), cH = Half(H);
  RevealThrough(Screen, Picture,
                CreateSectorRgn(cW, cH, CeilHypot(cH, cW), Progress, -Progress * kPi / 50 - kPi / 2,
                                -kPi / 2));
}

// Rotating shapes.

TARN_EFFECT_PROC(RotationalRectangle) {
  std::array<TPoint, 4> p = CentredRect(W, H, X, Y);
  RotatePoints(p, Half(W), Half(H), TurnAngle(Progress));
  RevealThrough(Screen, Picture, CreatePolyRgn(std::span<const TPoint>(p)));
}
TARN_EFFECT_PROC(RotationalStar) {
  const int cW = Half(W), cH = Half(H), hX = Half(X), hY = Half(Y);
  std::array<TPoint, 8> p{{{cW - 2 * X, cH},
                           {cW - hX, cH - hY},
                           {cW, cH - 2 * Y},
                           {cW + hX, cH - hY},
                           {cW + 2 * X, cH},
                           {cW + hX, cH + hY},
                           {cW, cH + 2 * Y},
                           {cW - hX, cH + hY}}};
  RotatePoints(p, cW, cH, TurnAngle(Progress));
  RevealThrough(Screen, Picture, CreatePolyRgn(std::span<const TPoint>(p)));
}
TARN_EFFECT_PROC(SpiralRectangle) {
  std::array<TPoint, 4> p = CentredRect(W, H, X, Y);
  RotatePoints(p, X, Y, TurnAngle(Progress));
  RevealThrough(Screen, Picture, CreatePolyRgn(std::span<const TPoint>(p)));
}

// Grids: one shape per cell. Their union is what shows; rather than uniting the shapes one by
// one (each union walks everything united so far), their rectangles are collected and revealed
// together. The cells hold the same shape moved by whole pixels, so it is scan-converted once
// and its rectangles are moved to each cell.

namespace {

void AddShapeAt(std::vector<TRect>& list, const std::vector<TRect>& shape, int dx, int dy) {
  for (const TRect& r : shape)
    list.push_back(r.Offset(dx, dy));
}

}  // namespace

TARN_EFFECT_PROC(TriangularShred) {
  const int a = W / 10 + 1, b = H / 10 + 1;
  const int dx = MulDiv(a, Progress, 50), dy = MulDiv(b, Progress, 50);
  // The triangle of the cell centred on (0, 0).
  const std::vector<TRect> shape = Poly({{-dx, -dy}, {0, dy}, {dx, -dy}}).Rects();
  std::vector<TRect> list;
  for (int cx = a; cx - a < W; cx += 2 * a) {
    for (int cy = b; cy - b < H + b; cy += 2 * b)
      AddShapeAt(list, shape, cx, cy);
  }
  RevealRects(Screen, Picture, list);
}
TARN_EFFECT_PROC(CircularShred) {
  const int a = std::min(W, H) / 10 + 1, b = MulDiv(3 * a, Progress, 200);
  // The circle of the cell at (0, 0).
  const std::vector<TRect> shape = Region::Ellipse(a - b, a - b, a + b, a + b).Rects();
  std::vector<TRect> list;
  for (int x = 0; x < W; x += 2 * a) {
    for (int y = 0; y < H; y += 2 * a)
      AddShapeAt(list, shape, x, y);
  }
  RevealRects(Screen, Picture, list);
}
TARN_EFFECT_PROC(DiamondShred) {
  const int a = std::min(W, H) / 10 + 1, b = MulDiv(a, Progress, 50);
  const std::vector<TRect> shape = Poly({{-b, 0}, {0, -b}, {b, 0}, {0, b}}).Rects();
  std::vector<TRect> list;
  for (int cx = a; cx - a < W; cx += 2 * a) {
    for (int cy = a; cy - a < H; cy += 2 * a)
      AddShapeAt(list, shape, cx, cy);
  }
  RevealRects(Screen, Picture, list);
}

// Vs, bow ties and crosses.

TARN_EFFECT_PROC(RevealVFromLeft) {
  const int cH = Half(H);
  RevealThrough(Screen, Picture, Poly({{0, cH - Y}, {2 * X, cH}, {0, cH + Y}}));
}
TARN_EFFECT_PROC(RevealVFromRight) {
  const int cH = Half(H);
  RevealThrough(Screen, Picture, Poly({{W, cH - Y}, {W - 2 * X, cH}, {W, cH + Y}}));
}
TARN_EFFECT_PROC(RevealVFromTop) {
  const int cW = Half(W);
  RevealThrough(Screen, Picture, Poly({{cW - X, 0}, {cW, 2 * Y}, {cW + X, 0}}));
}
TARN_EFFECT_PROC(RevealVFromBottom) {
  const int cW = Half(W);
  RevealThrough(Screen, Picture, Poly({{cW - X, H}, {cW, H - 2 * Y}, {cW + X, H}}));
}
TARN_EFFECT_PROC(BowTieHorizontal) {
  const int cH = Half(H);
  RevealThrough(Screen, Picture, Poly({{0, cH - Y}, {X, cH}, {0, cH + Y}}));
  RevealThrough(Screen, Picture, Poly({{W, cH - Y}, {W - X, cH}, {W, cH + Y}}));
}
TARN_EFFECT_PROC(BowTieVertical) {
  const int cW = Half(W);
  RevealThrough(Screen, Picture, Poly({{cW - X, 0}, {cW, 2 * Y}, {cW + X, 0}}));
  RevealThrough(Screen, Picture, Poly({{cW - X, H}, {cW, H - 2 * Y}, {cW + X, H}}));
}
TARN_EFFECT_PROC(DiagonalCrossIn) {
  const int cW = Half(W), cH = Half(H), hX = Half(X), hY = Half(Y);
  RevealThrough(Screen, Picture, Poly({{0, cH - hY}, {hX, cH}, {0, cH + hY}}));
  RevealThrough(Screen, Picture, Poly({{W, cH - hY}, {W - hX, cH}, {W, cH + hY}}));
  RevealThrough(Screen, Picture, Poly({{cW - hX, 0}, {cW, hY}, {cW + hX, 0}}));
  RevealThrough(Screen, Picture, Poly({{cW - hX, H}, {cW, H - hY}, {cW + hX, H}}));
}
TARN_EFFECT_PROC(DiagonalCrossOut) {
  const int cW = Half(W), cH = Half(H), u = Half(W - X), v = Half(H - Y);
  Region R = Full(W, H);
  R ^= Poly({{0, cH - v}, {u, cH}, {0, cH + v}});
  R ^= Poly({{W, cH - v}, {W - u, cH}, {W, cH + v}});
  R ^= Poly({{cW - u, 0}, {cW, v}, {cW + u, 0}});
  R ^= Poly({{cW - u, H}, {cW, H - v}, {cW + u, H}});
  RevealThrough(Screen, Picture, R);
}

// A band between two parallel zigzag lines that widens from the middle: 12 points along one
// edge, then 12 back along the other.
TARN_EFFECT_PROC(ZigzagHorizontal) {
  const int a = W / 10, b = H / 10, c = MulDiv(b, Progress, 100) + Half(Y), m = Half(H);
  std::array<TPoint, 24> p;
  for (int k = 0; k <= 11; ++k)
    p[k] = {k * a, k % 2 == 0 ? m + b - c : m - b - c};
  for (int k = 11; k >= 0; --k)
    p[23 - k] = {k * a, k % 2 == 1 ? m - b + c : m + b + c};
  RevealThrough(Screen, Picture, CreatePolyRgn(std::span<const TPoint>(p)));
}
TARN_EFFECT_PROC(ZigzagVertical) {
  const int a = H / 10, b = W / 10, c = MulDiv(b, Progress, 100) + Half(X), m = Half(W);
  std::array<TPoint, 24> p;
  for (int k = 0; k <= 11; ++k)
    p[k] = {k % 2 == 0 ? m + b - c : m - b - c, k * a};
  for (int k = 11; k >= 0; --k)
    p[23 - k] = {k % 2 == 1 ? m - b + c : m + b + c, k * a};
  RevealThrough(Screen, Picture, CreatePolyRgn(std::span<const TPoint>(p)));
}

// Diamonds.

TARN_EFFECT_PROC(RevealDiamondOutFromCentre) {
  const int cW = Half(W), cH = Half(H);
  RevealThrough(Screen, Picture, Poly({{cW - X, cH}, {cW, cH - Y}, {cW + X, cH}, {cW, cH + Y}}));
}
TARN_EFFECT_PROC(RevealDiamondInToCentre) {
  const int cW = Half(W), cH = Half(H);
  const Region shape = Poly({{X - cW, cH}, {cW, Y - cH}, {3 * cW - X, cH}, {cW, 3 * cH - Y}});
  RevealThrough(Screen, Picture, Region::Combine(Full(W, H), shape, CombineMode::Xor));
}
TARN_EFFECT_PROC(DiagonalBoxOut) {
  const int cW = Half(W), cH = Half(H), hX = Half(X), hY = Half(Y);
  const Region outer = Poly({{-hX, cH}, {cW, -hY}, {2 * cW + hX, cH}, {cW, 2 * cH + hY}});
  const Region inner = Poly({{hX, cH}, {cW, hY}, {2 * cW - hX, cH}, {cW, 2 * cH - hY}});
  RevealThrough(Screen, Picture, Region::Combine(outer, inner, CombineMode::Xor));
}

}  // namespace tarn
