// Mouse routing: the standard click, capture, enter/leave and double clicks. Every skinned
// button and check box builds its states on these sequences, so their order matters.
#include "FrameworkFixture.h"

#include "framework/Screen.h"

namespace tarn::testing {
namespace {

using ::testing::ElementsAre;

class MouseTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = MakeForm();
    a = new TProbe(form, "a", Bounds(10, 10, 50, 40), &log);
    b = new TProbe(form, "b", Bounds(100, 10, 50, 40), &log);
    ShowAndSettle(form);
    log.clear();
  }
  TForm* form = nullptr;
  TProbe* a = nullptr;
  TProbe* b = nullptr;
};

TEST_F(MouseTest, ReleaseInsideClicksBeforeMouseUp) {
  host.MouseMove(Win(form), 20, 20);
  host.MouseDown(Win(form), 20, 20);
  host.MouseUp(Win(form), 25, 22);
  app->ProcessMessages();
  EXPECT_THAT(
      log, ElementsAre("a:enter", "a:downL@10,10", "a:capturechanged", "a:click", "a:upL@15,12"));
}

TEST_F(MouseTest, ReleaseOutsideRaisesNoClickAndCaptureKeepsTheMouse) {
  a->log_moves = true;
  host.MouseMove(Win(form), 20, 20);
  host.MouseDown(Win(form), 20, 20);
  host.MouseMove(Win(form), 120, 20);  // over b, but a holds the mouse
  host.MouseUp(Win(form), 120, 20);
  app->ProcessMessages();
  EXPECT_THAT(log, ElementsAre("a:move@10,10", "a:enter", "a:downL@10,10", "a:move@110,10",
                               "a:leave", "b:enter", "a:capturechanged", "a:upL@110,10"));
  EXPECT_EQ(app->Capture(), nullptr);
  EXPECT_EQ(host.CaptureWindow(), 0u);
}

TEST_F(MouseTest, RightButtonNeitherCapturesNorClicks) {
  host.MouseMove(Win(form), 20, 20);
  host.MouseDown(Win(form), 20, 20, THostButton::Right);
  app->ProcessMessages();
  EXPECT_EQ(app->Capture(), nullptr);
  host.MouseUp(Win(form), 20, 20, THostButton::Right);
  app->ProcessMessages();
  EXPECT_THAT(log, ElementsAre("a:enter", "a:downR@10,10", "a:upR@10,10"));
}

TEST_F(MouseTest, EnterAndLeaveFollowThePointerIncludingDisabledControls) {
  b->SetEnabled(false);
  host.MouseMove(Win(form), 20, 20);
  host.MouseMove(Win(form), 30, 20);  // no change
  host.MouseMove(Win(form), 120, 20);
  host.MouseDown(Win(form), 120, 20);  // b is disabled: the form gets the press
  host.MouseUp(Win(form), 120, 20);
  host.MouseLeave(Win(form));
  app->ProcessMessages();
  EXPECT_THAT(log, ElementsAre("a:enter", "a:leave", "b:enter", "b:leave"));
}

TEST_F(MouseTest, WindowLessControlsAreHitOnTopOfTheirParentInZOrder) {
  auto* low = new TPatch(a, "low", Bounds(0, 0, 30, 30), clRed, &log);
  auto* high = new TPatch(a, "high", Bounds(10, 10, 30, 30), clBlue, &log);
  EXPECT_EQ(a->ControlAtPos(Point(15, 15), false), high);
  EXPECT_EQ(a->ControlAtPos(Point(5, 5), false), low);
  high->SetEnabled(false);
  EXPECT_EQ(a->ControlAtPos(Point(15, 15), false), low);
  EXPECT_EQ(a->ControlAtPos(Point(15, 15), true), high);
  EXPECT_EQ(form->ControlAtPos(Point(25, 25), false), low);
  // Screen positions: the form lies at (100, 50).
  EXPECT_EQ(app->FindControlAtScreen(Point(125, 75), true), high);
  EXPECT_EQ(app->FindControlAtScreen(Point(199, 199), true), form);
  EXPECT_EQ(app->FindControlAtScreen(Point(5, 5), true), nullptr);
  EXPECT_EQ(high->ClientToScreen(Point(0, 0)), Point(120, 70));
  EXPECT_EQ(high->ScreenToClient(Point(121, 73)), Point(1, 3));

  log.clear();
  Click(form, 25, 25);
  // Enter and leave count disabled controls; input goes to the enabled one below.
  EXPECT_THAT(log, ElementsAre("high:enter", "low:down", "low:click", "low:up"));
}

