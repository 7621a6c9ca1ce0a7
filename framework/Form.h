// TCustomForm: a top-level window. It owns one host window and one 32-bit back buffer into which
// its controls are composed; it routes the host's mouse and keyboard input to its controls
// (capture, hit-testing, enter/leave, focus, Tab, dialog characters), and it has the lifecycle
// events create, show, close and destroy.
#pragma once

#include <memory>
#include <string>

#include "framework/CustomControl.h"
#include "framework/DoubleClick.h"
#include "graphics/Bitmap32.h"
#include "graphics/Region.h"
#include "platform/host/HostEvent.h"

namespace tarn {

enum class TModalResult {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};

class TCustomForm : public TCustomControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Raises OnCreate; called once the form and its controls are built (CreateForm does it).
  virtual void AfterConstruction();
  // Hides the form, raises OnDestroy and sends WM_DESTROY to it and every windowed control on
  // it; call it (or Free) before deleting a form, while the derived objects are still whole.
  virtual void BeforeDestruction();
  // Frees the form: BeforeDestruction, then delete.
  void Free();
  // Frees the form once the message being handled is done (safe from its own handlers).
  void Release();

  // --- Window
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle style);
  // A menu or hint window: shown above the others without taking the keyboard focus from the
  // form that was active, and left out of the task bar. Set before the form is first shown.
  bool PopupWindow() const { return popup_window_; }
  void SetPopupWindow(bool value) { popup_window_ = value; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  void SetText(const std::string& text) override;  // also the window title
  // The window's shape in client coordinates; none restores the rectangle.
  void SetWindowRegion(const Region* region);
  const Region* WindowRegion() const { return window_region_.get(); }
  void Center();  // on the primary monitor
  TWindowState WindowState() const { return window_state_; }
  void SetWindowState(TWindowState state);
  // Drags the window with the mouse until the left button is released, as if its caption had
  // been grabbed (what WM_SYSCOMMAND SC_MOVE | HTCAPTION asks for).
  void BeginSystemMove();
  bool Moving() const { return moving_; }

  void SetVisible(bool value) override;
  bool Showing() const override;
  void Close();
  bool CloseQuery();
  // Shows the form and runs the loop until ModalResult is set; returns it.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult result) { modal_result_ = result; }
  bool Modal() const { return modal_; }

  // --- Focus
  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl* control);
  // Moves the focus; returns false when the move was refused (for example a hidden control).
  bool SetFocusedControl(TWinControl* control);
  void FocusControl(TWinControl* control);
  // The form's window has the desktop's keyboard focus.
  bool Active() const { return active_; }
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool value) { key_preview_ = value; }

  // --- Host and painting
  THostWindowId HostWindow() const { return host_window_; }
  Bitmap32& BackBuffer() { return back_buffer_; }
  // Adds a form-client area to be repainted (and erased where `erase`).
  void InvalidateArea(const Region& area, bool erase);
  // Paints what is pending (within `limit` when given, form client coordinates) and presents it.
  void PaintPending(const TRect* limit = nullptr);
  bool PaintIsPending() const { return !invalid_.IsEmpty() || !present_.IsEmpty(); }
  // Marks an area drawn outside a paint, for the host to show at the end of the turn.
  void AddPresentArea(const TRect& area);
  // Paints the whole form into a bitmap of its client size (for tests and screenshots).
  void PaintTo(Bitmap32& bitmap);

  // Handles one event of the host window; false when it was not for this form.
  void HandleHostEvent(const THostEvent& event);
  // Sends enter/leave notifications for the control now under the pointer.
  void UpdateMouseControl();
  // Forgets every reference to a control that leaves the form or is destroyed.
  void ControlGoing(TControl* control);
  // The control under the pointer (the form itself over its bare client area), or none.
  TControl* MouseControl() const { return mouse_control_; }

  void WndProc(TMessage& message) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnPaint;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void Paint() override;
  void BoundsChanged() override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);

 private:
  friend class TApplication;
  void CreateHostWindow();
  void DestroyHostWindow();
  void Activate(bool active);
  void RouteMouse(const THostEvent& event);
  void RouteKey(const THostEvent& event);
  void RouteChar(const std::string& text, uint32_t modifiers);
  void PaintTree(TWinControl* control, const Region& available, const Region& work,
                 const Region& erase, Bitmap32& target);
  void PaintWindowPart(TWinControl* control, const Region& clip, bool erase, bool nonClient,
                       Bitmap32& target);

  TBorderStyle border_style_ = TBorderStyle::bsSizeable;
  TPosition position_ = TPosition::poDesigned;
  TWindowState window_state_ = TWindowState::wsNormal;
  std::unique_ptr<Region> window_region_;
  THostWindowId host_window_ = 0;
  Bitmap32 back_buffer_;
  Region invalid_;
  Region erase_;
  Region present_;
  TWinControl* active_control_ = nullptr;
  bool active_ = false;
  bool key_preview_ = false;
  bool shown_once_ = false;
  bool modal_ = false;
  TModalResult modal_result_ = TModalResult::mrNone;
  bool before_destruction_done_ = false;
  bool applying_host_move_ = false;
  bool release_pending_ = false;
  bool popup_window_ = false;

  // Mouse state.
  TControl* mouse_control_ = nullptr;  // under the pointer (enter/leave)
  TPoint last_mouse_{-1, -1};          // form client coordinates
  bool mouse_inside_ = false;
  bool moving_ = false;
  TPoint move_start_cursor_;
  TPoint move_start_pos_;
  TDoubleClickTracker double_clicks_;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

}  // namespace tarn
