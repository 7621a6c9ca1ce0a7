// TCustomXPPicShow / TXPPicShow: a windowed control that shows one picture and, each time it is
// given a new one (Picture, then Execute), replaces the old picture by an animated transition
// from the effect table. It keeps three bitmaps of the picture's own size: the frame shown
// (FScreen), the picture the transition starts from (FOldPic) and the new picture on the
// control's colour (FPic); painting scales the frame into the picture rectangle.
//
// Threads. With Threaded on, a TAnimateThread advances the transition: the frames are drawn on
// that thread under FLock and the bitmaps' canvas locks, OnProgress, OnBeforeNewFrame,
// OnAfterNewFrame and OnCustomDraw are raised there (their handlers must not touch the user
// interface), and each frame is shown by a synchronous repaint on the user-interface thread.
// OnComplete and OnStop are raised on the user-interface thread. Everything else (properties,
// Execute, Clear) belongs to the user-interface thread; Stop called on another thread is handed
// over to it, and called by a handler on the animation thread it ends that thread, after which
// the run ends as stopped.
//
// A class derived from TXPPicShow (or TCustomXPPicShow) that overrides the Do* operations must
// call StopForDestruction first in its own destructor, so that no frame runs its overrides
// while the object is being taken apart.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/CriticalSection.h"
#include "framework/CustomControl.h"
#include "framework/Thread.h"
#include "framework/pictures/Bitmap.h"
#include "framework/pictures/Picture.h"

namespace tarn {

class TAnimateThread;

// How BgPicture is painted around the picture (ordinals 0..3).
enum class TBackgroundMode { bmNone, bmTiled, bmStretched, bmCentered };

// A transition: 0 = custom (drawn by OnCustomDraw), 1..171 = a row of the effect table.
using TShowStyle = int;
inline constexpr TShowStyle kMaxShowStyle = 171;

// Picture is the new picture on the control's colour; Screen is the frame being drawn (for
// OnStart: the picture the transition starts from).
using TCustomDrawEvent = std::function<void(TObject* Sender, TBitmap* Picture, TBitmap* Screen)>;

// Posted by the animation thread to the control when its body has ended.
inline constexpr uint32_t WM_ANIMATIONDONE = WM_USER + 1;

// The design-time "About" entry: no contents, no effect at run time.
class TXPPicShowAbout : public TPersistent {
 public:
  std::string ClassName() const override { return "TXPPicShowAbout"; }
};

class TCustomXPPicShow : public TCustomControl {
 public:
  explicit TCustomXPPicShow(TComponent* owner);
  ~TCustomXPPicShow() override;

  // --- Pictures and background
  TPicture& Picture() { return picture_; }
  void SetPicture(const TPicture& value) { picture_.Assign(value); }
  TPicture& BgPicture() { return bg_picture_; }
  void SetBgPicture(const TPicture& value) { bg_picture_.Assign(value); }
  TBackgroundMode BgMode() const { return bg_mode_; }
  void SetBgMode(TBackgroundMode value);
  TColor FrameColor() const { return frame_color_; }
  void SetFrameColor(TColor value);
  int FrameWidth() const { return frame_width_; }
  void SetFrameWidth(int value);  // negative values count as 0

  // --- Placing
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);

  // --- The transition
  bool OverDraw() const { return over_draw_; }
  void SetOverDraw(bool value) { over_draw_ = value; }
  bool Threaded() const { return threaded_; }
  void SetThreaded(bool value) { threaded_ = value; }
  TThreadPriority ThreadPriority() const { return thread_priority_; }
  void SetThreadPriority(TThreadPriority value) { thread_priority_ = value; }
  bool Manual() const { return manual_; }
  void SetManual(bool value);
  TShowStyle Style() const { return style_; }
  void SetStyle(TShowStyle value);  // values outside 0..171 are ignored
  // "Custom" for style 0, else the effect table's name.
  std::string StyleName() const;
  // The first style whose name matches, letter case ignored ("Custom" first); no match leaves
  // Style as it is.
  void SetStyleName(const std::string& value);
  uint16_t Step() const { return step_; }
  void SetStep(int value);  // clamped to 1..100
  uint16_t Delay() const { return delay_; }
  void SetDelay(uint16_t value) { delay_ = value; }
  bool Reverse() const { return reverse_; }
  void SetReverse(bool value) { reverse_ = value; }
  bool ExactTiming() const { return exact_timing_; }
  void SetExactTiming(bool value) { exact_timing_ = value; }
  TXPPicShowAbout& About() { return about_; }
  // The legacy "StretchFine" of older layouts: only ever read, it sets Proportional.
  void SetStretchFine(bool value) { SetProportional(value); }

  // --- Run-time state
  // The position of the running transition, 0..100; setting it has an effect only while Busy
  // (values above 100 count as 100).
  int Progress() const { return progress_; }
  void SetProgress(int value);
  // From Execute until the transition has finished or was stopped.
  bool Busy() const { return busy_; }

