// The picture show on the user-interface thread (Threaded off, and Manual): every frame must be
// the effect table's frame for its progress, the events must come in their order, and the
// edges of the run (empty pictures, a second Execute, Stop from a handler, Reverse, the custom
// style, pictures that do not fit, the frame and the four background modes) must show what a
// user expects to see.
#include <algorithm>

#include "PicShowFixture.h"
#include "slideshow/effects/EffectRandom.h"

namespace tarn::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Progress events of a forward run with steps of `step`.
std::vector<std::string> ProgressLog(int step) {
  std::vector<std::string> out;
  for (int p = step; p < 100; p += step)
    out.push_back("progress " + std::to_string(p));
  out.push_back("progress 100");
  return out;
}

TEST_F(PicShowTest, ExecuteWithoutAPictureDoesNothing) {
  LogEvents();
  show->Execute();
  Load(Bitmap32());  // a graphic without pixels
  show->Execute();
  EXPECT_FALSE(show->Busy());
  EXPECT_THAT(log, ElementsAre("change"));
  EXPECT_TRUE(SameColours(Shown(), Filled(100, 80, 0x00FFFCE7)));
}

TEST_F(PicShowTest, StepStyleAndStyleNameSetters) {
  show->SetStep(0);
  EXPECT_EQ(show->Step(), 1);
  show->SetStep(250);
  EXPECT_EQ(show->Step(), 100);
  show->SetStep(-3);
  EXPECT_EQ(show->Step(), 1);

  show->SetStyle(172);
  show->SetStyle(-1);
  EXPECT_EQ(show->Style(), 51);
  EXPECT_EQ(show->StyleName(), "Appear and Contract to middle");
  show->SetStyleName("custom");
  EXPECT_EQ(show->Style(), 0);
  EXPECT_EQ(show->StyleName(), "Custom");
  show->SetStyleName("no such transition");
  EXPECT_EQ(show->Style(), 0);
  // Names that occur twice select their first row; the second is reached through Style only.
  show->SetStyleName("EXPAND FROM BOTTOM");
  EXPECT_EQ(show->Style(), 18);
  show->SetStyleName("expand in from top");
  EXPECT_EQ(show->Style(), 25);
  show->SetStyle(33);
  EXPECT_EQ(show->StyleName(), "Expand from bottom");
  show->SetStyleName(show->StyleName());
  EXPECT_EQ(show->Style(), 18);
  show->SetStyleName("Pixelate");
  EXPECT_EQ(show->Style(), 168);
}

TEST_F(PicShowTest, EveryFrameIsTheEffectTablesFrameAndTheEventsComeInOrder) {
  const Bitmap32 first = Pattern(60, 40, 1), second = Pattern(60, 40, 2);
  Run(first);
  const Bitmap32* shown = &first;
  // Shreds and speckles draw from the running random sequence: the oracle starts from the seed
  // the frame started from.
  for (const int style : {1, 51, 64, 65, 118, 124, 143, 169}) {
    LogEvents();
    log.clear();
    const Bitmap32& from = *shown;
    const Bitmap32& to = shown == &first ? second : first;
    int frames = 0, wrong = 0;
    uint32_t seed = 0;
    show->OnBeforeNewFrame = [&](TObject*, TBitmap*, TBitmap*) { seed = RandSeed(); };
    show->OnAfterNewFrame = [&](TObject*, TBitmap* picture, TBitmap* screen) {
      ++frames;
      EXPECT_TRUE(picture->Image() == to);
      const uint32_t after = RandSeed();
      SetRandSeed(seed);
      if (!(screen->Image() == ExpectedFrame(style, from, to, show->Progress()))) ++wrong;
      SetRandSeed(after);
    };
    show->SetStyle(style);
    Run(to);
    shown = &to;
    EXPECT_FALSE(show->Busy());
    EXPECT_EQ(frames, 25) << "style " << style;
    EXPECT_EQ(wrong, 0) << "style " << style;
    std::vector<std::string> expected = {"change", "start"};
    for (const std::string& p : ProgressLog(4))
      expected.push_back(p);
    expected.push_back("complete");
    expected.push_back("stop");
    EXPECT_THAT(log, ElementsAreArray(expected)) << "style " << style;
    // The new picture stays on screen, at the top-left corner of the client area.
    EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 60, 40)), to));
  }
}

