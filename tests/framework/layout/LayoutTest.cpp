// Layout: alignment in the usual order, anchors, constraints, the auto-size hook and the
// notifications of property setters. The wizard's window is built from aligned panels.
#include "tests/framework/FrameworkFixture.h"

namespace tarn::testing {
namespace {

using ::testing::ElementsAre;

class LayoutTest : public FrameworkTest {};

TEST_F(LayoutTest, AlignedControlsFillTheClientAreaTopBottomLeftRightClient) {
  // The wizard's frame: title on top, bottom bar, 1-pixel borders, a client page.
  TForm* form = MakeForm(558, 390);
  auto make = [&](const char* name, TAlign align, int w, int h) {
    auto* p = new TProbe(form, name, Bounds(0, 0, w, h), nullptr);
    p->SetAlign(align);
    return p;
  };
  auto* page = make("page", TAlign::alClient, 10, 10);
  auto* left = make("left", TAlign::alLeft, 1, 10);
  auto* right = make("right", TAlign::alRight, 1, 10);
  auto* bottom = make("bottom", TAlign::alBottom, 10, 31);
  auto* title = make("title", TAlign::alTop, 10, 29);
  EXPECT_EQ(title->BoundsRect(), Bounds(0, 0, 558, 29));
  EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 359, 558, 31));
  EXPECT_EQ(left->BoundsRect(), Bounds(0, 29, 1, 330));
  EXPECT_EQ(right->BoundsRect(), Bounds(557, 29, 1, 330));
  EXPECT_EQ(page->BoundsRect(), Bounds(1, 29, 556, 330));
  // Nested: a title bar's corner pieces.
  auto* corner = new TProbe(title, "corner", Bounds(0, 0, 5, 5), nullptr);
  corner->SetAlign(TAlign::alRight);
  EXPECT_EQ(corner->BoundsRect(), Bounds(553, 0, 5, 29));
  // Hiding an aligned control gives its room to the others.
  left->SetVisible(false);
  EXPECT_EQ(page->BoundsRect(), Bounds(0, 29, 557, 330));
  form->SetBounds(100, 50, 600, 400);
  EXPECT_EQ(page->BoundsRect(), Bounds(0, 29, 599, 340));
  EXPECT_EQ(corner->BoundsRect(), Bounds(595, 0, 5, 29));
}

TEST_F(LayoutTest, AnchorsKeepDistancesWhenTheParentResizes) {
  TForm* form = MakeForm(200, 100);
  auto* right = new TProbe(form, "right", Bounds(150, 10, 40, 20), nullptr);
  right->SetAnchors(akTop | akRight);
  auto* stretch = new TProbe(form, "stretch", Bounds(10, 40, 180, 20), nullptr);
  stretch->SetAnchors(akLeft | akRight | akTop | akBottom);
  auto* fixed = new TProbe(form, "fixed", Bounds(10, 70, 20, 20), nullptr);
  form->SetBounds(100, 50, 260, 130);
  EXPECT_EQ(right->BoundsRect(), Bounds(210, 10, 40, 20));
  EXPECT_EQ(stretch->BoundsRect(), Bounds(10, 40, 240, 50));
  EXPECT_EQ(fixed->BoundsRect(), Bounds(10, 70, 20, 20));
  form->SetBounds(100, 50, 200, 100);
  EXPECT_EQ(right->BoundsRect(), Bounds(150, 10, 40, 20));
  EXPECT_EQ(stretch->BoundsRect(), Bounds(10, 40, 180, 20));
}

TEST_F(LayoutTest, ConstraintsAndCanResizeLimitTheSize) {
  TForm* form = MakeForm();
  auto* p = new TProbe(form, "p", Bounds(0, 0, 75, 25), nullptr);
  p->Constraints().Pin(60, 21);  // a skinned button pinned to one frame of its strip
  EXPECT_EQ(p->Width(), 60);
  EXPECT_EQ(p->Height(), 21);
  p->SetBounds(5, 6, 300, 300);
  EXPECT_EQ(p->BoundsRect(), Bounds(5, 6, 60, 21));
  auto* q = new TProbe(form, "q", Bounds(0, 0, 10, 10), nullptr);
  q->OnCanResize = [](TObject*, int& w, int&, bool& resize) {
    if (w > 50) resize = false;
  };
  q->SetWidth(40);
  q->SetWidth(80);
  EXPECT_EQ(q->Width(), 40);
}

