// TMenuItem: one entry of a menu. A caption of "-" makes a separator line; '&' marks the
// accelerator letter ("&&" is a literal ampersand). An item owns the items added under it and
// leaves its parent's list when it is freed.
#pragma once

#include <string>
#include <vector>

#include "base/Component.h"
#include "framework/ControlTypes.h"

namespace tarn {

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner = nullptr);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  bool Checked() const { return checked_; }
  void SetChecked(bool value) { checked_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  bool IsLine() const { return caption_ == "-"; }

  // --- Sub-items
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }
  // Takes the item under this one (from any menu it was in); it is freed with this item.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out of the list without freeing it.
  void Remove(TMenuItem* item);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* item) const;

  // Raises OnClick.
  virtual void Click();

  TNotifyEvent OnClick;

 private:
  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
};

// A new item under `parent` with the given caption and handler (a small convenience for menus
// built in code).
TMenuItem* NewItem(TMenuItem& parent, const std::string& caption, TNotifyEvent onClick = {});

}  // namespace tarn
