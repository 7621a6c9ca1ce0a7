// Components: objects with an optional owner that frees them with itself, and a name.
// Freeing a component directly takes it off its owner's list, so nothing is freed twice.
#pragma once

#include <string>
#include <vector>

#include "base/Object.h"

namespace tarn {

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner = nullptr);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const {
    return components_.at(static_cast<std::size_t>(index));
  }
  // The owned component with that name (compared without letter case), or none.
  TComponent* FindComponent(const std::string& name) const;

  // Moves this component to another owner (or none).
  void SetOwner(TComponent* owner);

 protected:
  // Called on the owner when a component joins (inserting) or leaves its list.
  virtual void Notification(TComponent* component, bool inserting);

 private:
  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
};

}  // namespace tarn