TEST_F(LayoutTest, AutoSizeAsksTheControlForItsSize) {
  class TSized : public TProbe {
   public:
    using TProbe::TProbe;

   protected:
    bool CanAutoSize(int& w, int& h) override {
      w = 33;
      h = 44;
      return true;
    }
  };
  TForm* form = MakeForm();
  auto* s = new TSized(form, "s", Bounds(1, 2, 10, 10), nullptr);
  EXPECT_EQ(s->Width(), 10);
  s->SetAutoSize(true);
  EXPECT_EQ(s->BoundsRect(), Bounds(1, 2, 33, 44));
}

TEST_F(LayoutTest, ParentColorAndFontFollowTheParentUntilSet) {
  TForm* form = MakeForm();
  auto* panel = new TProbe(form, "panel", Bounds(0, 0, 100, 100), nullptr);
  auto* child = new TPatch(panel, "child", Bounds(0, 0, 10, 10), clRed, nullptr);
  auto* follower = new TPatch(panel, "follower", Bounds(0, 0, 10, 10), clRed, nullptr);
  follower->SetParentColor(true);
  panel->SetColor(clBlue);
  EXPECT_EQ(follower->Color(), clBlue);
  EXPECT_EQ(child->Color(), clRed);
  EXPECT_FALSE(child->ParentColor());

  Font font = form->GetFont();
  font.Name = "Tahoma";
  font.Height = 12;
  form->SetFont(font);
  EXPECT_EQ(child->GetFont().Name, "Tahoma");  // parent font by default, two levels down
  Font own = child->GetFont();
  own.Height = 20;
  child->SetFont(own);
  font.Height = 14;
  form->SetFont(font);
  EXPECT_EQ(child->GetFont().Height, 20);
  EXPECT_EQ(follower->GetFont().Height, 14);
}

TEST_F(LayoutTest, SettersNotifyOnlyOnChange) {
  class TCounter : public TProbe {
   public:
    using TProbe::TProbe;
    std::vector<uint32_t> seen;

   protected:
    void WndProc(TMessage& m) override {
      if (m.Msg >= CM_BASE) seen.push_back(m.Msg);
      TProbe::WndProc(m);
    }
  };
  TForm* form = MakeForm();
  auto* c = new TCounter(form, "c", Bounds(0, 0, 10, 10), nullptr);
  c->seen.clear();
  c->SetCaption("x");
  c->SetCaption("x");
  c->SetEnabled(false);
  c->SetEnabled(false);
  c->SetVisible(false);
  c->SetVisible(false);
  c->SetColor(clRed);
  c->SetColor(clRed);
  EXPECT_THAT(c->seen,
              ElementsAre(CM_TEXTCHANGED, CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_COLORCHANGED));
  EXPECT_TRUE(IsAccel('n', "&Next"));
  EXPECT_TRUE(IsAccel('N', "Fi&nish"));
  EXPECT_FALSE(IsAccel('a', "A&&B"));
  EXPECT_FALSE(IsAccel('x', "plain"));
}

TEST_F(LayoutTest, ReparentingMovesTheControlAndFreeingAParentFreesItsChildren) {
  TForm* form = MakeForm();
  auto* a = new TProbe(form, "a", Bounds(0, 0, 100, 100), nullptr);
  auto* b = new TProbe(form, "b", Bounds(0, 0, 100, 100), nullptr);
  auto* child = new TProbe(a, "child", Bounds(0, 0, 10, 10), nullptr);
  EXPECT_EQ(a->ControlCount(), 1);
  child->SetParent(b);
  EXPECT_EQ(a->ControlCount(), 0);
  EXPECT_EQ(child->Parent(), b);
  EXPECT_THROW(b->SetParent(child), Exception);
  const int owned = form->ComponentCount();
  delete b;  // takes child with it; both leave the form's list of owned components
  EXPECT_EQ(form->ComponentCount(), owned - 2);
  EXPECT_EQ(form->FindComponent("child"), nullptr);
}

}  // namespace
}  // namespace tarn::testing
