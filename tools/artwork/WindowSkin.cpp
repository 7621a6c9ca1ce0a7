// The window's frame pieces. One frame colour runs round the whole window; the window is cut to
// a rounded rectangle, so the ends carry a diagonal pixel that keeps the frame closed there.
#include "tools/artwork/Artwork.h"
#include "tools/artwork/Palette.h"

namespace tarn::artwork {
namespace {

using namespace palette;

constexpr int kTitleHeight = 29;
constexpr int kBarHeight = 31;

// The title bar's colour at row y: frame, lit edge, gloss, deeper half, base line.
Rgba TitleRow(int y) {
  if (y == 0) return kFrame;
  if (y == 1) return kTitleHighlight;
  if (y == kTitleHeight - 1) return kTitleBaseLine;
  if (y < 14) return Mix(kTitleTop, kTitleMiddle, static_cast<float>(y - 2) / 11.f);
  return Mix(kTitleLower, kTitleBottom, static_cast<float>(y - 14) / 13.f);
}

// The bottom bar's colour at row y: a rule under the page, a highlight, the gradient, the frame.
Rgba BarRow(int y) {
  if (y == 0) return kBarRule;
  if (y == 1) return kWhite;
  if (y == kBarHeight - 1) return kFrame;
  return Mix(kBarTop, kBarBottom, static_cast<float>(y - 2) / static_cast<float>(kBarHeight - 4));
}

Image Band(int width, int height, Rgba (*row)(int)) {
  Image image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.Blend(x, y, row(y));
  return image;
}

// An end piece: the band with the frame down its outer column and a softer inner column.
// `corner` is the row of the rounded corner (0 at the top, the last row at the bottom).
Bitmap32 End(Rgba (*row)(int), int height, bool left, int corner, Rgba inner) {
  Image image = Band(5, height, row);
  const int outer = left ? 0 : 4, next = left ? 1 : 3;
  for (int y = 0; y < height; ++y) {
    image.Blend(outer, y, kFrame);
    if (y != corner && y > 0 && y < height - 1) image.Blend(next, y, inner);
  }
  image.Blend(next, corner == 0 ? 1 : corner - 1, kFrame, 0.8f);
  return image.ToBitmap();
}

}  // namespace

Bitmap32 TitleBar() {
  return Band(1, kTitleHeight, TitleRow).ToBitmap();
}
Bitmap32 TitleLeft() {
  return End(TitleRow, kTitleHeight, true, 0, Alpha(kTitleHighlight, 0.45f));
}
Bitmap32 TitleRight() {
  return End(TitleRow, kTitleHeight, false, 0, Alpha(kTitleHighlight, 0.3f));
}
Bitmap32 WindowBorder() {
  Image image(1, 1);
  image.Blend(0, 0, kFrame);
  return image.ToBitmap();
}
Bitmap32 BottomBar() {
  return Band(1, kBarHeight, BarRow).ToBitmap();
}
Bitmap32 BottomLeft() {
  return End(BarRow, kBarHeight, true, kBarHeight - 1, Alpha(kWhite, 0.7f));
}
Bitmap32 BottomRight() {
  return End(BarRow, kBarHeight, false, kBarHeight - 1, Alpha(kBarRule, 0.35f));
}

}  // namespace tarn::artwork
