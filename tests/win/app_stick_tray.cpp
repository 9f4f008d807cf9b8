// The note and Windows' shell: going to the tray is told once, and never strands the note while
// the shell holds no icon; Auto Run shows what Windows' own start-up switch lets happen.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/StartupApproval.h"
#include "components/tray/win/SysTrayIcon.h"
#include "tests/win/StickTestSupport.h"

namespace {

int Balloons(const FakeSystem& system) {
  return static_cast<int>(std::count_if(system.notify.begin(), system.notify.end(),
                                        [](const auto& call) { return (call.second.uFlags & NIF_INFO) != 0; }));
}

class StickTrayTest : public StickTest {
 protected:
  ~StickTrayTest() override {
    Application->Restore();
    if (form) form->Run(TStickCommand::ShowWindow);
  }
};

// The icon tells when it hid the note (the test program's main form is not this note window).
TEST_F(StickTrayTest, TheFirstTimeTheNoteGoesToTheTrayABalloonSaysWhereItIsAndOnlyThen) {
  Start({{"A", "", 3000}});
  TSysTrayIcon& icon = *shell->TrayIcon();
  ASSERT_TRUE(icon.OnHiddenToTray);
  icon.OnHiddenToTray(&icon);  // the shell holds no icon yet: nothing to say it beside
  EXPECT_EQ(Balloons(system), 0);
  EXPECT_EQ(registry.Setting(L"TrayNotice"), std::nullopt);
  icon.SetIconVisible(true);
  icon.OnHiddenToTray(&icon);
  ASSERT_EQ(Balloons(system), 1);
  EXPECT_NE(std::wstring(system.notify.back().second.szInfo).find(L"notification area"), std::wstring::npos);
  EXPECT_EQ(registry.Setting(L"TrayNotice"), L"1");
  icon.OnHiddenToTray(&icon);
  EXPECT_EQ(Balloons(system), 1);
}

TEST_F(StickTrayTest, WhileTheShellHoldsNoIconHidingLeavesTheTaskbarButtonAndSaysNothing) {
  Start({{"A", "", 3000}});
  form->Show();
  system.notify_result = FALSE;  // the shell not ready yet
  shell->TrayIcon()->SetIconVisible(true);
  form->Run(TStickCommand::HideWindow);
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  EXPECT_TRUE(IsIconic(Application->Handle()));
  EXPECT_EQ(Balloons(system), 0);
  EXPECT_EQ(registry.Setting(L"TrayNotice"), std::nullopt);
}

void SetStartupSwitch(ScratchRegistry& registry, BYTE state) {
  const BYTE value[12] = {state, 0, 0, 0, 0x10, 0x2e, 0x5b, 0x9c, 0x31, 0x7a, 0xd9, 0x01};
  const std::wstring key = registry.Mapped(HKEY_CURRENT_USER, Wide(StartupApprovedKey));
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Zettly", REG_BINARY, value, sizeof value), ERROR_SUCCESS);
}

TEST_F(StickTest, AutoRunShowsWhatWindowsOwnStartupSwitchLetsHappenAndSaysWhereToChangeIt) {
  SetStartupSwitch(registry, 3);  // turned off in Task Manager
  Start();                        // Auto Run stored on (the default)
  EXPECT_FALSE(Ui(form).AutorunItem->Checked());
  EXPECT_EQ(registry.Autorun(), Wide(Application->ExeName()));  // there for when the user turns it on
  EXPECT_TRUE(system.boxes.empty());                            // no box at start
  form->Run(TStickCommand::Autorun);
  ASSERT_EQ(system.boxes.size(), 1u);
  EXPECT_NE(system.boxes[0].text.find(L"Settings > Apps > Startup"), std::wstring::npos);
  EXPECT_FALSE(Ui(form).AutorunItem->Checked());
  SetStartupSwitch(registry, 2);  // and turned on again there
  form->Run(TStickCommand::Autorun);
  EXPECT_TRUE(Ui(form).AutorunItem->Checked());
  EXPECT_EQ(system.boxes.size(), 1u);
}

}  // namespace
