// The picture show's properties, transitions and animation; placing and painting are in
// XPPicShowPaint.cpp.
#include "slideshow/XPPicShow.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include "base/StringUtils.h"
#include "framework/Application.h"
#include "slideshow/AnimateThread.h"
#include "slideshow/effects/EffectTable.h"

namespace tarn {
namespace {

constexpr const char* kCustomStyleName = "Custom";

// The tick count the frames are timed with: the application's clock (so that a test host's
// manual clock drives the calling-thread animation), or the machine's without an application.
uint64_t Tick() {
  if (Application != nullptr) return Application->TickCount();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

bool OnUIThread() {
  return Application == nullptr || Application->IsUIThread();
}

}  // namespace

TCustomXPPicShow::TCustomXPPicShow(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(ControlStyle() | csOpaque);
  picture_.OnChange = [this](TObject*) { PictureChanged(); };
  bg_picture_.OnChange = [this](TObject*) { BgPictureChanged(); };
  SetColor(clWindow);
  SetParentColor(true);
  SetBounds(Left(), Top(), 100, 100);
}

TCustomXPPicShow::~TCustomXPPicShow() {
  StopForDestruction();
  picture_.OnChange = nullptr;
  bg_picture_.OnChange = nullptr;
}

TXPPicShow::~TXPPicShow() {
  // Before the base class's part is taken apart: a frame in flight still runs this class's
  // operations.
  StopForDestruction();
}

void TCustomXPPicShow::StopForDestruction() {
  going_ = true;
  Stop();
}

// --- Properties

void TCustomXPPicShow::SetBgMode(TBackgroundMode value) {
  if (value == bg_mode_) return;
  bg_mode_ = value;
  if (bg_picture_.Graphic() == nullptr) return;
  RenderBackdropIfBackground();
  Invalidate();
}

void TCustomXPPicShow::SetFrameColor(TColor value) {
  if (value == frame_color_) return;
  frame_color_ = value;
  if (frame_width_ > 0 && !screen_.Empty()) Invalidate();
}

void TCustomXPPicShow::SetFrameWidth(int value) {
  value = std::max(0, value);
  if (value == frame_width_) return;
  frame_width_ = value;
  AdjustSize();
  if (!screen_.Empty()) {
    UpdateDisplayRect();
    Invalidate();
  }
}

void TCustomXPPicShow::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  UpdateDisplayRect();
  if (!screen_.Empty()) Invalidate();
}

void TCustomXPPicShow::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  UpdateDisplayRect();
  if (!screen_.Empty()) Invalidate();
}

void TCustomXPPicShow::SetProportional(bool value) {
  if (value == proportional_) return;
  proportional_ = value;
  UpdateDisplayRect();
  if (!screen_.Empty()) Invalidate();
}

void TCustomXPPicShow::SetStep(int value) {
  step_ = static_cast<uint16_t>(std::clamp(value, 1, 100));
}

void TCustomXPPicShow::SetStyle(TShowStyle value) {
  if (value < 0 || value > kMaxShowStyle || value == style_) return;
  {
    TCriticalSectionLock lock(lock_);
    style_ = value;
  }
  // A held transition shows the new effect at once.
  if (busy_ && manual_ && !stopping_) {
    {
      TCriticalSectionLock lock(lock_);
      UpdateFrame();
    }
    InvalidateRect(pic_rect_, false);
  }
}

std::string TCustomXPPicShow::StyleName() const {
  const TEffect* effect = FindEffect(style_);
  return effect != nullptr ? effect->Name : kCustomStyleName;
}

void TCustomXPPicShow::SetStyleName(const std::string& value) {
  // The names are ASCII: ignoring the letter case of ASCII letters is the locale's rule for them.
  if (SameText(value, kCustomStyleName)) {
    SetStyle(0);
  } else if (const int style = FindEffectByName(value); style != 0) {
    SetStyle(style);
  }
}

