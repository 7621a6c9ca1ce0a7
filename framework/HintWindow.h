// THintWindow: the small window that shows a control's hint: borderless, in the system's info
// colours, with a one-pixel frame. It never takes the keyboard focus.
#pragma once

#include <string>

#include "framework/Form.h"

namespace tarn {

class THintWindow : public TCustomForm {
 public:
  explicit THintWindow(TComponent* owner);

  // The size the text needs (wrapped at maxWidth), frame and margins included; left and top 0.
  TRect CalcHintRect(int maxWidth, const std::string& text);
  // Shows the text in the given screen rectangle.
  void ActivateHint(const TRect& rect, const std::string& text);

  static constexpr int kMargin = 2;  // between the frame and the text

 protected:
  void Paint() override;
};

}  // namespace tarn
