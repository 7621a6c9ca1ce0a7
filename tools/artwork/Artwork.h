// Every picture the wizard embeds, by the file it is written to. Sizes are the ones the window's
// layout gives its panels and buttons.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"

namespace tarn::artwork {

// The window's frame: title bar (1 x 29 tile, 5 x 29 ends), side borders (1 x 1), bottom bar
// (1 x 31 tile, 5 x 31 ends).
Bitmap32 TitleBar();
Bitmap32 TitleLeft();
Bitmap32 TitleRight();
Bitmap32 WindowBorder();
Bitmap32 BottomBar();
Bitmap32 BottomLeft();
Bitmap32 BottomRight();

// Page backgrounds: 556 x 328 with the branded side picture (licence and finish pages),
// 556 x 329 plain with a header band (the other pages).
Bitmap32 SidePage();
Bitmap32 PlainPage();
constexpr int kSideWidth = 186;  // the pages put their content from x = 195

// Button strips: four frames side by side (normal, hover, down, disabled), captions painted in.
enum class ButtonStyle { Primary, Secondary };
Bitmap32 CaptionButtonStrip(const char* captionUtf8, ButtonStyle style, int width, int height);
Bitmap32 MinimiseStrip();  // 120 x 19
Bitmap32 CloseStrip();     // 136 x 19
Bitmap32 LogoStrip();      // 64 x 16

// The slideshow's pictures, 503 x 186, numbered 1 to 4.
Bitmap32 Banner(int number);

enum class FileFormat { Bmp, Png, Jpeg, ProgressiveJpeg };
struct Output {
  std::string path;  // relative to the resources folder
  FileFormat format;
  bool usesFonts;  // drawn with text: reproducible only with the same installed faces
  std::function<Bitmap32()> draw;
};
const std::vector<Output>& Outputs();

}  // namespace tarn::artwork