void TCustomXPPicShow::SetManual(bool value) {
  if (value == manual_) return;
  manual_ = value;
  if (!busy_) {
    progress_ = reverse_ ? 100 : 0;
    return;
  }
  if (value) {
    // Its done message frees the thread; with Manual set it leaves the transition held.
    StopThread();
  } else if (!stopping_) {
    Animate();  // on from the present Progress
  }
}

void TCustomXPPicShow::PictureChanged() {
  if (going_ || Destroying()) return;
  if (picture_.Graphic() != nullptr && AutoSize()) AdjustSize();
  DoChange();
}

void TCustomXPPicShow::BgPictureChanged() {
  if (going_ || Destroying() || bg_mode_ == TBackgroundMode::bmNone) return;
  RenderBackdropIfBackground();
  Invalidate();
}

// --- Running a transition

void TCustomXPPicShow::Execute() {
  if (picture_.Empty() || busy_) return;
  busy_ = true;
  // A Stop still on the stack (this Execute came from its OnStop) belongs to the run that has
  // ended; it must not keep the new one from animating.
  stopping_ = false;
  stop_requested_ = false;
  const unsigned run = ++run_;
  try {
    Prepare();
    // An OnStart handler may have stopped the run, or stopped it and executed another.
    if (busy_ && run_ == run && !manual_ && !stopping_) Animate();
  } catch (...) {
    if (run_ == run) {
      pic_.reset();
      old_pic_.reset();
      busy_ = false;
    }
    throw;
  }
}

void TCustomXPPicShow::Prepare() {
  const TGraphic& graphic = *picture_.Graphic();
  const int w = graphic.Width(), h = graphic.Height();
  auto old = std::make_unique<TBitmap>();
  const bool from_shown =
      over_draw_ && !screen_.Empty() && screen_.Width() == w && screen_.Height() == h;
  if (from_shown) {
    old->Image() = screen_.Image();
  } else {
    old->SetSize(w, h);  // the background behind the picture, rendered once it is placed
  }
  auto pic = std::make_unique<TBitmap>(w, h);
  pic->Image().Fill(ColorToPixel(Color()));
  graphic.Draw(pic->GetCanvas(), Rect(0, 0, w, h));
  old_pic_ = std::move(old);
  pic_ = std::move(pic);
  old_pic_is_background_ = !from_shown;
  screen_.SetSize(w, h);
  source_rect_ = Rect(0, 0, w, h);
  preparing_ = true;
  try {
    UpdateDisplayRect();
  } catch (...) {
    preparing_ = false;
    throw;
  }
  preparing_ = false;
  screen_.Image() = old_pic_->Image();
  progress_ = reverse_ ? 100 : 0;
  Invalidate();
  DoStart(pic_.get(), old_pic_.get());
}

void TCustomXPPicShow::Animate() {
  if (thread_ != nullptr) return;
  // The thread reports its end through the application's queue; without an application the
  // transition runs on the calling thread.
  if (threaded_ && Application != nullptr) {
    auto* thread = new TAnimateThread(this);
    thread_ = thread;
    try {
      thread->Start();
    } catch (...) {
      thread_ = nullptr;
      delete thread;
      throw;
    }
    return;
  }
  AnimateOnCallingThread();
}

template <class GoOn>
void TCustomXPPicShow::PumpMessages(int remaining, GoOn goOn) {
  const uint64_t start = Tick();
  while (goOn()) {
    const uint64_t waited = Tick() - start;
    if (waited >= static_cast<uint64_t>(remaining)) return;
    const int left = remaining - static_cast<int>(waited);
    if (Application != nullptr) {
      Application->HandleMessageWithin(left);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(left));
    }
  }
}

