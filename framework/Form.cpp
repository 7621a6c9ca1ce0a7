#include "framework/Form.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/Screen.h"
#include "graphics/Canvas.h"
#include "platform/host/Host.h"
#include "platform/host/VirtualKeys.h"

namespace tarn {
namespace {

constexpr uint64_t kDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 2;
// Beyond this many rectangles the host is given their bounds instead.
constexpr std::size_t kMaxPresentRects = 32;

uint32_t MouseKeys(uint32_t modifiers) {
  uint32_t keys = 0;
  if (modifiers & hmLeft) keys |= MK_LBUTTON;
  if (modifiers & hmRight) keys |= MK_RBUTTON;
  if (modifiers & hmMiddle) keys |= MK_MBUTTON;
  if (modifiers & hmShift) keys |= MK_SHIFT;
  if (modifiers & hmCtrl) keys |= MK_CONTROL;
  return keys;
}

Region operator&(const Region& a, const Region& b) {
  return Region::Combine(a, b, CombineMode::And);
}
Region operator-(const Region& a, const Region& b) {
  return Region::Combine(a, b, CombineMode::Diff);
}

bool InSubtree(const TControl* root, const TControl* c) {
  for (; c != nullptr; c = c->Parent()) {
    if (c == root) return true;
  }
  return false;
}

// Whether c or a parent of c up to root is being destroyed: no more messages go there.
bool GoingAway(const TControl* root, const TControl* c) {
  for (; c != nullptr; c = c->Parent()) {
    if (c->Destroying()) return true;
    if (c == root) break;
  }
  return false;
}

template <class F>
void Guard(TObject* sender, F&& f) {
  if (Application == nullptr) {
    f();
    return;
  }
  try {
    f();
  } catch (const std::exception& e) {
    Application->HandleException(sender, e);
  } catch (...) {
    Application->HandleUnknownException(sender);
  }
}

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
  SetVisibleField(false);
  SetParentColor(false);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  if (Application != nullptr) Application->AddForm(this);
}

TCustomForm::~TCustomForm() {
  IncludeState(csDestroying);
  // The children go while this form is still whole: their destruction reaches back to it.
  DestroyChildren();
  if (Application != nullptr) Application->RemoveForm(this);
  DestroyHostWindow();
}

void TCustomForm::AfterConstruction() {
  Guard(this, [this] {
    if (OnCreate) OnCreate(this);
  });
}

namespace {

// The windows go before the objects: each windowed control hears WM_DESTROY while it is still
// whole (a parent before its children, as the platform does it).
void SendDestroy(TWinControl* control) {
  control->Perform(WM_DESTROY);
  for (TWinControl* child : std::vector<TWinControl*>(control->WindowedChildren())) {
    SendDestroy(child);
  }
}

}  // namespace

void TCustomForm::BeforeDestruction() {
  if (before_destruction_done_) return;
  before_destruction_done_ = true;
  if (Visible()) SetVisible(false);
  Guard(this, [this] {
    if (OnDestroy) OnDestroy(this);
  });
  Guard(this, [this] { SendDestroy(this); });
}

void TCustomForm::Free() {
  BeforeDestruction();
  delete this;
}

void TCustomForm::Release() {
  if (release_pending_) return;
  release_pending_ = true;
  if (Application != nullptr) {
    Application->PostMessage(this, CM_RELEASE);
  } else {
    Free();
  }
}

// --- Window

void TCustomForm::SetBorderStyle(TBorderStyle style) {
  if (style == border_style_) return;
  border_style_ = style;
  if (host_window_ != 0) {
    // The desktop decorates a window when it is made; make it again.
    const bool was_visible = Visible();
    DestroyHostWindow();
    if (was_visible) {
      CreateHostWindow();
      Application->Host().ShowWindow(host_window_, true, true);
      InvalidateArea(Region(Rect(0, 0, Width(), Height())), true);
    }
  }
}

void TCustomForm::SetText(const std::string& text) {
  TCustomControl::SetText(text);
  if (host_window_ != 0) Application->Host().SetWindowTitle(host_window_, Text());
}

void TCustomForm::SetWindowRegion(const Region* region) {
  window_region_ = region ? std::make_unique<Region>(*region) : nullptr;
  if (host_window_ != 0) Application->Host().SetWindowShape(host_window_, window_region_.get());
  InvalidateArea(Region(Rect(0, 0, Width(), Height())), true);
}

void TCustomForm::Center() {
  if (Application == nullptr) return;
  const TRect m = Application->Host().MonitorBounds(0);
  SetBounds(m.Left + (m.Width() - Width()) / 2, m.Top + (m.Height() - Height()) / 2, Width(),
            Height());
}

void TCustomForm::SetWindowState(TWindowState state) {
  if (state == window_state_) return;
  window_state_ = state;
  if (host_window_ == 0) return;
  if (state == TWindowState::wsMinimized) {
    Application->Host().MinimizeWindow(host_window_);
  } else {
    Application->Host().RestoreWindow(host_window_);
  }
}

void TCustomForm::BeginSystemMove() {
  if (Application == nullptr || host_window_ == 0) return;
  Application->ReleaseCapture();
  moving_ = true;
  move_start_cursor_ = Application->CursorPos();
  move_start_pos_ = {Left(), Top()};
  Application->Host().CaptureMouse(host_window_, true);
}

void TCustomForm::BoundsChanged() {
  TCustomControl::BoundsChanged();
  const TRect c = ClientRect();
  if (back_buffer_.Width() != c.Width() || back_buffer_.Height() != c.Height()) {
    back_buffer_.SetSize(c.Width(), c.Height());
    if (Visible()) InvalidateArea(Region(c), true);
  }
  if (host_window_ != 0 && !applying_host_move_) {
    Application->Host().SetWindowBounds(host_window_, BoundsRect());
  }
}

void TCustomForm::CreateHostWindow() {
  if (host_window_ != 0 || Application == nullptr) return;
  THostWindowParams params;
  params.Bounds = BoundsRect();
  params.Framed = border_style_ != TBorderStyle::bsNone;
  params.Title = Text();
  params.ToolWindow = border_style_ == TBorderStyle::bsToolWindow || popup_window_;
  params.Popup = popup_window_;
  host_window_ = Application->Host().CreateWindow(params);
  if (window_region_) Application->Host().SetWindowShape(host_window_, window_region_.get());
}

void TCustomForm::DestroyHostWindow() {
  if (host_window_ == 0 || Application == nullptr) return;
  Application->Host().DestroyWindow(host_window_);
  host_window_ = 0;
  active_ = false;
}

bool TCustomForm::Showing() const {
  return Visible();
}

void TCustomForm::SetVisible(bool value) {
  if (value == Visible()) {
    if (value && host_window_ != 0 && !popup_window_) {
      Application->Host().ActivateWindow(host_window_);
    }
    return;
  }
  if (value) {
    if (position_ == TPosition::poScreenCenter && !shown_once_) Center();
    CreateHostWindow();
    back_buffer_.SetSize(ClientWidth(), ClientHeight());
    TCustomControl::SetVisible(true);
    shown_once_ = true;
    if (active_control_ == nullptr) {
      // A form opens with the first control of its tab order focused.
      if (TWinControl* first = FindNextControl(nullptr, true, true, false)) {
        active_control_ = first;
      }
    }
    DoShow();
    if (!Visible()) return;  // OnShow hid it again
    InvalidateArea(Region(Rect(0, 0, Width(), Height())), true);
    if (host_window_ != 0) {
      Application->Host().ShowWindow(host_window_, true, !popup_window_);
      if (!popup_window_) Activate(true);
    }
  } else {
    DoHide();
    Activate(false);
    if (host_window_ != 0) Application->Host().ShowWindow(host_window_, false, false);
    TCustomControl::SetVisible(false);
    if (mouse_control_ != nullptr) {
      TControl* old = mouse_control_;
      mouse_control_ = nullptr;
      old->Perform(CM_MOUSELEAVE);
    }
    moving_ = false;
  }
}

void TCustomForm::DoShow() {
  Guard(this, [this] {
    if (OnShow) OnShow(this);
  });
}

void TCustomForm::DoHide() {
  Guard(this, [this] {
    if (OnHide) OnHide(this);
  });
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

bool TCustomForm::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  return can_close;
}

void TCustomForm::Close() {
  if (modal_) {
    if (CloseQuery()) modal_result_ = TModalResult::mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application != nullptr && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == TCloseAction::caHide) {
    Hide();
  } else if (action == TCloseAction::caMinimize) {
    SetWindowState(TWindowState::wsMinimized);
  } else {
    Release();
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || modal_) throw Exception("Cannot make a visible window modal");
  if (Application == nullptr) throw Exception("A modal form needs the application");
  // Every other form is disabled while this one runs.
  std::vector<TCustomForm*> disabled;
  for (TCustomForm* f : Application->Forms()) {
    if (f != this && f->Visible() && f->Enabled()) {
      f->SetEnabled(false);
      disabled.push_back(f);
    }
  }
  TCustomForm* previous_active = Application->ActiveForm();
  modal_ = true;
  modal_result_ = TModalResult::mrNone;
  auto restore = [&] {
    modal_ = false;
    for (TCustomForm* f : disabled) {
      auto& forms = Application->Forms();
      if (std::find(forms.begin(), forms.end(), f) != forms.end()) f->SetEnabled(true);
    }
    if (Visible()) Hide();
    if (previous_active != nullptr && previous_active->Visible()) {
      Application->Host().ActivateWindow(previous_active->HostWindow());
      previous_active->Activate(true);
    }
  };
  try {
    Show();
    while (modal_result_ == TModalResult::mrNone) {
      if (Application->Terminated() || !Visible()) {
        modal_result_ = TModalResult::mrCancel;
        break;
      }
      Application->HandleMessage();
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return modal_result_;
}

// --- Focus

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == this) control = nullptr;
  if (control != nullptr && (!ContainsControl(control) || !control->CanFocus())) {
    throw Exception("Cannot focus a disabled or invisible window");
  }
  if (active_) {
    SetFocusedControl(control);
  } else {
    active_control_ = control;
  }
}

void TCustomForm::FocusControl(TWinControl* control) {
  SetActiveControl(control);
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control == this) control = nullptr;
  TWinControl* old = active_control_;
  if (old == control) return true;
  active_control_ = control;
  if (old != nullptr) old->Perform(WM_KILLFOCUS, control ? control->Handle() : 0);
  // Exit from the old control up to the common parent, enter down to the new one.
  const TControl* common = nullptr;
  for (const TControl* a = old; a != nullptr && common == nullptr; a = a->Parent()) {
    if (control != nullptr && a->IsWindowed() &&
        static_cast<const TWinControl*>(a)->ContainsControl(control)) {
      common = a;
    }
  }
  for (TWinControl* a = old; a != nullptr && a != common && a != this; a = a->Parent()) {
    a->Perform(CM_EXIT);
    if (active_control_ != control) return false;  // a handler moved the focus elsewhere
  }
  std::vector<TWinControl*> chain;
  for (TWinControl* a = control; a != nullptr && a != common && a != this; a = a->Parent()) {
    chain.push_back(a);
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    (*it)->Perform(CM_ENTER);
    if (active_control_ != control) return false;
  }
  if (control != nullptr) control->Perform(WM_SETFOCUS, old ? old->Handle() : 0);
  if (Application != nullptr && host_window_ != 0) {
    const intptr_t code = control ? control->Perform(WM_GETDLGCODE) : 0;
    Application->Host().SetTextInput(host_window_, (code & DLGC_WANTCHARS) != 0);
  }
  return true;
}

