#include "framework/DialogIcon.h"

#include <vector>

#include "graphics/Canvas.h"

namespace tarn {
namespace {

constexpr uint32_t kIconMask = 0xF0;
constexpr uint32_t kStop = 0x10;
constexpr uint32_t kQuestion = 0x20;
constexpr uint32_t kExclamation = 0x30;
constexpr uint32_t kInformation = 0x40;

void Disc(Canvas& c, int x, int y, TColor fill, TColor edge) {
  c.brush.Style = BrushStyle::Solid;
  c.brush.Color = fill;
  c.pen.Style = PenStyle::Solid;
  c.pen.Color = edge;
  c.pen.Width = 1;
  c.Ellipse(x + 1, y + 1, x + 31, y + 31);
}

void Bars(Canvas& c, int x, int y, TColor color, std::initializer_list<TRect> bars) {
  for (const TRect& r : bars)
    c.FillRect(r.Offset(x, y), color);
}

}  // namespace

bool HasDialogIcon(uint32_t flags) {
  const uint32_t icon = flags & kIconMask;
  return icon == kStop || icon == kQuestion || icon == kExclamation || icon == kInformation;
}

void DrawDialogIcon(Canvas& canvas, int x, int y, uint32_t flags) {
  CanvasStateSaver saver(canvas);
  switch (flags & kIconMask) {
    case kStop: {
      Disc(canvas, x, y, RGBColor(0xD8, 0x20, 0x20), RGBColor(0x80, 0x00, 0x00));
      // A white cross of two thick diagonals.
      canvas.brush.Color = clWhite;
      canvas.pen.Color = clWhite;
      canvas.Polygon(std::vector<TPoint>{
          {x + 9, y + 11}, {x + 11, y + 9}, {x + 23, y + 21}, {x + 21, y + 23}});
      canvas.Polygon(std::vector<TPoint>{
          {x + 21, y + 9}, {x + 23, y + 11}, {x + 11, y + 23}, {x + 9, y + 21}});
      break;
    }
    case kQuestion:
      Disc(canvas, x, y, RGBColor(0x20, 0x60, 0xD0), RGBColor(0x00, 0x20, 0x80));
      Bars(canvas, x, y, clWhite,
           {Rect(11, 7, 21, 10), Rect(19, 9, 22, 16), Rect(15, 15, 20, 18), Rect(15, 17, 18, 21),
            Rect(11, 9, 14, 12), Rect(15, 23, 18, 26)});
      break;
    case kExclamation:
      canvas.brush.Style = BrushStyle::Solid;
      canvas.brush.Color = RGBColor(0xF8, 0xD0, 0x20);
      canvas.pen.Color = RGBColor(0x80, 0x60, 0x00);
      canvas.Polygon(std::vector<TPoint>{{x + 16, y + 1}, {x + 31, y + 29}, {x + 1, y + 29}});
      Bars(canvas, x, y, clBlack, {Rect(15, 9, 18, 21), Rect(15, 23, 18, 26)});
      break;
    case kInformation:
      Disc(canvas, x, y, RGBColor(0x20, 0x60, 0xD0), RGBColor(0x00, 0x20, 0x80));
      Bars(canvas, x, y, clWhite, {Rect(14, 7, 18, 11), Rect(14, 13, 18, 25)});
      break;
    default:
      break;
  }
}

}  // namespace tarn
