// TCustomPanel / TPanel: a windowed control that holds other controls, filled with its colour
// and framed by an outer and an inner bevel with a border band between them, with one line of
// caption centred vertically and aligned left, right or centred. Aligned children keep clear of
// the bevels and the border.
#pragma once

#include "framework/CustomControl.h"
#include "framework/StdControlTypes.h"

namespace tarn {

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut value);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int value);  // at least 1
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int value);  // at least 0
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 protected:
  void Paint() override;
  void AlignControls(TControl* changed, TRect& rect) override;
  void DefaultHandler(TMessage& message) override;
  // The bevels and the border, drawn from the outside in; rect shrinks to what lies inside
  // them. The border band is filled with `borderColor` (clNone leaves it alone).
  void PaintBevels(Canvas& canvas, TRect& rect, TColor borderColor);
  // The caption: one line of the height of "W", centred vertically in rect.
  void PaintCaption(Canvas& canvas, const TRect& rect);

 private:
  TBevelCut bevel_outer_ = TBevelCut::bvRaised;
  TBevelCut bevel_inner_ = TBevelCut::bvNone;
  int bevel_width_ = 1;
  int border_width_ = 0;
  TAlignment alignment_ = TAlignment::taCenter;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};

}  // namespace tarn
