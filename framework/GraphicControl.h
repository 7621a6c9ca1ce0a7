// TGraphicControl: a window-less control. It paints on its parent's surface, inside its own
// bounds, after the parent has painted; it cannot take the focus. Its canvas works as the custom
// control's does.
#pragma once

#include <memory>

#include "framework/Control.h"
#include "graphics/Bitmap32.h"

namespace tarn {

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  tarn::Canvas& GetCanvas();
  bool Painting() const { return paint_canvas_ != nullptr; }

  void WndProc(TMessage& message) override;

 protected:
  virtual void Paint() {}

 private:
  tarn::Canvas* paint_canvas_ = nullptr;
  std::unique_ptr<tarn::Canvas> own_canvas_;
  Bitmap32 nowhere_;
};

}  // namespace tarn
