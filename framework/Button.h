// A plain push button in the classic look: raised 3-D frame, sunk while pressed, focus rectangle,
// greyed caption when disabled. Space and Enter click it. A button with a ModalResult closes its
// modal form with that result when clicked, after OnClick.
#pragma once

#include <string>

#include "framework/CustomControl.h"
#include "framework/Form.h"

namespace tarn {

class TButton : public TCustomControl {
 public:
  explicit TButton(TComponent* owner);

  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult result) { modal_result_ = result; }

  void Click() override;

 protected:
  void Paint() override;
  void WndProc(TMessage& m) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;

 private:
  TModalResult modal_result_ = TModalResult::mrNone;
  bool pressed_ = false;
};

}  // namespace tarn
