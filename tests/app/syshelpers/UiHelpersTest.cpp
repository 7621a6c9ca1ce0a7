// Protects the helpers that run on the framework: the waits must keep the real message loop
// turning (repaints, posted messages), the warning and folder dialogs must be the framework's
// own modal forms, and the wizard window must land centred and rounded on the right monitor.
#include <chrono>
#include <iterator>

#include "app/syshelpers/SysHelpers.h"
#include "app/syshelpers/ui/FolderDialog.h"
#include "app/syshelpers/ui/FrameworkServices.h"
#include "app/syshelpers/ui/ResourceFiles.h"
#include "app/syshelpers/ui/WindowPlacement.h"
#include "base/FileStream.h"
#include "framework/Application.h"
#include "framework/CustomControl.h"
#include "framework/ResourceTable.h"
#include "framework/Screen.h"
#include "graphics/Canvas.h"
#include "platform/host/HeadlessHost.h"
#include "platform/host/VirtualKeys.h"
#include "tests/platform/PrefixFixture.h"

namespace tarn::testing {
namespace {

class TCountingControl : public TCustomControl {
 public:
  explicit TCountingControl(TWinControl* parent) : TCustomControl(parent->ParentForm()) {
    SetBounds(0, 0, 50, 50);
    SetParent(parent);
  }
  int paints = 0;
  int messages = 0;

 protected:
  void Paint() override {
    ++paints;
    GetCanvas().FillRect(ClientRect(), clRed);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_USER + 1) ++messages;
    TCustomControl::WndProc(m);
  }
};

class UiHelpers : public PrefixTest {
 protected:
  explicit UiHelpers(THeadlessClock clock = THeadlessClock::Manual) : host(clock) {}
  void SetUp() override {
    auto platform = MakePrefix("win7");
    platform->InstallHostPathMapper();
    SetPlatform(std::move(platform));
    app = std::make_unique<TApplication>(host);
    app->SetMessageBoxHandler(
        [this](const std::string& text, const std::string& caption, uint32_t flags) {
          boxes.push_back({text, caption, flags});
          return IDOK;
        });
    services = std::make_unique<TFrameworkServices>(*app);
  }
  void TearDown() override {
    services.reset();
    app.reset();
    SetHostPathMapper(nullptr);
    SetPlatform(nullptr);
  }
  TForm* MakeForm(int width, int height) {
    auto* form = app->CreateForm<TForm>();
    form->SetBorderStyle(TBorderStyle::bsNone);
    form->SetBounds(0, 0, width, height);
    return form;
  }
  // Runs step(dialog) on the open folder dialog, once per turn of its modal loop, until the
  // dialog closes; step returns false when it is done.
  void WhileDialogOpen(std::function<void(TFolderDialog&)> step) {
    app->SetTimer(5, [this, step] {
      if (auto* dialog = dynamic_cast<TFolderDialog*>(TScreen::ActiveForm())) step(*dialog);
    });
  }

  struct Box {
    std::string text, caption;
    uint32_t flags;
  };
  std::vector<Box> boxes;
  THeadlessHost host;
  std::unique_ptr<TApplication> app;
  std::unique_ptr<TFrameworkServices> services;
};

class RealTimeUiHelpers : public UiHelpers {
 protected:
  RealTimeUiHelpers() : UiHelpers(THeadlessClock::Real) {}
};

TEST_F(RealTimeUiHelpers, WaitTimerKeepsTheWindowRepainting) {
  TForm* form = MakeForm(200, 100);
  auto* control = new TCountingControl(form);
  form->Show();
  app->ProcessMessages();
  // Something repaints the control every 10 ms, as the slideshow's frames do.
  app->SetTimer(10, [control] { control->Invalidate(); });
  control->paints = 0;
  const auto start = std::chrono::steady_clock::now();
  WaitTimer(100, 1);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(100));
  EXPECT_LT(took, std::chrono::milliseconds(400));
  EXPECT_GE(control->paints, 5);
}

TEST_F(RealTimeUiHelpers, WaitsDeliverPostedMessages) {
  TForm* form = MakeForm(200, 100);
  auto* control = new TCountingControl(form);
  form->Show();
  app->ProcessMessages();
  app->PostMessage(control, WM_USER + 1);
  WaitPumping(20);
  EXPECT_EQ(control->messages, 1);
  app->PostMessage(control, WM_USER + 1);
  WaitSleeping(40, 10);
  EXPECT_EQ(control->messages, 2);
  app->PostMessage(control, WM_USER + 1);
  WaitTimer(30, 1);
  EXPECT_EQ(control->messages, 3);
}

TEST_F(UiHelpers, WarningIsTheFrameworksMessageBox) {
  ShowWarning(Gbk("安装程序检测到塔恩播放器正在运行，请关闭后再重新进行安装。"), "");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, Gbk("警告"));
  EXPECT_EQ(boxes[0].flags, 0x30u);
  EXPECT_EQ(boxes[0].text, Gbk("安装程序检测到塔恩播放器正在运行，请关闭后再重新进行安装。"));
}

TEST_F(UiHelpers, CenterOnMonitor) {
  host.SetMonitors({{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}});
  TForm* form = MakeForm(500, 401);
  CenterOnMonitor(*form, 0);
  EXPECT_EQ(form->Left(), 710);
  EXPECT_EQ(form->Top(), 339);  // (1080 - 401) div 2
  CenterOnMonitor(*form, 1);
  EXPECT_EQ(form->Left(), 1920 + 390);
  EXPECT_EQ(form->Top(), 311);
  CenterOnMonitor(*form, 5);  // no such monitor: the primary one
  EXPECT_EQ(form->Left(), 710);
}

