#include "framework/Pen.h"

#include <algorithm>

namespace tarn {

void TPen::SetValue(const tarn::Pen& value) {
  tarn::Pen v = value;
  v.Width = std::max(1, v.Width);
  if (v == value_) return;
  value_ = v;
  if (OnChange) OnChange(this);
}

void TPen::SetColor(TColor color) {
  tarn::Pen v = value_;
  v.Color = color;
  SetValue(v);
}

void TPen::SetWidth(int width) {
  tarn::Pen v = value_;
  v.Width = width;
  SetValue(v);
}

void TPen::SetStyle(PenStyle style) {
  tarn::Pen v = value_;
  v.Style = style;
  SetValue(v);
}

void TPen::Assign(const TPersistent& source) {
  if (const auto* pen = dynamic_cast<const TPen*>(&source)) {
    SetValue(pen->value_);
    return;
  }
  TPersistent::Assign(source);
}

}  // namespace tarn
