#include "framework/PopupMenuWindow.h"

#include <algorithm>

#include "framework/MenuItem.h"
#include "framework/PopupMenu.h"
#include "graphics/Canvas.h"
#include "platform/host/VirtualKeys.h"

namespace tarn {

TPopupMenuWindow::TPopupMenuWindow(TPopupMenu& menu, int level)
    : TCustomForm(Application), menu_(&menu), level_(level) {
  SetBorderStyle(TBorderStyle::bsNone);
  SetPopupWindow(true);
  SetColor(clMenu);
}

TPopupMenuWindow::~TPopupMenuWindow() {
  if (menu_ != nullptr) menu_->WindowGone(this);
}

void TPopupMenuWindow::Build(TMenuItem& source) {
  source_ = &source;
  entries_.clear();
  highlighted_ = -1;
  tracking_ = false;
  Bitmap32 scratch(1, 1);
  Canvas measure(scratch);
  measure.font = GetFont();
  item_height_ = std::max(measure.TextHeight("Wg") + 6, 17);
  int text_width = 0;
  int top = kFrame;
  const TMenuItem& root = source;
  for (int i = 0; i < root.Count(); ++i) {
    TMenuItem* item = root.Items(i);
    if (!item->Visible()) continue;
    const int h = item->IsLine() ? kSeparatorHeight : item_height_;
    entries_.push_back({item, top, h});
    top += h;
    if (!item->IsLine()) {
      TRect r = Rect(0, 0, 4096, item_height_);
      measure.DrawText(item->Caption(), r, dtCalcRect | dtSingleLine);
      text_width = std::max(text_width, r.Width());
    }
  }
  const int width = std::max(kFrame + kCheckColumn + text_width + kRightMargin + kFrame, 80);
  SetBounds(Left(), Top(), width, top + kFrame);
  Invalidate();
}

TRect TPopupMenuWindow::EntryRect(int index) const {
  const Entry_& e = entries_.at(static_cast<std::size_t>(index));
  return Rect(kFrame, e.Top, Width() - kFrame, e.Top + e.Height);
}

bool TPopupMenuWindow::Selectable(int index) const {
  if (index < 0 || index >= EntryCount()) return false;
  const TMenuItem* item = entries_[static_cast<std::size_t>(index)].Item;
  return !item->IsLine() && item->Enabled();
}

bool TPopupMenuWindow::HasSubmenu(int index) const {
  if (!Selectable(index)) return false;
  const TMenuItem* item = entries_[static_cast<std::size_t>(index)].Item;
  for (int i = 0; i < item->Count(); ++i) {
    if (item->Items(i)->Visible()) return true;
  }
  return false;
}

int TPopupMenuWindow::EntryAt(int x, int y) const {
  for (int i = 0; i < EntryCount(); ++i) {
    if (EntryRect(i).Contains(Point(x, y))) return i;
  }
  return -1;
}

int TPopupMenuWindow::Step(int from, int direction) const {
  const int n = EntryCount();
  int i = from;
  for (int tries = 0; tries < n; ++tries) {
    i = i < 0 ? (direction > 0 ? 0 : n - 1) : (i + direction + n) % n;
    if (Selectable(i)) return i;
  }
  return -1;
}

void TPopupMenuWindow::SetHighlighted(int index) {
  if (!Selectable(index)) index = -1;
  if (index == highlighted_) return;
  highlighted_ = index;
  Invalidate();
}

void TPopupMenuWindow::Open(int index) {
  if (HasSubmenu(index)) {
    SetHighlighted(index);
    menu_->OpenSubmenu(level_, index);
    // From the keyboard the sub-menu opens with its first item chosen.
    if (TPopupMenuWindow* sub = menu_->Window(level_ + 1); sub != nullptr && sub->Visible()) {
      sub->SetHighlighted(sub->Step(-1, 1));
    }
  } else if (Selectable(index)) {
    menu_->Choose(Entry(index));
  }
}

void TPopupMenuWindow::MenuKey(uint16_t key) {
  switch (key) {
    case VK_ESCAPE:
      if (level_ > 0) {
        menu_->CloseSubmenus(level_ - 1);
      } else {
        menu_->CloseMenu();
      }
      return;
    case VK_LEFT:
      if (level_ > 0) menu_->CloseSubmenus(level_ - 1);
      return;
    case VK_RIGHT:
      if (HasSubmenu(highlighted_)) Open(highlighted_);
      return;
    case VK_UP:
    case VK_DOWN:
      SetHighlighted(Step(highlighted_, key == VK_DOWN ? 1 : -1));
      return;
    case VK_HOME:
      SetHighlighted(Step(-1, 1));
      return;
    case VK_END:
      SetHighlighted(Step(-1, -1));
      return;
    case VK_RETURN:
    case VK_SPACE:
      Open(highlighted_);
      return;
    default:
      break;
  }
  // An accelerator letter chooses its item (or opens its sub-menu) at once.
  for (int i = 0; i < EntryCount(); ++i) {
    if (Selectable(i) && IsAccel(key, Entry(i)->Caption())) {
      Open(i);
      return;
    }
  }
}

void TPopupMenuWindow::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  tracking_ = true;
  TCustomForm::MouseDown(button, shift, x, y);
}

