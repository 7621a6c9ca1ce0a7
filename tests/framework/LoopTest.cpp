// The application loop: posted messages in order, timers on the loop, exceptions that leave a
// handler shown once while the program goes on, closing, modal boxes. The wizard's flow (the
// worker's hand-back, the slideshow's end message, the error box) runs through these.
#include "FrameworkFixture.h"

#include "framework/Timer.h"
#include "platform/host/VirtualKeys.h"

namespace tarn::testing {
namespace {

using ::testing::ElementsAre;

class LoopTest : public FrameworkTest {};

TEST_F(LoopTest, PostedMessagesArriveInOrderAndNotAtOnce) {
  TForm* form = MakeForm();
  auto* a = new TProbe(form, "a", Bounds(0, 0, 10, 10), &log);
  auto* b = new TProbe(form, "b", Bounds(20, 0, 10, 10), &log);
  app->PostMessage(a, WM_USER + 1, 1);
  app->PostMessage(b, 2024, 2);
  app->PostMessage(a, WM_USER + 1, 3);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(app->PendingMessageCount(), 3u);
  // A message taken out of the queue is delivered by whoever took it.
  TMessage taken;
  EXPECT_TRUE(app->TakeMessage(b->Handle(), 2024, taken));
  EXPECT_EQ(taken.WParam, 2);
  EXPECT_FALSE(app->TakeMessage(b->Handle(), 2024, taken));
  app->PostMessage(b, 2024, 4);
  app->ProcessMessages();
  EXPECT_THAT(log, ElementsAre("a:msg1025/1", "a:msg1025/3", "b:msg2024/4"));
}

TEST_F(LoopTest, MessagePostedToAFreedControlIsDropped) {
  TForm* form = MakeForm();
  auto* a = new TProbe(form, "a", Bounds(0, 0, 10, 10), &log);
  app->PostMessage(a, WM_USER + 1);
  delete a;
  app->ProcessMessages();
  EXPECT_TRUE(log.empty());
}

TEST_F(LoopTest, MessagePostedWhileHandlingWaitsForTheNextRound) {
  TForm* form = MakeForm();
  auto* a = new TProbe(form, "a", Bounds(0, 0, 10, 10), &log);
  int rounds = 0;
  a->OnResize = [&](TObject*) {
    ++rounds;
    if (rounds < 3) app->PostMessage(a, WM_SIZE);
  };
  app->PostMessage(a, WM_SIZE);
  app->HandleMessage();
  EXPECT_EQ(rounds, 1);
  app->ProcessMessages();
  EXPECT_EQ(rounds, 3);
}

TEST_F(LoopTest, TimersFireOnTheLoopAtTheirInterval) {
  auto* timer = new TTimer(app.get());
  std::vector<uint64_t> fired;
  timer->SetInterval(100);
  timer->OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, timer);
    fired.push_back(app->TickCount());
  };
  app->ProcessMessages();
  EXPECT_TRUE(fired.empty());
  host.Advance(99);
  app->ProcessMessages();
  EXPECT_TRUE(fired.empty());
  host.Advance(1);
  app->ProcessMessages();
  EXPECT_THAT(fired, ElementsAre(100u));
  // Waiting in the loop with nothing else to do lets the clock run to the next timer.
  app->HandleMessage();
  app->HandleMessage();
  EXPECT_THAT(fired, ElementsAre(100u, 200u, 300u));
  timer->SetEnabled(false);
  host.Advance(1000);
  app->ProcessMessages();
  EXPECT_EQ(fired.size(), 3u);
  // A timer that stops itself from its own handler fires no more.
  timer->OnTimer = [&](TObject*) {
    fired.push_back(0);
    timer->SetEnabled(false);
  };
  timer->SetEnabled(true);
  host.Advance(500);
  app->ProcessMessages();
  host.Advance(500);
  app->ProcessMessages();
  EXPECT_EQ(fired.size(), 4u);
}

TEST_F(LoopTest, ControlTimersSendWmTimerUntilKilledOrFreed) {
  TForm* form = MakeForm();
  auto* a = new TProbe(form, "a", Bounds(0, 0, 10, 10), &log);
  int ticks = 0;
  class TTicker : public TProbe {
   public:
    using TProbe::TProbe;
    int* ticks = nullptr;
    void WndProc(TMessage& m) override {
      if (m.Msg == WM_TIMER && m.WParam == 7) ++*ticks;
      TProbe::WndProc(m);
    }
  };
  auto* t = new TTicker(form, "t", Bounds(0, 0, 10, 10), &log);
  t->ticks = &ticks;
  app->SetTimer(t, 7, 50);
  host.Advance(50);
  app->ProcessMessages();
  host.Advance(50);
  app->ProcessMessages();
  EXPECT_EQ(ticks, 2);
  delete t;
  host.Advance(50);
  app->ProcessMessages();
  EXPECT_EQ(ticks, 2);
  (void)a;
}

