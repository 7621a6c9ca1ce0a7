#include "framework/Control.h"

#include <algorithm>
#include <cctype>

#include "base/Cp936.h"
#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ModifierKeys.h"
#include "framework/PopupMenu.h"
#include "framework/WinControl.h"

namespace tarn {

TControl::TControl(TComponent* owner) : TComponent(owner) {
  constraints_.OnChange = [this] { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl() {
  IncludeState(csDestroying);
  SetPopupMenu(nullptr);
  if (Application != nullptr) Application->ControlGoing(this);
  SetParent(nullptr);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popup_menu_) return;
  // The menu knows its controls, so that whichever of the two goes first, the other forgets it.
  if (popup_menu_ != nullptr) popup_menu_->RemoveUser(this);
  popup_menu_ = menu;
  if (popup_menu_ != nullptr) popup_menu_->AddUser(this);
}

// --- Tree

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw Exception("A control cannot be its own parent");
  if (parent != nullptr && IsWindowed() &&
      static_cast<TWinControl*>(this)->ContainsControl(parent)) {
    throw Exception("A control cannot be a child of its own child");
  }
  if (parent_ != nullptr) parent_->RemoveControl(this);
  if (parent != nullptr) parent->InsertControl(this);
  ParentChanged();
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_ != nullptr)
    c = c->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

// --- Place and size

void TControl::SetBounds(int left, int top, int width, int height) {
  constraints_.Apply(width, height);
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if ((width != width_ || height != height_) && !CanResize(width, height)) {
    width = width_;
    height = height_;
  }
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const TRect old = BoundsRect();
  const bool moved = left != left_ || top != top_;
  const bool sized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (parent_ == nullptr || !parent_->aligning_) UpdateAnchorRules();
  if (visible_ && parent_ != nullptr) {
    const bool erase = (style_ & csOpaque) == 0;
    InvalidateOnParent(old, true);
    InvalidateOnParent(BoundsRect(), erase);
  }
  BoundsChanged();
  Perform(WM_WINDOWPOSCHANGED, (moved ? 1 : 0) | (sized ? 2 : 0));
  if (parent_ != nullptr && (align_ != TAlign::alNone)) parent_->Realign();
}

TPoint TControl::ClientToParent(TPoint p, const TWinControl* ancestor) const {
  const TControl* c = this;
  while (c != nullptr && c != ancestor) {
    if (c->parent_ == nullptr) {
      if (ancestor != nullptr) throw Exception("The control is not a child of that ancestor");
      break;  // c is the top: p is in its client coordinates
    }
    const TPoint off = c->ClientOffset();
    p = {p.X + off.X + c->left_, p.Y + off.Y + c->top_};
    c = c->parent_;
  }
  return p;
}

TPoint TControl::ClientOrigin() const {
  return ClientToScreen({0, 0});
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TControl* top = this;
  while (top->parent_ != nullptr)
    top = top->parent_;
  const TPoint q = ClientToParent(p);
  // A form's Left and Top are the screen position of its client area.
  const TPoint off = top->ClientOffset();
  return {q.X + top->left_ + off.X, q.Y + top->top_ + off.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint origin = ClientOrigin();
  return {p.X - origin.X, p.Y - origin.Y};
}

TRect TControl::FormClientRect() const {
  const TPoint o = ClientToParent({0, 0});
  const TRect c = ClientRect();
  return Bounds(o.X, o.Y, c.Width(), c.Height());
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  const TAlign old = align_;
  align_ = align;
  // A control that stops being aligned keeps the size it had before it was aligned.
  if (parent_ != nullptr) {
    if (old != TAlign::alNone && align == TAlign::alNone) UpdateAnchorRules();
    parent_->Realign();
  }
}

void TControl::SetAnchors(TAnchors anchors) {
  if (anchors == anchors_) return;
  anchors_ = anchors;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  anchor_bounds_ = BoundsRect();
  if (parent_ != nullptr) {
    const TRect c = parent_->ClientRect();
    anchor_parent_size_ = {c.Width(), c.Height()};
    anchor_rules_valid_ = true;
  } else {
    anchor_rules_valid_ = false;
  }
}

void TControl::SetAutoSize(bool value) {
  if (value == auto_size_) return;
  auto_size_ = value;
  if (value) AdjustSize();
}

void TControl::AdjustSize() {
  if (!auto_size_) return;
  int w = width_;
  int h = height_;
  if (CanAutoSize(w, h)) SetBounds(left_, top_, w, h);
}

bool TControl::CanAutoSize(int&, int&) {
  return false;
}

bool TControl::CanResize(int& newWidth, int& newHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, newWidth, newHeight, resize);
  return resize;
}

// --- State

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Perform(CM_VISIBLECHANGED, value ? 1 : 0);
}

