#include "framework/Screen.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/host/Host.h"

namespace tarn {

int TScreen::Width() {
  return MonitorBounds(0).Width();
}
int TScreen::Height() {
  return MonitorBounds(0).Height();
}
int TScreen::MonitorCount() {
  return Application ? Application->Host().MonitorCount() : 0;
}
TRect TScreen::MonitorBounds(int index) {
  return Application ? Application->Host().MonitorBounds(index) : TRect{};
}
TPoint TScreen::CursorPos() {
  return Application ? Application->CursorPos() : TPoint{};
}
TCustomForm* TScreen::ActiveForm() {
  return Application ? Application->ActiveForm() : nullptr;
}
TWinControl* TScreen::ActiveControl() {
  TCustomForm* form = ActiveForm();
  return form ? form->ActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor cursor) {
  if (Application == nullptr) return;
  const int shape = cursor == TCursor::crDefault ? 0 : static_cast<int>(cursor) - 1;
  Application->Host().SetCursor(static_cast<THostCursor>(shape));
}

}  // namespace tarn
