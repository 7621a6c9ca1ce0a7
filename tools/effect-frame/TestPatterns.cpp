#include "tools/effect-frame/TestPatterns.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "graphics/Canvas.h"

namespace tarn::effectframe {
namespace {

TColor Rgb(int r, int g, int b) {
  return static_cast<TColor>(std::clamp(r, 0, 255) | std::clamp(g, 0, 255) << 8 |
                             std::clamp(b, 0, 255) << 16);
}

Pixel32 ToPixel(TColor c) {
  return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

// Centred lettering about a third of the picture high.
void Label(Canvas& c, const TRect& area, const std::string& text, TColor color, int height) {
  c.font.Name = "Tahoma";
  c.font.Height = std::max(height, 6);
  c.font.Style = fsBold;
  c.font.Color = color;
  c.brush.Style = BrushStyle::Clear;
  TRect r = area;
  c.DrawText(text, r, dtCenter | dtVCenter | dtSingleLine);
}

void OldPattern(Bitmap32& b) {
  const int W = b.Width(), H = b.Height();
  const int cell = std::max(std::min(W, H) / 8, 4);
  for (int y = 0; y < H; ++y) {
    Pixel32* row = b.ScanLine(y);
    for (int x = 0; x < W; ++x) {
      const bool dark = ((x / cell) + (y / cell)) % 2 == 0;
      const int shade = 40 + 60 * y / std::max(H, 1);
      row[x] = ToPixel(dark ? Rgb(20, shade, 90 + shade) : Rgb(50, shade + 50, 150 + shade / 2));
    }
  }
  Canvas c(b);
  Label(c, b.BoundsRect(), "OLD", Rgb(200, 220, 255), H / 3);
}

void NewPattern(Bitmap32& b) {
  const int W = b.Width(), H = b.Height();
  const double cx = W / 2.0, cy = H / 2.0;
  const int ring = std::max(std::min(W, H) / 12, 3);
  for (int y = 0; y < H; ++y) {
    Pixel32* row = b.ScanLine(y);
    for (int x = 0; x < W; ++x) {
      const int d = static_cast<int>(std::hypot(x + 0.5 - cx, y + 0.5 - cy));
      const int band = (d / ring) % 2 == 0 ? 0 : 40;
      row[x] = ToPixel(
          Rgb(255 - band, 120 + 100 * x / std::max(W, 1) - band, 30 + 60 * y / std::max(H, 1)));
    }
  }
  Canvas c(b);
  Label(c, b.BoundsRect(), "NEW", Rgb(90, 20, 0), H / 3);
  // Numbered corners, clockwise from the top left, on dark tabs.
  const int s = std::max(std::min(W, H) / 5, 8);
  const TRect corners[4] = {{0, 0, s, s}, {W - s, 0, W, s}, {W - s, H - s, W, H}, {0, H - s, s, H}};
  for (int i = 0; i < 4; ++i) {
    c.FillRect(corners[i], Rgb(60, 20, 10));
    Label(c, corners[i], std::to_string(i + 1), Rgb(255, 230, 120), s * 3 / 4);
  }
}

}  // namespace

bool MakeTestPattern(std::string_view name, int width, int height, Bitmap32& out) {
  if (name != "old" && name != "new") return false;
  out.SetSize(width, height);
  if (name == "old") {
    OldPattern(out);
  } else {
    NewPattern(out);
  }
  return true;
}

}  // namespace tarn::effectframe
