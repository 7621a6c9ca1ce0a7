// TPopupMenu: a menu that opens at a point of the screen, in a borderless window of its own,
// when a control is right-clicked (AutoPopup) or when the program calls Popup. While it is open
// it takes the keyboard (up, down, left, right, Enter, Esc, accelerator letters) and a press
// anywhere else closes it. An item with visible sub-items opens them in a window beside it.
// Choosing an item closes the menu first and then raises the item's OnClick.
#pragma once

#include <vector>

#include "base/Component.h"
#include "framework/Application.h"
#include "framework/ControlTypes.h"
#include "framework/MenuItem.h"

namespace tarn {

class TControl;
class TPopupMenuWindow;

class TPopupMenu : public TComponent, private TInputHook {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // The top-level items are the sub-items of this root.
  TMenuItem& Items() { return items_; }
  const TMenuItem& Items() const { return items_; }

  // Whether a control's right click opens the menu by itself.
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool value) { auto_popup_ = value; }
  // The control (or other component) the menu was last opened for.
  TComponent* PopupComponent() const { return popup_component_; }
  void SetPopupComponent(TComponent* component) { popup_component_ = component; }

  // Raises OnPopup and opens the menu with its top-left corner at a screen point, moved so that
  // it stays on that monitor. Returns at once: the application's loop runs the open menu.
  // Nothing opens when no item is visible.
  virtual void Popup(int x, int y);
  // Closes the menu without choosing anything.
  void CloseMenu();
  bool IsOpen() const { return open_; }
  // The window of the top level, or of a sub-menu level (1, 2, ...), while it exists; levels
  // above the open ones may remain hidden.
  TPopupMenuWindow* Window(int level = 0) const;
  // How many levels are shown (0 when the menu is shut).
  int OpenLevels() const;

  TNotifyEvent OnPopup;

  // The controls whose PopupMenu this is (kept by TControl::SetPopupMenu).
  void AddUser(TControl* control);
  void RemoveUser(TControl* control);

 protected:
  virtual void DoPopup();

 private:
  friend class TPopupMenuWindow;
  bool HostInput(const THostEvent& event) override;
  // Closes the menu, then runs the item (which may free the menu).
  void Choose(TMenuItem* item);
  void WindowGone(TPopupMenuWindow* window);
  // Shows the sub-items of entry `index` of level `level` beside it, and shuts deeper levels.
  void OpenSubmenu(int level, int index);
  // Hides the levels deeper than `level`.
  void CloseSubmenus(int level);
  TPopupMenuWindow* Innermost() const;

  TMenuItem items_;
  bool auto_popup_ = true;
  TComponent* popup_component_ = nullptr;
  std::vector<TPopupMenuWindow*> windows_;
  std::vector<TControl*> users_;  // one per level, made when first needed
  bool open_ = false;
};

}  // namespace tarn
