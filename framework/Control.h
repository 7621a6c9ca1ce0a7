// TControl: the root of every visual control. A control has a parent (a windowed control), a
// place in it, the standard properties (alignment, anchors, constraints, visibility, enabled
// state, colour, font, caption, hint, tag) and events that the owning form binds to its methods.
// Messages reach a control through Perform / WndProc; one dispatch point turns them into typed
// virtual handlers, and input to a disabled control is dropped there.
#pragma once

#include <cstdint>
#include <string>

#include "base/Component.h"
#include "base/Geometry.h"
#include "framework/ControlTypes.h"
#include "framework/Messages.h"
#include "framework/SizeConstraints.h"
#include "graphics/Font.h"

namespace tarn {

class Canvas;
class Region;
class TWinControl;
class TCustomForm;
class TPopupMenu;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // --- Tree
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The form this control lies on (the control itself for a form), or none.
  TCustomForm* ParentForm() const;
  bool HasParent() const { return parent_ != nullptr; }
  virtual bool IsWindowed() const { return false; }

  // --- Place and size (parent's client coordinates)
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // Applies constraints and OnCanResize, stores, realigns the parent, repaints what moved.
  virtual void SetBounds(int left, int top, int width, int height);

  virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int v) { SetWidth(width_ - ClientWidth() + v); }
  void SetClientHeight(int v) { SetHeight(height_ - ClientHeight() + v); }
  // Where the client area's (0, 0) lies, relative to the control's own top-left corner.
  virtual TPoint ClientOffset() const { return {}; }

  // Coordinates.
  TPoint ClientOrigin() const;  // screen position of the client area's (0, 0)
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  // Client coordinates of this control to client coordinates of the ancestor (the form when
  // none is given).
  TPoint ClientToParent(TPoint p, const TWinControl* ancestor = nullptr) const;
  // This control's client rectangle in the form's client coordinates.
  TRect FormClientRect() const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);
  TSizeConstraints& Constraints() { return constraints_; }
  const TSizeConstraints& Constraints() const { return constraints_; }
  bool AutoSize() const { return auto_size_; }
  virtual void SetAutoSize(bool value);
  // Asks CanAutoSize for a size and takes it (when AutoSize is on).
  void AdjustSize();

  // --- State
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to a shown form visible too.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);
  // Enabled, and every parent enabled too: only then does it receive input.
  bool EffectivelyEnabled() const;

  TControlStyle ControlStyle() const { return style_; }
  void SetControlStyle(TControlStyle style) { style_ = style; }
  TControlState ControlState() const { return state_; }
  void IncludeState(TControlState flags) { state_ |= flags; }
  void ExcludeState(TControlState flags) { state_ &= ~flags; }
  bool Destroying() const { return (state_ & csDestroying) != 0; }

  // --- Appearance
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool value);
  const tarn::Font& GetFont() const { return font_; }
  void SetFont(const tarn::Font& font);
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool value);
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& text) { SetText(text); }
  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& text);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* menu);
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }

  // --- Messages
  intptr_t Perform(uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0);
  virtual void WndProc(TMessage& message);

  // --- Painting
  // Schedules a repaint of the control's area (erasing the parent under it unless opaque).
  virtual void Invalidate();
  // Paints whatever is pending in the control's area now.
  virtual void Update();
  void Repaint() {
    Invalidate();
    Update();
  }
  void Refresh() { Repaint(); }

  // --- Input
  bool MouseCapture() const;
  void SetMouseCapture(bool value);
  // Z-order among siblings.
  void BringToFront();
  void SendToBack();

  // --- Events
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TContextPopupEvent OnContextPopup;

 protected:
  // Typed handlers, called by the dispatch. Each raises its event; overrides call the
  // inherited one where the standard handling should run.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseEnter();  // the pointer entered the control (raises OnMouseEnter)
  virtual void MouseLeave();
  virtual void Resize();
  virtual bool DoMouseWheel(TShiftState shift, int delta, TPoint mousePos);
  virtual void DoContextPopup(TPoint mousePos, bool& handled);
  // The menu a context-menu request opens (the PopupMenu; a control may choose another).
  virtual TPopupMenu* GetPopupMenu() const { return popup_menu_; }
  virtual bool CanResize(int& newWidth, int& newHeight);
  // A size that fits the content; false leaves the size alone.
  virtual bool CanAutoSize(int& newWidth, int& newHeight);
  // The new-bounds hook of subclasses, after the values are stored.
  virtual void BoundsChanged() {}
  // Called when the control is being made a child of another (before / after).
  virtual void ParentChanged() {}

  // Handles what the typed handlers do not: notifications, enter/leave and the rest.
  virtual void DefaultHandler(TMessage& message);

  // Repaints the control's area on the parent (both old and new places after a move).
  void InvalidateOnParent(const TRect& area, bool erase);
  bool IsInputMessage(uint32_t msg) const;
  // Sets the flag without the change notification (a form starts hidden).
  void SetVisibleField(bool value) { visible_ = value; }

  TControlStyle style_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState state_ = 0;

 private:
  friend class TWinControl;
  void DispatchMouse(TMessage& message);
  void UpdateAnchorRules();
  void SetParentField(TWinControl* parent) { parent_ = parent; }

  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = TAlign::alNone;
  TAnchors anchors_ = kDefaultAnchors;
  // Where the control sat when its parent had this client size (for anchors).
  TRect anchor_bounds_;
  TSize anchor_parent_size_;
  bool anchor_rules_valid_ = false;
  TSizeConstraints constraints_;
  bool auto_size_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parent_color_ = true;
  tarn::Font font_;
  bool parent_font_ = true;
  std::string text_;
  TCursor cursor_ = TCursor::crDefault;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  std::string hint_;
  TPopupMenu* popup_menu_ = nullptr;
  intptr_t tag_ = 0;
};

// Whether `key` is the accelerator that '&' marks in `caption` (letters without regard to case;
// "&&" is a literal ampersand).
bool IsAccel(uint32_t key, const std::string& caption);

// Whether `control` is `root` or lies inside it.
bool InSubtree(const TControl* root, const TControl* control);

}  // namespace tarn
