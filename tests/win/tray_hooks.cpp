// Minimise to tray and the two hooks: the application window's (minimise, restart of the
// taskbar, never swallowing) and the owner form's (minimise command, hiding with its owner,
// showing), the main-window operations, start-up and the popup menu's surroundings.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/TrayTestSupport.h"
#include "tests/win/support/FakeSystem.h"

namespace {

int Count(const FakeSystem& fake, DWORD message) {
  int n = 0;
  for (const auto& call : fake.notify) n += call.first == message;
  return n;
}

// Takes the window's pending messages (a filter of 0..0 would mean all of them); true when a
// WM_NULL was among them.
bool PostedNullFor(HWND window) {
  bool found = false;
  MSG msg;
  for (int i = 0; i < 1000 && PeekMessageW(&msg, window, 0, 0, PM_REMOVE); ++i) {
    if (msg.message == WM_NULL) found = true;
    else DispatchMessageW(&msg);
  }
  return found;
}

class TrayHookTest : public testing::Test {
 protected:
  TrayHookTest() {
    form->Show();
    ShowWindow(app, SW_SHOWNORMAL);
  }
  ~TrayHookTest() override {
    delete tray;
    // Back to where every test starts.
    Application->Restore();
    ShowWindow(app, SW_HIDE);
    form->Hide();
    Application->SetShowMainForm(true);
  }
  TSysTrayIcon* MakeIcon() {
    auto* icon = new TSysTrayIcon(form);
    icon->SetMinimizeToTray(true);
    return icon;
  }
  bool InTray() const { return !form->Visible() && !IsWindowVisible(form->Handle()) && !IsWindowVisible(app); }