TEST_F(LoopTest, ExceptionInAClickHandlerIsShownOnceAndTheProgramGoesOn) {
  TForm* form = MakeForm();
  auto* a = new TProbe(form, "a", Bounds(10, 10, 50, 40), &log);
  bool after_throw = false;
  a->OnClick = [&](TObject*) {
    throw Exception("\xCA\xFD\xBE\xDD\xBF\xE2");  // CP936 text passes through unchanged
    after_throw = true;
  };
  ShowAndSettle(form);
  log.clear();
  Click(form, 20, 20);
  EXPECT_FALSE(after_throw);
  EXPECT_EQ(boxes, std::vector<std::string>{"\xCA\xFD\xBE\xDD\xBF\xE2"});
  // The rest of that message's handling was skipped (no mouse-up), and the next one works.
  EXPECT_THAT(log, ElementsAre("a:enter", "a:downL@10,10", "a:capturechanged"));
  a->OnClick = [&](TObject*) { log.push_back("ok"); };
  log.clear();
  host.Advance(1000);  // not a double click
  Click(form, 20, 20);
  EXPECT_THAT(log, ElementsAre("a:downL@10,10", "a:capturechanged", "ok", "a:upL@10,10"));
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(LoopTest, OnExceptionReplacesTheErrorBox) {
  TForm* form = MakeForm();
  TObject* sender = nullptr;
  std::string message;
  app->OnException = [&](TObject* s, const std::exception& e) {
    sender = s;
    message = e.what();
  };
  auto* a = new TProbe(form, "a", Bounds(0, 0, 10, 10), &log);
  a->OnResize = [](TObject*) { throw std::runtime_error("resize failed"); };
  app->PostMessage(a, WM_SIZE);
  app->ProcessMessages();
  EXPECT_EQ(sender, a);
  EXPECT_EQ(message, "resize failed");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(LoopTest, FormEventsAndClosingTheMainFormEndsRun) {
  std::vector<std::string> events;
  auto* form = app->CreateForm<TForm>();
  EXPECT_EQ(app->MainForm(), form);
  form->OnShow = [&](TObject*) { events.push_back("show"); };
  form->OnCloseQuery = [&](TObject*, bool& can) {
    events.push_back("query");
    can = events.size() > 2;  // the first close is refused
  };
  form->OnClose = [&](TObject*, TCloseAction&) { events.push_back("close"); };
  form->OnDestroy = [&](TObject*) { events.push_back("destroy"); };
  class TDestroyLogger : public TCustomControl {
   public:
    TDestroyLogger(TCustomForm* form, std::vector<std::string>* events)
        : TCustomControl(form), events_(events) {
      SetParent(form);
    }
    void WndProc(TMessage& m) override {
      if (m.Msg == WM_DESTROY) events_->push_back("wm_destroy");
      TCustomControl::WndProc(m);
    }
    std::vector<std::string>* events_;
  };
  new TDestroyLogger(form, &events);
  form->SetCaption("\xCB\xFE");
  app->SetTimer(10, [&] { form->Close(); });
  app->Run();
  EXPECT_THAT(events, ElementsAre("show", "query", "query", "close"));
  EXPECT_TRUE(app->Terminated());
  EXPECT_EQ(host.FindWindow(form->HostWindow())->Title, "\xCB\xFE");
  app.reset();  // frees the form while it is whole
  EXPECT_THAT(events, ElementsAre("show", "query", "query", "close", "destroy", "wm_destroy"));
}

TEST_F(LoopTest, ExceptionInOnShowIsShownAndTheFormStaysUp) {
  TForm* form = MakeForm();
  bool rest = false;
  form->OnShow = [&](TObject*) {
    throw Exception("missing resource");
    rest = true;
  };
  ShowAndSettle(form);
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(rest);
  EXPECT_EQ(boxes, std::vector<std::string>{"missing resource"});
}

TEST_F(LoopTest, SecondFormClosesByHidingOrFreeing) {
  TForm* main = MakeForm();
  ShowAndSettle(main);
  auto* other = app->CreateForm<TForm>();
  other->Show();
  other->Close();
  EXPECT_FALSE(other->Visible());
  EXPECT_FALSE(app->Terminated());
  other->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  other->Show();
  other->Close();
  EXPECT_EQ(app->Forms().size(), 2u);  // freed only once the loop comes round
  app->ProcessMessages();
  EXPECT_EQ(app->Forms().size(), 1u);
}

TEST_F(LoopTest, DefaultMessageBoxIsAModalDialogClosedByEnter) {
  app->SetMessageBoxHandler(nullptr);
  TForm* form = MakeForm();
  ShowAndSettle(form);
  form->OnClick = [](TObject*) {};
  int result = 0;
  // The dialog's loop handles the key the user presses while it is up.
  app->SetTimer(10, [this] {
    const TCustomForm* active = app->ActiveForm();
    if (active != nullptr && active->Modal()) host.PressKey(active->HostWindow(), VK_RETURN);
  });
  result = app->MessageBox("\xB4\xED\xCE\xF3", "t", MB_OK | MB_ICONSTOP);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(app->Forms().size(), 1u);
  EXPECT_TRUE(form->Enabled());  // enabled again after the modal dialog
  app->SetTimer(10, [this] {
    const TCustomForm* active = app->ActiveForm();
    if (active != nullptr && active->Modal()) host.PressKey(active->HostWindow(), VK_ESCAPE);
  });
  EXPECT_EQ(app->MessageBox("?", "t", MB_YESNO), IDNO);
}

TEST_F(LoopTest, MinimizeAndActiveWindow) {
  TForm* form = MakeForm();
  ShowAndSettle(form);
  EXPECT_TRUE(app->Active());
  app->Minimize();
  app->ProcessMessages();
  EXPECT_TRUE(host.FindWindow(Win(form))->Minimized);
  EXPECT_EQ(form->WindowState(), TWindowState::wsMinimized);
  EXPECT_FALSE(app->Active());
  form->Perform(WM_SYSCOMMAND, SC_RESTORE);
  app->ProcessMessages();
  EXPECT_FALSE(host.FindWindow(Win(form))->Minimized);
}

}  // namespace
}  // namespace tarn::testing