void TCustomXPPicShow::AnimateOnCallingThread() {
  const unsigned run = run_;
  const unsigned loop = ++loop_;
  // Stop (reached from a handler while messages are handled) finishes the transition at once
  // and clears the stopping state before control comes back here: the loop ends as soon as the
  // run is no longer the busy one it started with.
  auto current = [this, run, loop] { return busy_ && run_ == run && loop_ == loop; };
  auto go_on = [this, &current] { return !manual_ && !stopping_ && current(); };
  int step = step_;
  bool reached_end = false;
  for (;;) {
    int elapsed = 0;
    if (!StepProgress(step, elapsed)) {
      reached_end = true;
      break;
    }
    if (!go_on()) break;
    const int remaining = delay_ - elapsed;
    if (remaining >= 0) {
      PumpMessages(remaining, go_on);
      step = step_;
    } else if (exact_timing_) {
      step = CompensatedStep(elapsed);
    }
  }
  if (current() && (stopping_ || !manual_)) Finish(reached_end && !stopping_);
}

bool TCustomXPPicShow::StepProgress(int step, int& elapsed) {
  const uint64_t start = Tick();
  const bool reverse = reverse_;
  const int progress = progress_;
  int next;
  if (reverse) {
    next = step >= progress ? 0 : progress - step;
  } else {
    next = progress >= 100 - step ? 100 : progress + step;
  }
  SetProgress(next);
  elapsed = static_cast<int>(std::min<uint64_t>(Tick() - start, INT_MAX));
  return progress_ != (reverse ? 0 : 100);
}

int TCustomXPPicShow::CompensatedStep(int elapsed) const {
  const int step = step_;
  const int delay = delay_;
  // With no delay there is no pace to keep up with: the step stays as set.
  if (delay == 0) return step;
  return static_cast<int>(std::min<int64_t>(100, static_cast<int64_t>(step) * elapsed / delay));
}

void TCustomXPPicShow::SetProgress(int value) {
  value = std::clamp(value, 0, 100);
  if (!busy_ || value == progress_) return;
  {
    TCriticalSectionLock lock(lock_);
    progress_ = value;
    UpdateFrame();
  }
  RepaintPicture();
  DoProgress();
}

void TCustomXPPicShow::UpdateFrame() {
  TBitmap* pic = pic_.get();
  TBitmap* old = old_pic_.get();
  if (pic == nullptr || old == nullptr) return;
  TCriticalSectionLock pic_lock(pic->CanvasLock());
  TCriticalSectionLock screen_lock(screen_.CanvasLock());
  Bitmap32& screen = screen_.Image();
  screen.RemoveClip();  // a clip a handler left behind would freeze part of every later frame
  const int W = source_rect_.Right, H = source_rect_.Bottom;
  {
    TCriticalSectionLock old_lock(old->CanvasLock());
    screen.CopyBlock(0, 0, W, H, old->Image(), 0, 0);
  }
  DoBeforeNewFrame(pic, &screen_);
  const int progress = progress_;
  if (progress >= 100) {
    screen.CopyBlock(0, 0, W, H, pic->Image(), 0, 0);
  } else if (progress > 0) {
    const int style = style_;
    if (style == 0) {
      DoCustomDraw(pic, &screen_);
    } else if (const TEffect* effect = FindEffect(style)) {
      // Our stretches always keep or drop whole pixels (the colour-on-colour mode the effects
      // are written for).
      const TPoint extent = TransitionExtent(W, H, progress);
      effect->Proc(screen, pic->Image(), W, H, extent.X, extent.Y, progress);
    }
  }
  DoAfterNewFrame(pic, &screen_);
}

void TCustomXPPicShow::RepaintPicture() {
  auto repaint = [this] {
    InvalidateRect(pic_rect_, false);
    Update();
  };
  if (OnUIThread()) {
    repaint();
  } else {
    Application->Synchronize(repaint);
  }
}

// --- Ending a transition

void TCustomXPPicShow::Stop() {
  if (!OnUIThread()) {
    TAnimateThread* thread = thread_;
    if (thread != nullptr && thread->ThreadID() == std::this_thread::get_id()) {
      // A handler on the animation thread: that thread cannot wait for itself.
      stop_requested_ = true;
      thread->Cancel();
    } else {
      Application->Synchronize([this] { Stop(); });
    }
    return;
  }
  if (!busy_ || stopping_) return;
  stopping_ = true;
  try {
    if (manual_ || !StopThread()) Finish(false);
  } catch (...) {
    stopping_ = false;
    throw;
  }
  stopping_ = false;
}

