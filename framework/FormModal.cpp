// The modal loop of a form: every other form is disabled while it runs.
#include <algorithm>

#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/host/Host.h"

namespace tarn {

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

}  // namespace tarn