void TCustomForm::Activate(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active) {
    // The desktop has one active window.
    if (Application != nullptr) {
      for (TCustomForm* other : std::vector<TCustomForm*>(Application->Forms())) {
        if (other != this && other->active_) other->Activate(false);
      }
    }
    if (active_control_ != nullptr) active_control_->Perform(WM_SETFOCUS);
    Guard(this, [this] {
      if (OnActivate) OnActivate(this);
    });
  } else {
    if (active_control_ != nullptr) active_control_->Perform(WM_KILLFOCUS);
    Guard(this, [this] {
      if (OnDeactivate) OnDeactivate(this);
    });
  }
}

void TCustomForm::ControlGoing(TControl* control) {
  if (control == this) return;
  if (InSubtree(control, active_control_)) {
    if (GoingAway(this, active_control_)) {
      active_control_ = nullptr;
    } else {
      SetFocusedControl(nullptr);
    }
  }
  if (InSubtree(control, mouse_control_)) {
    if (GoingAway(this, mouse_control_)) {
      mouse_control_ = nullptr;
    } else {
      TControl* old = mouse_control_;
      mouse_control_ = nullptr;
      old->Perform(CM_MOUSELEAVE);
    }
  }
  if (InSubtree(control, last_press_control_)) last_press_control_ = nullptr;
}

