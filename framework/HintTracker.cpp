#include "framework/HintTracker.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/HintWindow.h"
#include "platform/host/Host.h"

namespace tarn {

namespace {

constexpr int kMaxHintWidth = 300;
constexpr int kCursorHeight = 20;  // the hint sits below the pointer's shape

}  // namespace

TControl* THintTracker::HintControl(TControl* control) {
  while (control != nullptr && !control->ShowHint())
    control = control->Parent();
  if (control == nullptr || control->Hint().empty()) return nullptr;
  return control;
}

void THintTracker::BeforeInput(const THostEvent& e) {
  switch (e.Kind) {
    case THostEventKind::MouseDown:
    case THostEventKind::MouseWheel:
    case THostEventKind::KeyDown:
      Cancel();
      break;
    default:
      break;
  }
}

void THintTracker::AfterInput(const THostEvent& e) {
  switch (e.Kind) {
    case THostEventKind::MouseMove:
    case THostEventKind::MouseDown:
    case THostEventKind::MouseUp:
    case THostEventKind::MouseLeave:
    case THostEventKind::Deactivate:
      break;
    default:
      return;
  }
  TControl* under = nullptr;
  for (TCustomForm* form : app_.Forms()) {
    if (form->HostWindow() != e.Window || e.Window == 0) continue;
    // Over a menu or a hint there is no hint.
    if (!form->PopupWindow() && form->Visible()) under = form->MouseControl();
    break;
  }
  Track(app_.ShowHint() ? HintControl(under) : nullptr);
}

void THintTracker::Track(TControl* control) {
  if (control == control_) return;
  StopTimers();
  Hide();
  control_ = control;
  suppressed_ = false;
  if (control_ != nullptr) {
    pause_timer_ = app_.SetTimer(app_.HintPause(), [this] { ShowNow(); });
  }
}

void THintTracker::ShowNow() {
  StopTimers();
  if (control_ == nullptr || suppressed_ || !app_.ShowHint() || !control_->Showing()) return;
  if (window_ == nullptr) window_ = new THintWindow(&app_);
  const TPoint cursor = app_.CursorPos();
  TRect r = window_->CalcHintRect(kMaxHintWidth, control_->Hint());
  THost& host = app_.Host();
  TRect monitor = host.MonitorBounds(0);
  for (int i = 0; i < host.MonitorCount(); ++i) {
    if (host.MonitorBounds(i).Contains(cursor)) monitor = host.MonitorBounds(i);
  }
  int x = std::min(cursor.X, monitor.Right - r.Width());
  int y = cursor.Y + kCursorHeight;
  if (y + r.Height() > monitor.Bottom) y = cursor.Y - r.Height() - 2;  // above, when below is off
  x = std::max(x, monitor.Left);
  y = std::max(y, monitor.Top);
  window_->ActivateHint(Bounds(x, y, r.Width(), r.Height()), control_->Hint());
  hide_timer_ = app_.SetTimer(app_.HintHidePause(), [this] {
    StopTimers();
    Hide();
    suppressed_ = true;  // not again until the pointer moves on
  });
}

void THintTracker::Hide() {
  if (window_ != nullptr && app_.HasForm(window_) && window_->Visible()) window_->Hide();
}

void THintTracker::StopTimers() {
  if (pause_timer_ != 0) app_.KillTimer(pause_timer_);
  if (hide_timer_ != 0) app_.KillTimer(hide_timer_);
  pause_timer_ = 0;
  hide_timer_ = 0;
}

void THintTracker::Cancel() {
  StopTimers();
  Hide();
  suppressed_ = true;
}

void THintTracker::ControlGoing(TControl* control) {
  if (control == window_ && control->Destroying()) {
    window_ = nullptr;
    return;
  }
  if (control_ == nullptr || !InSubtree(control, control_)) return;
  StopTimers();
  Hide();
  control_ = nullptr;
}

THintWindow* THintTracker::ActiveWindow() const {
  return window_ != nullptr && app_.HasForm(window_) && window_->Visible() ? window_ : nullptr;
}

}  // namespace tarn
