// The picture show's placing and painting: where the frame is shown, the background around it,
// the background a transition starts from, and the paint message's fast path.
#include <algorithm>

#include "graphics/Canvas.h"
#include "slideshow/XPPicShow.h"
#include "slideshow/effects/EffectMath.h"

namespace tarn {

void TCustomXPPicShow::UpdateDisplayRect() {
  // A frame wider than half the client area leaves no room (rather than a negative one, which
  // would mirror a stretched picture).
  const int cw = std::max(0, ClientWidth() - 2 * frame_width_);
  const int ch = std::max(0, ClientHeight() - 2 * frame_width_);
  int w = source_rect_.Width();
  int h = source_rect_.Height();
  if (proportional_ && w > 0 && h > 0 && (stretch_ || cw < w || ch < h)) {
    if (static_cast<double>(ch) / h > static_cast<double>(cw) / w) {
      h = MulDiv(h, cw, w);
      w = cw;
    } else {
      w = MulDiv(w, ch, h);
      h = ch;
    }
  } else if (stretch_) {
    w = cw;
    h = ch;
  }
  int dx = frame_width_, dy = frame_width_;
  if (center_) {
    dx += (cw - w) / 2;
    dy += (ch - h) / 2;
  }
  pic_rect_ = Bounds(dx, dy, w, h);
  RenderBackdropIfBackground();
}

void TCustomXPPicShow::RenderBackdropIfBackground() {
  if (old_pic_is_background_ && old_pic_ != nullptr) RenderBackdrop();
}

void TCustomXPPicShow::RenderBackdrop() {
  const TRect r = pic_rect_;
  if (!r.IsEmpty()) {
    // The background of the whole client area, seen through the picture rectangle.
    Bitmap32 backdrop(r.Width(), r.Height());
    Canvas canvas(backdrop);
    canvas.SetOrigin({-r.Left, -r.Top});
    PaintBackground(canvas, ClientRect());
    TCriticalSectionLock lock(old_pic_->CanvasLock());
    old_pic_->Image().StretchBlock(0, 0, source_rect_.Width(), source_rect_.Height(), backdrop, 0,
                                   0, r.Width(), r.Height());
  }
  if (busy_ && manual_ && !stopping_ && !preparing_) {
    TCriticalSectionLock lock(lock_);
    UpdateFrame();
  }
}

bool TCustomXPPicShow::CanAutoSize(int& newWidth, int& newHeight) {
  const TGraphic* graphic = picture_.Graphic();
  if (graphic == nullptr || Align() == TAlign::alClient) return true;
  if (Align() != TAlign::alTop && Align() != TAlign::alBottom) {
    newWidth = graphic->Width() + 2 * frame_width_ + (Width() - ClientWidth());
  }
  if (Align() != TAlign::alLeft && Align() != TAlign::alRight) {
    newHeight = graphic->Height() + 2 * frame_width_ + (Height() - ClientHeight());
  }
  return true;
}

void TCustomXPPicShow::WMPaint(TMessage& message) {
  if (painting_) {
    message.Result = 1;
    return;
  }
  auto* canvas = reinterpret_cast<Canvas*>(message.WParam);
  painting_ = true;
  try {
    // A frame of a running transition repaints only the picture rectangle: the frame goes
    // straight to the window, without background or frame.
    if (canvas != nullptr && !screen_.Empty() && pic_rect_.Contains(canvas->ClipBounds())) {
      TCriticalSectionLock lock(screen_.CanvasLock());
      canvas->StretchDraw(pic_rect_, screen_.Image(), source_rect_);
    } else {
      TCustomControl::WndProc(message);
    }
  } catch (...) {
    painting_ = false;
    throw;
  }
  painting_ = false;
  message.Result = 0;
}

void TCustomXPPicShow::Paint() {
  PaintShow(GetCanvas());
}

void TCustomXPPicShow::PaintShow(Canvas& canvas) {
  if (screen_.Empty()) {
    PaintBackground(canvas, ClientRect());
    return;
  }
  if (canvas.IsVisible(pic_rect_)) {
    TCriticalSectionLock lock(screen_.CanvasLock());
    canvas.StretchDraw(pic_rect_, screen_.Image(), source_rect_);
  }
  CanvasStateSaver saver(canvas);
  TRect r = pic_rect_;
  if (frame_width_ > 0) {
    r = r.Inflate(frame_width_, frame_width_);
    if (canvas.IsVisible(r)) {
      canvas.pen.Color = frame_color_;
      canvas.pen.Width = frame_width_;
      canvas.pen.Style = PenStyle::Solid;
      canvas.brush.Style = BrushStyle::Clear;
      canvas.Rectangle(r);
    }
  }
  canvas.ExcludeClipRect(r);
  PaintBackground(canvas, ClientRect());
}

void TCustomXPPicShow::PaintBackground(Canvas& canvas, const TRect& rect) {
  if (!canvas.IsVisible(rect)) return;
  const TGraphic* graphic = bg_picture_.Graphic();
  const TBackgroundMode mode =
      graphic == nullptr || graphic->Empty() ? TBackgroundMode::bmNone : bg_mode_;
  CanvasStateSaver saver(canvas);
  canvas.IntersectClipRect(rect);
  // The colour goes under the picture too: a translucent one would otherwise show whatever the
  // window held before.
  canvas.FillRect(rect, Color());
  switch (mode) {
    case TBackgroundMode::bmNone:
      break;
    case TBackgroundMode::bmTiled: {
      const int tw = graphic->Width(), th = graphic->Height();
      // Only the tiles in the visible part, anchored at the rectangle's top-left corner.
      const TRect clip = canvas.ClipBounds().Intersect(rect);
      const int left = clip.Left - (clip.Left - rect.Left) % tw;
      const int top = clip.Top - (clip.Top - rect.Top) % th;
      for (int y = top; y < clip.Bottom; y += th) {
        for (int x = left; x < clip.Right; x += tw)
          graphic->Draw(canvas, Bounds(x, y, tw, th));
      }
      break;
    }
    case TBackgroundMode::bmStretched:
      graphic->Draw(canvas, rect);
      break;
    case TBackgroundMode::bmCentered: {
      const int gw = graphic->Width(), gh = graphic->Height();
      graphic->Draw(canvas, Bounds(rect.Left + (rect.Width() - gw) / 2,
                                   rect.Top + (rect.Height() - gh) / 2, gw, gh));
      break;
    }
  }
}

}  // namespace tarn
