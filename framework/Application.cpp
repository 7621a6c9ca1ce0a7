#include "framework/Application.h"

#include <algorithm>

#include "base/Exception.h"
#include "framework/ExceptionGuard.h"
#include "framework/Form.h"
#include "framework/HandOffSignal.h"
#include "framework/HintTracker.h"
#include "framework/MessageDialog.h"
#include "framework/ModifierKeys.h"
#include "platform/host/Host.h"

namespace tarn {

TApplication* Application = nullptr;

namespace {

// Rounds a busy ProcessMessages may run before it returns (a timer of 1 ms on a real clock
// could otherwise keep it forever).
constexpr int kMaxRounds = 1000;
// Host events taken in one round, so that posted messages and timers are not starved.
constexpr int kHostEventsPerRound = 256;

}  // namespace

TApplication::TApplication(THost& host)
    : TComponent(nullptr), host_(host), ui_thread_(std::this_thread::get_id()) {
  if (Application != nullptr) throw Exception("Only one application can exist at a time");
  Application = this;
  hint_ = std::make_unique<THintTracker>(*this);
}

TApplication::~TApplication() {
  {
    std::lock_guard<std::mutex> lock(queue_mutex_);
    shutting_down_ = true;
    // Threads waiting for the loop are told it has ended instead of waiting forever.
    for (SyncCall* call : sync_calls_) {
      call->Error = std::make_exception_ptr(Exception("The application has ended"));
      call->Done = true;
    }
    sync_calls_.clear();
    posted_.clear();
  }
  sync_done_.notify_all();
  hint_->Cancel();
  // Forms go first, each with its OnDestroy while it is still whole.
  for (int i = ComponentCount() - 1; i >= 0; --i) {
    if (i >= ComponentCount()) continue;
    if (auto* form = dynamic_cast<TCustomForm*>(Components(i))) form->Free();
  }
  for (TCustomForm* form : std::vector<TCustomForm*>(forms_))
    form->DestroyHostWindow();
  forms_.clear();
  timers_.clear();
  Application = nullptr;
}

// --- Forms

void TApplication::AdoptForm(TCustomForm* form) {
  if (main_form_ == nullptr) main_form_ = form;
  form->AfterConstruction();
}

void TApplication::AddForm(TCustomForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TApplication::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (main_form_ == form) main_form_ = nullptr;
  if (InSubtree(form, capture_)) capture_ = nullptr;
}

bool TApplication::HasForm(const TCustomForm* form) const {
  return std::find(forms_.begin(), forms_.end(), form) != forms_.end();
}

void TApplication::ControlGoing(TControl* control) {
  hint_->ControlGoing(control);
  if (!InSubtree(control, capture_)) return;
  if (control->Destroying() || capture_->Destroying()) {
    TControl* old = capture_;
    capture_ = nullptr;
    if (TCustomForm* form = old->ParentForm(); form != nullptr && form->HostWindow() != 0) {
      host_.CaptureMouse(form->HostWindow(), false);
    }
  } else {
    SetCapture(nullptr);
  }
}

// --- The loop

void TApplication::Run() {
  if (main_form_ == nullptr) return;
  if (!main_form_->Visible()) {
    Guard(main_form_, [this] { main_form_->Show(); });
  }
  while (!terminated_ && main_form_ != nullptr)
    HandleMessage();
}

void TApplication::Terminate() {
  terminated_ = true;
  host_.Wake();
}

void TApplication::ProcessMessages() {
  for (int i = 0; i < kMaxRounds && ProcessRound(); ++i) {
  }
  Idle();
}

void TApplication::HandleMessage() {
  HandleMessageWithin(-1);
}

void TApplication::HandleMessageWithin(int timeoutMs) {
  if (ProcessRound()) return;
  Idle();
  if (terminated_) return;
  int wait = MillisecondsToNextTimer();
  if (timeoutMs >= 0 && (wait < 0 || timeoutMs < wait)) wait = timeoutMs;
  host_.WaitEvent(wait);
  ProcessRound();
}

bool TApplication::ProcessRound() {
  bool did = false;
  if (ProcessSynchronizedCalls()) did = true;

  // The messages posted so far; what their handlers post waits for the next round.
  std::size_t count;
  {
    std::lock_guard<std::mutex> lock(queue_mutex_);
    count = posted_.size();
  }
  for (std::size_t i = 0; i < count; ++i) {
    Posted posted;
    {
      std::lock_guard<std::mutex> lock(queue_mutex_);
      if (posted_.empty()) break;
      posted = posted_.front();
      posted_.pop_front();
    }
    did = true;
    DeliverPosted(posted);
  }

  THostEvent event;
  for (int i = 0; i < kHostEventsPerRound && host_.PollEvent(event); ++i) {
    did = true;
    DispatchHostEvent(event);
  }

  if (FireDueTimers()) did = true;
  return did;
}

void TApplication::Idle() {
  for (TCustomForm* form : std::vector<TCustomForm*>(forms_)) {
    if (HasForm(form)) Guard(form, [form] { form->UpdateMouseControl(); });
  }
  if (OnIdle) Guard(this, [this] { OnIdle(this); });
  for (TCustomForm* form : std::vector<TCustomForm*>(forms_)) {
    if (HasForm(form)) Guard(form, [form] { form->PaintPending(); });
  }
}

void TApplication::DispatchHostEvent(const THostEvent& event) {
  shift_state_ = HostShiftState(event.Modifiers);
  if (event.Kind == THostEventKind::Quit) {
    Terminate();
    return;
  }
  for (TInputHook* hook : std::vector<TInputHook*>(input_hooks_)) {
    // A hook removed by an earlier one in this round is gone.
    if (std::find(input_hooks_.begin(), input_hooks_.end(), hook) == input_hooks_.end()) continue;
    bool taken = false;
    Guard(this, [&] { taken = hook->HostInput(event); });
    if (taken) return;
  }
  hint_->BeforeInput(event);
  for (TCustomForm* form : forms_) {
    if (form->HostWindow() == event.Window && event.Window != 0) {
      Guard(form, [form, &event] { form->HandleHostEvent(event); });
      break;
    }
  }
  hint_->AfterInput(event);
}

// --- Input hooks and hints

void TApplication::AddInputHook(TInputHook* hook) {
  RemoveInputHook(hook);
  input_hooks_.insert(input_hooks_.begin(), hook);
}

void TApplication::RemoveInputHook(TInputHook* hook) {
  input_hooks_.erase(std::remove(input_hooks_.begin(), input_hooks_.end(), hook),
                     input_hooks_.end());
}

void TApplication::SetShowHint(bool value) {
  show_hint_ = value;
  if (!value) hint_->Cancel();
}

void TApplication::CancelHint() {
  hint_->Cancel();
}

THintWindow* TApplication::ActiveHintWindow() const {
  return hint_->ActiveWindow();
}

void TApplication::DeliverPosted(const Posted& posted) {
  TWinControl* target = TWinControl::FindControl(posted.Target);
  if (target == nullptr) return;  // posted to a control that is gone
  Guard(target, [target, &posted] {
    TMessage m = posted.Message;
    target->WndProc(m);
  });
}

// --- Messages

void TApplication::PostMessage(THandle target, uint32_t msg, intptr_t wParam, intptr_t lParam) {
  {
    std::lock_guard<std::mutex> lock(queue_mutex_);
    if (shutting_down_) return;
    posted_.push_back({target, TMessage{msg, wParam, lParam, 0}});
  }
  host_.Wake();
}

bool TApplication::TakeMessage(THandle target, uint32_t msg, TMessage& out) {
  std::lock_guard<std::mutex> lock(queue_mutex_);
  for (auto it = posted_.begin(); it != posted_.end(); ++it) {
    if (it->Target == target && it->Message.Msg == msg) {
      out = it->Message;
      posted_.erase(it);
      return true;
    }
  }
  return false;
}

std::size_t TApplication::PendingMessageCount() {
  std::lock_guard<std::mutex> lock(queue_mutex_);
  return posted_.size();
}

void TApplication::Synchronize(const std::function<void()>& fn) {
  if (IsUIThread()) {
    fn();
    return;
  }
  SyncCall call;
  call.Fn = &fn;
  {
    std::lock_guard<std::mutex> lock(queue_mutex_);
    if (shutting_down_) throw Exception("The application has ended");
    sync_calls_.push_back(&call);
  }
  host_.Wake();
  THandOffSignal::Notify();  // a user-interface thread waiting for a thread serves it too
  {
    std::unique_lock<std::mutex> lock(queue_mutex_);
    sync_done_.wait(lock, [&call] { return call.Done; });
  }
  if (call.Error) std::rethrow_exception(call.Error);
}

void TApplication::ProcessSynchronized() {
  ProcessSynchronizedCalls();
}

bool TApplication::ProcessSynchronizedCalls() {
  bool did = false;
  for (;;) {
    SyncCall* call;
    {
      std::lock_guard<std::mutex> lock(queue_mutex_);
      if (sync_calls_.empty()) break;
      call = sync_calls_.front();
      sync_calls_.pop_front();
    }
    did = true;
    try {
      (*call->Fn)();
    } catch (...) {
      call->Error = std::current_exception();
    }
    {
      std::lock_guard<std::mutex> lock(queue_mutex_);
      call->Done = true;
    }
    sync_done_.notify_all();
  }
  return did;
}

// --- Timers

uint64_t TApplication::TickCount() {
  return host_.TickCount();
}

void TApplication::SetTimer(TWinControl* target, uint32_t id, uint32_t intervalMs) {
  if (target == nullptr) return;
  const uint32_t interval = std::max<uint32_t>(intervalMs, 1);
  const uint64_t due = TickCount() + interval;
  for (Timer& t : timers_) {
    if (t.Target == target->Handle() && t.Id == id) {
      t.Interval = interval;
      t.Due = due;
      return;
    }
  }
  timers_.push_back({target->Handle(), id, interval, due, nullptr});
}

void TApplication::KillTimer(TWinControl* target, uint32_t id) {
  if (target == nullptr) return;
  const THandle h = target->Handle();
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [h, id](const Timer& t) { return t.Target == h && t.Id == id; }),
                timers_.end());
}

