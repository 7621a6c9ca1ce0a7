// Compositing: the form paints what was invalidated into its back buffer, windowed controls
// from the top down so that each pixel is painted once, and presents the result.
#include "framework/Application.h"
#include "framework/ExceptionGuard.h"
#include "framework/Form.h"
#include "graphics/Canvas.h"
#include "platform/host/Host.h"

namespace tarn {
namespace {

// Beyond this many rectangles the host is given their bounds instead.
constexpr std::size_t kMaxPresentRects = 32;

Region operator&(const Region& a, const Region& b) {
  return Region::Combine(a, b, CombineMode::And);
}
Region operator-(const Region& a, const Region& b) {
  return Region::Combine(a, b, CombineMode::Diff);
}

}  // namespace

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

}  // namespace tarn
