// Painting: window-less controls over their parent, windowed children clipped out of their
// parent, partial repaints equal to a full repaint, transparent children showing their parent,
// and only changed areas handed to the host. Every skinned control is drawn through this path.
#include "FrameworkFixture.h"

#include "platform/host/PngWriter.h"
#include "tests/support/TempDir.h"

namespace tarn::testing {
namespace {

// A control that paints a pattern depending on the position, so that a part painted with a
// wrong origin or clip shows.
class TPattern : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    Canvas& c = GetCanvas();
    for (int y = 0; y < Height(); y += 4) {
      for (int x = 0; x < Width(); x += 4) {
        c.FillRect(Bounds(x, y, 4, 4),
                   RGBColor(static_cast<uint8_t>(x * 3), static_cast<uint8_t>(y * 5),
                            static_cast<uint8_t>((x + y) & 0xFF)));
      }
    }
  }
};

class PaintTest : public FrameworkTest {};

TEST_F(PaintTest, WindowLessChildrenPaintOverTheirParentInZOrder) {
  TForm* form = MakeForm(100, 80);
  auto* panel = new TProbe(form, "panel", Bounds(10, 10, 60, 40), nullptr);
  panel->SetColor(clGreen);
  auto* low = new TPatch(panel, "low", Bounds(5, 5, 20, 20), clRed, nullptr);
  auto* high = new TPatch(panel, "high", Bounds(15, 15, 20, 20), clBlue, nullptr);
  ShowAndSettle(form);
  EXPECT_EQ(ScreenColor(form, 5, 5), clWhite);    // the form
  EXPECT_EQ(ScreenColor(form, 12, 12), clGreen);  // the panel
  EXPECT_EQ(ScreenColor(form, 16, 16), clRed);    // low over the panel
  EXPECT_EQ(ScreenColor(form, 27, 27), clBlue);   // high over low
  EXPECT_EQ(ScreenColor(form, 44, 44), clBlue);
  EXPECT_EQ(ScreenColor(form, 46, 46), clGreen);
  high->SendToBack();
  app->ProcessMessages();
  EXPECT_EQ(ScreenColor(form, 27, 27), clRed);
  EXPECT_EQ(low->paints, 2);
}

TEST_F(PaintTest, WindowedChildrenAreClippedOutOfTheirParentsPaint) {
  TForm* form = MakeForm(100, 80);
  auto* parent = new TProbe(form, "parent", Bounds(0, 0, 100, 80), nullptr);
  parent->SetColor(clYellow);
  // A window-less child of the parent lies under a windowed sibling: the windowed one wins.
  new TPatch(parent, "under", Bounds(0, 0, 50, 50), clRed, nullptr);
  auto* child = new TProbe(parent, "child", Bounds(20, 20, 30, 30), nullptr);
  child->SetColor(clNavy);
  ShowAndSettle(form);
  EXPECT_EQ(ScreenColor(form, 25, 25), clNavy);
  EXPECT_EQ(ScreenColor(form, 10, 10), clRed);
  parent->Invalidate();
  app->ProcessMessages();
  EXPECT_EQ(ScreenColor(form, 25, 25), clNavy);  // the parent did not paint over it
  EXPECT_EQ(ScreenColor(form, 60, 60), clYellow);
  // A repaint of the parent beside the child leaves the child alone.
  const int child_paints = child->paints;
  const int parent_paints = parent->paints;
  parent->InvalidateRect(Rect(55, 55, 100, 80), true);
  app->ProcessMessages();
  EXPECT_EQ(parent->paints, parent_paints + 1);
  EXPECT_EQ(child->paints, child_paints);
}

TEST_F(PaintTest, PartialRepaintsEqualAFullRepaint) {
  TForm* form = MakeForm(120, 90);
  auto* panel = new TPattern(form);
  panel->SetBounds(5, 5, 100, 70);
  panel->SetParent(form);
  auto* inner = new TPattern(form);
  inner->SetBounds(30, 20, 40, 30);
  inner->SetParent(panel);
  new TPatch(panel, "patch", Bounds(60, 40, 30, 20), clFuchsia, nullptr);
  ShowAndSettle(form);
  Bitmap32 full;
  form->PaintTo(full);
  EXPECT_TRUE(Screen(form) == full);

  // Invalidate odd pieces and let the loop repaint just those.
  const int panel_paints = panel->paints;
  inner->InvalidateRect(Rect(3, 3, 11, 9), false);
  panel->InvalidateRect(Rect(25, 15, 75, 28), true);
  form->InvalidateRect(Rect(0, 0, 7, 90), true);
  app->ProcessMessages();
  EXPECT_EQ(panel->paints, panel_paints + 1);
  const auto* window = host.FindWindow(Win(form));
  EXPECT_TRUE(window->Screen == full);
  // Only the changed areas went to the host.
  int presented = 0;
  for (const TRect& r : window->LastChanged)
    presented += r.Width() * r.Height();
  EXPECT_LT(presented, 120 * 90 / 3);
}