TEST_F(UiHelpers, SetRoundRegionShapesTheWindow) {
  TForm* form = MakeForm(300, 200);
  form->Show();
  app->ProcessMessages();
  SetRoundRegion(*form, 4, 4, 0, 0);
  const Region* shape = form->WindowRegion();
  ASSERT_NE(shape, nullptr);
  EXPECT_FALSE(shape->Contains(0, 0));  // the corner is cut
  EXPECT_TRUE(shape->Contains(150, 100));
  EXPECT_TRUE(shape->Contains(299, 100));
  EXPECT_TRUE(shape->Contains(150, 199));
  ASSERT_NE(host.FindWindow(form->HostWindow())->Shape, nullptr);
}

TEST_F(UiHelpers, FolderDialogWalksDrivesAndFolders) {
  std::filesystem::create_directories(prefix_ / "drive_c" / "Games" / "Old");
  int step = 0;
  WhileDialogOpen([&](TFolderDialog& dialog) {
    switch (step++) {
      case 0:
        EXPECT_EQ(dialog.CurrentFolder(), "");  // no initial folder: the drives
        ASSERT_FALSE(dialog.Items().empty());
        EXPECT_EQ(dialog.Items()[0].Label, "C:\\");
        EXPECT_EQ(dialog.Result(), "");
        dialog.Select(0);
        EXPECT_EQ(dialog.Result(), "C:\\");
        dialog.OpenSelected();
        break;
      case 1: {
        EXPECT_EQ(dialog.CurrentFolder(), "C:\\");
        EXPECT_TRUE(dialog.Items()[0].Parent);
        int games = -1;
        for (std::size_t i = 0; i < dialog.Items().size(); ++i) {
          if (dialog.Items()[i].Label == "Games") games = static_cast<int>(i);
        }
        ASSERT_GE(games, 0);
        dialog.Select(games);
        EXPECT_EQ(dialog.Result(), "C:\\Games");
        host.PressKey(dialog.HostWindow(), VK_RETURN);  // Enter is OK
        break;
      }
      default:
        ADD_FAILURE() << "the dialog is still open";
        dialog.SetModalResult(TModalResult::mrCancel);
    }
  });
  EXPECT_EQ(BrowseForFolder(Gbk("选择要安装 “塔恩播放器” 的文件夹位置"), ""), "C:\\Games");
}

TEST_F(UiHelpers, FolderDialogMakesAndNamesANewFolder) {
  int step = 0;
  WhileDialogOpen([&](TFolderDialog& dialog) {
    switch (step++) {
      case 0:
        EXPECT_EQ(dialog.CurrentFolder(), "C:\\Program Files\\");  // the initial folder
        EXPECT_TRUE(dialog.NewFolder());
        EXPECT_TRUE(dialog.Naming());
        // "新建文件夹" is five characters: five back-spaces clear it.
        for (int i = 0; i < 5; ++i)
          host.PressKey(dialog.HostWindow(), VK_BACK);
        host.TypeText(dialog.HostWindow(), Gbk("塔恩"));
        host.PressKey(dialog.HostWindow(), VK_RETURN);  // ends the naming
        break;
      case 1:
        EXPECT_FALSE(dialog.Naming());
        EXPECT_EQ(dialog.Result(), Gbk("C:\\Program Files\\塔恩"));
        dialog.SetModalResult(TModalResult::mrOk);
        break;
      default:
        dialog.SetModalResult(TModalResult::mrCancel);
    }
  });
  EXPECT_EQ(BrowseForFolder("t", "C:\\Program Files"), Gbk("C:\\Program Files\\塔恩"));
  EXPECT_TRUE(std::filesystem::is_directory(prefix_ / "drive_c" / "Program Files" / "塔恩"));
}

TEST_F(UiHelpers, FolderDialogCancelAnswersNothing) {
  WhileDialogOpen([&](TFolderDialog& dialog) {
    dialog.Select(0);
    host.PressKey(dialog.HostWindow(), VK_ESCAPE);
  });
  EXPECT_EQ(BrowseForFolder("t", ""), "");
}

const unsigned char kPackage[] = {'T', 'A', 'R', 'N', 0, 1, 2, 3};
const TResourceEntry kResources[] = {
    {0, "DBFILE", 0, "IDATA", kPackage, sizeof kPackage},
};

TEST_F(UiHelpers, SaveResourceToFileWritesTheResourceOrReportsFalse) {
  const TResourceTableRegistration table(kResources, 1);
  const std::string file = "C:\\users\\tarndata.bin";
  ASSERT_TRUE(SaveResourceToFile("dbfile", "idata", file));  // names in any case
  std::ifstream in(prefix_ / "drive_c" / "users" / "tarndata.bin", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(kPackage), sizeof kPackage));
  EXPECT_FALSE(SaveResourceToFile("DBFILE", "NOPE", "C:\\users\\other.bin"));
  EXPECT_FALSE(std::filesystem::exists(prefix_ / "drive_c" / "users" / "other.bin"));
  EXPECT_FALSE(SaveResourceToFile("DBFILE", "IDATA", "Q:\\x.bin"));
  EXPECT_FALSE(SaveResourceToFile("DBFILE", "IDATA", "C:\\users"));  // a folder
}

}  // namespace
}  // namespace tarn::testing