// --- Painting

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::InvalidateArea(const Region& area, bool erase) {
  invalid_ |= area;
  if (erase) erase_ |= area;
}

void TCustomForm::AddPresentArea(const TRect& area) {
  if (!area.IsEmpty()) present_ |= Region(area);
}

void TCustomForm::PaintPending(const TRect* limit) {
  if (!Visible() || back_buffer_.Empty()) return;
  const TRect client = Rect(0, 0, back_buffer_.Width(), back_buffer_.Height());
  Region work = invalid_;
  if (limit != nullptr) work &= Region(*limit);
  work &= Region(client);
  if (!work.IsEmpty()) {
    const Region erase = erase_ & work;
    // Taken off first: what a paint invalidates again is kept for the next turn.
    invalid_ -= work;
    erase_ -= work;
    PaintTree(this, Region(Rect(0, 0, Width(), Height())), work, erase, back_buffer_);
    present_ |= work;
  }
  present_ &= Region(client);
  if (present_.IsEmpty() || host_window_ == 0 || Application == nullptr) return;
  std::vector<TRect> rects = present_.Rects();
  if (rects.size() > kMaxPresentRects) rects = {present_.Bounds()};
  present_ = Region();
  Application->Host().Present(host_window_, back_buffer_, rects);
}

void TCustomForm::PaintTo(Bitmap32& bitmap) {
  bitmap.SetSize(ClientWidth(), ClientHeight());
  const Region all(Rect(0, 0, bitmap.Width(), bitmap.Height()));
  PaintTree(this, Region(Rect(0, 0, Width(), Height())), all, all, bitmap);
}

