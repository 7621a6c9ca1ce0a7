#include "framework/TFont.h"

#include <cstdlib>

namespace tarn {

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::SetValue(const tarn::Font& value) {
  if (value == value_) return;
  value_ = value;
  Changed();
}

void TFont::SetName(const std::string& name) {
  tarn::Font f = value_;
  f.Name = name;
  SetValue(f);
}

void TFont::SetHeight(int height) {
  tarn::Font f = value_;
  f.Height = std::abs(height);
  SetValue(f);
}

int TFont::Size() const {
  return (value_.Height * 72 + 48) / 96;
}

void TFont::SetSize(int points) {
  SetHeight((std::abs(points) * 96 + 36) / 72);
}

void TFont::SetStyle(FontStyles style) {
  tarn::Font f = value_;
  f.Style = style;
  SetValue(f);
}

void TFont::SetColor(TColor color) {
  tarn::Font f = value_;
  f.Color = color;
  SetValue(f);
}

void TFont::Assign(const TPersistent& source) {
  if (const auto* font = dynamic_cast<const TFont*>(&source)) {
    SetValue(font->value_);
    return;
  }
  TPersistent::Assign(source);
}

}  // namespace tarn
