// Pictures whose pixels say where they came from, and comparisons that name the first pixel
// that differs, for the effect tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "graphics/Bitmap32.h"
#include "slideshow/effects/EffectTable.h"

namespace tarn::testing {

// Old pixels have fourth byte 0x00, new ones 0xFF; the low 24 bits hold the pixel's own
// position (x in bits 0..11, y in bits 12..23), so a copied or stretched pixel tells its source.
inline Pixel32 OldAt(int x, int y) {
  return static_cast<Pixel32>((y << 12) | x);
}
inline Pixel32 NewAt(int x, int y) {
  return 0xFF000000u | static_cast<Pixel32>((y << 12) | x);
}
inline bool IsNew(Pixel32 p) {
  return (p >> 24) == 0xFF;
}

inline Bitmap32 MakePicture(int W, int H, Pixel32 (*at)(int, int)) {
  Bitmap32 b(W, H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x)
      b.SetPixelAt(x, y, at(x, y));
  }
  return b;
}
inline Bitmap32 OldPicture(int W, int H) {
  return MakePicture(W, H, OldAt);
}
inline Bitmap32 NewPicture(int W, int H) {
  return MakePicture(W, H, NewAt);
}

// A picture of random bytes (fixed seed), for blends.
inline Bitmap32 NoisePicture(int W, int H, uint32_t seed) {
  Bitmap32 b(W, H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      seed = seed * 1664525u + 1013904223u;
      b.SetPixelAt(x, y, seed);
    }
  }
  return b;
}

// Runs one style's routine on a fresh copy of the old picture with the given extents.
inline Bitmap32 RunEffect(int style, const Bitmap32& oldPic, const Bitmap32& newPic, int X, int Y,
                          int progress) {
  Bitmap32 screen(oldPic);
  FindEffect(style)->Proc(screen, newPic, newPic.Width(), newPic.Height(), X, Y, progress);
  return screen;
}

// Expects every pixel of `actual` to equal expected(x, y); reports the first difference.
inline ::testing::AssertionResult PixelsMatch(const Bitmap32& actual,
                                              const std::function<Pixel32(int, int)>& expected) {
  for (int y = 0; y < actual.Height(); ++y) {
    for (int x = 0; x < actual.Width(); ++x) {
      const Pixel32 want = expected(x, y), got = actual.PixelAt(x, y);
      if (want != got) {
        char text[160];
        std::snprintf(text, sizeof text, "pixel (%d, %d): expected %08X, got %08X", x, y, want,
                      got);
        return ::testing::AssertionFailure() << text;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Source position j of destination position i for a nearest-pixel stretch of len positions
// from slen source positions (both positive): the source position under the pixel's centre.
inline int StretchSource(int i, int len, int slen) {
  return static_cast<int>((2LL * i + 1) * slen / (2LL * len));
}

// The generator's own sequence from a seed, written out independently of the effects' code.
struct Lcg {
  uint32_t seed;
  int Next(int n) {
    seed = seed * 134775813u + 1u;
    return static_cast<int>((static_cast<uint64_t>(seed) * static_cast<uint64_t>(n)) >> 32);
  }
};

// Fraction of pixels showing the new picture.
inline double NewFraction(const Bitmap32& b) {
  long long count = 0;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x)
      count += IsNew(b.PixelAt(x, y)) ? 1 : 0;
  }
  return static_cast<double>(count) / (static_cast<double>(b.Width()) * b.Height());
}

}  // namespace tarn::testing