TEST_F(PicShowTest, StepHundredReachesTheEndInOneFrame) {
  LogEvents();
  show->SetStep(100);
  Run(Pattern(30, 20, 3));
  EXPECT_THAT(log, ElementsAre("change", "start", "progress 100", "complete", "stop"));
}

TEST_F(PicShowTest, ReverseRunsFromHundredDownToTheOldPicture) {
  const Bitmap32 first = Pattern(40, 30, 4), second = Pattern(40, 30, 5);
  Run(first);
  LogEvents();
  std::vector<int> seen;
  int wrong = 0;
  show->OnStart = [&](TObject*, TBitmap*, TBitmap*) { seen.push_back(show->Progress()); };
  show->OnAfterNewFrame = [&](TObject*, TBitmap*, TBitmap* screen) {
    seen.push_back(show->Progress());
    if (!(screen->Image() == ExpectedFrame(7, first, second, show->Progress()))) ++wrong;
  };
  show->SetStyle(7);
  show->SetReverse(true);
  show->SetStep(10);
  Run(second);
  EXPECT_THAT(seen, ElementsAre(100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0));
  EXPECT_EQ(wrong, 0);
  // At 0 nothing of the new picture is drawn: the run ends on the old one.
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), first));
  EXPECT_EQ(log.back(), "stop");
  EXPECT_EQ(log[log.size() - 2], "complete");
}

TEST_F(PicShowTest, CustomStyleDrawsThroughItsHandlerOrShowsTheOldPictureUntilTheEnd) {
  const Bitmap32 first = Pattern(40, 30, 6), second = Pattern(40, 30, 7);
  Run(first);
  show->SetStyle(0);
  int frames = 0, old_frames = 0;
  show->OnAfterNewFrame = [&](TObject*, TBitmap*, TBitmap* screen) {
    ++frames;
    if (screen->Image() == first) ++old_frames;
  };
  Run(second);
  EXPECT_EQ(frames, 25);
  EXPECT_EQ(old_frames, 24);  // all but the last, which shows the new picture whole
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), second));

  // With a handler: it gets the new picture and the frame, for every progress short of 100.
  std::vector<int> drawn;
  show->OnCustomDraw = [&](TObject* sender, TBitmap* picture, TBitmap* screen) {
    EXPECT_EQ(sender, show);
    EXPECT_TRUE(picture->Image() == first);
    drawn.push_back(show->Progress());
    screen->Image().CopyBlock(0, 0, 40 * show->Progress() / 100, 30, picture->Image(), 0, 0);
  };
  int wrong = 0;
  show->OnAfterNewFrame = [&](TObject*, TBitmap*, TBitmap* screen) {
    Bitmap32 expected = second;
    expected.CopyBlock(0, 0, 40 * show->Progress() / 100, 30, first, 0, 0);
    if (!(screen->Image() == expected)) ++wrong;
  };
  show->SetStep(25);
  Run(first);
  EXPECT_THAT(drawn, ElementsAre(25, 50, 75));
  EXPECT_EQ(wrong, 0);
}

