#include "framework/CustomControl.h"

namespace tarn {

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(Canvas& canvas) {
  canvas_.Paint(canvas, [this] { Paint(); });
}

}  // namespace tarn
