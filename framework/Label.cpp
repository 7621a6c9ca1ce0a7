#include "framework/Label.h"

#include "graphics/Canvas.h"

namespace tarn {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(0, 0, 65, 17);
  // AutoSize starts on; the size follows the text once there is one.
  TControl::SetAutoSize(true);
}

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  if (value == Transparent()) return;
  SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
  Invalidate();
}

void TLabel::SetWordWrap(bool value) {
  if (value == word_wrap_) return;
  word_wrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
  if (value == show_accel_char_) return;
  show_accel_char_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetAutoSize(bool value) {
  if (value == AutoSize()) return;
  TControl::SetAutoSize(value);
  AdjustBounds();
}

DrawTextFlags TLabel::TextFlags() const {
  DrawTextFlags flags = dtExpandTabs;
  if (word_wrap_) flags |= dtWordBreak;
  if (alignment_ == TAlignment::taCenter) flags |= dtCenter;
  if (alignment_ == TAlignment::taRightJustify) flags |= dtRight;
  return flags;
}

void TLabel::DoDrawText(Canvas& canvas, TRect& rect, DrawTextFlags flags) {
  std::string text = Caption();
  // An empty caption still measures one line high.
  if ((flags & dtCalcRect) && (text.empty() || (show_accel_char_ && text == "&"))) text += ' ';
  if (!show_accel_char_) flags |= dtNoPrefix;
  canvas.font = GetFont();
  if (!EffectivelyEnabled() && !(flags & dtCalcRect)) {
    TRect raised = rect.Offset(1, 1);
    canvas.font.Color = clBtnHighlight;
    canvas.DrawText(text, raised, flags);
    canvas.font.Color = clBtnShadow;
  }
  canvas.DrawText(text, rect, flags);
}

void TLabel::Paint() {
  Canvas& canvas = GetCanvas();
  const TRect client = Rect(0, 0, Width(), Height());
  if (!Transparent()) canvas.FillRect(client, Color());
  canvas.brush.Style = BrushStyle::Clear;
  TRect rect = client;
  if (layout_ != TTextLayout::tlTop) {
    TRect measured = client;
    DoDrawText(canvas, measured, TextFlags() | dtCalcRect);
    const int free = Height() - measured.Height();
    rect = rect.Offset(0, layout_ == TTextLayout::tlBottom ? free : free / 2);
  }
  DoDrawText(canvas, rect, TextFlags());
}

void TLabel::AdjustBounds() {
  if (!AutoSize() || (ControlState() & csLoading)) return;
  Bitmap32 scratch(1, 1);
  Canvas canvas(scratch);
  TRect rect = Rect(0, 0, Width(), Height());
  DoDrawText(canvas, rect, (TextFlags() & (dtExpandTabs | dtWordBreak)) | dtCalcRect);
  int left = Left();
  if (alignment_ == TAlignment::taRightJustify) left += Width() - rect.Right;
  SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TLabel::DefaultHandler(TMessage& message) {
  TGraphicControl::DefaultHandler(message);
  switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      break;
    default:
      break;
  }
}

}  // namespace tarn
