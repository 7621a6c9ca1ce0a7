// Popup menus: opening on a right click or from the keyboard, choosing by mouse, arrows,
// Enter and accelerators, closing by Esc or a press elsewhere, placement on the monitor and
// the classic drawing. Every skinned control's context menu runs on these paths.
#include "FrameworkFixture.h"
#include "framework/MenuItem.h"
#include "framework/PopupMenu.h"
#include "framework/PopupMenuWindow.h"
#include "platform/host/VirtualKeys.h"

namespace tarn::testing {
namespace {

using ::testing::ElementsAre;

class PopupMenuTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = MakeForm();
    a = new TProbe(form, "a", Bounds(10, 10, 50, 40), &log);
    menu = new TPopupMenu(form);
    open = NewItem(menu->Items(), "&Open", [this](TObject*) { Chose("open"); });
    NewItem(menu->Items(), "-");
    greyed = NewItem(menu->Items(), "&Greyed", [this](TObject*) { Chose("greyed"); });
    greyed->SetEnabled(false);
    hidden = NewItem(menu->Items(), "&Hidden", [this](TObject*) { Chose("hidden"); });
    hidden->SetVisible(false);
    check = NewItem(menu->Items(), "&Check", [this](TObject*) { Chose("check"); });
    check->SetChecked(true);
    menu->OnPopup = [this](TObject*) { log.push_back("popup"); };
    a->SetPopupMenu(menu);
    ShowAndSettle(form);
    log.clear();
  }
  void Chose(const std::string& what) {
    // The menu is closed before the item runs.
    log.push_back(what + (menu->IsOpen() ? "(open)" : ""));
  }
  void RightClick(int x, int y) {
    host.MouseMove(Win(form), x, y);
    host.MouseDown(Win(form), x, y, THostButton::Right);
    host.MouseUp(Win(form), x, y, THostButton::Right);
    app->ProcessMessages();
  }
  void Key(uint16_t key) {
    host.PressKey(Win(form), key);
    app->ProcessMessages();
  }
  TPopupMenuWindow* MenuWindow() const { return menu->Window(); }
  THostWindowId MenuWin() const { return MenuWindow()->HostWindow(); }
  // The centre of a visible entry in the menu window's coordinates.
  TPoint EntryCentre(int index) const {
    const TRect r = MenuWindow()->EntryRect(index);
    return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  TForm* form = nullptr;
  TProbe* a = nullptr;
  TPopupMenu* menu = nullptr;
  TMenuItem* open = nullptr;
  TMenuItem* greyed = nullptr;
  TMenuItem* hidden = nullptr;
  TMenuItem* check = nullptr;
};

TEST_F(PopupMenuTest, RightClickOpensAtThePointerWithoutTakingTheFocus) {
  const THostWindowId active = host.ActiveWindow();
  RightClick(20, 25);
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(menu->PopupComponent(), a);
  EXPECT_THAT(log, ElementsAre("a:enter", "a:downR@10,15", "a:upR@10,15", "popup"));
  const auto* w = host.FindWindow(MenuWin());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->Visible);
  EXPECT_TRUE(w->Params.Popup);
  EXPECT_EQ(w->Bounds.Left, 100 + 20);
  EXPECT_EQ(w->Bounds.Top, 50 + 25);
  EXPECT_EQ(host.ActiveWindow(), active);
  EXPECT_TRUE(form->Active());
  // Focus moving to the menu window (as it does where focus follows the pointer) keeps it open.
  host.SetActive(Win(form), false);
  host.SetActive(MenuWin(), true);
  app->ProcessMessages();
  EXPECT_TRUE(menu->IsOpen());
  // The hidden item takes no row.
  ASSERT_EQ(MenuWindow()->EntryCount(), 4);
  EXPECT_EQ(MenuWindow()->Entry(3), check);
}

TEST_F(PopupMenuTest, HandledContextPopupOrNoAutoPopupKeepsTheMenuShut) {
  a->OnContextPopup = [](TObject*, TPoint, bool& handled) { handled = true; };
  RightClick(20, 20);
  EXPECT_FALSE(menu->IsOpen());
  a->OnContextPopup = nullptr;
  menu->SetAutoPopup(false);
  // Without its own automatic menu the request goes on to the parent's menu.
  auto* formMenu = new TPopupMenu(form);
  NewItem(formMenu->Items(), "Form item");
  form->SetPopupMenu(formMenu);
  RightClick(20, 20);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_TRUE(formMenu->IsOpen());
  EXPECT_EQ(formMenu->PopupComponent(), form);
}

