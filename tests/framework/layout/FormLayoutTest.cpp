// Forms from a layout: the wizard's window is described by a layout embedded in the program, so
// the loader must create every control by class name in its place in the tree, set each
// property by name (nested objects and pictures included), leave out-of-layout properties at
// their new-instance values, bind handlers and fields by name, and paint the result exactly as
// the same form built in code.
#include "tests/framework/layout/LayoutTestClasses.h"

#include "base/Cp936.h"
#include "framework/pictures/JpegImage.h"
#include "framework/pictures/PngImage.h"

namespace tarn::testing {
namespace {

using ::testing::ElementsAre;

class FormLayoutTest : public FrameworkTest {
 protected:
  FormLayoutTest() { RegisterLayoutTestClasses(); }
};

TEST_F(FormLayoutTest, LoadsNestedPanelsLabelsAndACustomControlAndBindsHandlers) {
  auto* form = app->CreateForm<TTestForm>();
  EXPECT_THAT(form->log, ElementsAre("create"));  // OnCreate was bound by name
  EXPECT_EQ(form->Name(), "TestForm");
  EXPECT_EQ(form->Caption(), Utf8ToCp936("塔恩"));
  EXPECT_EQ(form->ClientWidth(), 160);
  EXPECT_EQ(form->BorderStyle(), TBorderStyle::bsNone);
  ASSERT_NE(form->Outer, nullptr);
  ASSERT_NE(form->Title, nullptr);
  ASSERT_NE(form->Swatch, nullptr);

  TPanel* outer = form->Outer;
  EXPECT_EQ(outer->Parent(), form);
  EXPECT_EQ(outer->Color(), 0x00FFFCE7u);
  EXPECT_EQ(outer->BevelInner(), TBevelCut::bvLowered);
  // The bottom-aligned panel keeps clear of two bevels of 2 and a border of 3.
  auto* inner = dynamic_cast<TPanel*>(form->FindComponent("Inner"));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Parent(), outer);
  EXPECT_EQ(inner->BoundsRect(), Rect(7, 63, 143, 83));
  EXPECT_EQ(inner->GetFont().Color, clYellow);
  EXPECT_EQ(inner->GetFont().Name, "\xCB\xCE\xCC\xE5");  // the rest of the font from the form

  TLabel* title = form->Title;
  EXPECT_EQ(title->Parent(), outer);
  EXPECT_EQ(title->Caption(), Utf8ToCp936("塔恩播放"));
  EXPECT_TRUE(title->Transparent());
  EXPECT_EQ(title->GetFont().Style, fsBold);
  EXPECT_EQ(title->GetFont().Height, 12);
  EXPECT_FALSE(title->ParentFont());
  // Sized to its text once loading was over.
  Bitmap32 scratch(1, 1);
  Canvas measure(scratch);
  measure.font = title->GetFont();
  EXPECT_EQ(title->Width(), measure.TextWidth(title->Caption()));
  EXPECT_EQ(title->Height(), measure.TextHeight(title->Caption()));

  TSwatch* swatch = form->Swatch;
  EXPECT_EQ(swatch->Pattern(), TSwatchPattern::spStripes);
  EXPECT_EQ(swatch->Stripe(), clRed);
  EXPECT_EQ(swatch->Frames(), 200);
  ASSERT_EQ(swatch->Notes().Count(), 3);
  EXPECT_EQ(swatch->Notes().Strings(2), Utf8ToCp936("第三"));
  EXPECT_EQ(swatch->Buddy(), title);
  EXPECT_FALSE(swatch->Options().Opaque());
  EXPECT_EQ(swatch->Options().Glass(), 0x00336699u);
  EXPECT_NE(dynamic_cast<TPngImage*>(swatch->Options().Picture().Graphic()), nullptr);
  EXPECT_EQ(swatch->Stamp().Width(), 12);
  EXPECT_EQ(swatch->loaded, 1);
  EXPECT_EQ(swatch->set_while_loading, 1);  // its setters saw csLoading
  EXPECT_EQ(swatch->ControlState() & csLoading, 0u);