void TPopupMenuWindow::MouseMove(TShiftState shift, int x, int y) {
  tracking_ = true;
  const int index = EntryAt(x, y);
  if (menu_ != nullptr && index != highlighted_) {
    SetHighlighted(index);
    if (HasSubmenu(index)) {
      menu_->OpenSubmenu(level_, index);
    } else {
      menu_->CloseSubmenus(level_);
    }
  }
  TCustomForm::MouseMove(shift, x, y);
}

void TPopupMenuWindow::MouseLeave() {
  // The item whose sub-menu is open stays lit while the pointer is in the sub-menu.
  const TPopupMenuWindow* sub = menu_ ? menu_->Window(level_ + 1) : nullptr;
  if (sub == nullptr || !sub->Visible()) SetHighlighted(-1);
  TCustomForm::MouseLeave();
}

void TPopupMenuWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomForm::MouseUp(button, shift, x, y);
  if (!tracking_ || menu_ == nullptr) return;
  const int index = EntryAt(x, y);
  // Separators and greyed items keep the menu open, as the platform's menus do; an item with
  // sub-items has opened them already.
  if (Selectable(index) && !HasSubmenu(index)) menu_->Choose(Entry(index));
}

void TPopupMenuWindow::Paint() {
  Canvas& c = GetCanvas();
  TRect frame = ClientRect();
  c.FillRect(frame, clMenu);
  c.Frame3D(frame, clBtnFace, cl3DDkShadow, 1);
  c.Frame3D(frame, clBtnHighlight, clBtnShadow, 1);
  for (int i = 0; i < EntryCount(); ++i)
    PaintEntry(c, i);
}

namespace {

// A check mark of three strokes, 7 by 7 pixels, its top-left corner at (x, y).
void DrawCheck(Canvas& c, int x, int y, TColor color) {
  for (int row = 0; row < 3; ++row) {
    for (int i = 0; i < 3; ++i)
      c.SetPixel(x + i, y + 2 + i + row, color);
    for (int i = 0; i < 4; ++i)
      c.SetPixel(x + 3 + i, y + 3 - i + row, color);
  }
}

}  // namespace

void TPopupMenuWindow::PaintEntry(Canvas& c, int index) {
  const TRect r = EntryRect(index);
  const TMenuItem* item = Entry(index);
  if (item->IsLine()) {
    const int y = r.Top + r.Height() / 2 - 1;
    c.FillRect(Rect(r.Left + 1, y, r.Right - 1, y + 1), clBtnShadow);
    c.FillRect(Rect(r.Left + 1, y + 1, r.Right - 1, y + 2), clBtnHighlight);
    return;
  }
  const bool lit = index == highlighted_;
  if (lit) c.FillRect(r, clHighlight);
  c.brush.Style = BrushStyle::Clear;
  TRect text = Rect(r.Left + kCheckColumn, r.Top, r.Right - kRightMargin, r.Bottom);
  const TColor ink = lit ? clHighlightText : clMenuText;
  const int check_x = r.Left + (kCheckColumn - 7) / 2;
  const int check_y = r.Top + (r.Height() - 7) / 2;
  if (item->Enabled()) {
    if (item->Checked()) DrawCheck(c, check_x, check_y, ink);
    if (HasSubmenu(index)) {
      // A solid arrow pointing right, 4 pixels wide and 7 high.
      const int ax = r.Right - kRightMargin / 2 - 2;
      const int ay = r.Top + (r.Height() - 7) / 2;
      for (int i = 0; i < 4; ++i)
        c.FillRect(Rect(ax + i, ay + i, ax + i + 1, ay + 7 - i), ink);
    }
    c.font.Color = ink;
    c.DrawText(item->Caption(), text, dtLeft | dtVCenter | dtSingleLine);
    return;
  }
  // Greyed: an etched copy one pixel down and right, then the grey text on top.
  TRect etch = text.Offset(1, 1);
  if (item->Checked()) DrawCheck(c, check_x + 1, check_y + 1, clBtnHighlight);
  c.font.Color = clBtnHighlight;
  c.DrawText(item->Caption(), etch, dtLeft | dtVCenter | dtSingleLine);
  if (item->Checked()) DrawCheck(c, check_x, check_y, clBtnShadow);
  c.font.Color = clBtnShadow;
  c.DrawText(item->Caption(), text, dtLeft | dtVCenter | dtSingleLine);
}

}  // namespace tarn