void TCustomForm::PaintTree(TWinControl* control, const Region& available, const Region& work,
                            const Region& erase, Bitmap32& target) {
  const TRect client = control->FormClientRect();
  const Region client_available = available & Region(client);
  Region covered;
  const auto children = control->WindowedChildren();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    TWinControl* child = *it;
    if (!child->Visible()) continue;
    const Region child_rect(child->BoundsRect().Offset(client.Left, client.Top));
    Region child_available = (client_available & child_rect) - covered;
    covered |= child_rect;
    if (!child_available.IsEmpty()) PaintTree(child, child_available, work, erase, target);
  }
  const Region own = (client_available - covered) & work;
  if (!own.IsEmpty()) {
    PaintWindowPart(control, own, !(own & erase).IsEmpty(), false, target);
  }
  const Region frame = (available - Region(client)) & work;
  if (!frame.IsEmpty()) PaintWindowPart(control, frame, false, true, target);
}

void TCustomForm::PaintWindowPart(TWinControl* control, const Region& clip, bool erase,
                                  bool nonClient, Bitmap32& target) {
  Canvas canvas(target);
  const TRect client = control->FormClientRect();
  const TPoint off = control->ClientOffset();
  const TPoint origin =
      nonClient ? Point(client.Left - off.X, client.Top - off.Y) : client.TopLeft();
  canvas.SetOrigin(origin);
  Region logical = clip;
  logical.Offset(-origin.X, -origin.Y);
  canvas.SelectClip(logical);
  canvas.font = control->GetFont();
  canvas.brush.Color = control->Color();
  // A failing paint is reported once; its area is not repainted again and again.
  Guard(control, [&] {
    if (nonClient) {
      control->Perform(WM_NCPAINT, reinterpret_cast<intptr_t>(&canvas));
    } else {
      if (erase) control->Perform(WM_ERASEBKGND, reinterpret_cast<intptr_t>(&canvas));
      control->Perform(WM_PAINT, reinterpret_cast<intptr_t>(&canvas));
    }
  });
}

// --- Input

