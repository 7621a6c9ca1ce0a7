// TGraphicControl: a window-less control. It paints on its parent's surface, inside its own
// bounds, after the parent has painted; it cannot take the focus. Its canvas works as the custom
// control's does.
#pragma once

#include "framework/Control.h"
#include "framework/ControlCanvas.h"

namespace tarn {

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  tarn::Canvas& GetCanvas() { return canvas_.Get(); }
  bool Painting() const { return canvas_.Painting(); }

  void WndProc(TMessage& message) override;

 protected:
  virtual void Paint() {}

 private:
  TControlCanvas canvas_{*this};
};

}  // namespace tarn
