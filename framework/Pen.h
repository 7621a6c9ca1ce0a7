// TPen: the pen as an object with a change event (colour, width, style).
#pragma once

#include "framework/ControlTypes.h"
#include "framework/Persistent.h"
#include "graphics/Canvas.h"

namespace tarn {

class TPen : public TPersistent {
 public:
  const tarn::Pen& Value() const { return value_; }
  void SetValue(const tarn::Pen& value);

  TColor Color() const { return value_.Color; }
  void SetColor(TColor color);
  int Width() const { return value_.Width; }
  void SetWidth(int width);  // at least 1
  PenStyle Style() const { return value_.Style; }
  void SetStyle(PenStyle style);

  void Assign(const TPersistent& source) override;
  std::string ClassName() const override { return "TPen"; }

  TNotifyEvent OnChange;

 private:
  tarn::Pen value_;
};

}  // namespace tarn
