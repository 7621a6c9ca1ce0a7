// The picture show in a form layout: the wizard's window places its slideshow from a layout,
// so every published property must be settable by name (the legacy "StretchFine" too), the
// handlers must bind, bad values must be refused with the line named, and a property left out
// must keep the value a new instance has.
#include <cstdio>

#include "PicShowFixture.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutError.h"
#include "framework/layout/LayoutLoader.h"
#include "slideshow/XPPicShowClasses.h"

namespace tarn::testing {
namespace {

using ::testing::ElementsAre;

class TShowForm : public TForm {
 public:
  TShowForm(TComponent* owner, std::string_view layout) : TForm(owner) {
    LoadLayout(*this, layout, "test");
  }
  void ShowComplete(TObject*) { log.push_back("complete"); }
  void ShowDraw(TObject*, TBitmap* picture, TBitmap*) {
    log.push_back("draw " + std::to_string(picture->Width()));
  }

  TXPPicShow* XPPicShow = nullptr;
  std::vector<std::string> log;
};

class PicShowLayoutTest : public PicShowTest {
 protected:
  PicShowLayoutTest() {
    RegisterPicShowClasses();
    RegisterPicShowClasses();  // a second call is harmless
    static const bool once = [] {
      RegisterClass<TShowForm, TForm>("TShowForm")
          .NoCreate()
          .Method("ShowComplete", &TShowForm::ShowComplete)
          .Method("ShowDraw", &TShowForm::ShowDraw)
          .Field("XPPicShow", &TShowForm::XPPicShow);
      return true;
    }();
    (void)once;
  }
  static std::vector<uint8_t> BmpBytes(const Bitmap32& pixels) {
    TBitmap bitmap;
    bitmap.Image() = pixels;
    return bitmap.SaveToBytes();
  }
  static std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    char digits[3];
    for (uint8_t b : bytes) {
      std::snprintf(digits, sizeof digits, "%02x", b);
      out += digits;
    }
    return out;
  }
};

TEST_F(PicShowLayoutTest, EveryPropertyIsSetByNameAndHandlersBind) {
  const Bitmap32 picture = Pattern(8, 6, 40), tile = Pattern(3, 2, 41);
  const std::string layout = R"(
object ShowForm: TShowForm
  BorderStyle = bsNone
  ClientWidth = 558
  ClientHeight = 340
  object XPPicShow: TXPPicShow
    Left = 27
    Top = 123
    Width = 503
    Height = 186
    ParentColor = False
    Color = 16776423
    FrameColor = 16776423
    FrameWidth = 3
    BgMode = bmCentered
    Center = True
    Stretch = True
    StretchFine = True
    OverDraw = False
    Threaded = False
    ThreadPriority = tpLower
    Manual = True
    Style = 118
    Step = 250
    Delay = 25
    Reverse = True
    ExactTiming = True
    About { }
    Picture.Data = { )" + Hex(BmpBytes(picture)) +
                             R"( }
    BgPicture.Data = { )" + Hex(BmpBytes(tile)) +
                             R"( }
    OnComplete = ShowComplete
    OnCustomDraw = ShowDraw
  end
end
)";
  auto* loaded = app->CreateForm<TShowForm>(layout);
  TXPPicShow* s = loaded->XPPicShow;
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Parent(), loaded);
  EXPECT_EQ(s->BoundsRect(), Bounds(27, 123, 503, 186));
  EXPECT_FALSE(s->ParentColor());
  EXPECT_EQ(s->Color(), 0x00FFFCE7u);
  EXPECT_EQ(s->FrameColor(), 0x00FFFCE7u);
  EXPECT_EQ(s->FrameWidth(), 3);
  EXPECT_EQ(s->BgMode(), TBackgroundMode::bmCentered);
  EXPECT_TRUE(s->Center());
  EXPECT_TRUE(s->Stretch());
  EXPECT_TRUE(s->Proportional());  // from the legacy name
  EXPECT_FALSE(s->OverDraw());
  EXPECT_FALSE(s->Threaded());
  EXPECT_EQ(s->ThreadPriority(), TThreadPriority::tpLower);
  EXPECT_TRUE(s->Manual());
  EXPECT_EQ(s->Style(), 118);
  EXPECT_EQ(s->StyleName(), "Fade");
  EXPECT_EQ(s->Step(), 100);  // clamped
  EXPECT_EQ(s->Delay(), 25);
  EXPECT_TRUE(s->Reverse());
  EXPECT_TRUE(s->ExactTiming());
  ASSERT_NE(s->Picture().Graphic(), nullptr);
  EXPECT_TRUE(SameColours(s->Picture().Graphic()->Pixels(), picture));
  ASSERT_NE(s->BgPicture().Graphic(), nullptr);
  EXPECT_TRUE(SameColours(s->BgPicture().Graphic()->Pixels(), tile));
  ASSERT_TRUE(s->OnComplete);
  ASSERT_TRUE(s->OnCustomDraw);
  s->OnComplete(s);
  TBitmap probe(5, 5);
  s->OnCustomDraw(s, &probe, &probe);
  EXPECT_THAT(loaded->log, ElementsAre("complete", "draw 5"));

  // "StretchFine" is read, never written: it is not among the published properties.
  const TClassInfo* info = TClassRegistry::Instance().Find("TXPPicShow");
  ASSERT_NE(info, nullptr);
  const TPropertyInfo* fine = info->FindProperty("StretchFine");
  ASSERT_NE(fine, nullptr);
  EXPECT_FALSE(fine->Published);
  EXPECT_FALSE(fine->Get);
  // StyleName is set by name but never stored.
  const TPropertyInfo* name = info->FindProperty("StyleName");
  ASSERT_NE(name, nullptr);
  EXPECT_FALSE(name->ShouldStore(*s));

  // The name of a style works in a layout too.
  auto* by_name = app->CreateForm<TShowForm>(R"(
object ShowForm2: TShowForm
  object XPPicShow: TXPPicShow
    StyleName = "reveal diamond in to centre"
  end
end
)");
  EXPECT_EQ(by_name->XPPicShow->Style(), 166);
}

