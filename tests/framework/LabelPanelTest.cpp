// The label and the panel, the standard controls every page of the wizard is made of: a label
// must size itself to its text and keep its right edge when right-aligned, show its parent
// through itself when transparent and follow its parent's font until given its own; a panel
// must draw its bevels and border where the skinned panel expects them and keep aligned
// children clear of them.
#include "FrameworkFixture.h"

#include "framework/Label.h"
#include "framework/Panel.h"

namespace tarn::testing {
namespace {

class LabelPanelTest : public FrameworkTest {
 protected:
  TSize TextSize(const Font& font, const std::string& text) {
    Bitmap32 scratch(1, 1);
    Canvas c(scratch);
    c.font = font;
    return c.TextExtent(text);
  }
  // Whether any pixel of the area differs from `background`.
  bool Inked(TForm* form, const TRect& area, TColor background) {
    for (int y = area.Top; y < area.Bottom; ++y) {
      for (int x = area.Left; x < area.Right; ++x) {
        if (ScreenColor(form, x, y) != background) return true;
      }
    }
    return false;
  }
};

TEST_F(LabelPanelTest, ALabelSizesItselfToItsTextAndKeepsItsRightEdgeWhenRightAligned) {
  TForm* form = MakeForm();
  auto* label = new TLabel(form);
  EXPECT_EQ(label->BoundsRect(), Rect(0, 0, 65, 17));  // a new label, before any text
  label->SetParent(form);
  label->SetBounds(10, 10, 65, 17);
  label->SetCaption("Hello");
  const TSize hello = TextSize(label->GetFont(), "Hello");
  EXPECT_EQ(label->BoundsRect(), Bounds(10, 10, hello.cx, hello.cy));
  label->SetCaption("");
  EXPECT_EQ(label->Width(), TextSize(label->GetFont(), " ").cx);  // one blank's worth
  EXPECT_EQ(label->Height(), hello.cy);

  label->SetCaption("Hello");
  label->SetAlignment(TAlignment::taRightJustify);
  const int right = label->Left() + label->Width();
  label->SetCaption("Hello, world");
  EXPECT_EQ(label->Left() + label->Width(), right);
  EXPECT_EQ(label->Width(), TextSize(label->GetFont(), "Hello, world").cx);

  label->SetAutoSize(false);
  label->SetCaption("x");
  EXPECT_EQ(label->Width(), TextSize(label->GetFont(), "Hello, world").cx);
  // Wrapped text breaks within the width, grows downwards and takes its widest line's width.
  label->SetAlignment(TAlignment::taLeftJustify);
  label->SetBounds(10, 10, 40, 10);
  label->SetWordWrap(true);
  label->SetCaption("one two three four");
  label->SetAutoSize(true);
  EXPECT_LE(label->Width(), 40);
  EXPECT_GE(label->Width(), TextSize(label->GetFont(), "three").cx);
  EXPECT_GT(label->Height(), 2 * hello.cy);
}

TEST_F(LabelPanelTest, ALabelFollowsItsParentsFontAndColourUntilGivenItsOwn) {
  TForm* form = MakeForm();
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  Font big = panel->GetFont();
  big.Height = 16;
  panel->SetFont(big);
  panel->SetColor(clTeal);
  auto* label = new TLabel(form);
  label->SetParent(panel);
  EXPECT_EQ(label->GetFont().Height, 16);
  EXPECT_EQ(label->Color(), clTeal);
  Font own = label->GetFont();
  own.Height = 9;
  label->SetFont(own);
  big.Height = 20;
  panel->SetFont(big);
  EXPECT_EQ(label->GetFont().Height, 9);  // its own from now on
  label->SetParentFont(true);
  EXPECT_EQ(label->GetFont().Height, 20);
}

TEST_F(LabelPanelTest, AnOpaqueLabelFillsItsColourAndATransparentOneShowsItsParent) {
  TForm* form = MakeForm(120, 40);
  form->SetColor(clYellow);
  auto* opaque = new TLabel(form);
  opaque->SetParent(form);
  opaque->SetParentColor(false);
  opaque->SetColor(clAqua);
  opaque->SetBounds(0, 0, 50, 20);
  opaque->SetAutoSize(false);
  opaque->SetCaption("W");
  auto* clear = new TLabel(form);
  clear->SetParent(form);
  clear->SetAutoSize(false);
  clear->SetBounds(60, 0, 50, 20);
  clear->SetColor(clAqua);
  clear->SetTransparent(true);
  clear->SetCaption("i");
  ShowAndSettle(form);
  EXPECT_EQ(ScreenColor(form, 45, 15), clAqua);
  EXPECT_EQ(ScreenColor(form, 105, 15), clYellow);
  EXPECT_TRUE(Inked(form, Rect(60, 0, 70, 20), clYellow));  // the text itself is drawn

  // Disabled text is drawn embossed: the white highlight shows beside the grey shadow (the
  // aqua fill has no red at all).
  auto red_ink = [&](int threshold) {
    bool found = false;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x)
        found |= RedOf(ScreenColor(form, x, y)) > threshold;
    }
    return found;
  };
  EXPECT_FALSE(red_ink(0x10));  // enabled: black text on aqua
  opaque->SetEnabled(false);
  app->ProcessMessages();
  EXPECT_TRUE(red_ink(0xC0));
}

