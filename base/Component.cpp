#include "base/Component.h"

#include <algorithm>

#include "base/StringUtils.h"

namespace tarn {

TComponent::TComponent(TComponent* owner) {
  SetOwner(owner);
}

TComponent::~TComponent() {
  // Owned components go last-made first, as they were built on each other in order.
  while (!components_.empty()) {
    TComponent* child = components_.back();
    delete child;  // its destructor removes it from components_
  }
  SetOwner(nullptr);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (SameText(c->Name(), name)) return c;
  }
  return nullptr;
}

void TComponent::SetOwner(TComponent* owner) {
  if (owner == owner_) return;
  if (owner_ != nullptr) {
    auto& list = owner_->components_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    owner_->Notification(this, false);
  }
  owner_ = owner;
  if (owner_ != nullptr) {
    owner_->components_.push_back(this);
    owner_->Notification(this, true);
  }
}

void TComponent::Notification(TComponent*, bool) {}

}  // namespace tarn