  auto* ticker = dynamic_cast<TTimer*>(form->FindComponent("Ticker"));
  ASSERT_NE(ticker, nullptr);
  EXPECT_FALSE(ticker->Enabled());
  EXPECT_EQ(ticker->Interval(), 250u);

  // Handlers bound by name run with the control as sender.
  form->Show();
  app->ProcessMessages();
  const TPoint p = inner->ClientToParent({5, 5});
  Click(form, p.X, p.Y);
  swatch->FireSwatchClick();
  EXPECT_THAT(form->log, ElementsAre("create", "click Inner", "swatch 200"));
}

// The same window, built control by control.
TTestForm* BuildInCode(TApplication& app) {
  auto* form = app.CreateForm<TTestForm>(TTestForm::Empty{});
  form->SetBorderStyle(TBorderStyle::bsNone);
  form->SetClientWidth(160);
  form->SetClientHeight(100);
  form->SetColor(clWhite);
  Font font = form->GetFont();
  font.Name = "\xCB\xCE\xCC\xE5";
  font.Height = 12;
  form->SetFont(font);
  auto* outer = new TPanel(form);
  outer->SetParent(form);
  outer->SetBounds(4, 4, 150, 90);
  outer->SetColor(0x00FFFCE7);
  outer->SetBevelInner(TBevelCut::bvLowered);
  outer->SetBevelWidth(2);
  outer->SetBorderWidth(3);
  auto* inner = new TPanel(form);
  inner->SetParent(outer);
  inner->SetAlign(TAlign::alBottom);
  inner->SetHeight(20);
  inner->SetBevelOuter(TBevelCut::bvNone);
  inner->SetColor(clNavy);
  inner->SetAlignment(TAlignment::taLeftJustify);
  inner->SetCaption("Hi");
  Font yellow = inner->GetFont();
  yellow.Color = clYellow;
  inner->SetFont(yellow);
  auto* title = new TLabel(form);
  title->SetParent(outer);
  title->SetBounds(12, 10, title->Width(), title->Height());
  title->SetCaption(Utf8ToCp936("塔恩播放"));
  title->SetTransparent(true);
  Font bold = title->GetFont();
  bold.Style = fsBold;
  title->SetFont(bold);
  auto* swatch = new TSwatch(form);
  swatch->SetParent(outer);
  swatch->SetBounds(90, 8, 40, 30);
  swatch->SetPattern(TSwatchPattern::spStripes);
  swatch->SetStripe(clRed);
  swatch->Stamp().LoadFromFile(std::string(TARN_TEST_RESOURCES) + "/pictures/strip.png");
  return form;
}

TEST_F(FormLayoutTest, RendersHeadlessToTheSamePixelsAsTheFormBuiltInCode) {
  auto* loaded = app->CreateForm<TTestForm>();
  TTestForm* built = BuildInCode(*app);
  loaded->SetBounds(0, 0, loaded->Width(), loaded->Height());
  built->SetBounds(300, 0, built->Width(), built->Height());
  loaded->Show();
  built->Show();
  app->ProcessMessages();
  const Bitmap32& a = Screen(loaded);
  const Bitmap32& b = Screen(built);
  ASSERT_EQ(a.Width(), 160);
  ASSERT_EQ(a.Height(), 100);
  EXPECT_EQ(a, b);

  // And what the pixels are, where they do not depend on the text.
  EXPECT_EQ(ScreenColor(loaded, 2, 2), clWhite);                     // the form
  EXPECT_EQ(ScreenColor(loaded, 4, 4), ColorToRGB(clBtnHighlight));  // outer bevel, raised
  EXPECT_EQ(ScreenColor(loaded, 153, 93), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ScreenColor(loaded, 7, 30), 0x00FFFCE7u);              // the border band
  EXPECT_EQ(ScreenColor(loaded, 9, 30), ColorToRGB(clBtnShadow));  // inner bevel, lowered
  EXPECT_EQ(ScreenColor(loaded, 140, 72), clNavy);                 // the bottom panel
  // The swatch at (94, 12) in the form: stripes, and the stamp's first frame over them with
  // its alpha (opaque top row, clear bottom row).
  EXPECT_EQ(ScreenColor(loaded, 94 + 0, 12 + 20), clRed);
  EXPECT_EQ(ScreenColor(loaded, 94 + 3, 12 + 20), clWhite);
  EXPECT_EQ(ScreenColor(loaded, 94 + 2, 12 + 2), RGBColor(200, 0, 60));
  EXPECT_EQ(ScreenColor(loaded, 94 + 4, 12 + 3), clRed);
}

TEST_F(FormLayoutTest, APropertyLeftOutKeepsTheValueOfANewInstance) {
  auto* form = app->CreateForm<TTestForm>(std::string_view(R"(
    object F: TTestForm
      object Swatch: TSwatch
        Left = 3
      end
      object Plain: TPanel
      end
    end)"));
  TSwatch fresh(nullptr);
  const TClassInfo* cls = TClassRegistry::Instance().Find("TSwatch");
  ASSERT_NE(cls, nullptr);
  int compared = 0;
  for (const TPropertyInfo* p : cls->PublishedProperties()) {
    // The place comes from the layout, the tab order from the parent.
    if (!p->Get || p->Name == "Left" || p->Name == "TabOrder") continue;
    EXPECT_EQ(p->Get(*form->Swatch), p->Get(fresh)) << p->Name;
    ++compared;
  }
  EXPECT_GT(compared, 20);
  auto* plain = dynamic_cast<TPanel*>(form->FindComponent("Plain"));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->BevelOuter(), TBevelCut::bvRaised);
  EXPECT_EQ(plain->Width(), 185);
  // A form without the fields' components leaves them empty.
  EXPECT_EQ(form->Outer, nullptr);
}

TEST_F(FormLayoutTest, NewInstanceMetadataMatchesNewInstancesOfEveryClass) {
  int checked = 0;
  for (const TClassInfo* cls : TClassRegistry::Instance().Classes()) {
    if (!cls->Create) continue;
    TComponent* instance = cls->Create(nullptr);
    for (const TPropertyInfo* p : cls->PublishedProperties()) {
      if (!p->NewValue || !p->Get) continue;
      EXPECT_EQ(p->Get(*instance), *p->NewValue) << cls->Name() << "." << p->Name;
      ++checked;
    }
    delete instance;
  }
  EXPECT_GT(checked, 40);
  // The stream default is kept apart from the new value: a new swatch stores its colour.
  TSwatch swatch(nullptr);
  const TClassInfo* cls = TClassRegistry::Instance().Find("tswatch");
  EXPECT_TRUE(cls->FindProperty("Color")->ShouldStore(swatch));
  EXPECT_FALSE(cls->FindProperty("Pattern")->ShouldStore(swatch));
  EXPECT_TRUE(cls->FindProperty("Stripe")->ShouldStore(swatch));     // no stream default
  EXPECT_FALSE(cls->FindProperty("ShowHint")->ShouldStore(swatch));  // only without ParentShowHint
}

TEST_F(FormLayoutTest, PropertiesOfOlderLayoutsAreReadButNotPublished) {
  auto* form = app->CreateForm<TTestForm>(std::string_view(R"(
    object F: TTestForm
      object Swatch: TSwatch
        OldStripes = True
      end
    end)"));
  EXPECT_EQ(form->Swatch->Pattern(), TSwatchPattern::spStripes);
  const TClassInfo* cls = TClassRegistry::Instance().Find("TSwatch");
  for (const TPropertyInfo* p : cls->PublishedProperties())
    EXPECT_NE(p->Name, "OldStripes");
}

}  // namespace
}  // namespace tarn::testing
