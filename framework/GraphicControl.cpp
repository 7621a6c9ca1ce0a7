#include "framework/GraphicControl.h"

namespace tarn {

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& message) {
  if (message.Msg == WM_PAINT && message.WParam != 0) {
    canvas_.Paint(*reinterpret_cast<Canvas*>(message.WParam), [this] { Paint(); });
    return;
  }
  TControl::WndProc(message);
}

}  // namespace tarn