TEST_F(PaintTest, NothingIsPresentedWhenNothingChanged) {
  TForm* form = MakeForm();
  ShowAndSettle(form);
  const int presents = host.FindWindow(Win(form))->PresentCount;
  app->ProcessMessages();
  EXPECT_EQ(host.FindWindow(Win(form))->PresentCount, presents);
}

TEST_F(PaintTest, TransparentChildShowsItsParentAndTheParentsWindowLessChildren) {
  TForm* form = MakeForm(100, 80);
  auto* panel = new TPattern(form);
  panel->SetBounds(0, 0, 100, 80);
  panel->SetParent(form);
  new TPatch(panel, "patch", Bounds(10, 10, 20, 20), clRed, nullptr);
  auto* glass = new TProbe(panel, "glass", Bounds(5, 5, 40, 40), nullptr);
  glass->transparent = true;
  glass->SetColor(clLime);
  ShowAndSettle(form);

  // Without the child, the same place shows the panel and the patch.
  Bitmap32 with_child = Screen(form);
  glass->SetVisible(false);
  app->ProcessMessages();
  const Bitmap32& without = Screen(form);
  for (int y = 5; y < 45; ++y) {
    for (int x = 5; x < 45; ++x) {
      const bool mark = x >= 7 && x < 9 && y >= 7 && y < 9;
      if (mark) {
        EXPECT_EQ(PixelToColor(with_child.PixelAt(x, y)), clLime);
      } else {
        ASSERT_EQ(with_child.PixelAt(x, y), without.PixelAt(x, y)) << x << "," << y;
      }
    }
  }
}

TEST_F(PaintTest, DrawingOutsideAPaintReachesTheScreenAtTheEndOfTheTurn) {
  TForm* form = MakeForm(100, 80);
  auto* probe = new TProbe(form, "p", Bounds(10, 10, 30, 30), nullptr);
  probe->SetColor(clSilver);
  auto* cover = new TProbe(form, "cover", Bounds(30, 10, 30, 30), nullptr);
  cover->SetColor(clMaroon);
  ShowAndSettle(form);
  probe->GetCanvas().FillRect(Rect(0, 0, 30, 30), clTeal);  // straight onto the surface
  EXPECT_EQ(ScreenColor(form, 15, 15), clSilver);           // not shown yet
  app->ProcessMessages();
  EXPECT_EQ(ScreenColor(form, 15, 15), clTeal);
  EXPECT_EQ(ScreenColor(form, 35, 15), clMaroon);  // a sibling above was not drawn over
}

TEST_F(PaintTest, UpdatePaintsAtOnceAndAFailingPaintIsReportedOnce) {
  TForm* form = MakeForm(100, 80);
  auto* probe = new TProbe(form, "p", Bounds(10, 10, 30, 30), nullptr);
  ShowAndSettle(form);
  const int before = probe->paints;
  probe->Invalidate();
  probe->Update();
  EXPECT_EQ(probe->paints, before + 1);

  class TBroken : public TCustomControl {
   public:
    using TCustomControl::TCustomControl;

   protected:
    void Paint() override { throw Exception("broken paint"); }
  };
  auto* broken = new TBroken(form);
  broken->SetBounds(50, 10, 20, 20);
  broken->SetParent(form);
  app->ProcessMessages();
  app->ProcessMessages();
  EXPECT_EQ(boxes, std::vector<std::string>{"broken paint"});
}

TEST_F(PaintTest, WindowRegionShapesTheHostWindowAndPngShowsTheForm) {
  TForm* form = MakeForm(60, 40);
  new TPatch(form, "patch", Bounds(10, 10, 20, 10), clBlue, nullptr);
  ShowAndSettle(form);
  const Region round = Region::RoundRect(0, 0, 61, 41, 4, 4);
  form->SetWindowRegion(&round);
  app->ProcessMessages();
  const auto* window = host.FindWindow(Win(form));
  ASSERT_NE(window->Shape, nullptr);
  EXPECT_FALSE(window->Shape->Contains(0, 0));
  EXPECT_TRUE(window->Shape->Contains(30, 20));

  TempDir dir;
  const std::string path = dir.File("form.png");
  host.SavePng(Win(form), path);
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char sig[8] = {};
  EXPECT_EQ(std::fread(sig, 1, 8, f), 8u);
  std::fclose(f);
  EXPECT_EQ(sig[1], 'P');
  EXPECT_THROW(WritePng(Bitmap32(), path), EFCreateError);
}

}  // namespace
}  // namespace tarn::testing
