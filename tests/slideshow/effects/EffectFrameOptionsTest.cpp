// effect-frame is how people look at the transitions; a command line that silently picks the
// wrong style or progress would show them the wrong thing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/effect-frame/ContactSheet.h"
#include "tools/effect-frame/Options.h"

namespace tarn::effectframe {
namespace {

Options Parse(std::vector<std::string> args) {
  return ParseOptions(args);
}

TEST(EffectFrameOptionsTest, FrameAndSheet) {
  const Options frame = Parse({"a.png", "pattern:new", "Fade", "40", "out.png", "--size", "64x32"});
  EXPECT_EQ(frame.Mode, Command::Frame);
  EXPECT_EQ(frame.Old, "a.png");
  EXPECT_EQ(frame.Style, 118);
  EXPECT_EQ(frame.Progress, 40);
  EXPECT_EQ(frame.Width, 64);
  EXPECT_EQ(frame.Height, 32);
  EXPECT_EQ(Parse({"x", "y", "171", "100", "o"}).Style, 171);

  const Options sheet =
      Parse({"--sheet", "s.png", "--styles", "1-3,128", "--progress", "0,50,100"});
  EXPECT_EQ(sheet.Mode, Command::Sheet);
  EXPECT_EQ(sheet.Styles, (std::vector<int>{1, 2, 3, 128}));
  EXPECT_EQ(sheet.ProgressList, (std::vector<int>{0, 50, 100}));
  EXPECT_EQ(Parse({}).Mode, Command::Help);
  EXPECT_EQ(Parse({"--list"}).Mode, Command::List);
}

TEST(EffectFrameOptionsTest, BadInputIsRefusedWithAReason) {
  EXPECT_THROW(Parse({"a", "b", "0", "50", "o"}), EUsage);  // no style 0
  EXPECT_THROW(Parse({"a", "b", "172", "50", "o"}), EUsage);
  EXPECT_THROW(Parse({"a", "b", "Nope", "50", "o"}), EUsage);
  EXPECT_THROW(Parse({"a", "b", "5", "101", "o"}), EUsage);
  EXPECT_THROW(Parse({"a", "b", "5", "5x", "o"}), EUsage);
  EXPECT_THROW(Parse({"a", "b", "5"}), EUsage);
  EXPECT_THROW(Parse({"--sheet"}), EUsage);
  EXPECT_THROW(Parse({"--sheet", "s.png", "--styles", "9-3"}), EUsage);
  EXPECT_THROW(Parse({"--sheet", "s.png", "--size", "0x10"}), EUsage);
  EXPECT_THROW(Parse({"--frobnicate"}), EUsage);
}

TEST(EffectFrameSheetTest, ShrinkAveragesBlocks) {
  Bitmap32 frame(4, 2);
  frame.SetPixelAt(0, 0, 0x00FF0000u);
  frame.SetPixelAt(1, 1, 0x00010203u);
  const Bitmap32 small = Shrink(frame, 2);
  ASSERT_EQ(small.Width(), 2);
  ASSERT_EQ(small.Height(), 1);
  EXPECT_EQ(small.PixelAt(0, 0),
            0xFF400101u);  // red (255 + 1) / 4, green 2 / 4, blue 3 / 4, rounded
  EXPECT_EQ(small.PixelAt(1, 0), 0xFF000000u);
}

}  // namespace
}  // namespace tarn::effectframe