TEST_F(PopupMenuTest, KeyboardRequestOpensAtTheControlsCorner) {
  TPoint seen{0, 0};
  a->OnContextPopup = [&](TObject*, TPoint p, bool&) { seen = p; };
  a->Perform(WM_CONTEXTMENU, 0, MakeLParam(-1, -1));
  EXPECT_EQ(seen.X, -1);
  EXPECT_EQ(seen.Y, -1);
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(MenuWindow()->Left(), 110);
  EXPECT_EQ(MenuWindow()->Top(), 60);
}

TEST_F(PopupMenuTest, MenuKeyOfTheFocusedControlOpensItsMenu) {
  a->SetFocus();
  Key(VK_APPS);
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(MenuWindow()->Left(), 110);
  Key(VK_APPS);  // the open menu has the keyboard; the key does nothing there
  EXPECT_TRUE(menu->IsOpen());
  Key(VK_ESCAPE);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_EQ(form->ActiveControl(), a);  // Esc closed the menu and went no further
}

TEST_F(PopupMenuTest, ArrowsSkipSeparatorsAndGreyedItemsAndEnterChoosesAfterClosing) {
  RightClick(20, 20);
  log.clear();
  Key(VK_DOWN);
  EXPECT_EQ(MenuWindow()->Highlighted(), 0);
  Key(VK_DOWN);
  EXPECT_EQ(MenuWindow()->Highlighted(), 3);
  Key(VK_DOWN);  // wraps
  EXPECT_EQ(MenuWindow()->Highlighted(), 0);
  Key(VK_UP);
  EXPECT_EQ(MenuWindow()->Highlighted(), 3);
  Key(VK_RETURN);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_FALSE(host.FindWindow(MenuWin())->Visible);
  // The keys went to the menu, not to the focused control or the form's dialog keys.
  EXPECT_THAT(log, ElementsAre("check"));
}

TEST_F(PopupMenuTest, AcceleratorChoosesAndEscOrGreyedAcceleratorChoosesNothing) {
  RightClick(20, 20);
  log.clear();
  Key('G');  // greyed: nothing
  EXPECT_TRUE(menu->IsOpen());
  Key('H');  // hidden: nothing
  EXPECT_TRUE(menu->IsOpen());
  Key('O');
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_THAT(log, ElementsAre("open"));
  RightClick(20, 20);
  log.clear();
  Key(VK_ESCAPE);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_TRUE(log.empty());
}

TEST_F(PopupMenuTest, MouseHighlightsAndReleaseChoosesButNotOnSeparatorsOrGreyedItems) {
  RightClick(20, 20);
  log.clear();
  TPoint p = EntryCentre(1);  // separator
  host.MouseMove(MenuWin(), p.X, p.Y);
  host.MouseDown(MenuWin(), p.X, p.Y);
  host.MouseUp(MenuWin(), p.X, p.Y);
  app->ProcessMessages();
  EXPECT_TRUE(menu->IsOpen());
  EXPECT_EQ(MenuWindow()->Highlighted(), -1);
  p = EntryCentre(2);  // greyed
  host.MouseMove(MenuWin(), p.X, p.Y);
  host.MouseUp(MenuWin(), p.X, p.Y);
  app->ProcessMessages();
  EXPECT_TRUE(menu->IsOpen());
  p = EntryCentre(0);
  host.MouseMove(MenuWin(), p.X, p.Y);
  app->ProcessMessages();
  EXPECT_EQ(MenuWindow()->Highlighted(), 0);
  host.MouseDown(MenuWin(), p.X, p.Y);
  host.MouseUp(MenuWin(), p.X, p.Y);
  app->ProcessMessages();
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_THAT(log, ElementsAre("open"));
}

