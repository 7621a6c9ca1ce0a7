// TApplication: the message loop of the user-interface thread. It takes the host's events to the
// forms, delivers posted messages in order (they may come from any thread), fires timers, runs
// calls handed over synchronously by other threads, and paints what was invalidated once per
// turn. An exception that leaves a handler is shown once in the error box and the loop goes on.
//
// One application exists at a time; `Application` points to it while it lives.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/Component.h"
#include "framework/ControlTypes.h"
#include "framework/Messages.h"
#include "framework/WinControl.h"
#include "platform/host/HostEvent.h"

namespace tarn {

class THost;
class TCustomForm;
class TControl;
class THintTracker;
class THintWindow;

// Sees the host's input before the forms do (an open popup menu); returns true when it took
// the event, which then goes no further.
class TInputHook {
 public:
  virtual ~TInputHook() = default;
  virtual bool HostInput(const THostEvent& event) = 0;
};

// Message box flags and results (the platform's numbers).
enum : uint32_t {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_YESNO = 0x4,
  MB_ICONSTOP = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
// Shows a message box (text and caption in code page 936) and returns the button's result.
using TMessageBoxHandler =
    std::function<int(const std::string& text, const std::string& caption, uint32_t flags)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(THost& host);
  ~TApplication() override;

  THost& Host() { return host_; }

  void Initialize() {}
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Builds a form owned by the application and raises its OnCreate; the first form made this
  // way becomes the main form.
  template <class Form, class... Args>
  Form* CreateForm(Args&&... args) {
    auto* form = new Form(this, std::forward<Args>(args)...);
    AdoptForm(form);
    return form;
  }
  TCustomForm* MainForm() const { return main_form_; }
  void SetMainForm(TCustomForm* form) { main_form_ = form; }

  // Shows the main form and runs the loop until it closes or Terminate is called.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles everything pending, paints, and returns without waiting.
  void ProcessMessages();
  // Handles what is pending, or paints and waits for the next message (at most until the next
  // timer is due).
  void HandleMessage();
  // Waits at most timeoutMs for something to handle, then handles it (like HandleMessage).
  void HandleMessageWithin(int timeoutMs);

  void Minimize();
  void Restore();
  // A form of the application has the desktop's keyboard focus.
  bool Active() const;
  TCustomForm* ActiveForm() const;

  // --- Messages. Posting is safe from any thread.
  void PostMessage(THandle target, uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0);
  void PostMessage(TWinControl* target, uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0) {
    PostMessage(target ? target->Handle() : 0, msg, wParam, lParam);
  }
  // Takes the first posted message for `target` with that number from the queue (user-interface
  // thread only); false when there is none.
  bool TakeMessage(THandle target, uint32_t msg, TMessage& out);
  // Number of posted messages not delivered yet.
  std::size_t PendingMessageCount();
  // Runs fn on the user-interface thread inside its loop and waits for it; an exception fn
  // raises is raised again in the calling thread. Runs fn at once on the user-interface thread.
  void Synchronize(const std::function<void()>& fn);
  // Runs the calls other threads are waiting in Synchronize for (from a wait of the
  // user-interface thread that must keep serving them).
  void ProcessSynchronized();
  bool IsUIThread() const { return std::this_thread::get_id() == ui_thread_; }

  // --- Timers on the user-interface thread: WM_TIMER to a control, or a callback.
  void SetTimer(TWinControl* target, uint32_t id, uint32_t intervalMs);
  void KillTimer(TWinControl* target, uint32_t id);
  // A callback timer; returns its id (never 0).
  uint32_t SetTimer(uint32_t intervalMs, std::function<void()> callback);
  void KillTimer(uint32_t id);
  uint64_t TickCount();

  // --- Mouse capture (one control of the application at a time).
  TControl* Capture() const { return capture_; }
  void SetCapture(TControl* control);
  void ReleaseCapture() { SetCapture(nullptr); }
  // The pointer's screen position.
  TPoint CursorPos();
  // The topmost control at a screen position, over all shown forms.
  TControl* FindControlAtScreen(TPoint screen, bool allowDisabled);
  TCustomForm* FindFormAtScreen(TPoint screen);
  // The control with the keyboard focus, or none.
  TWinControl* FocusedControl() const;
  // Modifier keys held now.
  TShiftState ShiftState() const { return shift_state_; }

  // --- Input hooks (the newest sees the input first)
  void AddInputHook(TInputHook* hook);
  void RemoveInputHook(TInputHook* hook);

  // --- Hints: shown for the control under the pointer after HintPause, hidden after
  // HintHidePause, on leaving the control, on a click or a key.
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool value);
  uint32_t HintPause() const { return hint_pause_; }
  void SetHintPause(uint32_t ms) { hint_pause_ = ms; }
  uint32_t HintHidePause() const { return hint_hide_pause_; }
  void SetHintHidePause(uint32_t ms) { hint_hide_pause_ = ms; }
  // Hides the hint; it comes back only after the pointer moves to another control.
  void CancelHint();
  // The hint window while a hint is shown, or none.
  THintWindow* ActiveHintWindow() const;

  // --- Exceptions and message boxes
  void HandleException(TObject* sender, const std::exception& e);
  void HandleUnknownException(TObject* sender);
  void ShowException(const std::exception& e);
  int MessageBox(const std::string& text, const std::string& caption, uint32_t flags = MB_OK);
  void SetMessageBoxHandler(TMessageBoxHandler handler) { message_box_ = std::move(handler); }
  TExceptionEvent OnException;
  TNotifyEvent OnIdle;

  // --- Forms (the framework's own bookkeeping)
  const std::vector<TCustomForm*>& Forms() const { return forms_; }
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  bool HasForm(const TCustomForm* form) const;
  void ControlGoing(TControl* control);
  void AdoptForm(TCustomForm* form);
  void KillTimers(TWinControl* target);

 private:
  struct Posted {
    THandle Target = 0;
    TMessage Message;
  };
  struct SyncCall {
    const std::function<void()>* Fn = nullptr;
    std::exception_ptr Error;
    bool Done = false;
  };
  struct Timer {
    THandle Target = 0;  // 0 for a callback timer
    uint32_t Id = 0;
    uint32_t Interval = 0;
    uint64_t Due = 0;
    std::shared_ptr<std::function<void()>> Callback;
  };

  // One round over everything pending; true when anything was handled.
  bool ProcessRound();
  void Idle();
  int MillisecondsToNextTimer();
  bool FireDueTimers();
  void DispatchHostEvent(const THostEvent& event);
  void DeliverPosted(const Posted& posted);
  bool ProcessSynchronizedCalls();

  THost& host_;
  std::thread::id ui_thread_;
  std::string title_;
  TCustomForm* main_form_ = nullptr;
  bool terminated_ = false;
  std::vector<TCustomForm*> forms_;
  TControl* capture_ = nullptr;
  TShiftState shift_state_ = 0;
  TMessageBoxHandler message_box_;

  std::mutex queue_mutex_;  // posted messages and synchronised calls come from other threads
  std::condition_variable sync_done_;
  std::deque<Posted> posted_;
  std::deque<SyncCall*> sync_calls_;
  bool shutting_down_ = false;

  std::vector<Timer> timers_;
  uint32_t next_timer_id_ = 1;

  std::vector<TInputHook*> input_hooks_;
  bool show_hint_ = true;
  uint32_t hint_pause_ = 500;
  uint32_t hint_hide_pause_ = 2500;
  std::unique_ptr<THintTracker> hint_;
};

// The application while it lives.
extern TApplication* Application;

}  // namespace tarn
