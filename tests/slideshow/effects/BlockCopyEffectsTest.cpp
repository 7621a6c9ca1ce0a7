// The block-copy effects are most of what users see; each must put every new pixel where its
// copy or stretch says and leave the old picture elsewhere, or the transitions tear and jump.
// Expectations are worked out per pixel here, independently of the effects' code.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "slideshow/effects/BlockCopyEffects.h"
#include "slideshow/effects/EffectTable.h"
#include "tests/slideshow/effects/EffectTestSupport.h"

namespace tarn {
namespace {

using namespace tarn::testing;

struct Frame {
  int W, H, X, Y, Progress;
};

// Sizes wider and taller than high, odd and even extents, the first and last frames.
std::vector<Frame> Frames() {
  std::vector<Frame> out;
  for (const auto& [W, H] : std::array<std::pair<int, int>, 3>{{{40, 30}, {31, 41}, {64, 7}}}) {
    for (const int p : {1, 23, 37, 50, 77, 99}) {
      const TPoint e = TransitionExtent(W, H, p);
      out.push_back({W, H, e.X, e.Y, p});
    }
  }
  return out;
}

::testing::AssertionResult Check(int style, const Frame& f,
                                 const std::function<Pixel32(int, int)>& expected) {
  const Bitmap32 screen =
      RunEffect(style, OldPicture(f.W, f.H), NewPicture(f.W, f.H), f.X, f.Y, f.Progress);
  ::testing::AssertionResult r = PixelsMatch(screen, expected);
  if (!r) {
    r << " (style " << style << ", " << f.W << "x" << f.H << ", X " << f.X << ", Y " << f.Y
      << ", progress " << f.Progress << ")";
  }
  return r;
}

TEST(BlockCopyEffectsTest, RevealsShowNewPixelsInPlace) {
  using Rects = std::vector<TRect>;
  const std::vector<std::pair<int, std::function<Rects(const Frame&)>>> rows = {
      {5,
       [](const Frame& f) {
         return Rects{{0, 0, f.X, f.H}};
       }},
      {6,
       [](const Frame& f) {
         return Rects{{f.W - f.X, 0, f.W, f.H}};
       }},
      {11,
       [](const Frame& f) {
         const int l = (f.W - f.X) / 2;
         return Rects{{l, 0, l + f.X, f.H}};
       }},
      {12,
       [](const Frame& f) {
         const int h = f.X / 2;
         return Rects{{0, 0, h, f.H}, {f.W - h, 0, f.W, f.H}};
       }},
      {22,
       [](const Frame& f) {
         return Rects{{0, 0, f.W, f.Y}};
       }},
      {23,
       [](const Frame& f) {
         return Rects{{0, f.H - f.Y, f.W, f.H}};
       }},
      {28,
       [](const Frame& f) {
         const int t = (f.H - f.Y) / 2;
         return Rects{{0, t, f.W, t + f.Y}};
       }},
      {29,
       [](const Frame& f) {
         const int h = f.Y / 2;
         return Rects{{0, 0, f.W, h}, {0, f.H - h, f.W, f.H}};
       }},
      {43,
       [](const Frame& f) {
         return Rects{{0, 0, f.X, f.Y}};
       }},
      {44,
       [](const Frame& f) {
         return Rects{{0, f.H - f.Y, f.X, f.H}};
       }},
      {45,
       [](const Frame& f) {
         return Rects{{f.W - f.X, f.H - f.Y, f.W, f.H}};
       }},
      {46,
       [](const Frame& f) {
         return Rects{{f.W - f.X, 0, f.W, f.Y}};
       }},
      {53,
       [](const Frame& f) {
         const int l = (f.W - f.X) / 2, t = (f.H - f.Y) / 2;
         return Rects{{l, t, l + f.X, t + f.Y}};
       }},
      {55,
       [](const Frame& f) {
         const int x = f.X / 2, y = f.Y / 2;
         return Rects{{0, 0, x, y},
                      {0, f.H - y, x, f.H},
                      {f.W - x, f.H - y, f.W, f.H},
                      {f.W - x, 0, f.W, y}};
       }},
  };
  for (const auto& [style, rects] : rows) {
    for (const Frame& f : Frames()) {
      const Rects inside = rects(f);
      EXPECT_TRUE(Check(style, f, [&](int x, int y) {
        const bool in = std::any_of(inside.begin(), inside.end(), [&](const TRect& r) {
          return r.Contains(TPoint{x, y});
        });
        return in ? NewAt(x, y) : OldAt(x, y);
      }));
    }
  }
}

TEST(BlockCopyEffectsTest, RevealInToCentreLeavesTheCentreAndNoClip) {
  for (const Frame& f : Frames()) {
    const TRect centre{f.X / 2, f.Y / 2, f.W - f.X / 2, f.H - f.Y / 2};
    Bitmap32 screen(OldPicture(f.W, f.H));
    FindEffect(54)->Proc(screen, NewPicture(f.W, f.H), f.W, f.H, f.X, f.Y, f.Progress);
    EXPECT_FALSE(screen.HasClip());
    EXPECT_TRUE(PixelsMatch(screen, [&](int x, int y) {
      return centre.Contains(TPoint{x, y}) ? OldAt(x, y) : NewAt(x, y);
    }));
  }
}

TEST(BlockCopyEffectsTest, SlidesMoveTheWholeNewPicture) {
  const std::vector<std::pair<int, std::function<TPoint(const Frame&)>>> rows = {
      {3,
       [](const Frame& f) {
         return TPoint{f.W - f.X, 0};
       }},
      {4,
       [](const Frame& f) {
         return TPoint{f.X - f.W, 0};
       }},
      {20,
       [](const Frame& f) {
         return TPoint{0, f.H - f.Y};
       }},
      {21,
       [](const Frame& f) {
         return TPoint{0, f.Y - f.H};
       }},
      {39,
       [](const Frame& f) {
         return TPoint{f.W - f.X, f.H - f.Y};
       }},
      {40,
       [](const Frame& f) {
         return TPoint{f.W - f.X, f.Y - f.H};
       }},
      {41,
       [](const Frame& f) {
         return TPoint{f.X - f.W, f.Y - f.H};
       }},
      {42,
       [](const Frame& f) {
         return TPoint{f.X - f.W, f.H - f.Y};
       }},
  };
  for (const auto& [style, offset] : rows) {
    for (const Frame& f : Frames()) {
      const TPoint o = offset(f);
      EXPECT_TRUE(Check(style, f, [&](int x, int y) {
        const int sx = x - o.X, sy = y - o.Y;
        return sx >= 0 && sx < f.W && sy >= 0 && sy < f.H ? NewAt(sx, sy) : OldAt(x, y);
      }));
    }
  }
}

TEST(BlockCopyEffectsTest, PushesReadTheOldPictureBeforeOverwritingIt) {
  for (const Frame& f : Frames()) {
    const int W = f.W, H = f.H, X = f.X, Y = f.Y;
    EXPECT_TRUE(
        Check(128, f, [&](int x, int y) { return x < X ? NewAt(W - X + x, y) : OldAt(x - X, y); }));
    EXPECT_TRUE(Check(
        129, f, [&](int x, int y) { return x < W - X ? OldAt(x + X, y) : NewAt(x - (W - X), y); }));
    EXPECT_TRUE(
        Check(132, f, [&](int x, int y) { return y < Y ? NewAt(x, H - Y + y) : OldAt(x, y - Y); }));
    EXPECT_TRUE(Check(
        133, f, [&](int x, int y) { return y < H - Y ? OldAt(x, y + Y) : NewAt(x, y - (H - Y)); }));
    // The squeezes shrink the whole old picture into what the new one leaves free.
    EXPECT_TRUE(Check(130, f, [&](int x, int y) {
      return x < X ? NewAt(W - X + x, y) : OldAt(StretchSource(x - X, W - X, W), y);
    }));
    EXPECT_TRUE(Check(131, f, [&](int x, int y) {
      return x >= W - X ? NewAt(x - (W - X), y) : OldAt(StretchSource(x, W - X, W), y);
    }));
    EXPECT_TRUE(Check(134, f, [&](int x, int y) {
      return y < Y ? NewAt(x, H - Y + y) : OldAt(x, StretchSource(y - Y, H - Y, H));
    }));
    EXPECT_TRUE(Check(135, f, [&](int x, int y) {
      return y >= H - Y ? NewAt(x, y - (H - Y)) : OldAt(x, StretchSource(y, H - Y, H));
    }));
  }
}

// One stretch of Picture: the block (sx, sy, sw, sh) into (dx, dy, dw, dh), both sizes positive.
struct StretchOp {
  int dx, dy, dw, dh, sx, sy, sw, sh;
};

// The pixel a list of non-overlapping stretches leaves at (x, y).
Pixel32 AfterStretches(const std::vector<StretchOp>& ops, const Frame& f, int x, int y) {
  for (const StretchOp& s : ops) {
    if (x < s.dx || x >= s.dx + s.dw || y < s.dy || y >= s.dy + s.dh) continue;
    const int px = s.sx + StretchSource(x - s.dx, s.dw, s.sw);
    const int py = s.sy + StretchSource(y - s.dy, s.dh, s.sh);
    if (px >= 0 && px < f.W && py >= 0 && py < f.H) return NewAt(px, py);
  }
  return OldAt(x, y);
}

TEST(BlockCopyEffectsTest, ExpandsAndZoomsStretchIntoTheirBlocks) {
  using Ops = std::vector<StretchOp>;
  const std::vector<std::pair<int, std::function<Ops(int, int, int, int)>>> rows = {
      {1,
       [](int W, int H, int X, int) {
         return Ops{{W - X, 0, X, H, 0, 0, W, H}};
       }},
      {2,
       [](int W, int H, int X, int) {
         return Ops{{0, 0, X, H, 0, 0, W, H}};
       }},
      {7,
       [](int W, int H, int X, int) {
         return Ops{{0, 0, 2 * W - X, H, 0, 0, X, H}};
       }},
      {8,
       [](int W, int H, int X, int) {
         return Ops{{X - W, 0, 2 * W - X, H, W - X, 0, X, H}};
       }},
      {9,
       [](int W, int H, int X, int) {
         return Ops{{X - W, 0, 3 * W - 2 * X, H, (W - X) / 2, 0, X, H}};
       }},
      {10,
       [](int W, int H, int X, int) {
         return Ops{{(W - X) / 2, 0, X, H, 0, 0, W, H}};
       }},
      {13,
       [](int W, int H, int X, int) {
         return Ops{{0, 0, X / 2, H, 0, 0, W / 2, H}, {W - X / 2, 0, X / 2, H, W / 2, 0, W / 2, H}};
       }},
      {18,
       [](int W, int H, int, int Y) {
         return Ops{{0, H - Y, W, Y, 0, 0, W, H}};
       }},
      {19,
       [](int W, int H, int, int Y) {
         return Ops{{0, 0, W, Y, 0, 0, W, H}};
       }},
      {24,
       [](int W, int H, int, int Y) {
         return Ops{{0, 0, W, 2 * H - Y, 0, 0, W, Y}};
       }},
      {25,
       [](int W, int H, int, int Y) {
         return Ops{{0, Y - H, W, 2 * H - Y, 0, H - Y, W, Y}};
       }},
      {26,
       [](int W, int H, int, int Y) {
         return Ops{{0, Y - H, W, 3 * H - 2 * Y, 0, (H - Y) / 2, W, Y}};
       }},
      {27,
       [](int W, int H, int, int Y) {
         return Ops{{0, (H - Y) / 2, W, Y, 0, 0, W, H}};
       }},
      {30,
       [](int W, int H, int, int Y) {
         return Ops{{0, 0, W, Y / 2, 0, 0, W, H / 2}, {0, H - Y / 2, W, Y / 2, 0, H / 2, W, H / 2}};
       }},
      {35,
       [](int W, int H, int X, int Y) {
         return Ops{{W - X, H - Y, X, Y, 0, 0, W, H}};
       }},
      {36,
       [](int W, int H, int X, int Y) {
         return Ops{{W - X, 0, X, Y, 0, 0, W, H}};
       }},
      {37,
       [](int W, int H, int X, int Y) {
         return Ops{{0, 0, X, Y, 0, 0, W, H}};
       }},
      {38,
       [](int W, int H, int X, int Y) {
         return Ops{{0, H - Y, X, Y, 0, 0, W, H}};
       }},
      {47,
       [](int W, int H, int X, int Y) {
         return Ops{{0, 0, 2 * W - X, 2 * H - Y, 0, 0, X, Y}};
       }},
      {48,
       [](int W, int H, int X, int Y) {
         return Ops{{0, Y - H, 2 * W - X, 2 * H - Y, 0, H - Y, X, Y}};
       }},
      {49,
       [](int W, int H, int X, int Y) {
         return Ops{{X - W, Y - H, 2 * W - X, 2 * H - Y, W - X, H - Y, X, Y}};
       }},
      {50,
       [](int W, int H, int X, int Y) {
         return Ops{{X - W, 0, 2 * W - X, 2 * H - Y, W - X, 0, X, Y}};
       }},
      {51,
       [](int W, int H, int X, int Y) {
         return Ops{{X - W, Y - H, 3 * W - 2 * X, 3 * H - 2 * Y, (W - X) / 2, (H - Y) / 2, X, Y}};
       }},
      {52,
       [](int W, int H, int X, int Y) {
         return Ops{{(W - X) / 2, (H - Y) / 2, X, Y, 0, 0, W, H}};
       }},
      {56,
       [](int W, int H, int X, int Y) {
         const int x = X / 2, y = Y / 2, a = W / 2, b = H / 2;
         return Ops{{0, 0, x, y, 0, 0, a, b},
                    {0, H - y, x, y, 0, b, a, b},
                    {W - x, H - y, x, y, a, b, a, b},
                    {W - x, 0, x, y, a, 0, a, b}};
       }},
  };
  for (const auto& [style, ops] : rows) {
    for (const Frame& f : Frames()) {
      if (f.X == 0 || f.Y == 0) continue;  // a zero-sized block draws nothing; checked below
      const Ops list = ops(f.W, f.H, f.X, f.Y);
      EXPECT_TRUE(Check(style, f, [&](int x, int y) { return AfterStretches(list, f, x, y); }));
    }
  }
  // A source block of zero width (tiny pictures at low progress) leaves the old picture.
  const Frame tiny{20, 10, 0, 0, 1};
  for (const int style : {1, 7, 9, 24, 47, 51}) {
    EXPECT_TRUE(Check(style, tiny, [](int x, int y) { return OldAt(x, y); }));
  }
}

// The worked frame: W = 1000, H = 600, X = 130, Y = 70.
constexpr Frame kWorked{1000, 600, 130, 70, 13};

TEST(BlockCopyEffectsTest, WorkedExampleExpandInToMiddle) {
  // The source block (435, 0, 130, 600) stretched into (-870, 0, 2740, 600).
  EXPECT_TRUE(Check(
      9, kWorked, [](int x, int y) { return NewAt(435 + StretchSource(x + 870, 2740, 130), y); }));
}

TEST(BlockCopyEffectsTest, WorkedExampleUnrollFromLeft) {
  // Columns 0..129 unrolled; the source block (230, 0, 100, 600) mirrored onto 130..229 and
  // shaded with a tent that starts at -48, rises by 1 per column to +1 at column 49 of the roll
  // and falls by 1 after it; the rest old.
  const Bitmap32 oldPic =
      MakePicture(1000, 600, [](int x, int y) { return OldAt(x, y) | 0x606060u; });
  const Bitmap32 newPic(MakePicture(1000, 600, [](int x, int) {
    return 0xFF000000u | static_cast<Pixel32>(0x40 + x % 128) << 16 |
           static_cast<Pixel32>(0x40 + x / 128) << 8 | 0x80u;
  }));
  const Bitmap32 screen = RunEffect(14, oldPic, newPic, 130, 70, 13);
  EXPECT_TRUE(PixelsMatch(screen, [&](int x, int y) -> Pixel32 {
    if (x < 130) return newPic.PixelAt(x, y);
    if (x >= 230) return oldPic.PixelAt(x, y);
    const int j = x - 130;
    const int offset = j < 50 ? -48 + j : 1 - (j - 49);
    const Pixel32 p = newPic.PixelAt(329 - j, y);  // the roll shows its source mirrored
    Pixel32 out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      out |= static_cast<Pixel32>(static_cast<int>((p >> shift) & 0xFF) + offset) << shift;
    }
    return out;
  }));
}

TEST(BlockCopyEffectsTest, WorkedExampleBuildUpFromLeft) {
  // (870, 0, 130, 600) copied; the source block (770, 0, 100, 600) stretched over (0, 0, 870, 600).
  EXPECT_TRUE(Check(17, kWorked, [](int x, int y) {
    return x >= 870 ? NewAt(x, y) : NewAt(770 + StretchSource(x, 870, 100), y);
  }));
}

TEST(BlockCopyEffectsTest, WorkedExampleQuartersSlideIn) {
  // The four 500 x 300 quarters land at (-435, 0), (500, -265), (935, 300) and (0, 565).
  EXPECT_TRUE(Check(57, kWorked, [](int x, int y) {
    if (x < 65 && y < 300) return NewAt(x + 435, y);
    if (x >= 500 && y < 35) return NewAt(x, y + 265);
    if (x >= 935 && y >= 300) return NewAt(x - 435, y);
    if (x < 500 && y >= 565) return NewAt(x, y - 265);
    return OldAt(x, y);
  }));
}

TEST(BlockCopyEffectsTest, RollWidthFollowsWhatIsLeft) {
  // W = 200: the roll is 20 wide, X wide at the start, half of what remains near the end.
  const Bitmap32 oldPic = OldPicture(200, 10), newPic = NewPicture(200, 10);
  auto rollColumns = [&](int X) {
    const Bitmap32 s = RunEffect(14, oldPic, newPic, X, 1, 1);
    int count = 0;
    for (int x = X; x < 200; ++x)
      count += IsNew(s.PixelAt(x, 0)) ? 1 : 0;
    return count;
  };
  EXPECT_EQ(rollColumns(7), 7);
  EXPECT_EQ(rollColumns(100), 20);
  EXPECT_EQ(rollColumns(170), 15);
  EXPECT_EQ(rollColumns(199), 0);
  // Unroll from right: the roll's back lies just left of the unrolled part.
  const Bitmap32 s = RunEffect(15, oldPic, newPic, 100, 1, 50);
  for (int x = 100; x < 200; ++x)
    EXPECT_EQ(s.PixelAt(x, 3), NewAt(x, 3));
  for (int x = 80; x < 100; ++x)
    EXPECT_TRUE(IsNew(s.PixelAt(x, 3)));
  for (int x = 0; x < 80; ++x)
    EXPECT_EQ(s.PixelAt(x, 3), OldAt(x, 3));
}

TEST(BlockCopyEffectsTest, SmearsEqualThePlainCopyNearTheEnd) {
  for (const auto& [W, H] : std::array<std::pair<int, int>, 2>{{{200, 150}, {150, 200}}}) {
    const Bitmap32 newPic = NewPicture(W, H);
    for (const int style : {16, 17, 33, 34}) {
      for (const int p : {95, 99}) {
        const TPoint e = TransitionExtent(W, H, p);
        EXPECT_EQ(RunEffect(style, OldPicture(W, H), newPic, e.X, e.Y, p), newPic)
            << "style " << style << " at " << p;
      }
    }
  }
}

TEST(ShadeTest, ColumnsTent) {
  Bitmap32 b(12, 3);
  b.Fill(0x11808080u);
  ShadeColumns(b, 48, 2, 4);  // n = 2 < 48: steps of 24, peak at the third column
  const int want[12] = {128, 128, 80, 104, 128, 104, 128, 128, 128, 128, 128, 128};
  for (int x = 0; x < 12; ++x)
    EXPECT_EQ(b.PixelAt(x, 1), 0x11000000u | 0x010101u * want[x]) << x;
  // n >= Depth: one step every n div Depth columns, up until n, down from n on.
  Bitmap32 wide(200, 1);
  wide.Fill(0x00808080u);
  ShadeColumns(wide, 48, 0, 200);  // n = 100, a step every 2 columns
  auto at = [&](int x) { return static_cast<int>(wide.PixelAt(x, 0) & 0xFF) - 128; };
  EXPECT_EQ(at(0), -48);
  EXPECT_EQ(at(1), -48);
  EXPECT_EQ(at(2), -47);
  EXPECT_EQ(at(98), 1);
  EXPECT_EQ(at(99), 1);
  EXPECT_EQ(at(100), 0);
  EXPECT_EQ(at(199), -49);
  // Nothing for one column or no depth; clamped at 0 and columns outside are skipped.
  Bitmap32 dark(4, 1);
  dark.Fill(0x00101010u);
  ShadeColumns(dark, 48, 3, 1);
  ShadeColumns(dark, 0, 0, 4);
  EXPECT_EQ(dark.PixelAt(3, 0), 0x00101010u);
  ShadeColumns(dark, 48, 2, 4);
  EXPECT_EQ(dark.PixelAt(2, 0), 0u);
  EXPECT_EQ(dark.PixelAt(1, 0), 0x00101010u);
}

TEST(ShadeTest, RowsStartAtTheStripsBottom) {
  Bitmap32 b(2, 8);
  b.Fill(0x00808080u);
  ShadeRows(b, 48, 2, 4);  // rows 5, 4, 3, 2 get -48, -24, -48, -72
  const int want[8] = {128, 128, 56, 80, 104, 80, 128, 128};
  for (int y = 0; y < 8; ++y)
    EXPECT_EQ(b.PixelAt(1, y), 0x010101u * want[y]) << y;
}

}  // namespace
}  // namespace tarn
