// The form's life (create, show, close, destroy) and its window. The modal loop, focus,
// compositing and input routing are in FormModal.cpp, FormFocus.cpp, FormPaint.cpp and
// FormInput.cpp.
#include "framework/Form.h"

#include "framework/Application.h"
#include "framework/ExceptionGuard.h"
#include "platform/host/Host.h"
#include "platform/host/VirtualKeys.h"

namespace tarn {
namespace {

// Whether c or a parent of c up to root is being destroyed: no more messages go there.
bool GoingAway(const TControl* root, const TControl* c) {
  for (; c != nullptr; c = c->Parent()) {
    if (c->Destroying()) return true;
    if (c == root) break;
  }
  return false;
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
  double_clicks_.Forget(control);
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
