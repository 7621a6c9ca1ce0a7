// TFont: a font as an object with a change event, for controls and graphics that hold one and
// for layouts that describe one (Name, Height or Size, Style, Color). The canvas draws with the
// plain value (graphics/Font.h) that Value() gives.
#pragma once

#include <string>

#include "framework/ControlTypes.h"
#include "framework/Persistent.h"
#include "graphics/Font.h"

namespace tarn {

class TFont : public TPersistent {
 public:
  TFont() = default;
  explicit TFont(const tarn::Font& value) : value_(value) {}

  const tarn::Font& Value() const { return value_; }
  // One change event for the whole value (none when it is the same).
  void SetValue(const tarn::Font& value);

  const std::string& Name() const { return value_.Name; }
  void SetName(const std::string& name);
  // Character height in pixels. A negative height (as stored formats write a character
  // height) means the same as its magnitude.
  int Height() const { return value_.Height; }
  void SetHeight(int height);
  // Size in points at 96 pixels per inch (rounded), the other way to give the height.
  int Size() const;
  void SetSize(int points);
  FontStyles Style() const { return value_.Style; }
  void SetStyle(FontStyles style);
  TColor Color() const { return value_.Color; }
  void SetColor(TColor color);

  void Assign(const TPersistent& source) override;
  std::string ClassName() const override { return "TFont"; }

  TNotifyEvent OnChange;

 private:
  void Changed();
  tarn::Font value_;
};

}  // namespace tarn