void TCustomForm::HandleHostEvent(const THostEvent& e) {
  switch (e.Kind) {
    case THostEventKind::MouseMove:
    case THostEventKind::MouseDown:
    case THostEventKind::MouseUp:
    case THostEventKind::MouseWheel:
      RouteMouse(e);
      break;
    case THostEventKind::MouseLeave:
      mouse_inside_ = false;
      UpdateMouseControl();
      break;
    case THostEventKind::KeyDown:
    case THostEventKind::KeyUp:
      RouteKey(e);
      break;
    case THostEventKind::Char:
      RouteChar(e.Text, e.Modifiers);
      break;
    case THostEventKind::Close:
      if (Enabled()) Close();
      break;
    case THostEventKind::Activate:
      if (Visible() && !popup_window_) Activate(true);
      break;
    case THostEventKind::Deactivate:
      Activate(false);
      break;
    case THostEventKind::Expose:
      AddPresentArea(Rect(0, 0, back_buffer_.Width(), back_buffer_.Height()));
      break;
    case THostEventKind::Moved:
      applying_host_move_ = true;
      SetBounds(e.X, e.Y, Width(), Height());
      applying_host_move_ = false;
      break;
    case THostEventKind::Minimized:
      window_state_ = TWindowState::wsMinimized;
      break;
    case THostEventKind::Restored:
      window_state_ = TWindowState::wsNormal;
      AddPresentArea(Rect(0, 0, back_buffer_.Width(), back_buffer_.Height()));
      break;
    case THostEventKind::Quit:
      break;
  }
}

void TCustomForm::RouteMouse(const THostEvent& e) {
  const TPoint p{e.X, e.Y};
  last_mouse_ = p;
  mouse_inside_ = Rect(0, 0, Width(), Height()).Contains(p);
  if (moving_) {
    // The window follows the pointer while the left button is held.
    if (e.Kind == THostEventKind::MouseMove && (e.Modifiers & hmLeft)) {
      SetBounds(move_start_pos_.X + e.ScreenX - move_start_cursor_.X,
                move_start_pos_.Y + e.ScreenY - move_start_cursor_.Y, Width(), Height());
      return;
    }
    if (e.Kind == THostEventKind::MouseWheel) return;
    moving_ = false;
    Application->Host().CaptureMouse(host_window_, false);
    if (e.Kind == THostEventKind::MouseUp) return;  // the release that ends the drag
  }
  if (!Enabled()) return;  // a modal form elsewhere has the input

  const uint32_t keys = MouseKeys(e.Modifiers);
  if (e.Kind == THostEventKind::MouseWheel) {
    TWinControl* target = active_control_ ? active_control_ : this;
    target->Perform(WM_MOUSEWHEEL,
                    (static_cast<intptr_t>(static_cast<uint16_t>(e.WheelDelta)) << 16) | keys,
                    MakeLParam(e.ScreenX, e.ScreenY));
    return;
  }

  TControl* target = nullptr;
  if (TControl* captured = Application->Capture();
      captured != nullptr && ContainsControl(captured)) {
    target = captured;
  } else {
    target = ControlAtPos(p, false);
    if (target == nullptr) target = this;
  }
  const TRect tc = target->FormClientRect();
  const intptr_t lp = MakeLParam(p.X - tc.Left, p.Y - tc.Top);

  switch (e.Kind) {
    case THostEventKind::MouseMove:
      // A control may choose the pointer by the place (WM_SETCURSOR); else its Cursor shows.
      if (target->Perform(WM_SETCURSOR, 0, lp) == 0) TScreen::SetCursor(target->Cursor());
      target->Perform(WM_MOUSEMOVE, keys, lp);
      break;
    case THostEventKind::MouseDown: {
      const uint64_t now = Application->TickCount();
      const bool dbl = e.Button == last_press_button_ && target == last_press_control_ &&
                       now - last_press_time_ <= kDoubleClickMs &&
                       std::abs(p.X - last_press_pos_.X) <= kDoubleClickSlop &&
                       std::abs(p.Y - last_press_pos_.Y) <= kDoubleClickSlop;
      if (dbl) {
        last_press_control_ = nullptr;  // a third press starts over
      } else {
        last_press_control_ = target;
        last_press_time_ = now;
        last_press_pos_ = p;
        last_press_button_ = e.Button;
      }
      const bool as_double = dbl && (target->ControlStyle() & csDoubleClicks);
      uint32_t msg = WM_LBUTTONDOWN;
      if (e.Button == THostButton::Right) msg = WM_RBUTTONDOWN;
      if (e.Button == THostButton::Middle) msg = WM_MBUTTONDOWN;
      if (as_double) msg += 2;  // the DBLCLK message of the same button
      target->Perform(msg, keys, lp);
      break;
    }
    case THostEventKind::MouseUp: {
      uint32_t msg = WM_LBUTTONUP;
      if (e.Button == THostButton::Right) msg = WM_RBUTTONUP;
      if (e.Button == THostButton::Middle) msg = WM_MBUTTONUP;
      target->Perform(msg, keys, lp);
      break;
    }
    default:
      break;
  }
  UpdateMouseControl();
}

