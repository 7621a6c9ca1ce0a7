#include "framework/Brush.h"

namespace tarn {

void TBrush::SetValue(const tarn::Brush& value) {
  if (value == value_) return;
  value_ = value;
  if (OnChange) OnChange(this);
}

void TBrush::SetColor(TColor color) {
  tarn::Brush v = value_;
  v.Color = color;
  SetValue(v);
}

void TBrush::SetStyle(BrushStyle style) {
  tarn::Brush v = value_;
  v.Style = style;
  SetValue(v);
}

void TBrush::Assign(const TPersistent& source) {
  if (const auto* brush = dynamic_cast<const TBrush*>(&source)) {
    SetValue(brush->value_);
    return;
  }
  TPersistent::Assign(source);
}

}  // namespace tarn
