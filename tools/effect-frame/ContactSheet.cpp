#include "tools/effect-frame/ContactSheet.h"

#include <algorithm>
#include <string>

#include "graphics/Canvas.h"
#include "slideshow/effects/EffectTable.h"

namespace tarn::effectframe {
namespace {

constexpr int kLabelHeight = 16;
constexpr int kGap = 4;
constexpr int kMargin = 8;
constexpr TColor kBackground = RGBColor(240, 240, 236);
constexpr TColor kText = RGBColor(20, 20, 20);

void Text(Canvas& c, int x, int y, const std::string& text, FontStyles style = 0) {
  c.font.Name = "Tahoma";
  c.font.Height = 12;
  c.font.Style = style;
  c.font.Color = kText;
  c.brush.Style = BrushStyle::Clear;
  c.TextOut(x, y, text);
}

}  // namespace

Bitmap32 Shrink(const Bitmap32& frame, int scale) {
  scale = std::max(scale, 1);
  const int W = (frame.Width() + scale - 1) / scale, H = (frame.Height() + scale - 1) / scale;
  Bitmap32 out(W, H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      unsigned sum[3] = {0, 0, 0}, n = 0;
      for (int sy = y * scale; sy < std::min((y + 1) * scale, frame.Height()); ++sy) {
        for (int sx = x * scale; sx < std::min((x + 1) * scale, frame.Width()); ++sx) {
          const Pixel32 p = frame.PixelAt(sx, sy);
          for (int k = 0; k < 3; ++k)
            sum[k] += p >> (8 * k) & 0xFF;
          ++n;
        }
      }
      Pixel32 avg = 0xFF000000u;
      for (int k = 0; k < 3; ++k)
        avg |= (sum[k] + n / 2) / n << (8 * k);
      out.SetPixelAt(x, y, avg);
    }
  }
  return out;
}

Bitmap32 RenderContactSheet(const Bitmap32& oldPic, const Bitmap32& newPic,
                            const SheetLayout& layout) {
  const int scale = std::max(layout.Scale, 1);
  const int tw = (newPic.Width() + scale - 1) / scale, th = (newPic.Height() + scale - 1) / scale;
  const int count = static_cast<int>(layout.Styles.size());
  const int columns = std::clamp(layout.Columns, 1, std::max(count, 1));
  const int rows = (count + columns - 1) / columns;
  const int cells = static_cast<int>(layout.Progress.size());
  const int panelWidth = cells * (tw + kGap) - kGap;
  const int rowHeight = kLabelHeight + th + kGap * 2;
  const int top = kMargin + kLabelHeight + kGap;

  Bitmap32 sheet(kMargin * 2 + columns * panelWidth + (columns - 1) * kMargin * 3,
                 top + rows * rowHeight + kMargin);
  Canvas c(sheet);
  c.FillRect(sheet.BoundsRect(), kBackground);
  for (int col = 0; col < columns; ++col) {
    const int x0 = kMargin + col * (panelWidth + kMargin * 3);
    for (int i = 0; i < cells; ++i) {
      Text(c, x0 + i * (tw + kGap), kMargin, std::to_string(layout.Progress[i]) + " %", fsBold);
    }
  }
  for (int n = 0; n < count; ++n) {
    const int style = layout.Styles[static_cast<std::size_t>(n)];
    const TEffect* effect = FindEffect(style);
    const int x0 = kMargin + (n / rows) * (panelWidth + kMargin * 3);
    const int y0 = top + (n % rows) * rowHeight;
    Text(c, x0, y0, std::to_string(style) + "  " + (effect ? effect->Name : "?"));
    for (int i = 0; i < cells; ++i) {
      Bitmap32 frame(oldPic);
      DrawEffectFrame(style, frame, newPic, layout.Progress[static_cast<std::size_t>(i)]);
      c.Draw(x0 + i * (tw + kGap), y0 + kLabelHeight, Shrink(frame, scale));
    }
  }
  return sheet;
}

}  // namespace tarn::effectframe
