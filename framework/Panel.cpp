#include "framework/Panel.h"

#include <algorithm>

#include "graphics/Canvas.h"

namespace tarn {

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);  // a panel has a colour of its own
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevel_outer_) return;
  bevel_outer_ = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (value == bevel_inner_) return;
  bevel_inner_ = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
  value = std::max(1, value);
  if (value == bevel_width_) return;
  bevel_width_ = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
  value = std::max(0, value);
  if (value == border_width_) return;
  border_width_ = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TCustomPanel::AlignControls(TControl* changed, TRect& rect) {
  int inset = border_width_;
  if (bevel_outer_ != TBevelCut::bvNone) inset += bevel_width_;
  if (bevel_inner_ != TBevelCut::bvNone) inset += bevel_width_;
  rect = rect.Inflate(-inset, -inset);
  if (rect.Right < rect.Left) rect.Right = rect.Left;
  if (rect.Bottom < rect.Top) rect.Bottom = rect.Top;
  TCustomControl::AlignControls(changed, rect);
}

void TCustomPanel::PaintBevels(Canvas& canvas, TRect& rect, TColor borderColor) {
  auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    const bool lowered = cut == TBevelCut::bvLowered;
    canvas.Frame3D(rect, lowered ? clBtnShadow : clBtnHighlight,
                   lowered ? clBtnHighlight : clBtnShadow, bevel_width_);
  };
  bevel(bevel_outer_);
  canvas.Frame3D(rect, borderColor, borderColor, border_width_);
  bevel(bevel_inner_);
}

void TCustomPanel::PaintCaption(Canvas& canvas, const TRect& rect) {
  if (Caption().empty()) return;
  CanvasStateSaver saver(canvas);
  canvas.brush.Style = BrushStyle::Clear;
  canvas.font = GetFont();
  const int height = canvas.TextHeight("W");
  TRect line = rect;
  line.Top = (rect.Top + rect.Bottom - height) / 2;
  line.Bottom = line.Top + height;
  DrawTextFlags flags = dtExpandTabs | dtVCenter | dtSingleLine;
  if (alignment_ == TAlignment::taCenter) flags |= dtCenter;
  if (alignment_ == TAlignment::taRightJustify) flags |= dtRight;
  canvas.DrawText(Caption(), line, flags);
}

void TCustomPanel::Paint() {
  Canvas& canvas = GetCanvas();
  TRect rect = ClientRect();
  canvas.FillRect(rect, Color());
  PaintBevels(canvas, rect, Color());
  PaintCaption(canvas, rect);
}

void TCustomPanel::DefaultHandler(TMessage& message) {
  // The whole client area is painted by Paint: nothing to erase first.
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;
    return;
  }
  TCustomControl::DefaultHandler(message);
}

}  // namespace tarn
