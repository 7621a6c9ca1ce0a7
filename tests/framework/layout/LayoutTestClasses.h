// Classes of the layout tests: a control of the test's own that uses every kind of property a
// layout can set (nested objects within nested objects, a picture stored with the form, string
// lists, a reference to another component, an event of its own, a property only older layouts
// carry), and a form class whose handlers and fields the loader binds.
#pragma once

#include <string>
#include <vector>

#include "base/StringList.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutLoader.h"
#include "framework/layout/Loadable.h"
#include "framework/pictures/Picture.h"
#include "tests/framework/FrameworkFixture.h"

namespace tarn {

// Property values as test failures show them (found by argument-dependent lookup).
inline void PrintTo(const TPropertyValue& v, std::ostream* os) {
  *os << "{Int " << v.Int << ", Text \"" << v.Text << "\", " << v.Lines.size() << " lines, "
      << v.Bytes.size() << " bytes}";
}

}  // namespace tarn

namespace tarn::testing {

enum class TSwatchPattern { spSolid, spStripes };

// Nested options, as a skinned panel's background options are.
class TSwatchOptions : public TPersistent {
 public:
  bool Opaque() const { return opaque_; }
  void SetOpaque(bool v) { opaque_ = v; }
  TColor Glass() const { return glass_; }
  void SetGlass(TColor c) { glass_ = c; }
  TPicture& Picture() { return picture_; }
  std::string ClassName() const override { return "TSwatchOptions"; }

 private:
  bool opaque_ = true;
  TColor glass_ = clBlack;
  TPicture picture_;
};

using TSwatchClickEvent = std::function<void(TObject* Sender, int Frames)>;

class TSwatch : public TCustomControl, public ILoadable {
 public:
  explicit TSwatch(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 50, 20);
    SetParentColor(false);
    SetColor(clWhite);
  }

  TSwatchPattern Pattern() const { return pattern_; }
  void SetPattern(TSwatchPattern p) {
    pattern_ = p;
    if (ControlState() & csLoading) ++set_while_loading;
    Invalidate();
  }
  TColor Stripe() const { return stripe_; }
  void SetStripe(TColor c) {
    stripe_ = c;
    Invalidate();
  }
  uint8_t Frames() const { return frames_; }
  void SetFrames(uint8_t f) { frames_ = f; }
  TStringList& Notes() { return notes_; }
  TSwatchOptions& Options() { return options_; }
  TPicture& Stamp() { return stamp_; }
  TLabel* Buddy() const { return buddy_; }
  void SetBuddy(TLabel* label) { buddy_ = label; }
  // Older layouts wrote "OldStripes = True" for the striped pattern.
  void SetOldStripes(bool on) {
    SetPattern(on ? TSwatchPattern::spStripes : TSwatchPattern::spSolid);
  }

  void Loaded() override { ++loaded; }
  void FireSwatchClick() {
    if (OnSwatchClick) OnSwatchClick(this, frames_);
  }

  TSwatchClickEvent OnSwatchClick;
  int loaded = 0;
  int set_while_loading = 0;

 protected:
  void Paint() override {
    Canvas& c = GetCanvas();
    c.FillRect(ClientRect(), Color());
    if (pattern_ == TSwatchPattern::spStripes) {
      for (int x = 0; x < Width(); x += 4)
        c.FillRect(Rect(x, 0, x + 2, Height()), stripe_);
    }
    if (!stamp_.Empty()) stamp_.Graphic()->Draw(c, Bounds(2, 2, stamp_.Width(), stamp_.Height()));
  }

 private:
  TSwatchPattern pattern_ = TSwatchPattern::spSolid;
  TColor stripe_ = clBlack;
  uint8_t frames_ = 1;
  TStringList notes_;
  TSwatchOptions options_;
  TPicture stamp_;
  TLabel* buddy_ = nullptr;
};

class TTestForm : public TForm {
 public:
  // Loaded from the layout in the program's resources.
  explicit TTestForm(TComponent* owner) : TForm(owner) { LoadLayoutResource(*this, "TTestForm"); }
  // Loaded from a layout text.
  TTestForm(TComponent* owner, std::string_view layout) : TForm(owner) {
    LoadLayout(*this, layout, "test");
  }
  struct Empty {};
  TTestForm(TComponent* owner, Empty) : TForm(owner) {}

  void FormCreate(TObject*) { log.push_back("create"); }
  void PanelClick(TObject* sender) {
    log.push_back("click " + static_cast<TComponent*>(sender)->Name());
  }
  void SwatchClick(TObject*, int frames) { log.push_back("swatch " + std::to_string(frames)); }

  TPanel* Outer = nullptr;
  TLabel* Title = nullptr;
  TSwatch* Swatch = nullptr;
  std::vector<std::string> log;
};

inline void RegisterLayoutTestClasses() {
  static const bool once = [] {
    RegisterEnum<TSwatchPattern>("TSwatchPattern", {"spSolid", "spStripes"});
    RegisterClass<TSwatchOptions, TPersistent>("TSwatchOptions")
        .Boolean("Opaque", &TSwatchOptions::Opaque, &TSwatchOptions::SetOpaque)
        .NewValue(true)
        .Default(true)
        .Color("Glass", &TSwatchOptions::Glass, &TSwatchOptions::SetGlass)
        .NewValue(clBlack)
        .Default(clBlack)
        .Object("Picture", &TSwatchOptions::Picture);
    RegisterClass<TSwatch, TCustomControl>("TSwatch")
        .Integer("Width", &TControl::Width, &TControl::SetWidth)
        .NewValue(50)
        .Integer("Height", &TControl::Height, &TControl::SetHeight)
        .NewValue(20)
        .Color("Color", &TControl::Color, &TControl::SetColor)
        .NewValue(clWhite)
        .Default(clBtnFace)  // the two differ, as several of the skinned controls' do
        .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .NewValue(false)
        .Default(false)
        .Enum("Pattern", &TSwatch::Pattern, &TSwatch::SetPattern)
        .NewValue(TSwatchPattern::spSolid)
        .Default(TSwatchPattern::spSolid)
        .Color("Stripe", &TSwatch::Stripe, &TSwatch::SetStripe)
        .NewValue(clBlack)
        .NoDefault()
        .Integer("Frames", &TSwatch::Frames, &TSwatch::SetFrames)
        .NewValue(1)
        .StringList("Notes", &TSwatch::Notes)
        .Object("Options", &TSwatch::Options)
        .Object("Stamp", &TSwatch::Stamp)
        .Component<TLabel>("Buddy", &TSwatch::Buddy, &TSwatch::SetBuddy)
        .Boolean("OldStripes", nullptr, &TSwatch::SetOldStripes)
        .Unpublished()
        .Event("OnSwatchClick", &TSwatch::OnSwatchClick);
    RegisterClass<TTestForm, TForm>("TTestForm")
        .NoCreate()
        .Method("FormCreate", &TTestForm::FormCreate)
        .Method("PanelClick", &TTestForm::PanelClick)
        .Method("SwatchClick", &TTestForm::SwatchClick)
        .Field("Outer", &TTestForm::Outer)
        .Field("Title", &TTestForm::Title)
        .Field("Swatch", &TTestForm::Swatch);
    return true;
  }();
  (void)once;
}

}  // namespace tarn::testing