TEST_F(MouseTest, SecondQuickPressIsADoubleClick) {
  host.MouseMove(Win(form), 20, 20);
  host.MouseDown(Win(form), 20, 20);
  host.MouseUp(Win(form), 20, 20);
  host.Advance(100);
  host.MouseDown(Win(form), 21, 20);
  host.MouseUp(Win(form), 21, 20);
  host.Advance(1000);
  host.MouseDown(Win(form), 21, 20);
  host.MouseUp(Win(form), 21, 20);
  app->ProcessMessages();
  EXPECT_THAT(log,
              ElementsAre("a:enter", "a:downL@10,10", "a:capturechanged", "a:click", "a:upL@10,10",
                          "a:dblclick", "a:downL@11,10", "a:capturechanged", "a:upL@11,10",
                          "a:downL@11,10", "a:capturechanged", "a:click", "a:upL@11,10"));
}

TEST_F(MouseTest, DestroyingTheCapturedControlReleasesTheMouse) {
  host.MouseMove(Win(form), 20, 20);
  host.MouseDown(Win(form), 20, 20);
  app->ProcessMessages();
  EXPECT_EQ(app->Capture(), a);
  delete a;
  EXPECT_EQ(app->Capture(), nullptr);
  EXPECT_EQ(host.CaptureWindow(), 0u);
  host.MouseUp(Win(form), 20, 20);  // goes to the form; nothing dangles
  app->ProcessMessages();
  EXPECT_EQ(form->MouseControl(), form);
}

TEST_F(MouseTest, SystemMoveDragsTheWindowUntilRelease) {
  a->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
    app->ReleaseCapture();
    form->Perform(WM_SYSCOMMAND, SC_MOVE | HTCAPTION);
  };
  host.MouseMove(Win(form), 20, 20);
  host.MouseDown(Win(form), 20, 20);
  app->ProcessMessages();
  EXPECT_TRUE(form->Moving());
  host.MouseMove(Win(form), 50, 40);  // the pointer moved 30 right, 20 down on the screen
  app->ProcessMessages();
  EXPECT_EQ(form->Left(), 130);
  EXPECT_EQ(form->Top(), 70);
  EXPECT_EQ(host.FindWindow(Win(form))->Bounds, Bounds(130, 70, 200, 150));
  host.MouseUp(Win(form), 20, 20);
  app->ProcessMessages();
  EXPECT_FALSE(form->Moving());
  EXPECT_EQ(form->Left(), 130);
}

TEST_F(MouseTest, WheelGoesToTheFocusedControlThenItsParents) {
  int seen = 0;
  form->OnMouseWheel = [&](TObject* sender, TShiftState, int delta, TPoint, bool& handled) {
    EXPECT_EQ(sender, form);
    seen = delta;
    handled = true;
  };
  a->SetTabStop(true);
  a->SetFocus();
  host.MouseWheel(Win(form), 120, 20, -120);  // over b, but a has the focus
  app->ProcessMessages();
  EXPECT_EQ(seen, -120);
}

TEST_F(MouseTest, PointerShapeComesFromSetCursorOrTheCursorProperty) {
  class TZoned : public TProbe {
   public:
    using TProbe::TProbe;
    void WndProc(TMessage& m) override {
      if (m.Msg == WM_SETCURSOR && LParamX(m.LParam) >= 25) {
        TScreen::SetCursor(TCursor::crIBeam);  // the right half is a text zone
        m.Result = 1;
        return;
      }
      TProbe::WndProc(m);
    }
  };
  auto* zoned = new TZoned(form, "zoned", Bounds(10, 60, 50, 20), nullptr);
  zoned->SetCursor(TCursor::crHandPoint);
  host.MouseMove(Win(form), 15, 65);
  app->ProcessMessages();
  EXPECT_EQ(host.Cursor(), THostCursor::HandPoint);
  host.MouseMove(Win(form), 45, 65);
  app->ProcessMessages();
  EXPECT_EQ(host.Cursor(), THostCursor::IBeam);
  host.MouseMove(Win(form), 5, 5);
  app->ProcessMessages();
  EXPECT_EQ(host.Cursor(), THostCursor::Arrow);
}

}  // namespace
}  // namespace tarn::testing
