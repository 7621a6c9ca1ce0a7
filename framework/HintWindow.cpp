#include "framework/HintWindow.h"

#include "graphics/Canvas.h"

namespace tarn {

namespace {
constexpr DrawTextFlags kHintText = dtLeft | dtWordBreak | dtNoPrefix;
}

THintWindow::THintWindow(TComponent* owner) : TCustomForm(owner) {
  SetBorderStyle(TBorderStyle::bsNone);
  SetPopupWindow(true);
  SetColor(clInfoBk);
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
  Bitmap32 scratch(1, 1);
  Canvas measure(scratch);
  measure.font = GetFont();
  TRect r = Rect(0, 0, maxWidth, 0);
  measure.DrawText(text, r, kHintText | dtCalcRect);
  const int pad = 2 * (1 + kMargin);
  return Rect(0, 0, r.Width() + pad + 2, r.Height() + pad);
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& text) {
  SetCaption(text);
  SetBoundsRect(rect);
  Invalidate();
  Show();
}

void THintWindow::Paint() {
  Canvas& c = GetCanvas();
  const TRect r = ClientRect();
  c.FillRect(r, clInfoBk);
  c.FrameRect(r, clInfoText);
  c.brush.Style = BrushStyle::Clear;
  c.font.Color = clInfoText;
  TRect text = r.Inflate(-(1 + kMargin), -(1 + kMargin));
  text.Left += 1;
  c.DrawText(Caption(), text, kHintText);
}

}  // namespace tarn