void TApplication::KillTimers(TWinControl* target) {
  const THandle h = target->Handle();
  timers_.erase(
      std::remove_if(timers_.begin(), timers_.end(), [h](const Timer& t) { return t.Target == h; }),
      timers_.end());
}

uint32_t TApplication::SetTimer(uint32_t intervalMs, std::function<void()> callback) {
  const uint32_t interval = std::max<uint32_t>(intervalMs, 1);
  const uint32_t id = next_timer_id_++;
  timers_.push_back({0, id, interval, TickCount() + interval,
                     std::make_shared<std::function<void()>>(std::move(callback))});
  return id;
}

void TApplication::KillTimer(uint32_t id) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [id](const Timer& t) { return t.Target == 0 && t.Id == id; }),
                timers_.end());
}

int TApplication::MillisecondsToNextTimer() {
  if (timers_.empty()) return -1;
  const uint64_t now = TickCount();
  uint64_t next = UINT64_MAX;
  for (const Timer& t : timers_)
    next = std::min(next, t.Due);
  return next <= now ? 0 : static_cast<int>(std::min<uint64_t>(next - now, 1u << 30));
}

bool TApplication::FireDueTimers() {
  const uint64_t now = TickCount();
  std::vector<std::pair<THandle, uint32_t>> due;
  for (const Timer& t : timers_) {
    if (t.Due <= now) due.emplace_back(t.Target, t.Id);
  }
  bool did = false;
  for (const auto& entry : due) {
    // Copies, not bindings: clang 14 cannot capture structured bindings in a lambda.
    const THandle target = entry.first;
    const uint32_t id = entry.second;
    // A handler may have killed or reset the timer meanwhile.
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& t) { return t.Target == target && t.Id == id; });
    if (it == timers_.end() || it->Due > now) continue;
    it->Due = now + it->Interval;
    did = true;
    if (target == 0) {
      auto callback = it->Callback;  // kept alive if the timer is killed from inside
      Guard(this, [&callback] { (*callback)(); });
    } else if (TWinControl* control = TWinControl::FindControl(target)) {
      Guard(control, [control, id = id] { control->Perform(WM_TIMER, id); });
    } else {
      timers_.erase(it);
    }
  }
  return did;
}

