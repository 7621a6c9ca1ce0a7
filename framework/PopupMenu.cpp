#include "framework/PopupMenu.h"

#include <algorithm>

#include "framework/Control.h"
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
  for (TControl* control : std::vector<TControl*>(users_))
    control->SetPopupMenu(nullptr);
  for (TPopupMenuWindow* window : windows_) {
    window->menu_ = nullptr;
    // The menu may go from a handler that its window is still running.
    window->Release();
  }
  windows_.clear();
}

void TPopupMenu::AddUser(TControl* control) {
  if (std::find(users_.begin(), users_.end(), control) == users_.end()) users_.push_back(control);
}

void TPopupMenu::RemoveUser(TControl* control) {
  users_.erase(std::remove(users_.begin(), users_.end(), control), users_.end());
  if (popup_component_ == control) popup_component_ = nullptr;
}

TPopupMenuWindow* TPopupMenu::Window(int level) const {
  return level >= 0 && level < static_cast<int>(windows_.size())
             ? windows_[static_cast<std::size_t>(level)]
             : nullptr;
}

int TPopupMenu::OpenLevels() const {
  int n = 0;
  while (open_ && n < static_cast<int>(windows_.size()) &&
         windows_[static_cast<std::size_t>(n)]->Visible()) {
    ++n;
  }
  return n;
}

TPopupMenuWindow* TPopupMenu::Innermost() const {
  const int n = OpenLevels();
  return n == 0 ? nullptr : windows_[static_cast<std::size_t>(n - 1)];
}

void TPopupMenu::WindowGone(TPopupMenuWindow* window) {
  CloseMenu();
  windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
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
  if (windows_.empty()) windows_.push_back(new TPopupMenuWindow(*this, 0));
  TPopupMenuWindow* window = windows_[0];
  window->Build(items_);
  const TRect m = MonitorAt(Application->Host(), Point(x, y));
  const int left = PlaceAlong(x, window->Width(), m.Left, m.Right);
  const int top = PlaceAlong(y, window->Height(), m.Top, m.Bottom);
  window->SetBounds(left, top, window->Width(), window->Height());
  Application->ReleaseCapture();
  Application->CancelHint();
  Application->AddInputHook(this);
  open_ = true;
  window->Show();
}

void TPopupMenu::OpenSubmenu(int level, int index) {
  TPopupMenuWindow* parent = Window(level);
  if (!open_ || parent == nullptr || !parent->HasSubmenu(index)) return;
  TMenuItem* item = parent->Entry(index);
  const auto next = static_cast<std::size_t>(level + 1);
  if (TPopupMenuWindow* shown = Window(level + 1);
      shown != nullptr && shown->Visible() && shown->Source() == item) {
    CloseSubmenus(level + 1);
    return;
  }
  CloseSubmenus(level);
  if (windows_.size() <= next) windows_.push_back(new TPopupMenuWindow(*this, level + 1));
  TPopupMenuWindow* window = windows_[next];
  window->Build(*item);
  // Beside the item, overlapping the parent's frame; on the left when the right has no room.
  const TRect row = parent->EntryRect(index).Offset(parent->Left(), parent->Top());
  const TRect m = MonitorAt(Application->Host(), Point(row.Right, row.Top));
  const int w = window->Width();
  const int h = window->Height();
  int left = parent->BoundsRect().Right - TPopupMenuWindow::kFrame;
  if (left + w > m.Right) left = parent->Left() - w + TPopupMenuWindow::kFrame;
  left = std::max(m.Left, std::min(left, m.Right - w));
  const int top = std::max(m.Top, std::min(row.Top - TPopupMenuWindow::kFrame, m.Bottom - h));
  window->SetBounds(left, top, w, h);
  window->Show();
}

void TPopupMenu::CloseSubmenus(int level) {
  for (std::size_t i = windows_.size(); i-- > static_cast<std::size_t>(level + 1);) {
    if (windows_[i]->Visible()) windows_[i]->Hide();
    windows_[i]->highlighted_ = -1;
  }
}

void TPopupMenu::CloseMenu() {
  if (!open_) return;
  CloseSubmenus(0);
  open_ = false;
  if (Application != nullptr) Application->RemoveInputHook(this);
  if (!windows_.empty()) {
    windows_[0]->Hide();
    windows_[0]->highlighted_ = -1;
  }
}

void TPopupMenu::Choose(TMenuItem* item) {
  CloseMenu();
  item->Click();
}

bool TPopupMenu::HostInput(const THostEvent& e) {
  TPopupMenuWindow* innermost = Innermost();
  if (innermost == nullptr) return false;
  const bool own = e.Window != 0 && std::any_of(windows_.begin(), windows_.end(), [&](auto* w) {
                     return w->HostWindow() == e.Window;
                   });
  switch (e.Kind) {
    case THostEventKind::KeyDown:
      // The menu has the keyboard wherever the desktop sends the keys.
      innermost->MenuKey(e.Key);
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