void TCustomForm::UpdateMouseControl() {
  TControl* now = nullptr;
  if (mouse_inside_ && Visible() && window_state_ != TWindowState::wsMinimized) {
    now = ControlAtPos(last_mouse_, true);
    if (now == nullptr) now = this;
  }
  if (now == mouse_control_) return;
  TControl* old = mouse_control_;
  mouse_control_ = now;
  if (old != nullptr) old->Perform(CM_MOUSELEAVE);
  if (now != nullptr && mouse_control_ == now) now->Perform(CM_MOUSEENTER);
}

void TCustomForm::RouteKey(const THostEvent& e) {
  if (!Enabled() || !Visible()) return;
  TWinControl* target = active_control_ ? active_control_ : this;
  const bool alt = (e.Modifiers & hmAlt) != 0;
  const bool ctrl = (e.Modifiers & hmCtrl) != 0;
  const TShiftState shift = Application->ShiftState();
  uint16_t key = e.Key;
  if (e.Kind == THostEventKind::KeyUp) {
    target->Perform(alt ? WM_SYSKEYUP : WM_KEYUP, key);
    return;
  }
  if (key_preview_ && target != this) {
    KeyDown(key, shift);
    if (key == 0) return;
  }
  const intptr_t repeat = e.Repeat ? (intptr_t{1} << 30) : 0;
  if (target->Perform(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, repeat) != 0) return;
  if (!Visible()) return;
  target = active_control_ ? active_control_ : this;
  // The menu key, or Shift+F10: a context-menu request from the keyboard, without a position.
  const TShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
  if ((key == VK_APPS && mods == 0) || (key == VK_F10 && mods == ssShift)) {
    target->Perform(WM_CONTEXTMENU, 0, MakeLParam(-1, -1));
    return;
  }
  const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
  if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || arrow) {
    const intptr_t code = target->Perform(WM_GETDLGCODE);
    const bool wants = (code & DLGC_WANTALLKEYS) || (key == VK_TAB && (code & DLGC_WANTTAB)) ||
                       (arrow && (code & DLGC_WANTARROWS));
    if (!wants && Perform(CM_DIALOGKEY, key, static_cast<intptr_t>(shift)) != 0) return;
  }
  if (!ctrl && !alt) {
    // Keys that type a control character.
    if (key == VK_RETURN || key == VK_BACK || key == VK_ESCAPE || key == VK_TAB) {
      RouteChar(std::string(1, static_cast<char>(key == VK_RETURN ? '\r' : key)), e.Modifiers);
    }
  } else if (alt && !ctrl && std::isalnum(key) != 0 && key < 0x80) {
    // Alt with a letter: the accelerator of a control.
    Perform(CM_DIALOGCHAR, std::tolower(key));
  }
}

void TCustomForm::RouteChar(const std::string& text, uint32_t) {
  if (!Enabled() || !Visible()) return;
  for (char ch : text) {
    TWinControl* target = active_control_ ? active_control_ : this;
    if (target->Perform(WM_CHAR, static_cast<uint8_t>(ch)) != 0) continue;
    const auto byte = static_cast<uint8_t>(ch);
    if (byte >= 0x80) continue;  // a part of a double-byte character is no accelerator
    const intptr_t code = target->Perform(WM_GETDLGCODE);
    if (!(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) Perform(CM_DIALOGCHAR, byte);
  }
}

// --- Messages

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SYSCOMMAND:
      switch (m.WParam & 0xFFF0) {
        case SC_MOVE:
          BeginSystemMove();
          return;
        case SC_MINIMIZE:
          SetWindowState(TWindowState::wsMinimized);
          return;
        case SC_RESTORE:
          SetWindowState(TWindowState::wsNormal);
          return;
        case SC_CLOSE:
          Close();
          return;
      }
      return;
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      Free();
      return;
    case CM_DIALOGKEY:
      if (m.WParam == VK_TAB && !(m.LParam & ssCtrl)) {
        SelectNext(active_control_, (m.LParam & ssShift) == 0, true);
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

}  // namespace tarn
