// Protects drawing from two threads at once (the picture show's animation thread and the user
// interface thread): fonts are shared behind one lock, regions count themselves atomically.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "base/Cp936.h"
#include "graphics/Canvas.h"

namespace tarn {
namespace {

Bitmap32 DrawSample(int seed) {
  Bitmap32 b(160, 40);
  Canvas c(b);
  c.FillRect(b.BoundsRect(), clWhite);
  c.brush.Style = BrushStyle::Clear;
  c.font.Name = Utf8ToCp936(seed % 2 ? "宋体" : "Tahoma");
  c.font.Height = 12 + seed % 3;
  c.font.Style = seed % 4 == 0 ? fsBold : 0;
  c.TextOut(2, 2, Utf8ToCp936("塔恩播放器 安装向导 Setup"));
  TRect r = Rect(0, 20, 160, 40);
  c.DrawText(Utf8ToCp936("下一步(&N)"), r, dtSingleLine | dtCenter);
  Region clip = Region::Ellipse(0, 0, 160, 40);
  clip ^= Region(Rect(10, 10, 50, 30));
  b.SelectClip(clip);
  b.FillRect(Rect(0, 0, 5, 40), 0xFF123456);
  return b;
}

TEST(GraphicsThreadsTest, TextAndRegionsFromTwoThreadsMatchOneThread) {
  std::vector<Bitmap32> expected;
  for (int i = 0; i < 8; ++i)
    expected.push_back(DrawSample(i));
  const long long regions = Region::LiveCount();
  std::vector<Bitmap32> results(16);
  std::thread worker([&] {
    for (int i = 0; i < 8; ++i)
      results[static_cast<std::size_t>(i)] = DrawSample(i);
  });
  for (int i = 7; i >= 0; --i)
    results[static_cast<std::size_t>(8 + i)] = DrawSample(i);
  worker.join();
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(results[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)]);
    EXPECT_EQ(results[static_cast<std::size_t>(8 + i)], expected[static_cast<std::size_t>(i)]);
  }
  results.clear();
  expected.clear();
  EXPECT_EQ(Region::LiveCount(), regions - 8);  // the expected bitmaps' clips are gone
}

}  // namespace
}  // namespace tarn