TEST_F(PicShowTest, OverDrawStartsFromTheShownPictureOnlyWhenTheSizeIsTheSame) {
  const Bitmap32 first = Pattern(40, 30, 8), same_size = Pattern(40, 30, 9);
  const Bitmap32 other_size = Pattern(50, 20, 10);
  Bitmap32 start;
  show->OnStart = [&](TObject*, TBitmap* picture, TBitmap* screen) {
    EXPECT_EQ(picture->Width(), screen->Width());
    start = screen->Image();
  };
  show->SetCenter(true);
  // A tiled background, so that the starting backdrop is not one colour.
  const Bitmap32 tile = Pattern(7, 5, 11);
  Hold(show->BgPicture(), tile);
  // The background behind a centred w x h picture, as the window shows it with no picture.
  auto backdrop = [&](int w, int h) {
    const TRect r = Bounds((100 - w) / 2, (80 - h) / 2, w, h);
    return Crop(Shown(), r);
  };
  const Bitmap32 behind_first = backdrop(40, 30);
  Run(first);
  EXPECT_TRUE(SameColours(start, behind_first));
  Run(same_size);
  EXPECT_TRUE(start == first);
  Run(other_size);  // from the background again
  show->Clear();
  EXPECT_TRUE(SameColours(start, backdrop(50, 20)));
  // Without OverDraw a picture of the same size starts from the background too.
  show->SetOverDraw(false);
  Run(first);
  Run(same_size);
  EXPECT_TRUE(SameColours(start, behind_first));
}

TEST_F(PicShowTest, ManualRunsMoveOnlyWhenProgressIsSetAndEndOnlyWithStop) {
  const Bitmap32 first = Pattern(40, 30, 12), second = Pattern(40, 30, 13);
  show->SetProgress(50);  // idle: nothing to move
  EXPECT_EQ(show->Progress(), 0);
  Run(first);
  LogEvents();
  show->SetManual(true);
  show->SetStyle(12);
  Run(second);
  EXPECT_TRUE(show->Busy());
  EXPECT_EQ(show->Progress(), 0);
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), first));
  show->SetProgress(30);
  show->SetProgress(30);  // no change, no event
  const Bitmap32 at30 = ExpectedFrame(12, first, second, 30);
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), at30));
  // Another effect shows at once on a held transition.
  show->SetStyle(150);
  const Bitmap32 other = ExpectedFrame(150, first, second, 30);
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), other));
  show->SetProgress(250);  // counts as 100, and does not end the run
  EXPECT_EQ(show->Progress(), 100);
  EXPECT_TRUE(show->Busy());
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), second));
  show->SetProgress(60);
  show->Stop();
  EXPECT_FALSE(show->Busy());
  EXPECT_THAT(log,
              ElementsAre("change", "start", "progress 30", "progress 100", "progress 60", "stop"));
  // Idle again: switching Manual off resets Progress for the next run.
  show->SetManual(false);
  EXPECT_EQ(show->Progress(), 0);
}

TEST_F(PicShowTest, SwitchingManualOffContinuesFromTheProgressReached) {
  LogEvents();
  show->SetManual(true);
  Run(Pattern(20, 20, 14));
  show->SetProgress(50);
  log.clear();
  show->SetStep(20);
  show->SetManual(false);  // animates here, on the calling thread, to the end
  EXPECT_FALSE(show->Busy());
  EXPECT_THAT(log, ElementsAre("progress 70", "progress 90", "progress 100", "complete", "stop"));
}

TEST_F(PicShowTest, StopWhileTheCallingThreadWaitsEndsTheLoop) {
  const Bitmap32 first = Pattern(40, 30, 15), second = Pattern(40, 30, 16);
  Run(first);
  LogEvents();
  // Stop arrives from the message loop while the run waits for its next frame (as a click on
  // a button would): Execute then returns with the frame reached still shown.
  app->SetTimer(100, [&] { show->Stop(); });
  show->SetStyle(3);
  Run(second);
  EXPECT_FALSE(show->Busy());
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log.back(), "stop");
  EXPECT_EQ(std::count(log.begin(), log.end(), "complete"), 0);
  EXPECT_EQ(std::count(log.begin(), log.end(), "stop"), 1);
  const int reached = show->Progress();
  EXPECT_GT(reached, 0);
  EXPECT_LT(reached, 100);
  EXPECT_EQ(log[log.size() - 2], "progress " + std::to_string(reached));
  EXPECT_TRUE(
      SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), ExpectedFrame(3, first, second, reached)));
}

