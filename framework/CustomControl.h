// TCustomControl: a windowed control with its own canvas and a virtual Paint. During a paint the
// canvas draws into the form's back buffer with the origin at the client area's (0, 0) and the
// clip set to what is being repainted; outside a paint it draws straight onto the control's
// visible area, and the framework shows those pixels at the end of the turn of the loop.
#pragma once

#include <memory>

#include "framework/WinControl.h"
#include "graphics/Bitmap32.h"

namespace tarn {

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  tarn::Canvas& GetCanvas();
  bool Painting() const { return paint_canvas_ != nullptr; }

 protected:
  virtual void Paint() {}
  void PaintWindow(tarn::Canvas& canvas) override;

 private:
  tarn::Canvas* paint_canvas_ = nullptr;
  std::unique_ptr<tarn::Canvas> own_canvas_;
  Bitmap32 nowhere_;  // the target while the control is on no shown form
};

// Prepares `canvas` (created for this control's form or for nothing) to draw straight onto the
// control's visible client area, outside a paint; the framework presents the area later.
void PrepareDirectCanvas(TControl& control, std::unique_ptr<tarn::Canvas>& canvas,
                         Bitmap32& nowhere);

}  // namespace tarn
