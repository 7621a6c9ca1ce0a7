// TControlCanvas: the canvas plumbing that custom (windowed) and graphic (window-less) controls
// share. During a paint the control draws on the canvas the framework hands it, with the origin
// at its client area's (0, 0) and the clip set to what is being repainted; outside a paint it
// draws straight onto its visible area of the form's back buffer, and the framework shows those
// pixels at the end of the turn of the loop.
#pragma once

#include <memory>

#include "graphics/Bitmap32.h"
#include "graphics/Canvas.h"

namespace tarn {

class TControl;

class TControlCanvas {
 public:
  explicit TControlCanvas(TControl& control) : control_(control) {}
  TControlCanvas(const TControlCanvas&) = delete;
  TControlCanvas& operator=(const TControlCanvas&) = delete;

  // The paint's canvas during a paint, else one that draws onto the control's visible area.
  Canvas& Get();
  bool Painting() const { return paint_canvas_ != nullptr; }

  // Runs `paint` with `canvas` as the control's canvas, set to the control's font and colour;
  // the canvas's state is restored afterwards, whatever `paint` does.
  template <class F>
  void Paint(Canvas& canvas, F&& paint) {
    PaintScope scope(*this, canvas);
    paint();
  }

 private:
  class PaintScope {
   public:
    PaintScope(TControlCanvas& owner, Canvas& canvas);
    ~PaintScope();

   private:
    TControlCanvas& owner_;
    Canvas* saved_;
    CanvasStateSaver state_;
  };

  TControl& control_;
  Canvas* paint_canvas_ = nullptr;
  std::unique_ptr<Canvas> own_canvas_;
  Bitmap32 nowhere_;  // the target while the control is on no shown form
};

}  // namespace tarn