bool TControl::Showing() const {
  return visible_ && parent_ != nullptr && parent_->Showing();
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

bool TControl::EffectivelyEnabled() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled_) return false;
  }
  return true;
}

// --- Appearance

void TControl::SetColor(TColor color) {
  if (color != color_) {
    color_ = color;
    parent_color_ = false;
    Perform(CM_COLORCHANGED);
  } else {
    parent_color_ = false;
  }
}

void TControl::SetParentColor(bool value) {
  if (value == parent_color_) return;
  parent_color_ = value;
  if (value && parent_ != nullptr) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(const tarn::Font& font) {
  parent_font_ = false;
  if (font == font_) return;
  font_ = font;
  Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (value == parent_font_) return;
  parent_font_ = value;
  if (value && parent_ != nullptr) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool value) {
  parent_show_hint_ = false;
  if (value == show_hint_) return;
  show_hint_ = value;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
  if (value == parent_show_hint_) return;
  parent_show_hint_ = value;
  if (value && parent_ != nullptr) Perform(CM_PARENTSHOWHINTCHANGED);
}

// --- Messages

intptr_t TControl::Perform(uint32_t msg, intptr_t wParam, intptr_t lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

bool TControl::IsInputMessage(uint32_t msg) const {
  return (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL) ||
         (msg >= WM_KEYDOWN && msg <= WM_SYSCHAR) || msg == CM_DIALOGCHAR || msg == CM_DIALOGKEY ||
         msg == WM_CONTEXTMENU;
}

void TControl::WndProc(TMessage& message) {
  // The one place where input to a disabled control is dropped.
  if (IsInputMessage(message.Msg) && !EffectivelyEnabled()) return;
  switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
      DispatchMouse(message);
      return;
    case CM_MOUSEENTER:
      MouseEnter();
      return;
    case CM_MOUSELEAVE:
      MouseLeave();
      return;
    default:
      DefaultHandler(message);
  }
}

void TControl::DispatchMouse(TMessage& m) {
  const int x = LParamX(m.LParam);
  const int y = LParamY(m.LParam);
  const TShiftState shift = KeysToShiftState(static_cast<uint32_t>(m.WParam & 0xFFFF));
  const bool std_events = (style_ & csNoStdEvents) == 0;
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      if (std_events) MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (style_ & csCaptureMouse) SetMouseCapture(true);
      if (m.Msg == WM_LBUTTONDBLCLK) {
        if (style_ & csClickEvents) DblClick();
        if (std_events) MouseDown(TMouseButton::mbLeft, shift | ssDouble, x, y);
      } else {
        if (style_ & csClickEvents) IncludeState(csClicked);
        if (std_events) MouseDown(TMouseButton::mbLeft, shift, x, y);
      }
      break;
    case WM_LBUTTONUP:
      if (style_ & csCaptureMouse) SetMouseCapture(false);
      // The standard click: a release over the control after a press on it, before mouse-up.
      if (state_ & csClicked) {
        ExcludeState(csClicked);
        if (ClientRect().Contains(Point(x, y))) Click();
      }
      if (std_events) MouseUp(TMouseButton::mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (std_events) {
        MouseDown(TMouseButton::mbRight,
                  shift | (m.Msg == WM_RBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState{0}), x,
                  y);
      }
      break;
    case WM_RBUTTONUP: {
      if (std_events) MouseUp(TMouseButton::mbRight, shift, x, y);
      const TPoint s = ClientToScreen(Point(x, y));
      if (!Destroying()) Perform(WM_CONTEXTMENU, 0, MakeLParam(s.X, s.Y));
      break;
    }
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      if (std_events) {
        MouseDown(TMouseButton::mbMiddle,
                  shift | (m.Msg == WM_MBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState{0}), x,
                  y);
      }
      break;
    case WM_MBUTTONUP:
      if (std_events) MouseUp(TMouseButton::mbMiddle, shift, x, y);
      break;
    case WM_MOUSEWHEEL: {
      const int delta = static_cast<int16_t>((m.WParam >> 16) & 0xFFFF);
      if (DoMouseWheel(shift, delta, Point(x, y))) {
        m.Result = 1;
      } else if (parent_ != nullptr) {
        m.Result = parent_->Perform(WM_MOUSEWHEEL, m.WParam, m.LParam);
      }
      break;
    }
  }
}

void TControl::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
      if (m.WParam & 2) Perform(WM_SIZE, 0, MakeLParam(width_, height_));
      if (m.WParam & 1) Perform(WM_MOVE, 0, MakeLParam(left_, top_));
      break;
    case WM_SIZE:
      Resize();
      break;
    case CM_VISIBLECHANGED:
      if (parent_ != nullptr) {
        InvalidateOnParent(BoundsRect(), true);
        if (align_ != TAlign::alNone) parent_->Realign();
        if (!visible_) {
          if (TCustomForm* form = ParentForm()) form->ControlGoing(this);
          if (Application != nullptr) Application->ControlGoing(this);
        }
      }
      break;
    case CM_ENABLEDCHANGED:
      if (!enabled_ && Application != nullptr) Application->ControlGoing(this);
      Invalidate();
      break;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      break;
    case CM_PARENTCOLORCHANGED:
      if (parent_color_ && parent_ != nullptr) {
        SetColor(parent_->Color());
        parent_color_ = true;
      }
      break;
    case CM_PARENTFONTCHANGED:
      if (parent_font_ && parent_ != nullptr) {
        SetFont(parent_->GetFont());
        parent_font_ = true;
      }
      break;
    case CM_PARENTSHOWHINTCHANGED:
      if (parent_show_hint_ && parent_ != nullptr) {
        SetShowHint(parent_->ShowHint());
        parent_show_hint_ = true;
      }
      break;
    case WM_CONTEXTMENU: {
      bool handled = false;
      const TPoint screen = Point(LParamX(m.LParam), LParamY(m.LParam));
      // From the keyboard there is no pointer position: (-1, -1) is passed on as it is.
      const bool keyboard = screen.X == -1 && screen.Y == -1;
      DoContextPopup(keyboard ? screen : ScreenToClient(screen), handled);
      if (handled) {
        m.Result = 1;
        break;
      }
      if (TPopupMenu* menu = GetPopupMenu(); menu != nullptr && menu->AutoPopup()) {
        const TPoint at = keyboard ? ClientToScreen(Point(0, 0)) : screen;
        menu->SetPopupComponent(this);
        menu->Popup(at.X, at.Y);
        m.Result = 1;
      } else if (parent_ != nullptr) {
        m.Result = parent_->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
      }
      break;
    }
    default:
      break;
  }
}

