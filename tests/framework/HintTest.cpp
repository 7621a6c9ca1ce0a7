// Hints: the pause before a hint shows, its place and colours, and every way it goes again
// (time, leaving, click, key, the global switch, the control going). Users see these on every
// skinned button, so a hint that never leaves or shows for the wrong control is a visible fault.
#include "FrameworkFixture.h"
#include "framework/HintWindow.h"
#include "platform/host/VirtualKeys.h"

namespace tarn::testing {
namespace {

class HintTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = MakeForm();
    a = new TProbe(form, "a", Bounds(10, 10, 50, 40), &log);
    b = new TProbe(form, "b", Bounds(100, 10, 50, 40), &log);
    a->SetShowHint(true);
    a->SetHint("Hint of a");
    ShowAndSettle(form);
  }
  void Move(int x, int y) {
    host.MouseMove(Win(form), x, y);
    app->ProcessMessages();
  }
  void Wait(uint64_t ms) {
    host.Advance(ms);
    app->ProcessMessages();
  }
  THintWindow* Hint() const { return app->ActiveHintWindow(); }

  TForm* form = nullptr;
  TProbe* a = nullptr;
  TProbe* b = nullptr;
};

TEST_F(HintTest, ShowsBelowThePointerAfterThePauseAndGoesAfterTheHidePause) {
  Move(20, 20);
  Wait(499);
  EXPECT_EQ(Hint(), nullptr);
  Move(25, 22);  // moving within the control does not restart the pause
  Wait(1);
  ASSERT_NE(Hint(), nullptr);
  EXPECT_EQ(Hint()->Caption(), "Hint of a");
  const auto* w = host.FindWindow(Hint()->HostWindow());
  EXPECT_TRUE(w->Visible);
  EXPECT_TRUE(w->Params.Popup);
  EXPECT_EQ(w->Bounds.Left, 100 + 25);
  EXPECT_GT(w->Bounds.Top, 50 + 22);
  EXPECT_TRUE(form->Active());  // the hint takes no focus
  // Info colours and a one-pixel frame.
  const Bitmap32& s = w->Screen;
  EXPECT_EQ(PixelToColor(s.PixelAt(0, 0)), ColorToRGB(clInfoText));
  EXPECT_EQ(PixelToColor(s.PixelAt(1, 1)), ColorToRGB(clInfoBk));
  EXPECT_EQ(PixelToColor(s.PixelAt(s.Width() - 1, s.Height() / 2)), ColorToRGB(clInfoText));
  int text = 0;
  for (int y = 1; y < s.Height() - 1; ++y)
    for (int x = 1; x < s.Width() - 1; ++x)
      text += s.PixelAt(x, y) != s.PixelAt(1, 1);
  EXPECT_GT(text, 20);
  Wait(2499);
  EXPECT_NE(Hint(), nullptr);
  Wait(1);
  EXPECT_EQ(Hint(), nullptr);
  // Not again while the pointer rests on the same control.
  Move(26, 22);
  Wait(5000);
  EXPECT_EQ(Hint(), nullptr);
  // Back after leaving and coming again.
  Move(120, 20);
  Move(20, 20);
  Wait(500);
  EXPECT_NE(Hint(), nullptr);
}

TEST_F(HintTest, LeavingClickingOrTypingHidesTheHint) {
  Move(20, 20);
  Wait(500);
  ASSERT_NE(Hint(), nullptr);
  Move(120, 20);  // onto b, which has no hint
  EXPECT_EQ(Hint(), nullptr);
  Move(20, 20);
  Wait(500);
  ASSERT_NE(Hint(), nullptr);
  host.MouseLeave(Win(form));
  app->ProcessMessages();
  EXPECT_EQ(Hint(), nullptr);
  Move(20, 20);
  Wait(500);
  ASSERT_NE(Hint(), nullptr);
  Click(form, 20, 20);
  EXPECT_EQ(Hint(), nullptr);
  Wait(1000);
  EXPECT_EQ(Hint(), nullptr);
  Move(120, 20);
  Move(20, 20);
  Wait(500);
  ASSERT_NE(Hint(), nullptr);
  host.PressKey(Win(form), VK_SHIFT);
  app->ProcessMessages();
  EXPECT_EQ(Hint(), nullptr);
  // A press during the pause cancels the pending hint too.
  Move(120, 20);
  Move(20, 20);
  Wait(300);
  Click(form, 20, 20);
  Wait(1000);
  EXPECT_EQ(Hint(), nullptr);
}

TEST_F(HintTest, ParentShowHintFollowsTheParentAndApplicationShowHintSwitchesAllOff) {
  auto* panel = new TProbe(form, "panel", Bounds(10, 60, 150, 80), &log);
  auto* child = new TProbe(panel, "child", Bounds(5, 5, 40, 30), &log);
  child->SetHint("Hint of child");
  EXPECT_FALSE(child->ShowHint());
  panel->SetShowHint(true);  // the child follows, as ParentShowHint is on
  EXPECT_TRUE(child->ShowHint());
  app->ProcessMessages();
  Move(20, 70);
  Wait(500);
  ASSERT_NE(Hint(), nullptr);
  EXPECT_EQ(Hint()->Caption(), "Hint of child");
  // A control that turns its own ShowHint off shows none, nor its parent's empty hint.
  child->SetShowHint(false);
  Move(120, 20);
  Move(20, 70);
  Wait(500);
  EXPECT_EQ(Hint(), nullptr);
  // Empty hint: nothing.
  Move(120, 20);
  a->SetHint("");
  Move(20, 20);
  Wait(500);
  EXPECT_EQ(Hint(), nullptr);
  a->SetHint("Hint of a");
  Move(120, 20);
  app->SetShowHint(false);
  Move(20, 20);
  Wait(500);
  EXPECT_EQ(Hint(), nullptr);
  app->SetShowHint(true);
  Move(120, 20);
  Move(20, 20);
  Wait(500);
  ASSERT_NE(Hint(), nullptr);
  app->SetShowHint(false);  // hides the one that shows
  EXPECT_EQ(Hint(), nullptr);
}

TEST_F(HintTest, ControlThatGoesTakesItsHintAlong) {
  Move(20, 20);
  Wait(500);
  ASSERT_NE(Hint(), nullptr);
  a->Hide();
  EXPECT_EQ(Hint(), nullptr);
  a->Show();
  app->ProcessMessages();
  Move(120, 20);
  Move(20, 20);
  Wait(200);
  delete a;  // while the hint is pending
  a = nullptr;
  Wait(1000);
  EXPECT_EQ(Hint(), nullptr);
}

TEST_F(HintTest, StaysOnTheMonitorNearItsEdges) {
  form->SetBounds(900, 700, 120, 60);
  app->ProcessMessages();
  a->SetBounds(0, 0, 120, 60);
  a->SetHint("A rather long hint text near the corner");
  Move(110, 55);
  Wait(500);
  ASSERT_NE(Hint(), nullptr);
  const TRect r = Hint()->BoundsRect();
  EXPECT_LE(r.Right, 1024);
  EXPECT_LE(r.Bottom, 768);
  EXPECT_LT(r.Bottom, 700 + 55);  // above the pointer, as there is no room below
}

}  // namespace
}  // namespace tarn::testing
