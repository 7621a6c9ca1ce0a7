// The picture show with its animation thread: frames are drawn on the thread and shown through
// synchronous repaints, the end is reported on the user-interface thread, and Stop, a switch to
// Manual, a handler on the thread, freeing the control and ending the application in the middle
// of a run must all end the thread cleanly (this file also runs under the thread sanitizer).
#include <atomic>
#include <chrono>
#include <thread>

#include "PicShowFixture.h"
#include "slideshow/effects/EffectRandom.h"
#include "tests/support/RunLoop.h"

namespace tarn::testing {
namespace {

using ::testing::ElementsAre;

class PicShowThreadTest : public PicShowTest {
 protected:
  PicShowThreadTest() : PicShowTest(THeadlessClock::Real) {
    show->SetThreaded(true);
    show->SetDelay(2);
  }
  template <class Done>
  bool PumpUntil(Done done) {
    return RunLoopUntil(*app, host, done);
  }
  // Logs the end events, checking that they come on the user-interface thread.
  void LogEnd(TXPPicShow* s) {
    s->OnComplete = [this](TObject*) {
      EXPECT_TRUE(app->IsUIThread());
      log.push_back("complete");
    };
    s->OnStop = [this](TObject*) {
      EXPECT_TRUE(app->IsUIThread());
      log.push_back("stop");
    };
  }
};

TEST_F(PicShowThreadTest, FramesAreDrawnOnTheThreadAndTheEndIsReportedOnTheLoop) {
  const Bitmap32 first = Pattern(50, 30, 50), second = Pattern(50, 30, 51);
  show->SetStep(100);
  show->SetThreaded(false);
  Run(first);
  show->SetThreaded(true);
  show->SetStep(4);
  show->SetStyle(66);  // a shred: frames from the running random sequence
  LogEnd(show);
  std::atomic<int> frames{0}, off_ui{0}, wrong{0};
  uint32_t seed = 0;  // the animation thread's own
  show->OnBeforeNewFrame = [&](TObject*, TBitmap*, TBitmap*) { seed = RandSeed(); };
  show->OnAfterNewFrame = [&](TObject*, TBitmap*, TBitmap* screen) {
    const uint32_t after = RandSeed();
    SetRandSeed(seed);
    if (!(screen->Image() == ExpectedFrame(66, first, second, show->Progress()))) ++wrong;
    SetRandSeed(after);
  };
  show->OnProgress = [&](TObject*) {
    ++frames;
    if (!app->IsUIThread()) ++off_ui;
  };
  Run(second);
  EXPECT_TRUE(show->Busy());  // Execute returned at once
  ASSERT_TRUE(PumpUntil([&] { return !show->Busy(); }));
  EXPECT_EQ(frames.load(), 25);
  EXPECT_EQ(off_ui.load(), 25);
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_THAT(log, ElementsAre("complete", "stop"));
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 50, 30)), second));
}

TEST_F(PicShowThreadTest, StopFromTheLoopKeepsTheFrameReached) {
  LogEnd(show);
  show->SetStep(2);
  show->SetDelay(3);
  Bitmap32 start;
  int starts = 0;
  show->OnStart = [&](TObject*, TBitmap*, TBitmap* screen) {
    ++starts;
    start = screen->Image();
  };
  const Bitmap32 picture = Pattern(60, 40, 52), intruder = Pattern(60, 40, 53);
  for (int round = 0; round < 10; ++round) {
    log.clear();
    starts = 0;
    show->Clear();
    Run(picture);
    const int target = 6 + 6 * round;
    ASSERT_TRUE(PumpUntil([&] { return show->Progress() >= target; })) << round;
    Run(intruder);  // ignored: the running transition goes on
    show->Stop();
    EXPECT_FALSE(show->Busy());
    EXPECT_EQ(starts, 1);
    EXPECT_THAT(log, ElementsAre("stop")) << round;
    const int reached = show->Progress();
    EXPECT_GE(reached, target);
    EXPECT_LT(reached, 100);
    EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 60, 40)),
                            ExpectedFrame(51, start, picture, reached)))
        << "round " << round << " at " << reached;
    EXPECT_EQ(log.size(), 1u);  // nothing more arrives later
  }
}