TEST_F(PopupMenuTest, SubMenusOpenBesideTheirItemByPointerAndKeyboard) {
  auto* more = NewItem(menu->Items(), "&More");
  NewItem(*more, "&First", [this](TObject*) { Chose("first"); });
  auto* deeper = NewItem(*more, "&Deeper");
  NewItem(*deeper, "&Last", [this](TObject*) { Chose("last"); });
  RightClick(20, 20);
  log.clear();
  // Pointer: resting on the item opens its sub-menu beside it; moving off it shuts it.
  ASSERT_EQ(MenuWindow()->EntryCount(), 5);
  TPoint p = EntryCentre(4);
  host.MouseMove(MenuWin(), p.X, p.Y);
  app->ProcessMessages();
  ASSERT_EQ(menu->OpenLevels(), 2);
  TPopupMenuWindow* sub = menu->Window(1);
  EXPECT_EQ(sub->Left(), MenuWindow()->BoundsRect().Right - TPopupMenuWindow::kFrame);
  EXPECT_EQ(sub->Top(),
            MenuWindow()->Top() + MenuWindow()->EntryRect(4).Top - TPopupMenuWindow::kFrame);
  host.MouseUp(MenuWin(), p.X, p.Y);  // a release on it chooses nothing
  app->ProcessMessages();
  EXPECT_EQ(menu->OpenLevels(), 2);
  p = EntryCentre(0);
  host.MouseMove(MenuWin(), p.X, p.Y);
  app->ProcessMessages();
  EXPECT_EQ(menu->OpenLevels(), 1);
  // Keyboard: the accelerator opens it with its first item lit; Right goes deeper, Left and
  // Esc come back one level; Enter chooses in the innermost level.
  Key('M');
  ASSERT_EQ(menu->OpenLevels(), 2);
  EXPECT_EQ(menu->Window(1)->Highlighted(), 0);
  Key(VK_DOWN);
  Key(VK_RIGHT);
  ASSERT_EQ(menu->OpenLevels(), 3);
  Key(VK_LEFT);
  EXPECT_EQ(menu->OpenLevels(), 2);
  Key(VK_ESCAPE);
  EXPECT_EQ(menu->OpenLevels(), 1);
  EXPECT_TRUE(menu->IsOpen());
  Key('M');
  Key('D');
  Key(VK_RETURN);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_FALSE(host.FindWindow(menu->Window(1)->HostWindow())->Visible);
  EXPECT_FALSE(host.FindWindow(menu->Window(2)->HostWindow())->Visible);
  EXPECT_THAT(log, ElementsAre("last"));
  // A press inside a sub-menu is no press elsewhere.
  RightClick(20, 20);
  Key('M');
  log.clear();
  const TRect first = menu->Window(1)->EntryRect(0);
  const THostWindowId subWin = menu->Window(1)->HostWindow();
  host.MouseMove(subWin, first.Left + 5, first.Top + 5);
  host.MouseDown(subWin, first.Left + 5, first.Top + 5);
  host.MouseUp(subWin, first.Left + 5, first.Top + 5);
  app->ProcessMessages();
  EXPECT_THAT(log, ElementsAre("first"));
  EXPECT_FALSE(menu->IsOpen());
}

TEST_F(PopupMenuTest, SubMenuOpensOnTheLeftAtTheMonitorsRightEdge) {
  auto* more = NewItem(menu->Items(), "&More");
  NewItem(*more, "A long sub-menu item");
  menu->Popup(1024 - 100, 100);
  const TPopupMenuWindow* top = MenuWindow();
  ASSERT_LE(top->BoundsRect().Right, 1024);
  Key('M');
  ASSERT_EQ(menu->OpenLevels(), 2);
  const TRect r = menu->Window(1)->BoundsRect();
  EXPECT_EQ(r.Right, top->Left() + TPopupMenuWindow::kFrame);
  EXPECT_GE(r.Left, 0);
}

TEST_F(PopupMenuTest, ReleaseWithoutMovingOverTheMenuChoosesNothing) {
  // Opened from a press, the menu may appear under the pointer; that button's release is no
  // choice.
  menu->Popup(150, 80);
  const TPoint p = EntryCentre(0);
  host.MouseUp(MenuWin(), p.X, p.Y, THostButton::Right);
  app->ProcessMessages();
  EXPECT_TRUE(menu->IsOpen());
}

TEST_F(PopupMenuTest, PressOnTheOwningFormClosesTheMenuAndGoesNoFurther) {
  RightClick(20, 20);
  log.clear();
  host.MouseDown(Win(form), 30, 30);
  app->ProcessMessages();
  EXPECT_FALSE(menu->IsOpen());
  host.MouseUp(Win(form), 30, 30);
  app->ProcessMessages();
  EXPECT_THAT(log, ElementsAre("a:upL@20,20"));  // no press, so no click
  // A press on another of the program's windows closes it as well.
  auto* other = MakeForm(50, 50);
  other->SetLeft(600);
  ShowAndSettle(other);
  menu->Popup(150, 80);
  host.MouseDown(Win(other), 5, 5);
  app->ProcessMessages();
  EXPECT_FALSE(menu->IsOpen());
}

