#include "framework/MenuItem.h"

#include <algorithm>
#include <stdexcept>

namespace tarn {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (parent_ != nullptr) parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) {
  Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item == nullptr) return;
  for (const TMenuItem* p = this; p != nullptr; p = p->parent_) {
    if (p == item) throw std::invalid_argument("A menu item cannot hold itself");
  }
  if (item->parent_ != nullptr) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
}

void TMenuItem::Clear() {
  while (!items_.empty())
    delete items_.back();  // each leaves the list as it goes
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Click() {
  if (!enabled_ || !OnClick) return;
  // A copy: the handler may free its own menu, and this item with it.
  const TNotifyEvent handler = OnClick;
  handler(this);
}

TMenuItem* NewItem(TMenuItem& parent, const std::string& caption, TNotifyEvent onClick) {
  auto* item = new TMenuItem(nullptr);
  item->SetCaption(caption);
  item->OnClick = std::move(onClick);
  parent.Add(item);
  return item;
}

}  // namespace tarn