TEST_F(PicShowThreadTest, FreeingTheControlOrItsFormInTheMiddleOfARunRaisesNoEvents) {
  for (int round = 0; round < 8; ++round) {
    auto* s = new TXPPicShow(form);
    s->SetParent(form);
    s->SetBounds(0, 0, 80, 60);
    s->SetDelay(1);
    s->SetStep(1);
    s->SetStyle(1 + round * 21);
    LogEnd(s);
    s->OnProgress = [](TObject*) { std::this_thread::yield(); };
    const Bitmap32 picture = Pattern(80, 60, 60 + round);
    Hold(s->Picture(), picture);
    s->Execute();
    ASSERT_TRUE(PumpUntil([&] { return s->Progress() >= 5 + round; }));
    delete s;
    app->ProcessMessages();  // its last message finds no control
  }
  // A whole form with a running show.
  auto* other = app->CreateForm<TForm>();
  other->SetBounds(200, 0, 120, 100);
  auto* s = new TXPPicShow(other);
  s->SetParent(other);
  s->SetDelay(1);
  s->SetStep(1);
  LogEnd(s);
  other->Show();
  const Bitmap32 picture = Pattern(90, 70, 70);
  Hold(s->Picture(), picture);
  s->Execute();
  ASSERT_TRUE(PumpUntil([&] { return s->Progress() >= 10; }));
  other->Free();
  app->ProcessMessages();
  EXPECT_TRUE(log.empty());
}

TEST_F(PicShowThreadTest, SwitchingToManualFreezesTheRunAndSwitchingBackResumesIt) {
  LogEnd(show);
  show->SetStep(2);
  std::atomic<int> last{0};
  std::vector<int> after_resume;  // written on the thread, read after it has gone
  std::atomic<bool> resumed{false};
  show->OnProgress = [&](TObject*) {
    last = show->Progress();
    if (resumed) after_resume.push_back(show->Progress());
  };
  Run(Pattern(40, 30, 54));
  ASSERT_TRUE(PumpUntil([&] { return last.load() >= 20; }));
  show->SetManual(true);
  const int held = show->Progress();
  EXPECT_TRUE(show->Busy());
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  app->ProcessMessages();
  EXPECT_EQ(show->Progress(), held);
  EXPECT_TRUE(log.empty());
  resumed = true;
  show->SetManual(false);
  ASSERT_TRUE(PumpUntil([&] { return !show->Busy(); }));
  ASSERT_FALSE(after_resume.empty());
  EXPECT_EQ(after_resume.front(), held + 2);
  EXPECT_EQ(after_resume.back(), 100);
  EXPECT_THAT(log, ElementsAre("complete", "stop"));
}

TEST_F(PicShowThreadTest, StopFromAHandlerOnTheAnimationThread) {
  LogEnd(show);
  show->OnProgress = [&](TObject*) {
    if (show->Progress() == 40) show->Stop();
  };
  Run(Pattern(40, 30, 55));
  ASSERT_TRUE(PumpUntil([&] { return !show->Busy(); }));
  EXPECT_EQ(show->Progress(), 40);
  EXPECT_THAT(log, ElementsAre("stop"));
}

TEST_F(PicShowThreadTest, AFailingHandlerOnTheAnimationThreadIsShownAndEndsTheRun) {
  LogEnd(show);
  show->OnProgress = [&](TObject*) {
    if (show->Progress() == 20) throw Exception("frame handler failed");
  };
  Run(Pattern(40, 30, 56));
  ASSERT_TRUE(PumpUntil([&] { return !show->Busy(); }));
  EXPECT_EQ(show->Progress(), 20);
  EXPECT_THAT(log, ElementsAre("stop"));
  EXPECT_THAT(boxes, ElementsAre("frame handler failed"));
}

TEST_F(PicShowThreadTest, TheApplicationEndingInTheMiddleOfARun) {
  LogEnd(show);
  show->SetStep(1);
  Run(Pattern(40, 30, 57));
  ASSERT_TRUE(PumpUntil([&] { return show->Progress() >= 10; }));
  app.reset();  // frees the form and the show while the thread draws
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace tarn::testing
