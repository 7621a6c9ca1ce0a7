// The message box and the default error box: the wizard's warnings and every exception that
// leaves a handler reach the user through them, so they must be modal forms of our own that
// show the text, the caption, the icon asked for and one OK button, block the other forms until
// answered, and work on the headless host (answered by the test) and on the desktop host.
#include <cstdlib>

#include "FrameworkFixture.h"
#include "framework/DialogIcon.h"
#if TARN_HAVE_SDL_HOST
#include "platform/host/SdlHost.h"
#endif
#include "platform/host/VirtualKeys.h"

namespace tarn::testing {
namespace {

constexpr TColor kIconYellow = RGBColor(0xF8, 0xD0, 0x20);
constexpr TColor kIconRed = RGBColor(0xD8, 0x20, 0x20);

class DialogTest : public FrameworkTest {
 protected:
  DialogTest() { app->SetMessageBoxHandler(nullptr); }  // the real dialog

  struct Seen {
    std::string caption;
    int buttons = 0;
    bool icon_colour = false;
  };
  // Once the modal box is up: records what it shows, then presses `key` in it.
  void AnswerWith(uint16_t key, TColor iconColour, Seen& seen) {
    app->SetTimer(10, [this, key, iconColour, &seen] {
      TCustomForm* box = app->ActiveForm();
      if (box == nullptr || !box->Modal() || !seen.caption.empty()) return;
      seen.caption = box->Caption();
      seen.buttons = box->ControlCount();
      const Bitmap32& shown = host.FindWindow(box->HostWindow())->Screen;
      for (int y = 0; y < 60 && y < shown.Height(); ++y) {
        for (int x = 0; x < 60 && x < shown.Width(); ++x)
          seen.icon_colour |= PixelToColor(shown.PixelAt(x, y)) == iconColour;
      }
      host.PressKey(box->HostWindow(), key);
    });
  }
};

TEST_F(DialogTest, WarningBoxShowsItsCaptionAnExclamationIconAndOneOkButton) {
  TForm* form = MakeForm();
  ShowAndSettle(form);
  Seen seen;
  AnswerWith(VK_RETURN, kIconYellow, seen);
  const std::string caption = "\xBE\xAF\xB8\xE6";  // 警告
  EXPECT_EQ(
      app->MessageBox("\xC7\xEB\xCF\xC8\xB9\xD8\xB1\xD5", caption, MB_OK | MB_ICONEXCLAMATION),
      IDOK);
  EXPECT_EQ(seen.caption, caption);
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_TRUE(seen.icon_colour);
  EXPECT_TRUE(form->Enabled());
  EXPECT_EQ(app->Forms().size(), 1u);
}

TEST_F(DialogTest, AnExceptionLeavingAHandlerIsShownInTheErrorBoxAndTheRestOfTheHandlerSkipped) {
  app->SetTitle("tarn");
  TForm* form = MakeForm();
  bool rest_ran = false;
  form->OnClick = [&](TObject*) {
    throw Exception("\xCA\xFD\xBE\xDD\xBF\xE2\xCE\xC4\xBC\xFE\xD2\xEC\xB3\xA3\xA1\xA3");
    rest_ran = true;  // never reached
  };
  ShowAndSettle(form);
  Seen seen;
  AnswerWith(VK_RETURN, kIconRed, seen);
  Click(form, 20, 20);
  EXPECT_EQ(seen.caption, "tarn");
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_TRUE(seen.icon_colour);
  EXPECT_FALSE(rest_ran);
  // The program goes on: the form still takes clicks.
  form->OnClick = [&](TObject*) { rest_ran = true; };
  host.Advance(1000);  // not a double click
  Click(form, 20, 20);
  EXPECT_TRUE(rest_ran);
}

TEST(DialogIconTest, EachIconIsDrawnAndNoneWithoutFlags) {
  for (uint32_t flags : {MB_ICONSTOP, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONINFORMATION}) {
    EXPECT_TRUE(HasDialogIcon(flags));
    Bitmap32 b(kDialogIconSize, kDialogIconSize);
    b.Fill(0xFF000000);
    Canvas c(b);
    DrawDialogIcon(c, 0, 0, flags);
    int coloured = 0;
    for (int y = 0; y < b.Height(); ++y) {
      for (int x = 0; x < b.Width(); ++x)
        coloured += PixelToColor(b.PixelAt(x, y)) != 0;
    }
    EXPECT_GT(coloured, 300) << flags;
  }
  EXPECT_FALSE(HasDialogIcon(MB_OK));
  EXPECT_FALSE(HasDialogIcon(MB_YESNO));
}

#if TARN_HAVE_SDL_HOST
// The same box on the desktop host, where SDL can start (a display, or SDL's off-screen video
// driver); the test answers it through the form itself.
TEST(DesktopDialogTest, TheMessageBoxRunsOnTheDesktopHost) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
  }
  std::unique_ptr<TSdlHost> host;
  try {
    host = std::make_unique<TSdlHost>();
  } catch (const Exception& e) {
    GTEST_SKIP() << "no SDL video: " << e.Message();
  }
  TApplication app(*host);
  std::string caption;
  app.SetTimer(20, [&] {
    for (TCustomForm* form : app.Forms()) {
      if (form->Modal() && form->Showing()) {
        caption = form->Caption();
        form->SetModalResult(TModalResult::mrOk);
      }
    }
  });
  EXPECT_EQ(app.MessageBox("text", "desktop", MB_OK | MB_ICONEXCLAMATION), IDOK);
  EXPECT_EQ(caption, "desktop");
}
#endif

}  // namespace
}  // namespace tarn::testing
