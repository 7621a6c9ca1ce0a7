// Routing the host's input: mouse events to the captured control or the one under the pointer
// (with enter / leave and double clicks), keys to the focused control with dialog keys,
// accelerators and typed characters.
#include <cctype>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ModifierKeys.h"
#include "framework/Screen.h"
#include "platform/host/Host.h"
#include "platform/host/VirtualKeys.h"

namespace tarn {

void TCustomForm::HandleHostEvent(const THostEvent& e) {
  switch (e.Kind) {
    case THostEventKind::MouseMove:
    case THostEventKind::MouseDown:
    case THostEventKind::MouseUp:
    case THostEventKind::MouseWheel:
      RouteMouse(e);
      break;
    case THostEventKind::MouseLeave:
      mouse_inside_ = false;
      UpdateMouseControl();
      break;
    case THostEventKind::KeyDown:
    case THostEventKind::KeyUp:
      RouteKey(e);
      break;
    case THostEventKind::Char:
      RouteChar(e.Text, e.Modifiers);
      break;
    case THostEventKind::Close:
      if (Enabled()) Close();
      break;
    case THostEventKind::Activate:
      if (Visible() && !popup_window_) Activate(true);
      break;
    case THostEventKind::Deactivate:
      Activate(false);
      break;
    case THostEventKind::Expose:
      AddPresentArea(Rect(0, 0, back_buffer_.Width(), back_buffer_.Height()));
      break;
    case THostEventKind::Moved:
      applying_host_move_ = true;
      SetBounds(e.X, e.Y, Width(), Height());
      applying_host_move_ = false;
      break;
    case THostEventKind::Minimized:
      window_state_ = TWindowState::wsMinimized;
      break;
    case THostEventKind::Restored:
      window_state_ = TWindowState::wsNormal;
      AddPresentArea(Rect(0, 0, back_buffer_.Width(), back_buffer_.Height()));
      break;
    case THostEventKind::Quit:
      break;
  }
}

void TCustomForm::RouteMouse(const THostEvent& e) {
  const TPoint p{e.X, e.Y};
  last_mouse_ = p;
  mouse_inside_ = Rect(0, 0, Width(), Height()).Contains(p);
  if (moving_) {
    // The window follows the pointer while the left button is held.
    if (e.Kind == THostEventKind::MouseMove && (e.Modifiers & hmLeft)) {
      SetBounds(move_start_pos_.X + e.ScreenX - move_start_cursor_.X,
                move_start_pos_.Y + e.ScreenY - move_start_cursor_.Y, Width(), Height());
      return;
    }
    if (e.Kind == THostEventKind::MouseWheel) return;
    moving_ = false;
    Application->Host().CaptureMouse(host_window_, false);
    if (e.Kind == THostEventKind::MouseUp) return;  // the release that ends the drag
  }
  if (!Enabled()) return;  // a modal form elsewhere has the input

  const uint32_t keys = HostMouseKeys(e.Modifiers);
  if (e.Kind == THostEventKind::MouseWheel) {
    TWinControl* target = active_control_ ? active_control_ : this;
    target->Perform(WM_MOUSEWHEEL,
                    (static_cast<intptr_t>(static_cast<uint16_t>(e.WheelDelta)) << 16) | keys,
                    MakeLParam(e.ScreenX, e.ScreenY));
    return;
  }

  TControl* target = nullptr;
  if (TControl* captured = Application->Capture();
      captured != nullptr && ContainsControl(captured)) {
    target = captured;
  } else {
    target = ControlAtPos(p, false);
    if (target == nullptr) target = this;
  }
  const TRect tc = target->FormClientRect();
  const intptr_t lp = MakeLParam(p.X - tc.Left, p.Y - tc.Top);

  switch (e.Kind) {
    case THostEventKind::MouseMove:
      // A control may choose the pointer by the place (WM_SETCURSOR); else its Cursor shows.
      if (target->Perform(WM_SETCURSOR, 0, lp) == 0) TScreen::SetCursor(target->Cursor());
      target->Perform(WM_MOUSEMOVE, keys, lp);
      break;
    case THostEventKind::MouseDown: {
      const bool dbl = double_clicks_.Press(target, e.Button, p, Application->TickCount());
      const bool as_double = dbl && (target->ControlStyle() & csDoubleClicks);
      uint32_t msg = WM_LBUTTONDOWN;
      if (e.Button == THostButton::Right) msg = WM_RBUTTONDOWN;
      if (e.Button == THostButton::Middle) msg = WM_MBUTTONDOWN;
      if (as_double) msg += 2;  // the DBLCLK message of the same button
      target->Perform(msg, keys, lp);
      break;
    }
    case THostEventKind::MouseUp: {
      uint32_t msg = WM_LBUTTONUP;
      if (e.Button == THostButton::Right) msg = WM_RBUTTONUP;
      if (e.Button == THostButton::Middle) msg = WM_MBUTTONUP;
      target->Perform(msg, keys, lp);
      break;
    }
    default:
      break;
  }
  UpdateMouseControl();
}

void TCustomForm::UpdateMouseControl() {
  TControl* now = nullptr;
  if (mouse_inside_ && Visible() && window_state_ != TWindowState::wsMinimized) {
    now = ControlAtPos(last_mouse_, true);
    if (now == nullptr) now = this;
  }
  if (now == mouse_control_) return;
  TControl* old = mouse_control_;
  mouse_control_ = now;
  if (old != nullptr) old->Perform(CM_MOUSELEAVE);
  if (now != nullptr && mouse_control_ == now) now->Perform(CM_MOUSEENTER);
}

void TCustomForm::RouteKey(const THostEvent& e) {
  if (!Enabled() || !Visible()) return;
  TWinControl* target = active_control_ ? active_control_ : this;
  const bool alt = (e.Modifiers & hmAlt) != 0;
  const bool ctrl = (e.Modifiers & hmCtrl) != 0;
  const TShiftState shift = Application->ShiftState();
  uint16_t key = e.Key;
  if (e.Kind == THostEventKind::KeyUp) {
    target->Perform(alt ? WM_SYSKEYUP : WM_KEYUP, key);
    return;
  }
  if (key_preview_ && target != this) {
    KeyDown(key, shift);
    if (key == 0) return;
  }
  const intptr_t repeat = e.Repeat ? (intptr_t{1} << 30) : 0;
  if (target->Perform(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, repeat) != 0) return;
  if (!Visible()) return;
  target = active_control_ ? active_control_ : this;
  // The menu key, or Shift+F10: a context-menu request from the keyboard, without a position.
  const TShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
  if ((key == VK_APPS && mods == 0) || (key == VK_F10 && mods == ssShift)) {
    target->Perform(WM_CONTEXTMENU, 0, MakeLParam(-1, -1));
    return;
  }
  const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
  if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || arrow) {
    const intptr_t code = target->Perform(WM_GETDLGCODE);
    const bool wants = (code & DLGC_WANTALLKEYS) || (key == VK_TAB && (code & DLGC_WANTTAB)) ||
                       (arrow && (code & DLGC_WANTARROWS));
    if (!wants && Perform(CM_DIALOGKEY, key, static_cast<intptr_t>(shift)) != 0) return;
  }
  if (!ctrl && !alt) {
    // Keys that type a control character.
    if (key == VK_RETURN || key == VK_BACK || key == VK_ESCAPE || key == VK_TAB) {
      RouteChar(std::string(1, static_cast<char>(key == VK_RETURN ? '\r' : key)), e.Modifiers);
    }
  } else if (alt && !ctrl && std::isalnum(key) != 0 && key < 0x80) {
    // Alt with a letter: the accelerator of a control.
    Perform(CM_DIALOGCHAR, std::tolower(key));
  }
}

void TCustomForm::RouteChar(const std::string& text, uint32_t) {
  if (!Enabled() || !Visible()) return;
  for (char ch : text) {
    TWinControl* target = active_control_ ? active_control_ : this;
    if (target->Perform(WM_CHAR, static_cast<uint8_t>(ch)) != 0) continue;
    const auto byte = static_cast<uint8_t>(ch);
    if (byte >= 0x80) continue;  // a part of a double-byte character is no accelerator
    const intptr_t code = target->Perform(WM_GETDLGCODE);
    if (!(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) Perform(CM_DIALOGCHAR, byte);
  }
}

}  // namespace tarn