  // Prepares a transition from what is shown to Picture and runs it: returns at once when
  // Threaded, else when the transition has ended. Nothing happens without a picture or while
  // Busy. An error while preparing leaves the control idle and is passed on.
  virtual void Execute();
  // Ends the running transition at once: OnStop, but no OnComplete; the frame reached stays.
  virtual void Stop();
  // Shows only the background (not while Busy).
  virtual void Clear();

  TNotifyEvent OnChange;     // Picture changed
  TNotifyEvent OnProgress;   // after each accepted change of Progress, the frame drawn
  TNotifyEvent OnComplete;   // a transition ran to its end
  TNotifyEvent OnStop;       // a transition ended, completed or stopped
  TCustomDrawEvent OnStart;  // a transition was prepared (Screen: the starting picture)
  TCustomDrawEvent OnCustomDraw;
  TCustomDrawEvent OnBeforeNewFrame;  // the frame holds the starting picture
  TCustomDrawEvent OnAfterNewFrame;   // the effect has drawn the frame

 protected:
  void Paint() override;
  bool CanAutoSize(int& newWidth, int& newHeight) override;
  void WndProc(TMessage& message) override;

  virtual void PaintBackground(Canvas& canvas, const TRect& rect);
  virtual void PaintShow(Canvas& canvas);
  virtual void DoChange();
  virtual void DoProgress();
  virtual void DoCustomDraw(TBitmap* picture, TBitmap* screen);
  virtual void DoBeforeNewFrame(TBitmap* picture, TBitmap* screen);
  virtual void DoAfterNewFrame(TBitmap* picture, TBitmap* screen);
  virtual void DoComplete();
  virtual void DoStart(TBitmap* picture, TBitmap* screen);
  virtual void DoStop();

  // Marks the control as going and ends a running transition without events.
  void StopForDestruction();

 private:
  friend class TAnimateThread;

  void PictureChanged();
  void BgPictureChanged();
  void Prepare();
  void Animate();
  void AnimateOnCallingThread();
  // Handles messages for remaining milliseconds, or less once `go_on` turns false.
  template <class GoOn>
  void PumpMessages(int remaining, GoOn goOn);
  bool StepProgress(int step, int& elapsed);
  // The step after a frame that took `elapsed` ms, longer than Delay, with ExactTiming.
  int CompensatedStep(int elapsed) const;
  void UpdateFrame();
  void RepaintPicture();
  bool StopThread();
  void AnimationDone();
  void Finish(bool completed);
  void WMPaint(TMessage& message);
  void UpdateDisplayRect();
  void RenderBackdrop();
  void RenderBackdropIfBackground();

  TPicture picture_;
  TPicture bg_picture_;
  TBackgroundMode bg_mode_ = TBackgroundMode::bmTiled;
  TColor frame_color_ = clActiveBorder;
  int frame_width_ = 0;
  bool center_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
  bool over_draw_ = true;
  bool threaded_ = true;
  TThreadPriority thread_priority_ = TThreadPriority::tpNormal;
  TXPPicShowAbout about_;

  // Read by the animation thread while the user-interface thread may change them.
  std::atomic<bool> manual_{false};
  std::atomic<int> style_{51};
  std::atomic<uint16_t> step_{4};
  std::atomic<uint16_t> delay_{40};
  std::atomic<bool> reverse_{false};
  std::atomic<bool> exact_timing_{false};
  std::atomic<int> progress_{0};
  std::atomic<bool> busy_{false};
  std::atomic<bool> stopping_{false};

  TBitmap screen_;                                // FScreen
  std::unique_ptr<TBitmap> old_pic_;              // FOldPic, only while Busy
  std::unique_ptr<TBitmap> pic_;                  // FPic, only while Busy
  TRect source_rect_;                             // FSourceRect
  TRect pic_rect_;                                // FPicRect
  bool old_pic_is_background_ = false;            // FOldPicIsBackground
  std::atomic<TAnimateThread*> thread_{nullptr};  // FThread
  bool painting_ = false;                         // FPainting
  TCriticalSection lock_;                         // FLock
  // Set by Stop from another thread (a handler on the animation thread): the thread ends and
  // its done message finishes the run as stopped.
  std::atomic<bool> stop_requested_{false};
  // The window is gone (or the object is going): a run ends without events.
  bool going_ = false;
  // Prepare places the new picture before it shows the first frame: no frame is drawn then.
  bool preparing_ = false;
  // Counts runs and loops on the calling thread, so that a loop left behind by a nested run
  // (a handler that stopped this one and executed the next) ends instead of driving the new one.
  unsigned run_ = 0;
  unsigned loop_ = 0;
};

class TXPPicShow : public TCustomXPPicShow {
 public:
  using TCustomXPPicShow::TCustomXPPicShow;
  ~TXPPicShow() override;
};

}  // namespace tarn
