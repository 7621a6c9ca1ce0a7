// TWinControl: a windowed control, a node of the framework's own window tree. It holds child
// controls, takes the keyboard focus, has a handle that messages can be posted to, and paints
// its own client area (clipped around its windowed children) before its window-less children
// paint over it. A subclass may claim a border (non-client area) through WM_NCCALCSIZE and paint
// it on WM_NCPAINT.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Control.h"

namespace tarn {

// A windowed control's handle: posted messages address it, and it stays unique for the life of
// the process, so a message posted to a control that is gone is simply dropped.
using THandle = uint32_t;

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  THandle Handle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != 0; }
  void HandleNeeded() {}
  // The windowed control with that handle, or none (user-interface thread only).
  static TWinControl* FindControl(THandle handle);

  // --- Children. Windowed children always lie above window-less ones; within each kind the
  // later one lies on top.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // Window-less children first (bottom to top), then windowed ones (bottom to top).
  TControl* Controls(int index) const;
  const std::vector<TControl*>& GraphicChildren() const { return graphic_; }
  const std::vector<TWinControl*>& WindowedChildren() const { return windowed_; }
  bool ContainsControl(const TControl* control) const;  // a descendant (or this)

  // The topmost child (recursively with `deep`) at a client position; with allowDisabled false
  // disabled controls and their children are passed over. None when no child is there.
  TControl* ControlAtPos(TPoint p, bool allowDisabled, bool deep = true) const;

  // --- Client area and border
  TRect ClientRect() const override;
  TPoint ClientOffset() const override { return {border_.Left, border_.Top}; }
  // Asks WM_NCCALCSIZE for the border again (after a change of border style).
  void FrameChanged();
  void InvalidateFrame();

  // --- Focus
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool value);
  int TabOrder() const;
  void SetTabOrder(int order);
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // The windowed descendants in tab order, depth first (as Tab visits them).
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // The next control after `current` in tab order among this control's descendants.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                               bool checkParent) const;
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

  // --- Painting
  void Invalidate() override;
  // Schedules a repaint of a part of the client area (client coordinates).
  void InvalidateRect(const TRect& rect, bool erase);
  void InvalidateRegion(const Region& region, bool erase);
  void Update() override;
  // Paints this control (client area, then window-less children) onto the canvas, whose origin
  // and clip are already set for the client area. Used by the form's compositor and by children
  // that ask their parent to paint itself under them.
  void PaintHandler(Canvas& canvas);
  // Sends the parent an erase and a paint request on `canvas`, whose origin is at this
  // control's client (0, 0): the parent's content under the control then fills it.
  void PaintParentBackground(Canvas& canvas);

  // Sends a message to every child until one answers with a non-zero result.
  void Broadcast(TMessage& message);
  // Sends a message to every child (no early stop).
  void NotifyControls(uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TMouseWheelEvent OnMouseWheel;

 protected:
  // Paints the client area itself (window-less children follow). Nothing by default.
  virtual void PaintWindow(Canvas& canvas);
  // Lays out aligned and anchored children in the client area.
  virtual void AlignControls(TControl* changed, TRect& rect);
  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  bool DoMouseWheel(TShiftState shift, int delta, TPoint mousePos) override;
  void BoundsChanged() override;
  void DefaultHandler(TMessage& message) override;
  // Frees every child; a subclass whose own members the children's destruction may reach calls
  // it first in its destructor.
  void DestroyChildren();

 public:
  // Realigns the children now (also called by children that changed place or visibility).
  void Realign();
  void DisableAlign() { ++align_disabled_; }
  void EnableAlign();

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void RebuildControlList();
  void UpdateBorder();
  void ApplyAnchors(TControl* control, const TRect& client);

  THandle handle_ = 0;
  std::vector<TControl*> controls_;  // graphic_ then windowed_
  std::vector<TControl*> graphic_;
  std::vector<TWinControl*> windowed_;
  std::vector<TWinControl*> tab_list_;
  TRect border_;  // widths of the non-client border on each side
  bool tab_stop_ = false;
  int align_disabled_ = 0;
  bool realign_pending_ = false;
  bool aligning_ = false;
  TSize last_client_size_;
};

}  // namespace tarn
