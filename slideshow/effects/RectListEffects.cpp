#include "slideshow/effects/RectListEffects.h"

#include <algorithm>

#include "slideshow/effects/ComplexRegion.h"
#include "slideshow/effects/EffectMath.h"
#include "slideshow/effects/EffectRandom.h"
#include "slideshow/effects/RegionReveal.h"

namespace tarn {

void AddBarsRects(TComplexRegion& list, int HExt, int VExt, int W, int H, int HMode, int VMode) {
  const int e = std::min(W, H) / 50 + 1;
  if (HMode != 0) {
    const int a = HExt;
    const bool second = W < a;  // the even bars are complete; the odd ones travel now
    for (int f = second ? e : 0; f < H + e; f += 2 * e) {
      if (!second) {
        switch (HMode) {
          case 1:
          case 5:
            list.AddRect(W - a, f, W, f + e);
            break;
          case 2:
          case 4:
            list.AddRect(0, f, a, f + e);
            break;
          case 3:
            list.AddRect(0, f + e, a, f + 2 * e);
            list.AddRect(W - a, f, W, f + e);
            break;
          default:
            break;
        }
      } else {
        switch (HMode) {
          case 1:
          case 4:
            list.AddRect(2 * W - a, f, W, f + e);
            break;
          case 2:
          case 5:
            list.AddRect(0, f, a - W, f + e);
            break;
          default:
            break;
        }
        list.AddRect(0, f - e, W, f);
      }
    }
  }
  if (VMode != 0) {
    const int b = VExt;
    const bool second = H < b;
    for (int h = second ? e : 0; h < W + e; h += 2 * e) {
      if (!second) {
        switch (VMode) {
          case 1:
          case 5:
            list.AddRect(h, H - b, h + e, H);
            break;
          case 2:
          case 4:
            list.AddRect(h, 0, h + e, b);
            break;
          case 3:
            list.AddRect(h, H - b, h + e, H);
            list.AddRect(h + e, 0, h + 2 * e, b);
            break;
          default:
            break;
        }
      } else {
        switch (VMode) {
          case 1:
          case 4:
            list.AddRect(h, 2 * H - b, h + e, H);
            break;
          case 2:
          case 5:
            list.AddRect(h, 0, h + e, b - H);
            break;
          default:
            break;
        }
        list.AddRect(h - e, 0, h, H);
      }
    }
  }
}

void AddShredRects(TComplexRegion& list, int HExt, int VExt, int W, int H, int HMode, int VMode) {
  const int e = std::min(W, H) / 200 + 1;
  if (HMode != 0) {
    const int l = HExt < W ? W / 10 : 0;
    const int m = Half(W);
    for (int o = 0; o < H; o += e) {
      int r = Random(2 * l) + HExt - l;  // drawn even when l = 0, so the sequence advances
      const int bottom = o + e + H % e;
      switch (HMode) {
        case 1:
          list.AddRect(W - r, o, W, bottom);
          break;
        case 2:
          list.AddRect(0, o, r, bottom);
          break;
        case 3:
          r = Half(r);
          list.AddRect(m - r, o, m, bottom);
          list.AddRect(m, o, m + r, bottom);
          break;
        case 4:
          r = Half(r);
          list.AddRect(W - r, o, W, bottom);
          list.AddRect(0, o, r, bottom);
          break;
        default:
          break;
      }
    }
  }
  if (VMode != 0) {
    const int l = VExt < H ? H / 10 : 0;
    const int m = Half(H);
    for (int o = 0; o < W; o += e) {
      int r = Random(2 * l) + VExt - l;
      const int right = o + e + W % e;
      switch (VMode) {
        case 1:
          list.AddRect(o, H - r, right, H);
          break;
        case 2:
          list.AddRect(o, 0, right, r);
          break;
        case 3:
          r = Half(r);
          list.AddRect(o, m - r, right, m);
          list.AddRect(o, m, right, m + r);
          break;
        case 4:
          r = Half(r);
          list.AddRect(o, H - r, right, H);
          list.AddRect(o, 0, right, r);
          break;
        default:
          break;
      }
    }
  }
}

namespace {

// Whether the speck i places ahead of the front shows: likelier near the front.
bool SpeckShows(int i, int l) {
  return i <= l ? Random(i) <= 1 : Random(i) == 0;
}

}  // namespace

void AddSpeckleRects(TComplexRegion& list, int HExt, int VExt, int W, int H, int HMode, int VMode) {
  if (HMode == 1 || HMode == 2) {
    const int g = HExt < W ? W / 10 : 0;
    const int s = std::max(g / 20, 2);
    const int n = g / s;
    const int l = (3 * g) / (4 * s);
    for (int y = 0; y < H; y += Half(s)) {
      if (HMode == 1) {
        const int front = W - HExt;
        list.AddRect(front, y, W, y + s);
        for (int i = n; i >= 1; --i) {
          if (SpeckShows(i, l)) list.AddRect(front - i * s, y, front - i * s + s, y + s);
        }
      } else {
        list.AddRect(0, y, HExt, y + s);
        for (int i = n; i >= 1; --i) {
          if (SpeckShows(i, l)) list.AddRect(HExt + (i - 1) * s, y, HExt + i * s, y + s);
        }
      }
    }
  }
  if (VMode == 1 || VMode == 2) {
    const int g = VExt < H ? H / 10 : 0;
    const int s = std::max(g / 20, 2);
    const int n = g / s;
    const int l = (3 * g) / (4 * s);
    for (int x = 0; x < W; x += Half(s)) {
      if (VMode == 1) {
        const int front = H - VExt;
        list.AddRect(x, front, x + s, H);
        for (int i = n; i >= 1; --i) {
          if (SpeckShows(i, l)) list.AddRect(x, front - i * s, x + s, front - i * s + s);
        }
      } else {
        list.AddRect(x, 0, x + s, VExt);
        for (int i = n; i >= 1; --i) {
          if (SpeckShows(i, l)) list.AddRect(x, VExt + (i - 1) * s, x + s, VExt + i * s);
        }
      }
    }
  }
}

std::optional<Region> CreateBarsRgn(int HExt, int VExt, int W, int H, int HMode, int VMode) {
  TComplexRegion list;
  AddBarsRects(list, HExt, VExt, W, H, HMode, VMode);
  return list.CreateRegion();
}

std::optional<Region> CreateShredRgn(int HExt, int VExt, int W, int H, int HMode, int VMode) {
  TComplexRegion list;
  AddShredRects(list, HExt, VExt, W, H, HMode, VMode);
  return list.CreateRegion();
}

std::optional<Region> CreateSpeckleRgn(int HExt, int VExt, int W, int H, int HMode, int VMode) {
  TComplexRegion list;
  AddSpeckleRects(list, HExt, VExt, W, H, HMode, VMode);
  return list.CreateRegion();
}

namespace {

// Shows the new picture inside the rectangles one builder adds.
template <class Builder>
void RevealBuilt(Bitmap32& Screen, const Bitmap32& Picture, Builder build, int HExt, int VExt,
                 int W, int H, int HMode, int VMode) {
  TComplexRegion list;
  build(list, HExt, VExt, W, H, HMode, VMode);
  RevealRects(Screen, Picture, list.Rects());
}

void Bars(Bitmap32& Screen, const Bitmap32& Picture, int HExt, int VExt, int W, int H, int HMode,
          int VMode) {
  RevealBuilt(Screen, Picture, AddBarsRects, HExt, VExt, W, H, HMode, VMode);
}
void Shred(Bitmap32& Screen, const Bitmap32& Picture, int HExt, int VExt, int W, int H, int HMode,
           int VMode) {
  RevealBuilt(Screen, Picture, AddShredRects, HExt, VExt, W, H, HMode, VMode);
}
void Speckle(Bitmap32& Screen, const Bitmap32& Picture, int HExt, int VExt, int W, int H, int HMode,
             int VMode) {
  RevealBuilt(Screen, Picture, AddSpeckleRects, HExt, VExt, W, H, HMode, VMode);
}

}  // namespace

// The builder members.

TARN_EFFECT_PROC(BarsInFromRight) {
  Bars(Screen, Picture, 2 * X, 0, W, H, 1, 0);
}
TARN_EFFECT_PROC(BarsInFromLeft) {
  Bars(Screen, Picture, 2 * X, 0, W, H, 2, 0);
}
TARN_EFFECT_PROC(BarsLeftThenRight) {
  Bars(Screen, Picture, 2 * X, 0, W, H, 4, 0);
}
TARN_EFFECT_PROC(BarsRightThenLeft) {
  Bars(Screen, Picture, 2 * X, 0, W, H, 5, 0);
}
TARN_EFFECT_PROC(BarsFromBothSides) {
  Bars(Screen, Picture, X, 0, W, H, 3, 0);
}
TARN_EFFECT_PROC(ShredFromRight) {
  Shred(Screen, Picture, X, 0, W, H, 1, 0);
}
TARN_EFFECT_PROC(ShredFromLeft) {
  Shred(Screen, Picture, X, 0, W, H, 2, 0);
}
TARN_EFFECT_PROC(ShredOutFromMiddleHoriz) {
  Shred(Screen, Picture, X, 0, W, H, 3, 0);
}
TARN_EFFECT_PROC(ShredInToMiddleHoriz) {
  Shred(Screen, Picture, X, 0, W, H, 4, 0);
}
TARN_EFFECT_PROC(BarsFromBottom) {
  Bars(Screen, Picture, 0, 2 * Y, W, H, 0, 1);
}
TARN_EFFECT_PROC(BarsFromTop) {
  Bars(Screen, Picture, 0, 2 * Y, W, H, 0, 2);
}
TARN_EFFECT_PROC(BarsTopThenBottom) {
  Bars(Screen, Picture, 0, 2 * Y, W, H, 0, 4);
}
TARN_EFFECT_PROC(BarsBottomThenTop) {
  Bars(Screen, Picture, 0, 2 * Y, W, H, 0, 5);
}
TARN_EFFECT_PROC(BarsFromTopAndBottom) {
  Bars(Screen, Picture, 0, Y, W, H, 0, 3);
}
TARN_EFFECT_PROC(ShredFromBottom) {
  Shred(Screen, Picture, 0, Y, W, H, 0, 1);
}
TARN_EFFECT_PROC(ShredFromTop) {
  Shred(Screen, Picture, 0, Y, W, H, 0, 2);
}
TARN_EFFECT_PROC(ShredFromHorizon) {
  Shred(Screen, Picture, 0, Y, W, H, 0, 3);
}
TARN_EFFECT_PROC(ShredInToHorizon) {
  Shred(Screen, Picture, 0, Y, W, H, 0, 4);
}
TARN_EFFECT_PROC(CrissCrossFromBottomRight) {
  Bars(Screen, Picture, 2 * X, 2 * Y, W, H, 1, 1);
}
TARN_EFFECT_PROC(CrissCrossFromTopRight) {
  Bars(Screen, Picture, 2 * X, 2 * Y, W, H, 1, 2);
}
TARN_EFFECT_PROC(CrissCrossFromBottomLeft) {
  Bars(Screen, Picture, 2 * X, 2 * Y, W, H, 2, 1);
}
TARN_EFFECT_PROC(CrissCrossFromTopLeft) {
  Bars(Screen, Picture, 2 * X, 2 * Y, W, H, 2, 2);
}
TARN_EFFECT_PROC(CrissCrossBounceFromTopLeft) {
  Bars(Screen, Picture, 2 * X, 2 * Y, W, H, 4, 4);
}
TARN_EFFECT_PROC(CrissCrossBounceFromBottomLeft) {
  Bars(Screen, Picture, 2 * X, 2 * Y, W, H, 4, 5);
}
TARN_EFFECT_PROC(CrissCrossBounceFromTopRight) {
  Bars(Screen, Picture, 2 * X, 2 * Y, W, H, 5, 4);
}
TARN_EFFECT_PROC(CrissCrossBounceFromBottomRight) {
  Bars(Screen, Picture, 2 * X, 2 * Y, W, H, 5, 5);
}
TARN_EFFECT_PROC(CrissCrossFromRightTopAndBottom) {
  Bars(Screen, Picture, X, Y, W, H, 1, 3);
}
TARN_EFFECT_PROC(CrissCrossFromLeftTopAndBottom) {
  Bars(Screen, Picture, X, Y, W, H, 2, 3);
}
TARN_EFFECT_PROC(CrissCrossFromLeftRightAndBottom) {
  Bars(Screen, Picture, X, Y, W, H, 3, 1);
}
TARN_EFFECT_PROC(CrissCrossFromLeftRightAndTop) {
  Bars(Screen, Picture, X, Y, W, H, 3, 2);
}
TARN_EFFECT_PROC(CrissCrossFromAllSides) {
  Bars(Screen, Picture, X, Y, W, H, 3, 3);
}
TARN_EFFECT_PROC(CrissCrossFromBottomLeftTopRight) {
  const std::optional<Region> a = CreateBarsRgn(2 * X, 2 * Y, W, H, 1, 1);
  const std::optional<Region> b = CreateBarsRgn(2 * X, 2 * Y, W, H, 2, 2);
  if (a && b) RevealThrough(Screen, Picture, Region::Combine(*a, *b, CombineMode::And));
}
TARN_EFFECT_PROC(ShredFromBottomAndRight) {
  Shred(Screen, Picture, X, Y, W, H, 1, 1);
}
TARN_EFFECT_PROC(ShredFromTopAndRight) {
  Shred(Screen, Picture, X, Y, W, H, 1, 2);
}
TARN_EFFECT_PROC(ShredFromBottomAndLeft) {
  Shred(Screen, Picture, X, Y, W, H, 2, 1);
}
TARN_EFFECT_PROC(ShredFromTopAndLeft) {
  Shred(Screen, Picture, X, Y, W, H, 2, 2);
}
TARN_EFFECT_PROC(ShredFromHorizAndRight) {
  Shred(Screen, Picture, X, Y, W, H, 1, 3);
}
TARN_EFFECT_PROC(ShredFromHorizAndLeft) {
  Shred(Screen, Picture, X, Y, W, H, 2, 3);
}
TARN_EFFECT_PROC(ShredFromBottomAndVertMiddle) {
  Shred(Screen, Picture, X, Y, W, H, 3, 1);
}
TARN_EFFECT_PROC(ShredFromTopAndVertMiddle) {
  Shred(Screen, Picture, X, Y, W, H, 3, 2);
}
TARN_EFFECT_PROC(ShredFromCentre) {
  Shred(Screen, Picture, X, Y, W, H, 3, 3);
}
TARN_EFFECT_PROC(ShredToCentre) {
  Shred(Screen, Picture, X, Y, W, H, 4, 4);
}
TARN_EFFECT_PROC(SpeckleFromRight) {
  Speckle(Screen, Picture, X, Y, W, H, 1, 0);
}
TARN_EFFECT_PROC(SpeckleFromLeft) {
  Speckle(Screen, Picture, X, Y, W, H, 2, 0);
}
TARN_EFFECT_PROC(SpeckleFromBottom) {
  Speckle(Screen, Picture, X, Y, W, H, 0, 1);
}
TARN_EFFECT_PROC(SpeckleFromTop) {
  Speckle(Screen, Picture, X, Y, W, H, 0, 2);
}

// The same seed in every frame gives every square the same number, so a square once shown stays.
TARN_EFFECT_PROC(RandomSquares) {
  const int s = std::min(W, H);
  uint32_t seed = static_cast<uint32_t>((s / 50 + 1) * (W + H));
  const int q = (s / 50) * 2 + 2;
  TComplexRegion list;
  for (int x = 0; x < W; x += q) {
    for (int y = 0; y < H; y += q) {
      if (NextRandom(seed, 100) < Progress) list.AddRect(x, y, x + q, y + q);
    }
  }
  RevealRects(Screen, Picture, list.Rects());
}

// The inline lists.

TARN_EFFECT_PROC(BlindVertically) {
  const int n = W / 40 + 1, a = MulDiv(n, Progress, 100);
  TComplexRegion list;
  for (int x = 0; x < W; x += 2 * n)
    list.AddRect(x + n - a, 0, x + n + a, H);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(BlindHorizontally) {
  const int n = H / 40 + 1, a = MulDiv(n, Progress, 100);
  TComplexRegion list;
  for (int y = 0; y < H; y += 2 * n)
    list.AddRect(0, y + n - a, W, y + n + a);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(UnevenBlindFromLeft) {
  if (X == 0) return;
  const int a = MulDiv(X, Progress, 100);
  TComplexRegion list;
  for (int x = 0; x < W; x += X)
    list.AddRect(x, 0, x + a, H);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(UnevenBlindFromRight) {
  if (X == 0) return;
  const int a = MulDiv(X, Progress, 100);
  TComplexRegion list;
  for (int x = W; x > 0; x -= X)
    list.AddRect(x - a, 0, x, H);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(UnevenBlindFromTop) {
  if (Y == 0) return;
  const int a = MulDiv(Y, Progress, 100);
  TComplexRegion list;
  for (int y = 0; y < H; y += Y)
    list.AddRect(0, y, W, y + a);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(UnevenBlindFromBottom) {
  if (Y == 0) return;
  const int a = MulDiv(Y, Progress, 100);
  TComplexRegion list;
  for (int y = H; y > 0; y -= Y)
    list.AddRect(0, y - a, W, y);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(RectangularShred) {
  const int n = std::min(W, H) / 10 + 1, a = MulDiv(n, Progress, 100);
  TComplexRegion list;
  for (int x = 0; x < W; x += 2 * n) {
    for (int y = 0; y < H; y += 2 * n)
      list.AddRect(x + n - a, y + n - a, x + n + a, y + n + a);
  }
  RevealRects(Screen, Picture, list.Rects());
}

namespace {

// Horizontal bands 2a high every 3b rows, starting just above the picture (rows 145 and 146).
void AddBands(TComplexRegion& list, int W, int H, int b, int a) {
  for (int y = -b; y < H; y += 3 * b)
    list.AddRect(0, y - a, W, y + a);
}
// Vertical bands 2a wide every 3b columns (rows 147 and 148).
void AddColumnBands(TComplexRegion& list, int W, int H, int b, int a) {
  for (int x = -b; x < W; x += 3 * b)
    list.AddRect(x - a, 0, x + a, H);
}

}  // namespace

TARN_EFFECT_PROC(RectanglesFromLeft) {
  const int b = H / 20;
  if (X == 0 || b == 0) return;
  TComplexRegion list;
  AddBands(list, W, H, b, MulDiv(b, Progress, 100));
  const int p = MulDiv(X, Progress, 100);
  for (int x = 0; x < W; x += X)
    list.AddRect(x, 0, x + p, H);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(RectanglesFromRight) {
  const int b = H / 20;
  if (X == 0 || b == 0) return;
  TComplexRegion list;
  AddBands(list, W, H, b, MulDiv(b, Progress, 100));
  const int p = MulDiv(X, Progress, 100);
  for (int x = W; x > 0; x -= X)
    list.AddRect(x - p, 0, x, H);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(RectanglesFromTop) {
  const int b = W / 20;
  if (b == 0 || Y == 0) return;
  TComplexRegion list;
  AddColumnBands(list, W, H, b, MulDiv(b, Progress, 100));
  const int p = MulDiv(Y, Progress, 100);
  for (int y = 0; y < H; y += Y)
    list.AddRect(0, y, W, y + p);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(RectanglesFromBottom) {
  const int b = W / 20;
  if (b == 0 || Y == 0) return;
  TComplexRegion list;
  AddColumnBands(list, W, H, b, MulDiv(b, Progress, 100));
  const int p = MulDiv(Y, Progress, 100);
  for (int y = H; y > 0; y -= Y)
    list.AddRect(0, y - p, W, y);
  RevealRects(Screen, Picture, list.Rects());
}

}  // namespace tarn