TEST_F(LabelPanelTest, PanelBevelsBorderAndCaptionLieWhereExpected) {
  TForm* form = MakeForm(100, 60);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 100, 60);
  panel->SetColor(clWhite);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  panel->SetBevelInner(TBevelCut::bvLowered);
  ShowAndSettle(form);
  const TColor hi = ColorToRGB(clBtnHighlight);
  const TColor shadow = ColorToRGB(clBtnShadow);
  // Outer raised bevel, 2 wide: light top and left, dark bottom and right.
  EXPECT_EQ(ScreenColor(form, 1, 30), hi);
  EXPECT_EQ(ScreenColor(form, 50, 1), hi);
  EXPECT_EQ(ScreenColor(form, 98, 30), shadow);
  EXPECT_EQ(ScreenColor(form, 50, 58), shadow);
  // The border band in the panel's colour, then the inner lowered bevel.
  for (int x = 2; x < 5; ++x)
    EXPECT_EQ(ScreenColor(form, x, 30), clWhite) << x;
  EXPECT_EQ(ScreenColor(form, 5, 30), shadow);
  EXPECT_EQ(ScreenColor(form, 6, 30), shadow);
  EXPECT_EQ(ScreenColor(form, 93, 30), hi);
  EXPECT_EQ(ScreenColor(form, 7, 30), clWhite);
  EXPECT_FALSE(Inked(form, Rect(7, 7, 93, 53), clWhite));  // no caption yet

  // A caption, centred: ink in the middle, none near the inner edges.
  panel->SetCaption("Mid");
  app->ProcessMessages();
  EXPECT_TRUE(Inked(form, Rect(35, 20, 65, 40), clWhite));
  EXPECT_FALSE(Inked(form, Rect(7, 7, 30, 53), clWhite));
  panel->SetAlignment(TAlignment::taLeftJustify);
  app->ProcessMessages();
  EXPECT_TRUE(Inked(form, Rect(7, 20, 20, 40), clWhite));
  EXPECT_FALSE(Inked(form, Rect(60, 7, 93, 53), clWhite));
  panel->SetAlignment(TAlignment::taRightJustify);
  app->ProcessMessages();
  EXPECT_TRUE(Inked(form, Rect(80, 20, 93, 40), clWhite));
  EXPECT_FALSE(Inked(form, Rect(7, 7, 40, 53), clWhite));
  // A lowered outer bevel swaps the colours.
  panel->SetBevelOuter(TBevelCut::bvLowered);
  app->ProcessMessages();
  EXPECT_EQ(ScreenColor(form, 1, 30), shadow);
  EXPECT_EQ(ScreenColor(form, 98, 30), hi);
}

TEST_F(LabelPanelTest, AlignedChildrenKeepClearOfBevelsAndBorder) {
  TForm* form = MakeForm(100, 60);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 100, 60);
  auto* top = new TPanel(form);
  top->SetParent(panel);
  top->SetAlign(TAlign::alTop);
  top->SetHeight(10);
  auto* client = new TPanel(form);
  client->SetParent(panel);
  client->SetAlign(TAlign::alClient);
  EXPECT_EQ(top->BoundsRect(), Rect(1, 1, 99, 11));
  EXPECT_EQ(client->BoundsRect(), Rect(1, 11, 99, 59));
  panel->SetBorderWidth(4);
  panel->SetBevelInner(TBevelCut::bvRaised);
  EXPECT_EQ(top->BoundsRect(), Rect(6, 6, 94, 16));
  EXPECT_EQ(client->BoundsRect(), Rect(6, 16, 94, 54));
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetBevelInner(TBevelCut::bvNone);
  panel->SetBorderWidth(0);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 10, 100, 60));
}

}  // namespace
}  // namespace tarn::testing
