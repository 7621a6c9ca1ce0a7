// Other threads reach the user-interface thread only by posting messages and by synchronous
// hand-offs; these must arrive in order, wake a waiting loop, and never race.
#include <atomic>
#include <thread>

#include "FrameworkFixture.h"
#include "tests/support/RunLoop.h"

namespace tarn::testing {
namespace {

class ThreadTest : public ::testing::Test {
 protected:
  ThreadTest() : host(THeadlessClock::Real), app(std::make_unique<TApplication>(host)) {}
  template <class Done>
  bool LoopUntil(Done done) {
    return RunLoopUntil(*app, host, done, 5000);
  }
  THeadlessHost host;
  std::unique_ptr<TApplication> app;
};

class TCollector : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::pair<intptr_t, intptr_t>> got;  // (thread, sequence)

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_USER + 5) {
      got.emplace_back(m.WParam, m.LParam);
      return;
    }
    TCustomControl::WndProc(m);
  }
};

TEST_F(ThreadTest, MessagesPostedFromThreadsArriveInEachThreadsOrder) {
  auto* form = app->CreateForm<TForm>();
  auto* collector = new TCollector(form);
  collector->SetParent(form);
  const THandle target = collector->Handle();
  constexpr int kThreads = 4;
  constexpr int kEach = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t, target] {
      for (int i = 0; i < kEach; ++i)
        app->PostMessage(target, WM_USER + 5, t, i);
    });
  }
  EXPECT_TRUE(LoopUntil([&] { return collector->got.size() == kThreads * kEach; }));
  for (auto& th : threads)
    th.join();
  std::vector<intptr_t> next(kThreads, 0);
  for (const auto& [thread, seq] : collector->got) {
    ASSERT_EQ(seq, next[static_cast<std::size_t>(thread)]);
    ++next[static_cast<std::size_t>(thread)];
  }
}

TEST_F(ThreadTest, SynchronizeRunsOnTheLoopAndPassesErrorsBack) {
  std::atomic<bool> on_ui{false};
  std::atomic<bool> done{false};
  std::string error;
  std::thread worker([&] {
    app->Synchronize([&] { on_ui = app->IsUIThread(); });
    try {
      app->Synchronize([] { throw Exception("step failed"); });
    } catch (const Exception& e) {
      error = e.Message();
    }
    done = true;
  });
  EXPECT_TRUE(LoopUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_TRUE(on_ui);
  EXPECT_EQ(error, "step failed");
}

TEST_F(ThreadTest, RepaintRequestedFromAnotherThreadPaintsOnTheLoop) {
  auto* form = app->CreateForm<TForm>();
  form->SetBorderStyle(TBorderStyle::bsNone);
  form->SetBounds(0, 0, 50, 50);
  auto* probe = new TProbe(form, "p", Bounds(0, 0, 20, 20), nullptr);
  form->Show();
  app->ProcessMessages();
  const int before = probe->paints;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    probe->Invalidate();
    probe->Update();  // returns once the user-interface thread has painted
    done = true;
  });
  EXPECT_TRUE(LoopUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(probe->paints, before + 1);
}

TEST_F(ThreadTest, WaitingLoopWakesForAPostedMessage) {
  auto* form = app->CreateForm<TForm>();
  auto* collector = new TCollector(form);
  collector->SetParent(form);
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    app->PostMessage(collector->Handle(), WM_USER + 5, 1, 2);
  });
  app->HandleMessage();  // no timer: waits without limit until the post wakes it
  worker.join();
  app->ProcessMessages();
  ASSERT_EQ(collector->got.size(), 1u);
}

}  // namespace
}  // namespace tarn::testing
