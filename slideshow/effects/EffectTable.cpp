#include "slideshow/effects/EffectTable.h"

#include <array>
#include <string>

#include "base/Exception.h"
#include "slideshow/effects/BlockCopyEffects.h"
#include "slideshow/effects/EffectMath.h"
#include "slideshow/effects/PixelEffects.h"
#include "slideshow/effects/RectListEffects.h"
#include "slideshow/effects/ShapeEffects.h"

namespace tarn {
namespace {

// Style n is row n - 1. The names are shown to users and matched by name, byte for byte (their
// spelling included); two names occur twice (18 and 33, 25 and 34) for different effects.
constexpr std::array<TEffect, EffectCount> kEffects{{
    {"Expand from right", ExpandFromRight},                                                   // 1
    {"Expand from left", ExpandFromLeft},                                                     // 2
    {"Slide in from right", SlideInFromRight},                                                // 3
    {"Slide in from left", SlideInFromLeft},                                                  // 4
    {"Reveal from left", RevealFromLeft},                                                     // 5
    {"Reveal from right", RevealFromRight},                                                   // 6
    {"Expand in from right", ExpandInFromRight},                                              // 7
    {"Expand in from left", ExpandInFromLeft},                                                // 8
    {"Expand in to middle", ExpandInToMiddle},                                                // 9
    {"Expand out from middle", ExpandOutFromMiddle},                                          // 10
    {"Reveal out from middle", RevealOutFromMiddle},                                          // 11
    {"Reveal in from sides", RevealInFromSides},                                              // 12
    {"Expand in from sides", ExpandInFromSides},                                              // 13
    {"Unroll from left", UnrollFromLeft},                                                     // 14
    {"Unroll from right", UnrollFromRight},                                                   // 15
    {"Build up from right", BuildUpFromRight},                                                // 16
    {"Build up from left", BuildUpFromLeft},                                                  // 17
    {"Expand from bottom", ExpandFromBottom},                                                 // 18
    {"Expand from top", ExpandFromTop},                                                       // 19
    {"Slide in from bottom", SlideInFromBottom},                                              // 20
    {"Slide in from top", SlideInFromTop},                                                    // 21
    {"Reveal from top", RevealFromTop},                                                       // 22
    {"Reveal from bottom", RevealFromBottom},                                                 // 23
    {"Expand in from bottom", ExpandInFromBottom},                                            // 24
    {"Expand in from top", ExpandInFromTop},                                                  // 25
    {"Expand in to middle (horiz)", ExpandInToMiddleHoriz},                                   // 26
    {"Expand out from middle (horiz)", ExpandOutFromMiddleHoriz},                             // 27
    {"Reveal from middle (horiz)", RevealFromMiddleHoriz},                                    // 28
    {"Slide in from top / bottom", SlideInFromTopBottom},                                     // 29
    {"Expand in from top / bottom", ExpandInFromTopBottom},                                   // 30
    {"Unroll from top", UnrollFromTop},                                                       // 31
    {"Unroll from bottom", UnrollFromBottom},                                                 // 32
    {"Expand from bottom", BuildUpFromTop},                                                   // 33
    {"Expand in from top", BuildUpFromBottom},                                                // 34
    {"Expand from bottom right", ExpandFromBottomRight},                                      // 35
    {"Expand from top right", ExpandFromTopRight},                                            // 36
    {"Expand from top left", ExpandFromTopLeft},                                              // 37
    {"Expand from bottom left", ExpandFromBottomLeft},                                        // 38
    {"Slide in from bottom right", SlideInFromBottomRight},                                   // 39
    {"Slide in from top right", SlideInFromTopRight},                                         // 40
    {"Slide in from top left", SlideInFromTopLeft},                                           // 41
    {"Slide in from bottom left", SlideInFromBottomLeft},                                     // 42
    {"Reveal from top left", RevealFromTopLeft},                                              // 43
    {"Reveal from bottom left", RevealFromBottomLeft},                                        // 44
    {"Reveal from bottom right", RevealFromBottomRight},                                      // 45
    {"Reveal from top right", RevealFromTopRight},                                            // 46
    {"Appear and Contract to top left", ContractToTopLeft},                                   // 47
    {"Appear and Contract to bottom left", ContractToBottomLeft},                             // 48
    {"Appear and Contract to bottom right", ContractToBottomRight},                           // 49
    {"Appear and Contract to top right", ContractToTopRight},                                 // 50
    {"Appear and Contract to middle", ContractToMiddle},                                      // 51
    {"Expand out from centre", ExpandOutFromCentre},                                          // 52
    {"Reveal out from centre", RevealOutFromCentre},                                          // 53
    {"Reveal in to centre", RevealInToCentre},                                                // 54
    {"Quarters Reveal in to middle", QuartersRevealInToMiddle},                               // 55
    {"Quarters Expand to middle", QuartersExpandToMiddle},                                    // 56
    {"Quarters Slide in to middle", QuartersSlideInToMiddle},                                 // 57
    {"Curved Reveal from left", CurvedRevealFromLeft},                                        // 58
    {"Curved Reveal from right", CurvedRevealFromRight},                                      // 59
    {"Bars in from right", BarsInFromRight},                                                  // 60
    {"Bars in from left", BarsInFromLeft},                                                    // 61
    {"Bars left then right", BarsLeftThenRight},                                              // 62
    {"Bars right then left", BarsRightThenLeft},                                              // 63
    {"Bars from both sides", BarsFromBothSides},                                              // 64
    {"Uneven shred from right", ShredFromRight},                                              // 65
    {"Uneven shred from left", ShredFromLeft},                                                // 66
    {"Uneven shred out from middle (horiz)", ShredOutFromMiddleHoriz},                        // 67
    {"Uneven shred in to middle (horiz)", ShredInToMiddleHoriz},                              // 68
    {"Curved Reveal from top", CurvedRevealFromTop},                                          // 69
    {"Curved Reveal from bottom", CurvedRevealFromBottom},                                    // 70
    {"Bars from bottom", BarsFromBottom},                                                     // 71
    {"Bars from top", BarsFromTop},                                                           // 72
    {"Bars top then bottom", BarsTopThenBottom},                                              // 73
    {"Bars bottom then top", BarsBottomThenTop},                                              // 74
    {"Bars from top and bottom", BarsFromTopAndBottom},                                       // 75
    {"Unven shred from bottom", ShredFromBottom},                                             // 76
    {"Uneven shred from top", ShredFromTop},                                                  // 77
    {"Uneven shred from horizon", ShredFromHorizon},                                          // 78
    {"Uneven shred in to horizon", ShredInToHorizon},                                         // 79
    {"Curved reveal from top left", CurvedRevealFromTopLeft},                                 // 80
    {"Curved reveal from top right", CurvedRevealFromTopRight},                               // 81
    {"Curved reveal from bottom left", CurvedRevealFromBottomLeft},                           // 82
    {"Curved reveal from bottom right", CurvedRevealFromBottomRight},                         // 83
    {"Elliptic reveal out from centre", EllipticRevealOutFromCentre},                         // 84
    {"Elliptic reveal in to centre", EllipticRevealInToCentre},                               // 85
    {"Criss Cross reveal from bottom right", CrissCrossFromBottomRight},                      // 86
    {"Criss Cross reveal from top right", CrissCrossFromTopRight},                            // 87
    {"Criss Cross reveal from bottom left", CrissCrossFromBottomLeft},                        // 88
    {"Criss Cross reveal from top left", CrissCrossFromTopLeft},                              // 89
    {"Criss Cross reveal bounce from top left", CrissCrossBounceFromTopLeft},                 // 90
    {"Criss Cross reveal bounce from bottom left", CrissCrossBounceFromBottomLeft},           // 91
    {"Criss Cross reveal bounce from top right", CrissCrossBounceFromTopRight},               // 92
    {"Criss Cross reveal bounce from bottom right", CrissCrossBounceFromBottomRight},         // 93
    {"Criss Cross reveal from right top and bottom", CrissCrossFromRightTopAndBottom},        // 94
    {"Criss Cross reveal from left top and bottom", CrissCrossFromLeftTopAndBottom},          // 95
    {"Criss Cross reveal from left right and bottom", CrissCrossFromLeftRightAndBottom},      // 96
    {"Criss Cross reveal from left right and top", CrissCrossFromLeftRightAndTop},            // 97
    {"Criss Cross reveal from top left right and bottom", CrissCrossFromAllSides},            // 98
    {"Criss Cross reveal from bottom left top right", CrissCrossFromBottomLeftTopRight},      // 99
    {"Uneven shred from bottom and right", ShredFromBottomAndRight},                          // 100
    {"Uneven shred from top and right", ShredFromTopAndRight},                                // 101
    {"Uneven shred from bottom and left", ShredFromBottomAndLeft},                            // 102
    {"Uneven shred from top and left", ShredFromTopAndLeft},                                  // 103
    {"Uneven shred from horiz and right", ShredFromHorizAndRight},                            // 104
    {"Uneven shred from horiz and left", ShredFromHorizAndLeft},                              // 105
    {"Uneven shred from bottom and vert middle", ShredFromBottomAndVertMiddle},               // 106
    {"Uneven shred from top and vert middle", ShredFromTopAndVertMiddle},                     // 107
    {"Uneven shred from centre", ShredFromCentre},                                            // 108
    {"Uneven shred to centre", ShredToCentre},                                                // 109
    {"Reveal diagonal from top left", DiagonalFromTopLeft},                                   // 110
    {"Reveal diagonal from top right", DiagonalFromTopRight},                                 // 111
    {"Reveal diagonal from bottom left", DiagonalFromBottomLeft},                             // 112
    {"Reveal diagonal from bottom right", DiagonalFromBottomRight},                           // 113
    {"Diagonal sweep from top left bottom right anticlockwise", DiagonalSweepAnticlockwise},  // 114
    {"Diagonal sweep from top left bottom right clockwise", DiagonalSweepClockwise},          // 115
    {"Starburst clockwise from center", StarburstClockwise},                                  // 116
    {"Triangular shred", TriangularShred},                                                    // 117
    {"Fade", Fade},                                                                           // 118
    {"Pivot from top left", PivotFromTopLeft},                                                // 119
    {"Pivot from bottom left", PivotFromBottomLeft},                                          // 120
    {"Pivot from top right", PivotFromTopRight},                                              // 121
    {"Pivot from bottom right", PivotFromBottomRight},                                        // 122
    {"Speckle appear from right", SpeckleFromRight},                                          // 123
    {"Speckle appear from left", SpeckleFromLeft},                                            // 124
    {"Speckle appear from bottom", SpeckleFromBottom},                                        // 125
    {"Speckle appear from top", SpeckleFromTop},                                              // 126
    {"Random squares appear", RandomSquares},                                                 // 127
    {"Push right", PushRight},                                                                // 128
    {"Push left", PushLeft},                                                                  // 129
    {"Push and squeeze right", PushAndSqueezeRight},                                          // 130
    {"Push and squeeze left", PushAndSqueezeLeft},                                            // 131
    {"Push down", PushDown},                                                                  // 132
    {"Push up", PushUp},                                                                      // 133
    {"Push and sqeeze down", PushAndSqueezeDown},                                             // 134
    {"Push and sqeeze up", PushAndSqueezeUp},                                                 // 135
    {"Blind vertically", BlindVertically},                                                    // 136
    {"Blind horizontally", BlindHorizontally},                                                // 137
    {"Uneven blind from left", UnevenBlindFromLeft},                                          // 138
    {"Uneven blind from right", UnevenBlindFromRight},                                        // 139
    {"Uneven blind from top", UnevenBlindFromTop},                                            // 140
    {"Uneven blind from bottom", UnevenBlindFromBottom},                                      // 141
    {"Rectangular shred", RectangularShred},                                                  // 142
    {"Sweep clockwise", SweepClockwise},                                                      // 143
    {"Sweep anticlockwise", SweepAnticlockwise},                                              // 144
    {"Rectangles apear from left and disapear to right", RectanglesFromLeft},                 // 145
    {"Rectangles apear from right and disapear to left", RectanglesFromRight},                // 146
    {"Rectangles apear from up and disapear to bottom", RectanglesFromTop},                   // 147
    {"Rectangles apear from bottom and disapear to up", RectanglesFromBottom},                // 148
    {"Rotational rectangle in center", RotationalRectangle},                                  // 149
    {"Rotational star in center", RotationalStar},                                            // 150
    {"Spiral rectangle", SpiralRectangle},                                                    // 151
    {"Circular shred", CircularShred},                                                        // 152
    {"Reveal V from left", RevealVFromLeft},                                                  // 153
    {"Reveal V from right", RevealVFromRight},                                                // 154
    {"Reveal V from top", RevealVFromTop},                                                    // 155
    {"Reveal V from bottom", RevealVFromBottom},                                              // 156
    {"Bow Tie Horizontal", BowTieHorizontal},                                                 // 157
    {"Bow Tie Vertical", BowTieVertical},                                                     // 158
    {"Diagonal Cross In", DiagonalCrossIn},                                                   // 159
    {"Diagonal Cross Out", DiagonalCrossOut},                                                 // 160
    {"Starburst anticlockwise from center", StarburstAnticlockwise},                          // 161
    {"Zigzag Horizontal", ZigzagHorizontal},                                                  // 162
    {"Zigzag Vertical", ZigzagVertical},                                                      // 163
    {"Diamond shred", DiamondShred},                                                          // 164
    {"Reveal diamond out from centre", RevealDiamondOutFromCentre},                           // 165
    {"Reveal diamond in to centre", RevealDiamondInToCentre},                                 // 166
    {"Diagonal Box Out", DiagonalBoxOut},                                                     // 167
    {"Pixelate", Pixelate},                                                                   // 168
    {"Dissolve", Dissolve},                                                                   // 169
    {"Random Bars Horizontal", RandomBarsHorizontal},                                         // 170
    {"Random Bars Vertical", RandomBarsVertical},                                             // 171
}};

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::span<const TEffect, EffectCount> Effects() {
  return kEffects;
}

const TEffect* FindEffect(int Style) {
  if (Style < 1 || Style > EffectCount) return nullptr;
  return &kEffects[static_cast<std::size_t>(Style - 1)];
}

int FindEffectByName(std::string_view Name) {
  for (int i = 0; i < EffectCount; ++i) {
    if (SameTextAscii(kEffects[static_cast<std::size_t>(i)].Name, Name)) return i + 1;
  }
  return 0;
}

TPoint TransitionExtent(int W, int H, int Progress) {
  if (W <= 0 || H <= 0) return {0, 0};
  if (H <= W) {
    const int X = MulDiv(W, Progress, 100);
    return {X, MulDiv(X, H, W)};
  }
  const int Y = MulDiv(H, Progress, 100);
  return {MulDiv(Y, W, H), Y};
}

void DrawEffectFrame(int Style, Bitmap32& Screen, const Bitmap32& Picture, int Progress) {
  const TEffect* effect = FindEffect(Style);
  if (effect == nullptr) throw Exception("Unknown transition style " + std::to_string(Style));
  if (Screen.Width() != Picture.Width() || Screen.Height() != Picture.Height()) {
    throw Exception("The frame and the new picture differ in size");
  }
  const int W = Picture.Width(), H = Picture.Height();
  if (Progress <= 0 || W == 0 || H == 0) return;
  if (Progress >= 100) {
    Screen.CopyBlock(0, 0, W, H, Picture, 0, 0);
    return;
  }
  const TPoint extent = TransitionExtent(W, H, Progress);
  effect->Proc(Screen, Picture, W, H, extent.X, extent.Y, Progress);
}

}  // namespace tarn