TEST_F(PicShowTest, StopFromOnProgressAndANewRunFromOnStop) {
  const Bitmap32 first = Pattern(40, 30, 17), second = Pattern(40, 30, 18);
  LogEvents();
  bool again = true;
  show->OnProgress = [&](TObject*) {
    log.push_back("progress " + std::to_string(show->Progress()));
    if (show->Progress() == 20 && again) show->Stop();
  };
  // The next picture goes in as soon as the stopped one has ended; it runs to its end.
  show->OnStop = [&](TObject*) {
    log.push_back("stop");
    if (again) {
      again = false;
      show->SetStep(50);
      Run(second);
    }
  };
  show->SetStep(10);
  Run(first);
  EXPECT_FALSE(show->Busy());
  EXPECT_THAT(log, ElementsAre("change", "start", "progress 10", "progress 20", "stop", "change",
                               "start", "progress 50", "progress 100", "complete", "stop"));
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), second));
}

TEST_F(PicShowTest, ASecondExecuteOrANewPictureDuringARunChangesNothingUntilTheNextRun) {
  const Bitmap32 first = Pattern(40, 30, 19), third = Pattern(40, 30, 21);
  LogEvents();
  show->OnProgress = [&](TObject*) {
    if (show->Progress() == 40) {
      Load(third);  // raises OnChange only
      show->Execute();
    }
  };
  Run(first);
  EXPECT_THAT(log, ElementsAre("change", "start", "change", "complete", "stop"));
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), first));
  show->OnProgress = nullptr;
  show->Execute();
  EXPECT_TRUE(SameColours(Crop(Shown(), Bounds(0, 0, 40, 30)), third));
}

TEST_F(PicShowTest, ExactTimingEnlargesTheStepAfterASlowFrameButNotWithoutADelay) {
  std::vector<int> seen;
  bool slow = true;
  show->OnProgress = [&](TObject*) {
    seen.push_back(show->Progress());
    if (slow) {
      slow = false;
      host.Advance(100);  // the first frame takes 100 ms of a 40 ms delay
    }
  };
  Run(Pattern(20, 20, 22));
  EXPECT_THAT(seen, ElementsAreArray({4,  8,  12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52,
                                      56, 60, 64, 68, 72, 76, 80, 84, 88, 92, 96, 100}));
  seen.clear();
  slow = true;
  show->SetExactTiming(true);
  Run(Pattern(20, 20, 23));
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], 4);
  EXPECT_EQ(seen[1], 14);  // a step of 4 x 100 / 40
  EXPECT_EQ(seen[2], 18);  // and back to the set step after a frame in time
  // Without a delay every frame is late; the step stays as set.
  seen.clear();
  slow = true;
  show->SetDelay(0);
  Run(Pattern(20, 20, 24));
  EXPECT_EQ(seen.size(), 25u);
}

TEST_F(PicShowTest, AnErrorInAHandlerLeavesTheControlIdleAndIsPassedOn) {
  show->OnStart = [](TObject*, TBitmap*, TBitmap*) { throw Exception("no start"); };
  Load(Pattern(20, 20, 25));
  EXPECT_THROW(show->Execute(), Exception);
  EXPECT_FALSE(show->Busy());
  show->OnStart = nullptr;
  show->OnProgress = [&](TObject*) {
    if (show->Progress() == 8) throw Exception("no progress");
  };
  EXPECT_THROW(show->Execute(), Exception);
  EXPECT_FALSE(show->Busy());
  show->OnProgress = nullptr;
  LogEvents();
  show->Execute();
  EXPECT_EQ(log.back(), "stop");
}

