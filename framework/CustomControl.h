// TCustomControl: a windowed control with its own canvas and a virtual Paint. During a paint the
// canvas draws into the form's back buffer with the origin at the client area's (0, 0) and the
// clip set to what is being repainted; outside a paint it draws straight onto the control's
// visible area, and the framework shows those pixels at the end of the turn of the loop.
#pragma once

#include "framework/ControlCanvas.h"
#include "framework/WinControl.h"

namespace tarn {

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  tarn::Canvas& GetCanvas() { return canvas_.Get(); }
  bool Painting() const { return canvas_.Painting(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(tarn::Canvas& canvas) override;

 private:
  TControlCanvas canvas_{*this};
};

}  // namespace tarn
