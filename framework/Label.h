// TLabel: a window-less control that shows its caption in its font. It sizes itself to the text
// (AutoSize, on by default; a right-aligned label keeps its right edge), paints its colour
// behind the text unless Transparent, wraps words when asked, and marks an accelerator with '&'
// unless ShowAccelChar is off. A disabled label draws its text embossed.
#pragma once

#include "framework/GraphicControl.h"
#include "framework/StdControlTypes.h"
#include "framework/layout/Loadable.h"
#include "graphics/Canvas.h"

namespace tarn {

class TLabel : public TGraphicControl, public ILoadable {
 public:
  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool Transparent() const { return (ControlStyle() & csOpaque) == 0; }
  void SetTransparent(bool value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool value);
  void SetAutoSize(bool value) override;

  void Loaded() override { AdjustBounds(); }

 protected:
  void Paint() override;
  void DefaultHandler(TMessage& message) override;

 private:
  // Draws (or with dtCalcRect measures) the caption in rect.
  void DoDrawText(Canvas& canvas, TRect& rect, DrawTextFlags flags);
  DrawTextFlags TextFlags() const;
  void AdjustBounds();

  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool word_wrap_ = false;
  bool show_accel_char_ = true;
};

}  // namespace tarn