TEST_F(PicShowLayoutTest, APropertyLeftOutKeepsTheValueOfANewInstance) {
  const TClassInfo* info = TClassRegistry::Instance().Find("TXPPicShow");
  ASSERT_NE(info, nullptr);
  ASSERT_TRUE(info->Create);
  // A new instance, before a parent lends it its colour.
  std::unique_ptr<TComponent> fresh(info->Create(nullptr));
  int checked = 0;
  for (const TPropertyInfo* p : info->PublishedProperties()) {
    if (!p->NewValue || !p->Get) continue;
    ++checked;
    EXPECT_EQ(p->Get(*fresh), *p->NewValue) << p->Name;
  }
  EXPECT_GE(checked, 20);
  auto* show_fresh = dynamic_cast<TXPPicShow*>(fresh.get());
  ASSERT_NE(show_fresh, nullptr);
  EXPECT_TRUE(show_fresh->ParentColor());
  EXPECT_TRUE(show_fresh->ControlStyle() & csOpaque);
  EXPECT_FALSE(show_fresh->Busy());
}

TEST_F(PicShowLayoutTest, BadValuesAreRefusedWithTheLineNamed) {
  const char* bad[] = {"Style = 172", "BgMode = bmTilted", "ThreadPriority = tpNow",
                       "FrameWidth = -1", "Delay = 70000"};
  for (const char* line : bad) {
    const std::string layout =
        std::string("object F: TShowForm\n  object XPPicShow: TXPPicShow\n    ") + line +
        "\n  end\nend\n";
    try {
      app->CreateForm<TShowForm>(layout);
      ADD_FAILURE() << line << " was accepted";
    } catch (const ELayoutError& e) {
      EXPECT_EQ(e.Line(), 3) << line;
    }
  }
}

}  // namespace
}  // namespace tarn::testing
