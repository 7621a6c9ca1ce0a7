// The thread class and its hand-off: the wizard's copy worker hands every step to the
// user-interface thread and frees itself, and the picture show waits for its animation thread
// while that thread may be blocked in a repaint request. Order, ownership and the absence of
// deadlocks and races are what this protects (the file also runs under the thread sanitizer).
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "FrameworkFixture.h"
#include "framework/CriticalSection.h"
#include "framework/Thread.h"
#include "tests/support/RunLoop.h"

namespace tarn::testing {
namespace {

class ThreadClassTest : public ::testing::Test {
 protected:
  ThreadClassTest() : host(THeadlessClock::Real), app(std::make_unique<TApplication>(host)) {}
  // A message-pumping wait.
  template <class Done>
  bool PumpUntil(Done done) {
    return RunLoopUntil(*app, host, done);
  }
  THeadlessHost host;
  std::unique_ptr<TApplication> app;
};

// Hands `count` calls over one by one, each recording its number and whether it ran on the
// user-interface thread.
class THandingThread : public TThread {
 public:
  THandingThread(bool suspended, int count, std::vector<int>& order, std::atomic<int>& offUi,
                 std::atomic<bool>& destroyed)
      : TThread(suspended), count_(count), order_(order), off_ui_(offUi), destroyed_(destroyed) {}
  ~THandingThread() override { destroyed_ = true; }

 protected:
  void Execute() override {
    for (int i = 0; i < count_ && !Terminated(); ++i) {
      Synchronize([this, i] {
        if (!Application->IsUIThread()) ++off_ui_;
        order_.push_back(i);
      });
    }
    SetReturnValue(count_);
  }

