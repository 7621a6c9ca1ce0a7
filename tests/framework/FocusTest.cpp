// Keyboard focus: Tab order over nested containers, enter/exit notifications, dialog characters
// (accelerators) and keys that reach the focused control. The wizard's check boxes and edit box
// rely on these to react to Space, accelerators and Enter-as-Tab.
#include "FrameworkFixture.h"

#include "platform/host/VirtualKeys.h"

namespace tarn::testing {
namespace {

using ::testing::ElementsAre;

class FocusTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = MakeForm(300, 200);
    a = new TProbe(form, "a", Bounds(0, 0, 40, 20), &log);
    panel = new TProbe(form, "panel", Bounds(50, 0, 200, 100), &log);
    p1 = new TProbe(panel, "p1", Bounds(0, 0, 40, 20), &log);
    p2 = new TProbe(panel, "p2", Bounds(50, 0, 40, 20), &log);
    c = new TProbe(form, "c", Bounds(0, 120, 40, 20), &log);
    for (TProbe* p : {a, p1, p2, c})
      p->SetTabStop(true);
  }
  TForm* form = nullptr;
  TProbe *a = nullptr, *panel = nullptr, *p1 = nullptr, *p2 = nullptr, *c = nullptr;
};

TEST_F(FocusTest, FormOpensWithTheFirstTabStopFocused) {
  ShowAndSettle(form);
  EXPECT_EQ(form->ActiveControl(), a);
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(app->FocusedControl(), a);
}

TEST_F(FocusTest, TabWalksNestedControlsInTabOrderAndWraps) {
  p2->SetTabOrder(0);  // p2 before p1 inside the panel
  ShowAndSettle(form);
  std::vector<std::string> order;
  for (int i = 0; i < 5; ++i) {
    order.push_back(form->ActiveControl()->Name());
    host.PressKey(Win(form), VK_TAB);
    app->ProcessMessages();
  }
  EXPECT_THAT(order, ElementsAre("a", "p2", "p1", "c", "a"));
  EXPECT_EQ(form->ActiveControl(), p2);
  host.KeyDown(Win(form), VK_SHIFT);
  host.PressKey(Win(form), VK_TAB);
  host.KeyUp(Win(form), VK_SHIFT);
  app->ProcessMessages();
  EXPECT_EQ(form->ActiveControl(), a);
}

TEST_F(FocusTest, TabSkipsControlsThatCannotTakeTheFocus) {
  p2->SetEnabled(false);
  panel->SetEnabled(true);
  c->SetVisible(false);
  ShowAndSettle(form);
  form->SelectNext(a, true, true);
  EXPECT_EQ(form->ActiveControl(), p1);
  form->SelectNext(p1, true, true);
  EXPECT_EQ(form->ActiveControl(), a);
  EXPECT_FALSE(p2->CanFocus());
  EXPECT_THROW(p2->SetFocus(), Exception);
}

TEST_F(FocusTest, FocusMovesWithExitAndEnterUpToTheCommonParent) {
  ShowAndSettle(form);
  log.clear();
  p1->SetFocus();
  EXPECT_THAT(log, ElementsAre("a:killfocus", "a:Exit", "panel:Enter", "p1:Enter", "p1:setfocus"));
  log.clear();
  p2->SetFocus();
  EXPECT_THAT(log, ElementsAre("p1:killfocus", "p1:Exit", "p2:Enter", "p2:setfocus"));
  log.clear();
  c->SetFocus();
  EXPECT_THAT(log, ElementsAre("p2:killfocus", "p2:Exit", "panel:Exit", "c:Enter", "c:setfocus"));
}

TEST_F(FocusTest, HidingOrDisablingTheFocusedControlTakesTheFocusAway) {
  ShowAndSettle(form);
  p1->SetFocus();
  log.clear();
  panel->SetEnabled(false);
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_THAT(log, ElementsAre("p1:killfocus", "p1:Exit", "panel:Exit"));
  c->SetFocus();
  c->SetVisible(false);
  EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(FocusTest, LosingTheWindowFocusTellsTheFocusedControlWithoutExit) {
  ShowAndSettle(form);
  log.clear();
  host.SetActive(Win(form), false);
  app->ProcessMessages();
  EXPECT_FALSE(a->Focused());
  EXPECT_FALSE(app->Active());
  host.SetActive(Win(form), true);
  app->ProcessMessages();
  EXPECT_TRUE(a->Focused());
  EXPECT_THAT(log, ElementsAre("a:killfocus", "a:setfocus"));
}

TEST_F(FocusTest, UnwantedCharactersAreOfferedAsDialogCharacters) {
  p2->SetCaption("&Next");
  c->SetCaption("Fi&nish");
  ShowAndSettle(form);
  log.clear();
  std::vector<std::string> typed;
  a->OnKeyPress = [&](TObject*, char& key) { typed.push_back(std::string(1, key)); };
  host.TypeText(Win(form), "x");  // nobody's accelerator
  host.TypeText(Win(form), "N");  // p2's, case does not matter; the first in line wins
  app->ProcessMessages();
  EXPECT_THAT(typed, ElementsAre("x", "N"));
  EXPECT_THAT(log, ElementsAre("p2:accel", "a:killfocus", "a:Exit", "panel:Enter", "p2:Enter",
                               "p2:setfocus"));
  EXPECT_EQ(form->ActiveControl(), p2);
}

TEST_F(FocusTest, AltLetterReachesAcceleratorsAndKeyPressCanSwallowACharacter) {
  c->SetCaption("&Go");
  ShowAndSettle(form);
  a->OnKeyPress = [](TObject*, char& key) { key = 0; };  // a takes every character
  host.TypeText(Win(form), "g");
  app->ProcessMessages();
  EXPECT_EQ(form->ActiveControl(), a);
  host.KeyDown(Win(form), VK_MENU);
  host.PressKey(Win(form), 'G');
  host.KeyUp(Win(form), VK_MENU);
  app->ProcessMessages();
  EXPECT_EQ(form->ActiveControl(), c);
}

TEST_F(FocusTest, EnterTypesACarriageReturnForEnterAsTab) {
  ShowAndSettle(form);
  a->OnKeyPress = [this](TObject*, char& key) {
    if (key == '\r') {
      form->SelectNext(a, true, true);
      key = 0;
    }
  };
  uint16_t down = 0;
  a->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { down = key; };
  host.PressKey(Win(form), VK_RETURN);
  app->ProcessMessages();
  EXPECT_EQ(down, VK_RETURN);
  EXPECT_EQ(form->ActiveControl(), p1);
}

TEST_F(FocusTest, DialogCharacterIsIgnoredByAControlThatWantsCharacters) {
  class TEditLike : public TProbe {
   public:
    using TProbe::TProbe;
    void WndProc(TMessage& m) override {
      if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTCHARS;
        return;
      }
      TProbe::WndProc(m);
    }
  };
  auto* edit = new TEditLike(form, "edit", Bounds(0, 150, 40, 20), &log);
  edit->SetTabStop(true);
  c->SetCaption("&c");
  ShowAndSettle(form);
  edit->SetFocus();
  EXPECT_TRUE(host.TextInputEnabled());
  host.TypeText(Win(form), "c");
  app->ProcessMessages();
  EXPECT_EQ(form->ActiveControl(), edit);
}

}  // namespace
}  // namespace tarn::testing
