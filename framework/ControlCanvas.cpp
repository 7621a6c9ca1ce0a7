#include "framework/ControlCanvas.h"

#include "framework/Form.h"
#include "graphics/Region.h"

namespace tarn {
namespace {

// The part of the form where the control's client area can be seen: inside every parent's
// client area, outside windowed siblings above it (and, for a windowed control, outside its own
// windowed children). Form client coordinates.
Region VisibleClientRegion(const TControl& control) {
  Region visible(control.FormClientRect());
  const TControl* c = &control;
  while (c->Parent() != nullptr) {
    const TWinControl* p = c->Parent();
    visible &= Region(p->FormClientRect());
    const TRect pc = p->FormClientRect();
    const auto& siblings = p->WindowedChildren();
    bool above = !c->IsWindowed();  // every windowed sibling lies above a window-less control
    for (const TWinControl* s : siblings) {
      if (s == c) {
        above = true;
        continue;
      }
      if (above && s->Visible()) visible -= Region(s->BoundsRect().Offset(pc.Left, pc.Top));
    }
    c = p;
  }
  if (control.IsWindowed()) {
    const auto& self = static_cast<const TWinControl&>(control);
    const TRect cc = control.FormClientRect();
    for (const TWinControl* child : self.WindowedChildren()) {
      if (child->Visible()) visible -= Region(child->BoundsRect().Offset(cc.Left, cc.Top));
    }
  }
  return visible;
}

}  // namespace

Canvas& TControlCanvas::Get() {
  if (paint_canvas_ != nullptr) return *paint_canvas_;
  TCustomForm* form = control_.ParentForm();
  const bool live = form != nullptr && control_.Showing() && !form->BackBuffer().Empty();
  Bitmap32& target = live ? form->BackBuffer() : nowhere_;
  if (!own_canvas_ || &own_canvas_->Target() != &target) {
    own_canvas_ = std::make_unique<Canvas>(target);
    own_canvas_->font = control_.GetFont();
    own_canvas_->brush.Color = control_.Color();
  }
  if (!live) {
    own_canvas_->SetOrigin({});
    own_canvas_->SelectClip(Region());
    return *own_canvas_;
  }
  const TRect client = control_.FormClientRect();
  Region visible = VisibleClientRegion(control_);
  form->AddPresentArea(visible.Bounds());
  own_canvas_->SetOrigin(client.TopLeft());
  visible.Offset(-client.Left, -client.Top);
  own_canvas_->SelectClip(visible);
  return *own_canvas_;
}

TControlCanvas::PaintScope::PaintScope(TControlCanvas& owner, Canvas& canvas)
    : owner_(owner), saved_(owner.paint_canvas_), state_(canvas) {
  owner_.paint_canvas_ = &canvas;
  canvas.font = owner_.control_.GetFont();
  canvas.brush.Color = owner_.control_.Color();
  canvas.brush.Style = BrushStyle::Solid;
}

TControlCanvas::PaintScope::~PaintScope() {
  owner_.paint_canvas_ = saved_;
}

}  // namespace tarn