  WithFakeSystem fake;
  TForm* form = MainTestForm();
  HWND app = Application->Handle();
  PassedOnRecorder app_inner{app};                // runs after the icon's hook
  PassedOnRecorder form_inner{form->Handle()};
  TSysTrayIcon* tray = MakeIcon();
};

TEST_F(TrayHookTest, MinimisingTheApplicationSendsTheFormToTheTray) {
  ASSERT_TRUE(IsWindowVisible(form->Handle()));
  fake.notify.clear();
  Application->Minimize();
  EXPECT_TRUE(InTray());
  EXPECT_TRUE(tray->IconVisible());
  EXPECT_EQ(Count(fake, NIM_ADD), 1);
  EXPECT_TRUE(app_inner.Saw(WM_SIZE));  // passed on all the same
}

// An icon the shell refused is nothing to come back by: the window goes to the taskbar instead.
TEST_F(TrayHookTest, MinimisingWithARefusedIconKeepsTheTaskbarButtonAndTellsNothing) {
  int hidden = 0;
  tray->OnHiddenToTray = [&](TObject*) { ++hidden; };
  fake.notify_result = FALSE;
  Application->Minimize();
  EXPECT_TRUE(IsWindowVisible(app));
  EXPECT_FALSE(InTray());
  EXPECT_EQ(hidden, 0);
  tray->SetIconVisible(false);
  fake.notify_result = TRUE;
  Application->Restore();
  Application->Minimize();
  EXPECT_TRUE(InTray());
  EXPECT_EQ(hidden, 1);
}

TEST_F(TrayHookTest, WithoutMinimizeToTrayMinimisingLeavesTheTrayAlone) {
  tray->SetMinimizeToTray(false);
  fake.notify.clear();
  SendMessageW(app, WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(Count(fake, NIM_ADD), 0);
}

TEST_F(TrayHookTest, ApplicationHookPassesEveryMessageOnWithTheInnerResult) {
  app_inner.swallow = WM_USER + 5;
  app_inner.answer = 4321;
  EXPECT_EQ(SendMessageW(app, WM_USER + 5, 0, 0), 4321);
  tray->SetIconVisible(true);
  const UINT restart = ShellRestartMessage();
  ASSERT_NE(restart, 0u);
  for (UINT msg : {UINT{WM_SIZE}, UINT{WM_WINDOWPOSCHANGED}, restart, UINT{WM_SETTEXT}}) {
    app_inner.seen.clear();
    if (msg == WM_SETTEXT) SendMessageW(app, msg, 0, reinterpret_cast<LPARAM>(L"Zettly tests"));
    else if (msg == WM_WINDOWPOSCHANGED)
      SetWindowPos(app, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else SendMessageW(app, msg, msg == WM_SIZE ? SIZE_MINIMIZED : 0, 0);
    EXPECT_TRUE(app_inner.Saw(msg)) << msg;
  }
}

TEST_F(TrayHookTest, TaskbarRestartReAddsAVisibleIconOnly) {
  const UINT restart = ShellRestartMessage();
  fake.notify.clear();
  SendMessageW(app, restart, 0, 0);
  EXPECT_EQ(Count(fake, NIM_ADD), 0);
  tray->SetIconVisible(true);
  fake.notify.clear();
  SendMessageW(app, restart, 0, 0);
  ASSERT_EQ(Count(fake, NIM_ADD), 1);
  EXPECT_EQ(fake.notify.back().second.uID, tray->IconId());
}

TEST_F(TrayHookTest, WithoutARestartMessageNoMessageIsTakenForIt) {
  tray->SetIconVisible(true);
  SetUpShellRestartMessage((4u << 16) | 70u);
  fake.notify.clear();
  SendMessageW(app, WM_NULL, 0, 0);
  SendMessageW(app, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  SetUpShellRestartMessage(CommonControlsVersion());
  EXPECT_EQ(Count(fake, NIM_ADD), 0);
}

TEST_F(TrayHookTest, FormsMinimiseCommandGoesOnUnchangedWithoutAHandler) {
  form_inner.swallow = WM_SYSCOMMAND;  // keep the form from really minimising
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(form_inner.Saw(WM_SYSCOMMAND));
  EXPECT_TRUE(form->Visible());
}

TEST_F(TrayHookTest, FormsMinimiseCommandWithAHandlerGoesToTheTrayAndStopsThere) {
  std::vector<std::string> log;
  tray->OnMinimizeToTray = [&](TObject* s) { log.push_back(s == tray ? "handler" : "?"); };
  fake.notify.clear();
  EXPECT_EQ(SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"handler"}));
  EXPECT_FALSE(form_inner.Saw(WM_SYSCOMMAND));
  EXPECT_TRUE(InTray());
  EXPECT_EQ(Count(fake, NIM_ADD), 1);
  // Only exactly SC_MINIMIZE.
  form_inner.swallow = WM_SYSCOMMAND;
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
  EXPECT_TRUE(form_inner.Saw(WM_SYSCOMMAND));
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(TrayHookTest, HiddenWithItsMinimisedOwnerTheFormGoesToTheTrayWithAHandler) {
  int handled = 0;
  tray->OnMinimizeToTray = [&](TObject*) { ++handled; };
  EXPECT_EQ(SendMessageW(form->Handle(), WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING), 1);
  EXPECT_EQ(handled, 1);
  EXPECT_FALSE(form_inner.Saw(WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING));
  EXPECT_TRUE(InTray());
  tray->SetMinimizeToTray(false);
  SendMessageW(form->Handle(), WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
  EXPECT_EQ(handled, 1);
  EXPECT_TRUE(form_inner.Saw(WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING));
}

TEST_F(TrayHookTest, ShowMainWindowAfterSendToTrayRestoresEverythingAndKeepsTheIcon) {
  const RECT before = [&] { RECT r; GetWindowRect(form->Handle(), &r); return r; }();
  Application->Minimize();
  ASSERT_TRUE(InTray());
  fake.notify.clear();
  tray->ShowMainWindow();
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(IsIconic(form->Handle()));
  EXPECT_TRUE(IsWindowVisible(app));
  EXPECT_FALSE(IsIconic(app));
  RECT after;
  GetWindowRect(form->Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(Count(fake, NIM_DELETE), 0);
  EXPECT_TRUE(tray->IconVisible());
}

TEST_F(TrayHookTest, HideMainWindowHidesFormAndTaskbarButtonOnly) {
  fake.notify.clear();
  tray->HideMainWindow();
  EXPECT_TRUE(InTray());
  EXPECT_TRUE(fake.notify.empty());
}

TEST_F(TrayHookTest, WithoutAWindowedOwnerTheMainWindowIsLeftAlone) {
  TSysTrayIcon loose(nullptr);
  loose.HideMainWindow();
  EXPECT_TRUE(form->Visible());
  loose.SendToTray();
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(loose.IconVisible());
}

TEST_F(TrayHookTest, StartupHandlerMayKeepTheMainFormHidden) {
  auto* icon = MakeIcon();
  icon->OnStartup = [](TObject*, bool& show) {
    EXPECT_TRUE(show);
    show = false;
  };
  icon->LoadedAll();
  EXPECT_FALSE(Application->ShowMainForm());
  EXPECT_TRUE(InTray());
  delete icon;
}

TEST_F(TrayHookTest, PopupMenuOpensAtTheCursorForTheIconAndAWmNullFollows) {
  RecordingPopupMenu menu(nullptr);
  tray->SetPopupMenu(&menu);
  fake.cursor = {77, 88};
  PostedNullFor(form->Handle());  // none left from before
  tray->OpenPopupMenu();
  ASSERT_EQ(menu.calls.size(), 1u);
  EXPECT_EQ(menu.calls[0].x, 77);
  EXPECT_EQ(menu.calls[0].y, 88);
  EXPECT_EQ(menu.calls[0].from, tray);
  EXPECT_TRUE(PostedNullFor(form->Handle()));
  menu.SetAutoPopup(false);
  tray->OpenPopupMenu();
  EXPECT_EQ(menu.calls.size(), 1u);
}

// Regression: opening the menu pumped the queue, so a message dispatched inside the tray's own
// window procedure could run any handler (even one that destroys the icon) under its feet.
TEST_F(TrayHookTest, OpeningThePopupMenuDispatchesNoQueuedMessage) {
  RecordingPopupMenu menu(nullptr);
  tray->SetPopupMenu(&menu);
  constexpr UINT kQueued = WM_APP + 13;
  ASSERT_TRUE(PostMessageW(form->Handle(), kQueued, 0, 0));
  tray->OpenPopupMenu();
  ASSERT_EQ(menu.calls.size(), 1u);
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, form->Handle(), kQueued, kQueued, PM_REMOVE));
  EXPECT_FALSE(form_inner.Saw(kQueued));
}

TEST_F(TrayHookTest, HooksOffInAnyOrderLeaveTheChainWhole) {
  auto* second = MakeIcon();
  int handled = 0;
  second->OnMinimizeToTray = [&](TObject*) { ++handled; };
  delete tray;  // the first one goes first
  tray = nullptr;
  EXPECT_EQ(SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
  EXPECT_EQ(handled, 1);
  form->Show();
  ShowWindow(app, SW_SHOWNORMAL);
  delete second;
  form_inner.seen.clear();
  app_inner.seen.clear();
  form_inner.swallow = WM_SYSCOMMAND;
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  SendMessageW(app, WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_TRUE(form_inner.Saw(WM_SYSCOMMAND));
  EXPECT_TRUE(app_inner.Saw(WM_SIZE));
  EXPECT_TRUE(form->Visible());
}

}  // namespace