// --- Typed handlers

void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}
bool TControl::DoMouseWheel(TShiftState, int, TPoint) {
  return false;
}
void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
  if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

// --- Painting

void TControl::Invalidate() {
  if (parent_ != nullptr && visible_) InvalidateOnParent(BoundsRect(), (style_ & csOpaque) == 0);
}

void TControl::InvalidateOnParent(const TRect& area, bool erase) {
  if (parent_ != nullptr) parent_->InvalidateRect(area, erase);
}

void TControl::Update() {
  if (parent_ != nullptr) parent_->Update();
}

// --- Input

bool TControl::MouseCapture() const {
  return Application != nullptr && Application->Capture() == this;
}

void TControl::SetMouseCapture(bool value) {
  if (Application == nullptr || MouseCapture() == value) return;
  Application->SetCapture(value ? this : nullptr);
}

void TControl::BringToFront() {
  if (parent_ == nullptr) return;
  TWinControl* p = parent_;
  p->RemoveControl(this);
  p->InsertControl(this);
}

void TControl::SendToBack() {
  if (parent_ == nullptr) return;
  TWinControl* p = parent_;
  if (IsWindowed()) {
    auto& list = p->windowed_;
    auto* self = static_cast<TWinControl*>(this);
    list.erase(std::find(list.begin(), list.end(), self));
    list.insert(list.begin(), self);
  } else {
    auto& list = p->graphic_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
  }
  p->RebuildControlList();
  Invalidate();
}

// --- Helpers

bool IsAccel(uint32_t key, const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    const auto c = static_cast<unsigned char>(caption[i]);
    if (IsLeadByte(c)) {
      ++i;  // skip the trail byte of a double-byte character
      continue;
    }
    if (c != '&') continue;
    const auto next = static_cast<unsigned char>(caption[i + 1]);
    if (next == '&') {
      ++i;
      continue;
    }
    return key < 0x80 && next < 0x80 && std::toupper(next) == std::toupper(static_cast<int>(key));
  }
  return false;
}

bool InSubtree(const TControl* root, const TControl* control) {
  for (const TControl* c = control; c != nullptr; c = c->Parent()) {
    if (c == root) return true;
  }
  return false;
}

}  // namespace tarn
