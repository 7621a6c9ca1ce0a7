#include "slideshow/effects/RectListEffects.h"

#include <algorithm>

#include "slideshow/effects/ComplexRegion.h"
#include "slideshow/effects/EffectMath.h"
#include "slideshow/effects/EffectRandom.h"
#include "slideshow/effects/RegionReveal.h"

namespace tarn {

namespace {

enum class Axis { Horizontal, Vertical };

// The patterns below are written once, for strips that run along the rows: a strip covers
// columns along .. along2 of rows across .. across2. The vertical patterns are the same ones on
// the transposed picture: this adapter swaps the two coordinates of every rectangle, and the
// picture's two sides, when it builds them.
template <Axis axis>
class StripList {
 public:
  StripList(TComplexRegion& list, int W, int H) : list_(list), W_(W), H_(H) {}

  // The picture's side along the strips, and the side they are stacked on.
  int Along() const { return axis == Axis::Horizontal ? W_ : H_; }
  int Across() const { return axis == Axis::Horizontal ? H_ : W_; }
  void Add(int along, int across, int along2, int across2) {
    if constexpr (axis == Axis::Horizontal) {
      list_.AddRect(along, across, along2, across2);
    } else {
      list_.AddRect(across, along, across2, along2);
    }
  }

 private:
  TComplexRegion& list_;
  int W_, H_;
};

// Mode 1 grows from the far end (right, bottom), 2 from the near end, 3 both at once, 4 near
// then far, 5 far then near.
template <Axis axis>
void AddBars(StripList<axis> out, int a, int mode) {
  const int L = out.Along(), C = out.Across();
  const int e = std::min(L, C) / 50 + 1;
  const bool second = L < a;  // the even bars are complete; the odd ones travel now
  for (int f = second ? e : 0; f < C + e; f += 2 * e) {
    if (!second) {
      switch (mode) {
        case 1:
        case 5:
          out.Add(L - a, f, L, f + e);
          break;
        case 2:
        case 4:
          out.Add(0, f, a, f + e);
          break;
        case 3:
          out.Add(0, f + e, a, f + 2 * e);
          out.Add(L - a, f, L, f + e);
          break;
        default:
          break;
      }
    } else {
      switch (mode) {
        case 1:
        case 4:
          out.Add(2 * L - a, f, L, f + e);
          break;
        case 2:
        case 5:
          out.Add(0, f, a - L, f + e);
          break;
        default:
          break;
      }
      out.Add(0, f - e, L, f);
    }
  }
}

// Mode 1 from the far end, 2 from the near end, 3 out from the middle, 4 in from both ends.
template <Axis axis>
void AddShreds(StripList<axis> out, int ext, int mode) {
  const int L = out.Along(), C = out.Across();
  const int e = std::min(L, C) / 200 + 1;
  const int l = ext < L ? L / 10 : 0;
  const int m = Half(L);
  for (int o = 0; o < C; o += e) {
    int r = Random(2 * l) + ext - l;  // drawn even when l = 0, so the sequence advances
    const int end = o + e + C % e;
    switch (mode) {
      case 1:
        out.Add(L - r, o, L, end);
        break;
      case 2:
        out.Add(0, o, r, end);
        break;
      case 3:
        r = Half(r);
        out.Add(m - r, o, m, end);
        out.Add(m, o, m + r, end);
        break;
      case 4:
        r = Half(r);
        out.Add(L - r, o, L, end);
        out.Add(0, o, r, end);
        break;
      default:
        break;
    }
  }
}

// Whether the speck i places ahead of the front shows: likelier near the front.
bool SpeckShows(int i, int l) {
  return i <= l ? Random(i) <= 1 : Random(i) == 0;
}

// Mode 1 from the far end, 2 from the near end; any other mode adds nothing.
template <Axis axis>
void AddSpeckles(StripList<axis> out, int ext, int mode) {
  if (mode != 1 && mode != 2) return;
  const int L = out.Along(), C = out.Across();
  const int g = ext < L ? L / 10 : 0;
  const int s = std::max(g / 20, 2);
  const int n = g / s;
  const int l = (3 * g) / (4 * s);
  for (int o = 0; o < C; o += Half(s)) {
    if (mode == 1) {
      const int front = L - ext;
      out.Add(front, o, L, o + s);
      for (int i = n; i >= 1; --i) {
        if (SpeckShows(i, l)) out.Add(front - i * s, o, front - i * s + s, o + s);
      }
    } else {
      out.Add(0, o, ext, o + s);
      for (int i = n; i >= 1; --i) {
        if (SpeckShows(i, l)) out.Add(ext + (i - 1) * s, o, ext + i * s, o + s);
      }
    }
  }
}

}  // namespace

void AddBarsRects(TComplexRegion& list, int HExt, int VExt, int W, int H, int HMode, int VMode) {
  if (HMode != 0) AddBars(StripList<Axis::Horizontal>(list, W, H), HExt, HMode);
  if (VMode != 0) AddBars(StripList<Axis::Vertical>(list, W, H), VExt, VMode);
}

// All horizontal strips before the vertical ones: that is the order they draw their numbers in.
void AddShredRects(TComplexRegion& list, int HExt, int VExt, int W, int H, int HMode, int VMode) {
  if (HMode != 0) AddShreds(StripList<Axis::Horizontal>(list, W, H), HExt, HMode);
  if (VMode != 0) AddShreds(StripList<Axis::Vertical>(list, W, H), VExt, VMode);
}

void AddSpeckleRects(TComplexRegion& list, int HExt, int VExt, int W, int H, int HMode, int VMode) {
  AddSpeckles(StripList<Axis::Horizontal>(list, W, H), HExt, HMode);
  AddSpeckles(StripList<Axis::Vertical>(list, W, H), VExt, VMode);
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

// The inline lists, written for rows like the builders and turned for columns.

namespace {

enum class From { Start, End };

// Strips opening out from the middle of every 2n, n = Across div 40 + 1.
template <Axis axis>
void AddBlinds(StripList<axis> out, int Progress) {
  const int n = out.Across() / 40 + 1, a = MulDiv(n, Progress, 100);
  for (int c = 0; c < out.Across(); c += 2 * n)
    out.Add(0, c + n - a, out.Along(), c + n + a);
}

// A strip Progress percent of the period deep at the start of every period, counted from the
// near or the far side.
template <Axis axis>
void AddUnevenBlinds(StripList<axis> out, int period, int Progress, From from) {
  const int a = MulDiv(period, Progress, 100);
  if (from == From::Start) {
    for (int c = 0; c < out.Across(); c += period)
      out.Add(0, c, out.Along(), c + a);
  } else {
    for (int c = out.Across(); c > 0; c -= period)
      out.Add(0, c - a, out.Along(), c);
  }
}

// Bands 2a across every 3b, starting just before the picture.
template <Axis axis>
void AddBands(StripList<axis> out, int b, int a) {
  for (int c = -b; c < out.Across(); c += 3 * b)
    out.Add(0, c - a, out.Along(), c + a);
}

constexpr Axis Turned(Axis axis) {
  return axis == Axis::Horizontal ? Axis::Vertical : Axis::Horizontal;
}

// Nothing when the period is 0.
template <Axis axis>
void RevealUnevenBlinds(Bitmap32& Screen, const Bitmap32& Picture, int W, int H, int period,
                        int Progress, From from) {
  if (period == 0) return;
  TComplexRegion list;
  AddUnevenBlinds(StripList<axis>(list, W, H), period, Progress, from);
  RevealRects(Screen, Picture, list.Rects());
}

// Bands b = (their side) div 20 apart growing across the uneven blinds; nothing when the period
// or b is 0.
template <Axis axis>
void RevealRectangles(Bitmap32& Screen, const Bitmap32& Picture, int W, int H, int period,
                      int Progress, From from) {
  TComplexRegion list;
  const StripList<Turned(axis)> bands(list, W, H);
  const int b = bands.Across() / 20;
  if (period == 0 || b == 0) return;
  AddBands(bands, b, MulDiv(b, Progress, 100));
  AddUnevenBlinds(StripList<axis>(list, W, H), period, Progress, from);
  RevealRects(Screen, Picture, list.Rects());
}

}  // namespace

TARN_EFFECT_PROC(BlindVertically) {
  TComplexRegion list;
  AddBlinds(StripList<Axis::Vertical>(list, W, H), Progress);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(BlindHorizontally) {
  TComplexRegion list;
  AddBlinds(StripList<Axis::Horizontal>(list, W, H), Progress);
  RevealRects(Screen, Picture, list.Rects());
}
TARN_EFFECT_PROC(UnevenBlindFromLeft) {
  RevealUnevenBlinds<Axis::Vertical>(Screen, Picture, W, H, X, Progress, From::Start);
}
TARN_EFFECT_PROC(UnevenBlindFromRight) {
  RevealUnevenBlinds<Axis::Vertical>(Screen, Picture, W, H, X, Progress, From::End);
}
TARN_EFFECT_PROC(UnevenBlindFromTop) {
  RevealUnevenBlinds<Axis::Horizontal>(Screen, Picture, W, H, Y, Progress, From::Start);
}
TARN_EFFECT_PROC(UnevenBlindFromBottom) {
  RevealUnevenBlinds<Axis::Horizontal>(Screen, Picture, W, H, Y, Progress, From::End);
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
TARN_EFFECT_PROC(RectanglesFromLeft) {
  RevealRectangles<Axis::Vertical>(Screen, Picture, W, H, X, Progress, From::Start);
}
TARN_EFFECT_PROC(RectanglesFromRight) {
  RevealRectangles<Axis::Vertical>(Screen, Picture, W, H, X, Progress, From::End);
}
TARN_EFFECT_PROC(RectanglesFromTop) {
  RevealRectangles<Axis::Horizontal>(Screen, Picture, W, H, Y, Progress, From::Start);
}
TARN_EFFECT_PROC(RectanglesFromBottom) {
  RevealRectangles<Axis::Horizontal>(Screen, Picture, W, H, Y, Progress, From::End);
}

}  // namespace tarn