 private:
  int count_;
  std::vector<int>& order_;
  std::atomic<int>& off_ui_;
  std::atomic<bool>& destroyed_;
};

std::vector<int> Iota(int n) {
  std::vector<int> v(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    v[static_cast<std::size_t>(i)] = i;
  return v;
}

TEST_F(ThreadClassTest, ThousandHandOffsRunOnTheLoopInOrderAndTheWorkerFreesItself) {
  std::vector<int> order;
  std::atomic<int> off_ui{0};
  std::atomic<bool> destroyed{false};
  std::atomic<bool> terminated_on_ui{false};
  auto* worker = new THandingThread(true, 1000, order, off_ui, destroyed);
  worker->SetFreeOnTerminate(true);
  worker->OnTerminate = [&](TObject*) { terminated_on_ui = app->IsUIThread(); };
  worker->Start();  // from here on the worker belongs to itself
  ASSERT_TRUE(PumpUntil([&] { return destroyed.load(); }));
  EXPECT_EQ(order, Iota(1000));
  EXPECT_EQ(off_ui.load(), 0);
  EXPECT_TRUE(terminated_on_ui.load());
}

TEST_F(ThreadClassTest, WaitingOnTheLoopServesTheHandOffsOfTheThreadWaitedFor) {
  std::vector<int> order;
  std::atomic<int> off_ui{0};
  std::atomic<bool> destroyed{false};
  auto* worker = TThread::Create<THandingThread>(false, 1000, order, off_ui, destroyed);
  // No loop runs here: only the wait itself can serve the worker.
  EXPECT_EQ(worker->WaitFor(), 1000);
  EXPECT_TRUE(worker->Finished());
  EXPECT_EQ(order, Iota(1000));
  EXPECT_EQ(off_ui.load(), 0);
  delete worker;
  EXPECT_TRUE(destroyed.load());
}

// Repaints a control from its own thread until told to stop, as the picture show's animation
// thread does for every frame.
class TRepaintingThread : public TThread {
 public:
  TRepaintingThread(TControl* control, std::atomic<int>& frames)
      : TThread(false), control_(control), frames_(frames) {}

 protected:
  void Execute() override {
    while (!Terminated()) {
      control_->Invalidate();
      control_->Update();  // waits for the user-interface thread to paint
      ++frames_;
    }
  }

 private:
  TControl* control_;
  std::atomic<int>& frames_;
};

TEST_F(ThreadClassTest, WaitingForAThreadBlockedInARepaintRequestDoesNotDeadlock) {
  auto* form = app->CreateForm<TForm>();
  form->SetBorderStyle(TBorderStyle::bsNone);
  form->SetBounds(0, 0, 60, 40);
  auto* probe = new TProbe(form, "p", Bounds(0, 0, 20, 20), nullptr);
  form->Show();
  app->ProcessMessages();
  const int paints_before = probe->paints;
  std::atomic<int> frames{0};
  for (int round = 0; round < 20; ++round) {
    auto* thread = TThread::Create<TRepaintingThread>(probe, frames);
    // Let it get well into its repaint requests, then stop it from inside a wait.
    const int target = frames.load() + 3;
    ASSERT_TRUE(PumpUntil([&] { return frames.load() >= target; }));
    thread->Terminate();
    ASSERT_TRUE(thread->WaitFor(5000)) << "round " << round;
    delete thread;
  }
  EXPECT_GE(probe->paints - paints_before, 60);
}

TEST_F(ThreadClassTest, TheDestructorStopsAndWaitsForARunningThread) {
  struct TSpinner : TThread {
    explicit TSpinner(std::atomic<int>& spins) : TThread(false), spins_(spins) {}
    ~TSpinner() override { TerminateAndWait(); }
    void Execute() override {
      while (!Terminated()) {
        ++spins_;
        std::this_thread::yield();
      }
    }
    std::atomic<int>& spins_;
  };
  std::atomic<int> spins{0};
  auto* spinner = TThread::Create<TSpinner>(spins);
  while (spins.load() == 0)
    std::this_thread::yield();
  delete spinner;
  const int after = spins.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(spins.load(), after);
}

TEST_F(ThreadClassTest, SuspendedThreadsWaitForStartAndKeepTheirResultAndFailure) {
  struct TFailing : TThread {
    TFailing() : TThread(true) {}
    void Execute() override {
      SetReturnValue(7);
      throw Exception("worker failed");
    }
  };
  TFailing thread;
  thread.AfterConstruction();  // created suspended: this does not start it
  EXPECT_TRUE(thread.Suspended());
  EXPECT_THROW(thread.WaitFor(), Exception);
  thread.Start();
  EXPECT_THROW(thread.Start(), Exception);
  EXPECT_EQ(thread.WaitFor(), 7);
  ASSERT_TRUE(thread.FatalException());
  try {
    std::rethrow_exception(thread.FatalException());
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "worker failed");
  }
}

TEST_F(ThreadClassTest, ATerminatedThreadStartedLaterSkipsItsBody) {
  struct TCounting : TThread {
    TCounting() : TThread(true) {}
    void Execute() override { ran = true; }
    std::atomic<bool> ran{false};
  };
  TCounting thread;
  thread.Terminate();
  thread.Start();
  thread.WaitFor();
  EXPECT_FALSE(thread.ran.load());
}

TEST_F(ThreadClassTest, PriorityIsStoredAndALowerOneIsApplied) {
  struct TNiceProbe : TThread {
    TNiceProbe() : TThread(true) {}
    void Execute() override { nice = getpriority(PRIO_PROCESS, 0); }
    std::atomic<int> nice{-100};
  };
  const int own = getpriority(PRIO_PROCESS, 0);
  TNiceProbe probe;
  EXPECT_EQ(probe.Priority(), TThreadPriority::tpNormal);
  probe.SetPriority(TThreadPriority::tpLower);
  EXPECT_EQ(probe.Priority(), TThreadPriority::tpLower);
  probe.Start();
  probe.WaitFor();
  EXPECT_EQ(probe.nice.load(), std::min(own + 5, 19));
  EXPECT_EQ(getpriority(PRIO_PROCESS, 0), own);  // the waiting thread kept its own
}

TEST_F(ThreadClassTest, WaitingOffTheLoopAndWaitingWithALimit) {
  struct TGate : TThread {
    TGate() : TThread(false) {}
    void Execute() override {
      while (!open.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::atomic<bool> open{false};
  };
  auto* gate = TThread::Create<TGate>();
  EXPECT_FALSE(gate->WaitFor(20));  // still closed: the wait gives up
  bool waited = false;
  std::thread other([&] {
    gate->WaitFor();  // another thread than the user-interface one
    waited = true;
  });
  gate->open = true;
  other.join();
  EXPECT_TRUE(waited);
  delete gate;
}

TEST_F(ThreadClassTest, HandOffsFromAThreadRaiseItsErrorsThere) {
  std::string message;
  struct TRaising : TThread {
    explicit TRaising(std::string& m) : TThread(false), m_(m) {}
    void Execute() override {
      try {
        Synchronize([] { throw Exception("step failed"); });
      } catch (const Exception& e) {
        m_ = e.Message();
      }
    }
    std::string& m_;
  };
  auto* thread = TThread::Create<TRaising>(message);
  thread->WaitFor();
  delete thread;
  EXPECT_EQ(message, "step failed");
}

TEST(ThreadWithoutApplicationTest, HandOffWithoutAnApplicationIsAClearError) {
  EXPECT_THROW(TThread::Synchronize([] {}), Exception);
}

TEST(CriticalSectionTest, SerialisesThreadsAndMayBeEnteredAgainByItsHolder) {
  TCriticalSection section;
  long counter = 0;
  auto work = [&] {
    for (int i = 0; i < 20000; ++i) {
      TCriticalSectionLock outer(section);
      TCriticalSectionLock inner(section);  // the holder enters again
      ++counter;
    }
  };
  std::thread a(work);
  std::thread b(work);
  a.join();
  b.join();
  EXPECT_EQ(counter, 40000);
  section.Enter();
  std::thread c([&] { EXPECT_FALSE(section.TryEnter()); });
  c.join();
  section.Leave();
}

}  // namespace
}  // namespace tarn::testing
