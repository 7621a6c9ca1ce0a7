// The committed pictures are the artwork generator's output: running it again must give the
// same pixels, so nobody edits a picture by hand and loses it at the next regeneration, and a
// change to the generator shows in the pictures it changes. Pictures with text depend on the
// installed fonts and the font renderer's version: they are compared only where these are the
// ones the pictures were drawn with (artwork-fonts.txt names them); elsewhere the others still are.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/ImageCodec.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempDir.h"

namespace tarn::testing {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Picture {
  const char* path;
  bool withText;
};
constexpr Picture kPictures[] = {
    {"skin/title.bmp", false},        {"skin/title_left.bmp", false},
    {"skin/title_right.bmp", false},  {"skin/border.bmp", false},
    {"skin/page_side.bmp", true},     {"skin/page.bmp", false},
    {"skin/bottom.bmp", false},       {"skin/bottom_left.bmp", false},
    {"skin/bottom_right.bmp", false}, {"skin/btn_min.png", false},
    {"skin/btn_close.png", false},    {"skin/btn_browse.png", true},
    {"skin/btn_next.png", true},      {"skin/btn_prev.png", true},
    {"skin/btn_install.png", true},   {"skin/btn_cancel.png", true},
    {"skin/btn_finish.png", true},    {"skin/logo.png", false},
    {"pictures/pic1.jpg", true},      {"pictures/pic2.jpg", true},
    {"pictures/pic3.jpg", true},      {"pictures/pic4.jpg", true},
};

// Lossless pictures must match exactly; a JPEG only as closely as two encoder builds can differ.
void ExpectSamePixels(const Bitmap32& committed, const Bitmap32& made, bool lossy,
                      const char* path) {
  ASSERT_EQ(committed.Width(), made.Width()) << path;
  ASSERT_EQ(committed.Height(), made.Height()) << path;
  long long sum = 0;
  int worst = 0;
  for (int y = 0; y < made.Height(); ++y) {
    for (int x = 0; x < made.Width(); ++x) {
      for (int shift = 0; shift < 32; shift += 8) {
        const int d = std::abs(static_cast<int>(committed.PixelAt(x, y) >> shift & 0xFF) -
                               static_cast<int>(made.PixelAt(x, y) >> shift & 0xFF));
        sum += d;
        worst = std::max(worst, d);
      }
    }
  }
  if (!lossy) {
    EXPECT_EQ(worst, 0) << path << " is not what the generator draws: run tarn-artwork resources";
  } else {
    EXPECT_LE(worst, 12) << path;
    EXPECT_LT(static_cast<double>(sum) / (4.0 * made.Width() * made.Height()), 0.5) << path;
  }
}

TEST(ArtworkTest, TheGeneratorRedrawsTheCommittedPictures) {
  TempDir out;
  const ToolRun run = RunTool(TARN_ARTWORK_PATH, {out.Path().string()});
  ASSERT_EQ(run.code, 0) << run.out;
  const fs::path committed = TARN_RESOURCES_DIR;
  const bool same_fonts =
      FileBytes(committed / "artwork-fonts.txt") == FileBytes(out.Path() / "artwork-fonts.txt");
  int compared = 0;
  for (const Picture& p : kPictures) {
    ASSERT_TRUE(fs::exists(out.Path() / p.path)) << p.path;
    if (p.withText && !same_fonts) continue;
    const std::string path = p.path;
    ExpectSamePixels(DecodeImage(FileBytes(committed / p.path)),
                     DecodeImage(FileBytes(out.Path() / p.path)), path.ends_with(".jpg"), p.path);
    ++compared;
  }
  // Everything the generator writes is listed above.
  int written = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out.Path()))
    written += entry.is_regular_file() && entry.path().filename() != "artwork-fonts.txt";
  EXPECT_EQ(written, static_cast<int>(std::size(kPictures)));
  if (!same_fonts) {
    std::printf("note: other fonts than the pictures were drawn with; %d of %zu compared\n",
                compared, std::size(kPictures));
  }
}

}  // namespace
}  // namespace tarn::testing
