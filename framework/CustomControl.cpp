#include "framework/CustomControl.h"

#include "framework/Form.h"
#include "graphics/Canvas.h"
#include "graphics/Region.h"

namespace tarn {

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() = default;

Canvas& TCustomControl::GetCanvas() {
  if (paint_canvas_ != nullptr) return *paint_canvas_;
  PrepareDirectCanvas(*this, own_canvas_, nowhere_);
  return *own_canvas_;
}

void TCustomControl::PaintWindow(Canvas& canvas) {
  Canvas* saved = paint_canvas_;
  paint_canvas_ = &canvas;
  try {
    CanvasStateSaver saver(canvas);
    canvas.font = GetFont();
    canvas.brush.Color = Color();
    canvas.brush.Style = BrushStyle::Solid;
    Paint();
  } catch (...) {
    paint_canvas_ = saved;
    throw;
  }
  paint_canvas_ = saved;
}

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

void PrepareDirectCanvas(TControl& control, std::unique_ptr<Canvas>& canvas, Bitmap32& nowhere) {
  TCustomForm* form = control.ParentForm();
  const bool live = form != nullptr && control.Showing() && !form->BackBuffer().Empty();
  Bitmap32& target = live ? form->BackBuffer() : nowhere;
  if (!canvas || &canvas->Target() != &target) {
    canvas = std::make_unique<Canvas>(target);
    canvas->font = control.GetFont();
    canvas->brush.Color = control.Color();
  }
  if (!live) {
    canvas->SetOrigin({});
    canvas->SelectClip(Region());
    return;
  }
  const TRect client = control.FormClientRect();
  Region visible = VisibleClientRegion(control);
  form->AddPresentArea(visible.Bounds());
  canvas->SetOrigin(client.TopLeft());
  visible.Offset(-client.Left, -client.Top);
  canvas->SelectClip(visible);
}

}  // namespace tarn