TEST_F(PopupMenuTest, StaysOnTheMonitorItOpensOn) {
  host.SetMonitors({Rect(0, 0, 1024, 768), Rect(1024, 0, 2048, 600)});
  menu->Popup(1020, 760);  // bottom-right corner of the first monitor: opens up and left
  const TRect r = MenuWindow()->BoundsRect();
  EXPECT_EQ(r.Right, 1020);
  EXPECT_EQ(r.Bottom, 760);
  menu->Popup(1030, 590);  // second monitor, near its bottom
  const TRect s = MenuWindow()->BoundsRect();
  EXPECT_EQ(s.Left, 1030);
  EXPECT_EQ(s.Bottom, 590);
  menu->Popup(-500, -500);  // off every monitor: pushed onto the primary one
  EXPECT_EQ(MenuWindow()->Left(), 0);
  EXPECT_EQ(MenuWindow()->Top(), 0);
}

TEST_F(PopupMenuTest, ClassicDrawingHighlightCheckAndGreyedText) {
  RightClick(20, 20);
  Key(VK_DOWN);
  const Bitmap32& s = host.FindWindow(MenuWin())->Screen;
  auto at = [&](int x, int y) { return PixelToColor(s.PixelAt(x, y)); };
  const TRect open_row = MenuWindow()->EntryRect(0);
  EXPECT_EQ(at(open_row.Left, open_row.Top), ColorToRGB(clHighlight));
  EXPECT_EQ(at(open_row.Right - 1, open_row.Bottom - 1), ColorToRGB(clHighlight));
  EXPECT_EQ(at(0, 0), ColorToRGB(clBtnFace));  // raised frame
  EXPECT_EQ(at(s.Width() - 1, s.Height() - 1), ColorToRGB(cl3DDkShadow));
  // The separator is etched across its row.
  const TRect sep = MenuWindow()->EntryRect(1);
  const int mid = sep.Top + sep.Height() / 2;
  EXPECT_EQ(at(sep.Left + 10, mid - 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(at(sep.Left + 10, mid), ColorToRGB(clBtnHighlight));
  // Count the inks per row: the checked row has menu-text pixels in its check column, the greyed
  // row has shadow-grey text and no menu-text colour at all.
  auto count = [&](const TRect& r, TColor c) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        n += at(x, y) == ColorToRGB(c);
    return n;
  };
  const TRect check_row = MenuWindow()->EntryRect(3);
  TRect check_col = check_row;
  check_col.Right = check_col.Left + TPopupMenuWindow::kCheckColumn;
  EXPECT_GE(count(check_col, clMenuText), 12);
  EXPECT_GT(count(check_row, clMenuText), count(check_col, clMenuText));
  const TRect grey_row = MenuWindow()->EntryRect(2);
  EXPECT_GT(count(grey_row, clBtnShadow), 10);
  EXPECT_EQ(count(grey_row, clMenuText), 0);
}

TEST_F(PopupMenuTest, MenusControlsAndItemsMayGoInAnyOrder) {
  open->OnClick = [this](TObject*) {
    delete menu;
    menu = nullptr;
  };
  RightClick(20, 20);
  Key('O');
  EXPECT_EQ(menu, nullptr);
  EXPECT_EQ(a->PopupMenu(), nullptr);  // the control forgot the freed menu
  RightClick(20, 20);                  // and a right click is harmless
  // A control that goes first leaves the menu without a dangling popup component.
  auto* m1 = new TPopupMenu(form);
  NewItem(m1->Items(), "x");
  auto* c = new TProbe(form, "c", Bounds(100, 100, 20, 20), &log);
  c->SetPopupMenu(m1);
  c->Perform(WM_CONTEXTMENU, 0, MakeLParam(-1, -1));
  EXPECT_EQ(m1->PopupComponent(), c);
  delete c;
  EXPECT_EQ(m1->PopupComponent(), nullptr);
  // An item owned by the form and added to a menu: freeing either first is fine.
  const int components = form->ComponentCount();
  auto* m2 = new TPopupMenu(form);
  auto* owned = new TMenuItem(form);
  m2->Items().Add(owned);
  delete owned;
  EXPECT_EQ(m2->Items().Count(), 0);
  auto* parent = new TMenuItem(form);
  m2->Items().Add(parent);
  parent->Add(new TMenuItem(form));
  EXPECT_THROW(parent->Items(0)->Add(parent), std::invalid_argument);  // no cycles
  delete m2;  // frees both items, which leave the form's list
  EXPECT_EQ(form->ComponentCount(), components);
}

}  // namespace
}  // namespace tarn::testing
