#include "framework/GraphicControl.h"

#include "framework/CustomControl.h"
#include "graphics/Canvas.h"

namespace tarn {

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() = default;

Canvas& TGraphicControl::GetCanvas() {
  if (paint_canvas_ != nullptr) return *paint_canvas_;
  PrepareDirectCanvas(*this, own_canvas_, nowhere_);
  return *own_canvas_;
}

void TGraphicControl::WndProc(TMessage& message) {
  if (message.Msg == WM_PAINT && message.WParam != 0) {
    Canvas& canvas = *reinterpret_cast<Canvas*>(message.WParam);
    Canvas* saved = paint_canvas_;
    paint_canvas_ = &canvas;
    try {
      CanvasStateSaver saver(canvas);
      canvas.font = GetFont();
      canvas.brush.Color = Color();
      canvas.brush.Style = BrushStyle::Solid;
      Paint();
    } catch (...) {
      paint_canvas_ = saved;
      throw;
    }
    paint_canvas_ = saved;
    return;
  }
  TControl::WndProc(message);
}

}  // namespace tarn
