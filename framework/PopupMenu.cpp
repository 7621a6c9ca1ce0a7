#include "framework/PopupMenu.h"

#include <algorithm>

#include "framework/PopupMenuWindow.h"
#include "platform/host/Host.h"

namespace tarn {

namespace {

// The monitor that holds the point, or the primary one.
TRect MonitorAt(THost& host, TPoint p) {
  for (int i = 0; i < host.MonitorCount(); ++i) {
    const TRect m = host.MonitorBounds(i);
    if (m.Contains(p)) return m;
  }
  return host.MonitorBounds(0);
}

// Opens to the right of and below the point; flips to the other side where it would leave the
// monitor, and is pushed inside when neither side fits.
int PlaceAlong(int at, int size, int low, int high) {
  if (at >= low && at + size <= high) return at;
  if (at - size >= low && at <= high) return at - size;
  return std::max(low, std::min(at, high - size));
}

}  // namespace

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

TPopupMenu::~TPopupMenu() {
  CloseMenu();
  if (window_ != nullptr) {
    window_->menu_ = nullptr;
    // The menu may go from a handler that its window is still running.
    window_->Release();
    window_ = nullptr;
  }
}

void TPopupMenu::DoPopup() {
  if (OnPopup) OnPopup(this);
}

void TPopupMenu::Popup(int x, int y) {
  CloseMenu();
  DoPopup();
  if (Application == nullptr) return;
  bool any = false;
  for (int i = 0; i < items_.Count(); ++i)
    any = any || items_.Items(i)->Visible();
  if (!any) return;
  if (window_ == nullptr) window_ = new TPopupMenuWindow(*this);
  window_->Build();
  const TRect m = MonitorAt(Application->Host(), Point(x, y));
  const int left = PlaceAlong(x, window_->Width(), m.Left, m.Right);
  const int top = PlaceAlong(y, window_->Height(), m.Top, m.Bottom);
  window_->SetBounds(left, top, window_->Width(), window_->Height());
  Application->ReleaseCapture();
  Application->CancelHint();
  Application->AddInputHook(this);
  open_ = true;
  window_->Show();
}

void TPopupMenu::CloseMenu() {
  if (!open_) return;
  open_ = false;
  if (Application != nullptr) Application->RemoveInputHook(this);
  if (window_ != nullptr) {
    window_->Hide();
    window_->highlighted_ = -1;
  }
}

void TPopupMenu::Choose(TMenuItem* item) {
  CloseMenu();
  item->Click();
}

bool TPopupMenu::HostInput(const THostEvent& e) {
  if (!open_ || window_ == nullptr) return false;
  const bool own = e.Window != 0 && e.Window == window_->HostWindow();
  switch (e.Kind) {
    case THostEventKind::KeyDown:
      // The menu has the keyboard wherever the desktop sends the keys.
      window_->MenuKey(e.Key);
      return true;
    case THostEventKind::KeyUp:
    case THostEventKind::Char:
      return true;
    case THostEventKind::MouseDown:
    case THostEventKind::MouseWheel:
      if (own) return false;
      // A press elsewhere, the owning form included, only closes the menu.
      CloseMenu();
      return true;
    // Focus changes are no reason to close: where the pointer carries the focus (a desktop
    // without a window manager) merely showing the menu deactivates its form.
    case THostEventKind::Close:
    case THostEventKind::Minimized:
      if (!own) CloseMenu();
      return false;
    default:
      return false;
  }
}

}  // namespace tarn
