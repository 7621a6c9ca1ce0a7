// TBrush: the brush as an object with a change event (colour, style).
#pragma once

#include "framework/ControlTypes.h"
#include "framework/Persistent.h"
#include "graphics/Canvas.h"

namespace tarn {

class TBrush : public TPersistent {
 public:
  const tarn::Brush& Value() const { return value_; }
  void SetValue(const tarn::Brush& value);

  TColor Color() const { return value_.Color; }
  void SetColor(TColor color);
  BrushStyle Style() const { return value_.Style; }
  void SetStyle(BrushStyle style);

  void Assign(const TPersistent& source) override;
  std::string ClassName() const override { return "TBrush"; }

  TNotifyEvent OnChange;

 private:
  tarn::Brush value_;
};

}  // namespace tarn