TEST_F(PicShowTest, LargerPicturesAreClippedOrShrunkToFit) {
  // 200 x 100 into a 100 x 80 client area.
  const Bitmap32 big = Pattern(200, 100, 26);
  show->SetStep(100);
  Run(big);
  EXPECT_TRUE(SameColours(Shown(), Crop(big, Bounds(0, 0, 100, 80))));

  show->SetProportional(true);  // half size, aspect kept: 100 x 50
  Bitmap32 half(100, 50);
  half.StretchBlock(0, 0, 100, 50, big, 0, 0, 200, 100);
  Bitmap32 expected = Filled(100, 80, 0x00FFFCE7);
  expected.CopyBlock(0, 0, 100, 50, half, 0, 0);
  EXPECT_TRUE(SameColours(Shown(), expected));

  show->SetCenter(true);  // moved down by (80 - 50) / 2
  expected = Filled(100, 80, 0x00FFFCE7);
  expected.CopyBlock(0, 15, 100, 50, half, 0, 0);
  EXPECT_TRUE(SameColours(Shown(), expected));

  show->SetProportional(false);
  show->SetStretch(true);  // the whole client area, aspect lost
  Bitmap32 stretched(100, 80);
  stretched.StretchBlock(0, 0, 100, 80, big, 0, 0, 200, 100);
  EXPECT_TRUE(SameColours(Shown(), stretched));
}

TEST_F(PicShowTest, FrameWidthThreeIsABandJustOutsideThePicture) {
  const Bitmap32 picture = Pattern(40, 30, 27);
  show->SetFrameColor(clRed);
  show->SetFrameWidth(3);
  show->SetCenter(true);
  show->SetStep(100);
  Run(picture);
  // Room of 94 x 74 inside the frame; the picture at (3 + 27, 3 + 22).
  Bitmap32 expected = Filled(100, 80, 0x00FFFCE7);
  expected.FillRect(Rect(27, 22, 73, 58), ColorToPixel(clRed));
  expected.CopyBlock(30, 25, 40, 30, picture, 0, 0);
  EXPECT_TRUE(SameColours(Shown(), expected));
  // A frame wider than half the client area leaves no room for a stretched picture (rather
  // than mirroring it).
  show->SetStretch(true);
  show->SetFrameWidth(60);
  expected = Filled(100, 80, 0x00FFFCE7);
  expected.FillRect(Rect(0, 0, 100, 80), ColorToPixel(clRed));
  EXPECT_TRUE(SameColours(Shown(), expected));
}

TEST_F(PicShowTest, TheFourBackgroundModes) {
  const Bitmap32 tile = Pattern(30, 20, 28);
  Hold(show->BgPicture(), tile);
  // Tiled from the top-left corner.
  Bitmap32 tiled(100, 80);
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 100; ++x)
      tiled.SetPixelAt(x, y, tile.PixelAt(x % 30, y % 20));
  }
  EXPECT_TRUE(SameColours(Shown(), tiled));
  show->SetBgMode(TBackgroundMode::bmStretched);
  Bitmap32 stretched(100, 80);
  stretched.StretchBlock(0, 0, 100, 80, tile, 0, 0, 30, 20);
  EXPECT_TRUE(SameColours(Shown(), stretched));
  show->SetBgMode(TBackgroundMode::bmCentered);
  Bitmap32 centred = Filled(100, 80, 0x00FFFCE7);
  centred.CopyBlock(35, 30, 30, 20, tile, 0, 0);
  EXPECT_TRUE(SameColours(Shown(), centred));
  show->SetBgMode(TBackgroundMode::bmNone);
  EXPECT_TRUE(SameColours(Shown(), Filled(100, 80, 0x00FFFCE7)));
  // A partial repaint tiles from the same anchor.
  show->SetBgMode(TBackgroundMode::bmTiled);
  show->InvalidateRect(Rect(41, 23, 77, 61), false);
  EXPECT_TRUE(SameColours(Crop(Shown(), Rect(0, 0, 100, 80)), Crop(tiled, Rect(0, 0, 100, 80))));
  // Around a picture the background shows; Clear leaves only the background.
  show->SetStep(100);
  Run(Pattern(20, 20, 29));
  show->Clear();
  EXPECT_TRUE(SameColours(Shown(), tiled));
}

// Counts the full paints, to tell them from the fast path.
class TCountingPicShow : public TXPPicShow {
 public:
  using TXPPicShow::TXPPicShow;
  int full_paints = 0;

 protected:
  void PaintShow(Canvas& canvas) override {
    ++full_paints;
    TXPPicShow::PaintShow(canvas);
  }
};

