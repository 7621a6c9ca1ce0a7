// Every one of the 171 styles runs on the animation thread, frame after frame: each must draw
// every progress without failing, leave the frame unclipped, release every region it made, and
// the revealing ones must never take back what they have shown.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "graphics/Region.h"
#include "slideshow/effects/EffectRandom.h"
#include "slideshow/effects/EffectTable.h"
#include "slideshow/effects/RegionReveal.h"
#include "tests/slideshow/effects/EffectTestSupport.h"

namespace tarn {
namespace {

using namespace tarn::testing;

// Styles whose share of the new picture never falls as progress grows and nearly fills the frame
// at the end: all but the random shreds and speckles (a new pattern every frame), the uneven
// blinds and growing rectangles (their period changes with the extent), the turning shapes, and
// the fade and pixelate (which blend rather than uncover).
bool Grows(int style) {
  static const std::set<int> others = [] {
    std::set<int> s{118, 123, 124, 125, 126, 138, 139, 140, 141,
                    145, 146, 147, 148, 149, 150, 151, 168};
    for (const auto& [from, to] : {std::pair{65, 68}, {76, 79}, {100, 109}}) {
      for (int style = from; style <= to; ++style)
        s.insert(style);
    }
    return s;
  }();
  return others.count(style) == 0;
}

void RunAllFrames(int W, int H) {
  const Bitmap32 oldPic = OldPicture(W, H), newPic = NewPicture(W, H);
  for (const TEffect& effect : Effects()) {
    const int style = static_cast<int>(&effect - Effects().data()) + 1;
    SCOPED_TRACE(std::string("style ") + std::to_string(style) + " " + effect.Name + " at " +
                 std::to_string(W) + "x" + std::to_string(H));
    double last = 0;
    for (int p = 1; p <= 99; ++p) {
      const long long regions = Region::LiveCount();
      Bitmap32 screen(oldPic);
      ASSERT_NO_THROW(DrawEffectFrame(style, screen, newPic, p)) << "progress " << p;
      ASSERT_FALSE(screen.HasClip()) << "progress " << p;
      ASSERT_EQ(Region::LiveCount(), regions) << "progress " << p;
      const double shown = NewFraction(screen);
      if (Grows(style)) {
        ASSERT_GE(shown, last) << "progress " << p;
        if (p == 99) {
          EXPECT_GT(shown, 0.8) << "at the last frame";
        }
      }
      last = shown;
    }
    Bitmap32 screen(oldPic);
    DrawEffectFrame(style, screen, newPic, 100);
    EXPECT_EQ(screen, newPic);
  }
}

TEST(AllEffectsTest, WideFrames) {
  RunAllFrames(64, 40);
}
TEST(AllEffectsTest, TallFrames) {
  RunAllFrames(33, 57);
}
TEST(AllEffectsTest, InstallerSize) {
  RunAllFrames(503, 186);
}

TEST(AllEffectsTest, TinyFrames) {
  // Extents of 0 and sizes below every divisor: nothing may fail or touch memory outside.
  for (const auto& [W, H] : {std::pair{1, 1}, {2, 1}, {1, 3}, {7, 5}}) {
    const Bitmap32 oldPic = OldPicture(W, H), newPic = NewPicture(W, H);
    for (int style = 1; style <= EffectCount; ++style) {
      for (const int p : {1, 50, 99}) {
        Bitmap32 screen(oldPic);
        ASSERT_NO_THROW(DrawEffectFrame(style, screen, newPic, p)) << style;
        ASSERT_FALSE(screen.HasClip()) << style;
      }
    }
  }
}

TEST(AllEffectsTest, SharedSequenceUntouchedByStablePatterns) {
  for (const int style : {127, 169, 170, 171}) {
    SetRandSeed(31337);
    Bitmap32 screen = OldPicture(50, 40);
    DrawEffectFrame(style, screen, NewPicture(50, 40), 40);
    EXPECT_EQ(RandSeed(), 31337u) << style;
  }
}

TEST(ClipGuardTest, RemovesTheClipWhenDrawingThrows) {
  Bitmap32 screen(10, 10);
  const long long regions = Region::LiveCount();
  try {
    const Region r(TRect{1, 1, 5, 5});
    ClipGuard clip(screen, r);
    EXPECT_TRUE(screen.HasClip());
    throw std::runtime_error("drawing failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(screen.HasClip());
  EXPECT_EQ(Region::LiveCount(), regions);
}

}  // namespace
}  // namespace tarn