// --- Forms and input

void TApplication::Minimize() {
  for (TCustomForm* form : forms_) {
    if (form->Visible()) form->SetWindowState(TWindowState::wsMinimized);
  }
}

void TApplication::Restore() {
  for (TCustomForm* form : forms_) {
    if (form->Visible()) form->SetWindowState(TWindowState::wsNormal);
  }
}

bool TApplication::Active() const {
  return ActiveForm() != nullptr;
}

TCustomForm* TApplication::ActiveForm() const {
  for (TCustomForm* form : forms_) {
    if (form->Active()) return form;
  }
  return nullptr;
}

TWinControl* TApplication::FocusedControl() const {
  TCustomForm* form = ActiveForm();
  if (form == nullptr) return nullptr;
  return form->ActiveControl() ? form->ActiveControl() : form;
}

void TApplication::SetCapture(TControl* control) {
  if (control == capture_) return;
  TControl* old = capture_;
  capture_ = control;
  TCustomForm* old_form = old ? old->ParentForm() : nullptr;
  TCustomForm* new_form = control ? control->ParentForm() : nullptr;
  if (old_form != nullptr && old_form != new_form && old_form->HostWindow() != 0) {
    host_.CaptureMouse(old_form->HostWindow(), false);
  }
  if (new_form != nullptr && new_form->HostWindow() != 0) {
    host_.CaptureMouse(new_form->HostWindow(), true);
  } else if (control == nullptr && old_form != nullptr && old_form->HostWindow() != 0) {
    host_.CaptureMouse(old_form->HostWindow(), false);
  }
  if (old != nullptr && !old->Destroying()) {
    old->Perform(WM_CAPTURECHANGED, 0, reinterpret_cast<intptr_t>(control));
  }
}

