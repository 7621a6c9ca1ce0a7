// Every frame of every style, folded into one number per picture size: a change to any pixel of
// any transition, or to how many random numbers a frame draws and where they go, changes it.
// It guards rewrites of the effects that must not change what they draw. When a change of pixels
// is meant, look at the frames (effect-frame --sheet) before pinning the new values.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "slideshow/effects/EffectRandom.h"
#include "slideshow/effects/EffectTable.h"
#include "tests/slideshow/effects/EffectTestSupport.h"

namespace tarn {
namespace {

using namespace tarn::testing;

// FNV-1a over 32-bit words.
struct Checksum {
  uint64_t value = 0xCBF29CE484222325ull;
  void Add(uint32_t word) { value = (value ^ word) * 0x100000001B3ull; }
};

std::vector<int> EveryProgress() {
  std::vector<int> all;
  for (int p = 1; p <= 99; ++p)
    all.push_back(p);
  return all;
}

// Each frame starts from a seed of its own and the seed it leaves is folded in, so the styles
// that draw from the shared sequence are pinned as well as the ones that must leave it alone.
uint64_t FramesChecksum(int W, int H, const std::vector<int>& progress) {
  const Bitmap32 oldPic = OldPicture(W, H), newPic = NewPicture(W, H);
  Checksum sum;
  uint32_t frame = 0;
  for (int style = 1; style <= EffectCount; ++style) {
    for (const int p : progress) {
      Bitmap32 screen(oldPic);
      SetRandSeed(0x9E3779B9u * ++frame);
      DrawEffectFrame(style, screen, newPic, p);
      for (int y = 0; y < H; ++y) {
        const Pixel32* row = screen.ScanLine(y);
        for (int x = 0; x < W; ++x)
          sum.Add(row[x]);
      }
      sum.Add(RandSeed());
    }
  }
  return sum.value;
}

struct Pinned {
  int W, H;
  std::vector<int> progress;
  uint64_t checksum;
};

TEST(EffectsChecksumTest, EveryStyleAtEverySize) {
  const std::vector<int> all = EveryProgress();
  // The installer's size at progress values around the phase changes of the two-phase bars;
  // 640 x 401 is wide enough for specks larger than 2 pixels and shred strips thicker than 1
  // whose height does not divide the picture's.
  const std::vector<int> installer{1,  2,  3,  5,  8,  13, 17, 21, 25, 30, 34, 40, 45, 49,
                                   50, 51, 55, 60, 66, 70, 75, 80, 85, 90, 95, 98, 99};
  const Pinned pinned[] = {
      {1, 1, all, 0x322B145660AF58A2},
      {2, 1, all, 0xE8ECED351557BAF0},
      {1, 3, all, 0xA5BCC8256D5BB8FA},
      {2, 2, all, 0x19252B18F744CDE4},
      {3, 2, all, 0x6F18D5821CCC59C1},
      {7, 5, all, 0x270FC1ACCC149D51},
      {13, 4, all, 0xECE265543ED5A0A0},
      {5, 13, all, 0x8F41388AA9E51DA3},
      {64, 40, all, 0x16BCFC1B34F6A7BD},
      {33, 57, all, 0x749DED0415091848},
      {101, 61, all, 0x74879B56C3654ED8},
      {503, 186, installer, 0xE28D80EDABBE5A49},
      {640, 401, {3, 27, 50, 73, 97}, 0x0025BD01AE806BC0},
  };
  for (const Pinned& p : pinned) {
    const uint64_t got = FramesChecksum(p.W, p.H, p.progress);
    char text[64];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(got));
    EXPECT_EQ(got, p.checksum) << p.W << "x" << p.H << ": " << text;
  }
}

}  // namespace
}  // namespace tarn
