#include "framework/Button.h"

#include "graphics/Canvas.h"
#include "platform/host/VirtualKeys.h"

namespace tarn {

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
  SetTabStop(true);
}

void TButton::Click() {
  TCustomControl::Click();
  if (modal_result_ == TModalResult::mrNone) return;
  if (TCustomForm* form = ParentForm()) form->SetModalResult(modal_result_);
}

void TButton::Paint() {
  Canvas& c = GetCanvas();
  const TRect r = ClientRect();
  c.FillRect(r, clBtnFace);
  TRect frame = r;
  if (pressed_) {
    c.Frame3D(frame, clBtnShadow, clBtnHighlight, 1);
  } else {
    c.Frame3D(frame, clBtnHighlight, cl3DDkShadow, 1);
  }
  c.brush.Style = BrushStyle::Clear;
  c.font.Color = Enabled() ? clBtnText : clGrayText;
  TRect text = pressed_ ? r.Offset(1, 1) : r;
  c.DrawText(Caption(), text, dtCenter | dtVCenter | dtSingleLine);
  if (Focused()) c.FrameRect(r.Inflate(-3, -3), clBtnShadow);
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
      Invalidate();
      break;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      Invalidate();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    if (CanFocus()) SetFocus();
    pressed_ = true;
    Invalidate();
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  pressed_ = false;
  Invalidate();
  TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == VK_SPACE || key == VK_RETURN) {
    key = 0;
    Click();
  }
}

}  // namespace tarn
