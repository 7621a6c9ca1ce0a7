// TPopupMenuWindow: the window of an open popup menu, in the classic look: a raised frame in the
// system's menu colours, a highlight bar under the pointer or the keyboard's choice, a check
// mark column, greyed disabled items, etched separators and an arrow at items with sub-items.
// One window serves each level of an open menu; it belongs to the application and lives as long
// as its menu.
#pragma once

#include <vector>

#include "framework/Form.h"

namespace tarn {

class TMenuItem;
class TPopupMenu;

class TPopupMenuWindow : public TCustomForm {
 public:
  TPopupMenuWindow(TPopupMenu& menu, int level);
  ~TPopupMenuWindow() override;

  // Takes the visible sub-items of `source` and sizes the window for them; nothing is
  // highlighted.
  void Build(TMenuItem& source);
  TMenuItem* Source() const { return source_; }
  int Level() const { return level_; }
  // The entry opens a sub-menu (it has visible sub-items and is enabled).
  bool HasSubmenu(int index) const;
  int EntryCount() const { return static_cast<int>(entries_.size()); }
  TMenuItem* Entry(int index) const { return entries_.at(static_cast<std::size_t>(index)).Item; }
  // The entry's rectangle in the window's client coordinates.
  TRect EntryRect(int index) const;
  int Highlighted() const { return highlighted_; }
  void SetHighlighted(int index);
  // A key pressed while the menu is open (it has the keyboard then).
  void MenuKey(uint16_t key);

  static constexpr int kFrame = 3;  // raised frame and its inner margin
  static constexpr int kCheckColumn = 20;
  static constexpr int kRightMargin = 20;
  static constexpr int kSeparatorHeight = 9;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseLeave() override;

 private:
  friend class TPopupMenu;
  struct Entry_ {
    TMenuItem* Item = nullptr;
    int Top = 0;
    int Height = 0;
  };
  bool Selectable(int index) const;
  // Chooses the entry, or opens its sub-menu with the first item lit.
  void Open(int index);
  int EntryAt(int x, int y) const;
  // The next selectable entry after `from` in a direction, wrapping; -1 when there is none.
  int Step(int from, int direction) const;
  void PaintEntry(Canvas& c, int index);

  TPopupMenu* menu_;
  int level_;
  TMenuItem* source_ = nullptr;
  std::vector<Entry_> entries_;
  int highlighted_ = -1;
  int item_height_ = 19;
  // Set once the pointer moved over the menu or pressed on it, so that the release of the
  // button that opened the menu chooses nothing.
  bool tracking_ = false;
};

}  // namespace tarn
