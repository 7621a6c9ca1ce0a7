// The keyboard focus inside a form (exit and enter along the way) and the form's activation.
#include <vector>

#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/ExceptionGuard.h"
#include "framework/Form.h"
#include "platform/host/Host.h"

namespace tarn {

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

}  // namespace tarn