TPoint TApplication::CursorPos() {
  return host_.CursorPos();
}

TCustomForm* TApplication::FindFormAtScreen(TPoint screen) {
  auto hit = [&screen](TCustomForm* form) {
    if (!form->Visible() || form->WindowState() == TWindowState::wsMinimized) return false;
    const TPoint p{screen.X - form->Left(), screen.Y - form->Top()};
    if (!Rect(0, 0, form->Width(), form->Height()).Contains(p)) return false;
    return form->WindowRegion() == nullptr || form->WindowRegion()->Contains(p);
  };
  // The active form lies on top of the others.
  if (TCustomForm* active = ActiveForm(); active != nullptr && hit(active)) return active;
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
    if (hit(*it)) return *it;
  }
  return nullptr;
}

TControl* TApplication::FindControlAtScreen(TPoint screen, bool allowDisabled) {
  TCustomForm* form = FindFormAtScreen(screen);
  if (form == nullptr) return nullptr;
  const TPoint p = form->ScreenToClient(screen);
  TControl* c = form->ControlAtPos(p, allowDisabled);
  return c ? c : form;
}

// --- Exceptions

void TApplication::HandleException(TObject* sender, const std::exception& e) {
  if (OnException) {
    try {
      OnException(sender, e);
      return;
    } catch (const std::exception& inner) {
      ShowException(inner);
      return;
    } catch (...) {
      ShowException(Exception("Unknown exception"));
      return;
    }
  }
  ShowException(e);
}

void TApplication::HandleUnknownException(TObject* sender) {
  HandleException(sender, Exception("Unknown exception"));
}

void TApplication::ShowException(const std::exception& e) {
  const auto* own = dynamic_cast<const Exception*>(&e);
  const std::string text = own ? own->Message() : std::string(e.what());
  try {
    MessageBox(text, title_, MB_OK | MB_ICONSTOP);
  } catch (...) {
    // The error box itself failed; there is nothing left to tell the user with.
  }
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  if (message_box_) return message_box_(text, caption, flags);
  return ShowMessageDialog(text, caption, flags);
}

}  // namespace tarn