TEST_F(PicShowTest, ARepaintInsideThePictureGoesStraightToTheWindow) {
  delete show;
  auto* counting = new TCountingPicShow(form);
  show = counting;
  show->SetParent(form);
  show->SetBounds(10, 10, 100, 80);
  show->SetThreaded(false);
  show->SetFrameWidth(2);
  show->SetCenter(true);
  const Bitmap32 first = Pattern(40, 30, 30), second = Pattern(40, 30, 31);
  show->SetStep(100);
  Run(first);
  show->SetManual(true);
  Run(second);
  app->ProcessMessages();
  const Bitmap32 before = Shown();
  const int full = counting->full_paints;
  show->SetProgress(50);  // repaints the picture rectangle only
  const Bitmap32 after = Shown();
  EXPECT_EQ(counting->full_paints, full);
  // Only the picture changed, to the frame at 50.
  const TRect pic = Bounds(30, 25, 40, 30);
  Bitmap32 expected = before;
  expected.CopyBlock(pic.Left, pic.Top, 40, 30, ExpectedFrame(51, first, second, 50), 0, 0);
  EXPECT_TRUE(SameColours(after, expected));
  // A repaint that reaches beyond the picture paints everything, with the same result.
  show->Invalidate();
  EXPECT_TRUE(SameColours(Shown(), after));
  EXPECT_EQ(counting->full_paints, full + 1);
  show->Stop();
}

TEST_F(PicShowTest, AHeldRunFromTheBackgroundFollowsBackgroundChanges) {
  const Bitmap32 tile = Pattern(9, 7, 32);
  Hold(show->BgPicture(), tile);
  show->SetManual(true);
  Run(Pattern(40, 30, 33));
  Bitmap32 old;
  show->OnBeforeNewFrame = [&](TObject*, TBitmap*, TBitmap* screen) { old = screen->Image(); };
  show->SetProgress(10);
  Bitmap32 tiled(40, 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x)
      tiled.SetPixelAt(x, y, tile.PixelAt(x % 9, y % 7));
  }
  EXPECT_TRUE(SameColours(old, tiled));
  // Another mode: the starting picture is the new background, and the held frame shows it.
  show->SetBgMode(TBackgroundMode::bmNone);
  EXPECT_TRUE(SameColours(old, Filled(40, 30, 0x00FFFCE7)));
  show->Stop();
  // The next held run places its picture without drawing a frame before OnStart.
  int early_frames = 0;
  bool started = false;
  show->OnStart = [&](TObject*, TBitmap*, TBitmap*) { started = true; };
  show->OnBeforeNewFrame = [&](TObject*, TBitmap*, TBitmap*) { early_frames += started ? 0 : 1; };
  Run(Pattern(30, 20, 36));
  EXPECT_TRUE(started);
  EXPECT_EQ(early_frames, 0);
  show->Stop();
}

TEST_F(PicShowTest, AutoSizeFitsThePictureAndTheFrame) {
  show->SetFrameWidth(2);
  show->SetAutoSize(true);
  Load(Pattern(60, 40, 34));
  EXPECT_EQ(show->Width(), 64);
  EXPECT_EQ(show->Height(), 44);
  show->SetAlign(TAlign::alTop);  // the width follows the parent
  Load(Pattern(30, 50, 35));
  EXPECT_EQ(show->Width(), form->ClientWidth());
  EXPECT_EQ(show->Height(), 54);
}

TEST_F(PicShowTest, ThePointerEnteringAndLeavingRaisesItsEvents) {
  show->OnMouseEnter = [this](TObject* sender) { log.push_back(sender == show ? "enter" : "?"); };
  show->OnMouseLeave = [this](TObject* sender) { log.push_back(sender == show ? "leave" : "?"); };
  host.MouseMove(form->HostWindow(), 50, 50);
  app->ProcessMessages();
  host.MouseMove(form->HostWindow(), 150, 110);
  app->ProcessMessages();
  EXPECT_THAT(log, ElementsAre("enter", "leave"));
}

}  // namespace
}  // namespace tarn::testing