bool TCustomXPPicShow::StopThread() {
  TAnimateThread* thread = thread_;
  if (thread == nullptr) return false;
  thread->Cancel();
  // Serves the repaint the thread may be waiting in meanwhile.
  thread->WaitFor();
  // The thread's last message is consumed here, before Stop returns. It is missing when the
  // body never ran, or when the application had stopped taking messages.
  TMessage done{WM_ANIMATIONDONE, 0, 0, 0};
  if (thread->Started() && Application != nullptr) {
    Application->TakeMessage(Handle(), WM_ANIMATIONDONE, done);
  }
  WndProc(done);
  return true;
}

void TCustomXPPicShow::AnimationDone() {
  TAnimateThread* thread = thread_;
  if (thread == nullptr) return;  // no run owns it
  thread->WaitFor();
  const bool completed = thread->Completed();
  const std::exception_ptr error = thread->FatalException();
  thread_ = nullptr;
  delete thread;
  const bool stop_asked = stop_requested_.exchange(false);
  if (stopping_ || stop_asked || !manual_) Finish(completed && !stopping_ && !stop_asked);
  // A handler that failed on the animation thread ended the run there; it is reported here,
  // as any failing handler is, unless the control is going.
  if (error && !going_ && !Destroying() && Application != nullptr) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      Application->HandleException(this, e);
    } catch (...) {
      Application->HandleUnknownException(this);
    }
  }
}

void TCustomXPPicShow::Finish(bool completed) {
  busy_ = false;
  pic_.reset();
  old_pic_.reset();
  if (going_ || Destroying()) return;
  // FScreen keeps the last frame: after a completed run, the new picture.
  if (completed) DoComplete();
  DoStop();
}

void TCustomXPPicShow::Clear() {
  if (busy_ || screen_.Empty()) return;
  screen_.SetSize(0, 0);
  source_rect_ = TRect{};
  pic_rect_ = TRect{};
  Invalidate();
}

// --- Messages

void TCustomXPPicShow::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      WMPaint(message);
      return;
    case WM_ERASEBKGND:
      message.Result = 1;  // every pixel is painted: erasing would only flicker
      return;
    case WM_SIZE:
      TCustomControl::WndProc(message);
      UpdateDisplayRect();
      if (!screen_.Empty()) Invalidate();
      return;
    case WM_DESTROY:
      // The window goes only with the control: the run ends without events.
      going_ = true;
      Stop();
      TCustomControl::WndProc(message);
      return;
    case WM_ANIMATIONDONE:
      AnimationDone();
      return;
    default:
      TCustomControl::WndProc(message);
  }
}

// --- Events

void TCustomXPPicShow::DoChange() {
  if (OnChange) OnChange(this);
}
void TCustomXPPicShow::DoProgress() {
  if (OnProgress) OnProgress(this);
}
void TCustomXPPicShow::DoCustomDraw(TBitmap* picture, TBitmap* screen) {
  if (OnCustomDraw) OnCustomDraw(this, picture, screen);
}
void TCustomXPPicShow::DoBeforeNewFrame(TBitmap* picture, TBitmap* screen) {
  if (OnBeforeNewFrame) OnBeforeNewFrame(this, picture, screen);
}
void TCustomXPPicShow::DoAfterNewFrame(TBitmap* picture, TBitmap* screen) {
  if (OnAfterNewFrame) OnAfterNewFrame(this, picture, screen);
}
void TCustomXPPicShow::DoComplete() {
  if (OnComplete) OnComplete(this);
}
void TCustomXPPicShow::DoStart(TBitmap* picture, TBitmap* screen) {
  if (OnStart) OnStart(this, picture, screen);
}
void TCustomXPPicShow::DoStop() {
  if (OnStop) OnStop(this);
}

}  // namespace tarn
