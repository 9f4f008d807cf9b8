// The tray icons' shared handler window: its life, its answers, and notifications sent to it
// turning into the icon's events in order.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/timer/win/SimpleTimerWin.h"
#include "tests/win/TrayTestSupport.h"
#include "tests/win/support/FakeSystem.h"
#include "toolkit/Exception.h"

namespace {

TEST(TrayHandlerTest, LivesExactlyWhileIconsDoAndComesBackFresh) {
  WithFakeSystem fake;
  ASSERT_EQ(SharedTrayHandler(), nullptr);
  auto first = std::make_unique<TSysTrayIcon>(nullptr);
  ASSERT_NE(SharedTrayHandler(), nullptr);
  const HWND window = SharedTrayHandler()->WindowHandle();
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  auto second = std::make_unique<TSysTrayIcon>(nullptr);
  EXPECT_EQ(SharedTrayHandler()->IconCount(), 2u);
  first.reset();
  ASSERT_NE(SharedTrayHandler(), nullptr);
  EXPECT_EQ(SharedTrayHandler()->WindowHandle(), window);
  EXPECT_EQ(SharedTrayHandler()->IconCount(), 1u);
  second.reset();
  EXPECT_EQ(SharedTrayHandler(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  TSysTrayIcon third(nullptr);
  EXPECT_TRUE(IsWindow(SharedTrayHandler()->WindowHandle()));
  EXPECT_EQ(SharedTrayHandler()->IconCount(), 1u);
}

TEST(TrayHandlerTest, CloseAndSessionEndMessagesAreAnsweredOneAndTheWindowStays) {
  WithFakeSystem fake;
  TSysTrayIcon icon(nullptr);
  const HWND window = SharedTrayHandler()->WindowHandle();
  for (UINT msg : {WM_CLOSE, WM_QUERYENDSESSION, WM_ENDSESSION, WM_QUIT, WM_DESTROY, WM_NCDESTROY}) {
    EXPECT_EQ(SendMessageW(window, msg, 0, 0), 1) << msg;
    EXPECT_TRUE(IsWindow(window)) << msg;
  }
  EXPECT_EQ(SharedTrayHandler()->WindowHandle(), window);
  // Anything else gets the default handling.
  EXPECT_TRUE(SetWindowTextW(window, L"tray"));
  EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 4);
}

class TrayNotifyTest : public testing::Test {
 protected:
  TrayNotifyTest() {
    icon.OnClick = [this](TObject* s) { Log(s, "Click"); };
    icon.OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      Log(s, "Down" + Describe(b, sh, x, y));
    };
    icon.OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      Log(s, "Up" + Describe(b, sh, x, y));
    };
    icon.OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
      Log(s, "Move(" + std::to_string(sh.Bits()) + "," + std::to_string(x) + "," + std::to_string(y) + ")");
    };
    fake.cursor = {640, 700};
  }

  LRESULT Notify(UINT code, WPARAM id = 0) {
    return SendMessageW(SharedTrayHandler()->WindowHandle(), TrayCallbackMessage, id ? id : icon.IconId(), code);
  }
  // The click timer runs out: its expiry delivered as the platform would.
  void ClickTimerRunsOut() {
    SendMessageW(SimpleTimerWindow(), WM_TIMER, icon.ClickTimer().TimerId(), 0);
  }
  void Log(TObject* sender, const std::string& what) { log.push_back(sender == &icon ? what : "?" + what); }
  static std::string Describe(TMouseButton b, TShiftState sh, int x, int y) {
    const char* button = b == TMouseButton::mbLeft ? "L" : b == TMouseButton::mbRight ? "R" : "M";
    return std::string("(") + button + "," + std::to_string(sh.Bits()) + "," + std::to_string(x) + "," +
           std::to_string(y) + ")";
  }

  WithFakeSystem fake;
  TSysTrayIcon icon{nullptr};
  std::vector<std::string> log;
};

TEST_F(TrayNotifyTest, PressAndReleaseWithoutDblClickHandlerClickAtOnceWithKeysAndCursor) {
  fake.keys[VK_SHIFT] = static_cast<SHORT>(0x8000);
  EXPECT_EQ(Notify(WM_LBUTTONDOWN), 0);
  fake.keys[VK_SHIFT] = 0;
  fake.keys[VK_CONTROL] = static_cast<SHORT>(0x8000);
  Notify(WM_LBUTTONUP);
  Notify(WM_MOUSEMOVE);
  // Shift = 1, Ctrl = 4, Left = 8.
  EXPECT_EQ(log, (std::vector<std::string>{"Down(L,9,640,700)", "Click", "Up(L,12,640,700)", "Move(4,640,700)"}));
}

TEST_F(TrayNotifyTest, WithDblClickHandlerTheClickWaitsForTheClickTimer) {
  icon.OnDblClick = [this](TObject* s) { Log(s, "DblClick"); };
  fake.double_click_time = 333;
  Notify(WM_LBUTTONDOWN);
  EXPECT_TRUE(icon.ClickTimer().Running());
  EXPECT_EQ(icon.ClickTimer().Period(), 333u);
  Notify(WM_LBUTTONUP);
  log.push_back("|");
  ClickTimerRunsOut();
  EXPECT_FALSE(icon.ClickTimer().Running());
  ClickTimerRunsOut();  // a late second expiry finds nothing pending
  EXPECT_EQ(log, (std::vector<std::string>{"Down(L,8,640,700)", "Up(L,8,640,700)", "|", "Click"}));
}

TEST_F(TrayNotifyTest, DoubleClickRunsTheFirstDefaultTopLevelItemAndNoClick) {
  icon.OnDblClick = [this](TObject* s) { Log(s, "DblClick"); };
  RecordingPopupMenu menu(nullptr);
  menu.AddItem("&Hide window", false, &log);
  menu.AddItem("&Show window", true, &log);
  TMenuItem* sub = menu.AddItem("More", false, &log);
  auto* inner = new TMenuItem(&menu);
  inner->SetDefault(true);
  inner->OnClick = [this](TObject*) { log.push_back("inner"); };
  sub->Add(inner);
  menu.AddItem("E&xit", true, &log);
  icon.SetPopupMenu(&menu);
  Notify(WM_LBUTTONDOWN);
  Notify(WM_LBUTTONUP);
  Notify(WM_LBUTTONDBLCLK);
  Notify(WM_LBUTTONUP);
  ClickTimerRunsOut();
  EXPECT_EQ(log, (std::vector<std::string>{"Down(L,8,640,700)", "Up(L,8,640,700)", "DblClick", "&Show window",
                                           "Up(L,8,640,700)"}));
  EXPECT_TRUE(menu.calls.empty());
}

TEST_F(TrayNotifyTest, DoubleClickLeavesTheMenuAloneWhenItDoesNotPopUpByItself) {
  RecordingPopupMenu menu(nullptr);
  menu.AddItem("&Show window", true, &log);
  menu.SetAutoPopup(false);
  icon.SetPopupMenu(&menu);
  Notify(WM_LBUTTONDBLCLK);
  menu.SetAutoPopup(true);
  icon.SetLeftPopup(true);
  Notify(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(log.empty());
}

TEST_F(TrayNotifyTest, RightPressOpensTheMenuAtTheCursorAfterMouseDown) {
  RecordingPopupMenu menu(nullptr);
  icon.SetPopupMenu(&menu);
  icon.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    log.push_back("Down with " + std::to_string(menu.calls.size()) + " menus");
  };
  Notify(WM_RBUTTONDOWN);
  Notify(WM_RBUTTONUP);
  ASSERT_EQ(menu.calls.size(), 1u);
  EXPECT_EQ(menu.calls[0].x, 640);
  EXPECT_EQ(menu.calls[0].y, 700);
  EXPECT_EQ(menu.calls[0].from, &icon);
  EXPECT_EQ(log, (std::vector<std::string>{"Down with 0 menus", "Up(R,16,640,700)"}));
}

TEST_F(TrayNotifyTest, VersionFourNamesTheIconInTheHighWordAndAnswersTheKeyboard) {
  icon.OnDblClick = [this](TObject* s) { Log(s, "DblClick"); };
  RecordingPopupMenu menu(nullptr);
  menu.AddItem("&Show window", true, &log);
  icon.SetPopupMenu(&menu);
  // Version 4: the code and the icon in lParam, the icon's anchor point in wParam.
  const auto v4 = [&](uint32_t code) {
    SendMessageW(SharedTrayHandler()->WindowHandle(), TrayCallbackMessage, MAKEWPARAM(700, 740),
                 MAKELPARAM(code, icon.IconId()));
  };
  v4(tray_code::KeySelect);  // the icon still speaks the classic format: not for it
  EXPECT_TRUE(log.empty());
  icon.SetShellVersionMode(2);
  v4(tray_code::KeySelect);  // Enter on the icon
  EXPECT_EQ(log, (std::vector<std::string>{"DblClick", "&Show window"}));
  EXPECT_TRUE(menu.calls.empty());
  v4(tray_code::ContextMenu);  // the menu key or Shift+F10: the menu opens at the icon
  ASSERT_EQ(menu.calls.size(), 1u);
  EXPECT_EQ(menu.calls[0].x, 700);
  EXPECT_EQ(menu.calls[0].y, 740);
}

TEST_F(TrayNotifyTest, AMenuLeftWithoutAWindowGivesTheFocusBackToTheNotificationArea) {
  RecordingPopupMenu menu(nullptr);
  icon.SetPopupMenu(&menu);
  icon.SetShellVersionMode(2);
  icon.SetIconVisible(true);
  const auto menuKey = [&] {
    fake.notify.clear();
    SendMessageW(SharedTrayHandler()->WindowHandle(), TrayCallbackMessage, MAKEWPARAM(700, 740),
                 MAKELPARAM(tray_code::ContextMenu, icon.IconId()));
    ASSERT_FALSE(menu.calls.empty());
  };
  menuKey();  // then Esc
  ASSERT_EQ(fake.notify.size(), 1u);
  EXPECT_EQ(fake.notify[0].first, DWORD{NIM_SETFOCUS});
  EXPECT_EQ(fake.notify[0].second.uID, icon.IconId());

  TForm* form = MainTestForm();
  menu.while_open = [form] {  // a command brings a window forward: it keeps the focus
    form->Show();
    SetForegroundWindow(form->Handle());
  };
  menuKey();
  EXPECT_TRUE(fake.notify.empty());
  form->Hide();
}

TEST_F(TrayNotifyTest, NotificationsNamingNoLiveIconReachNothing) {
  icon.OnDblClick = [this](TObject* s) { Log(s, "DblClick"); };
  uint32_t gone;
  {
    TSysTrayIcon other(nullptr);
    other.OnClick = [this](TObject*) { log.push_back("gone"); };
    gone = other.IconId();
  }
  Notify(WM_LBUTTONDOWN, gone);
  Notify(WM_LBUTTONUP, gone);
  // The identifier is 32 bits: a wider wParam is not this icon.
  Notify(WM_LBUTTONDBLCLK, static_cast<WPARAM>(icon.IconId()) | (WPARAM{1} << 32));
  EXPECT_TRUE(log.empty());
}

TEST_F(TrayNotifyTest, AnEventHandlersExceptionGoesToTheErrorBoxNotThroughTheWindow) {
  icon.OnClick = [](TObject*) { throw Exception("Unable to write to notices.msg"); };
  Notify(WM_LBUTTONDOWN);
  Notify(WM_LBUTTONUP);
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].text, L"Unable to write to notices.msg");
  EXPECT_TRUE(IsWindow(SharedTrayHandler()->WindowHandle()));
  EXPECT_FALSE(icon.LeftButtonDown());
}

TEST(TrayUnitTest, RestartMessageIsTaskbarCreatedOnlyWithCommonControls471) {
  EXPECT_GE(CommonControlsVersion(), (4u << 16) | 71u);
  EXPECT_EQ(ShellRestartMessage(), RegisterWindowMessageW(L"TaskbarCreated"));
  SetUpShellRestartMessage((4u << 16) | 70u);
  EXPECT_EQ(ShellRestartMessage(), 0u);
  SetUpShellRestartMessage(CommonControlsVersion());
  EXPECT_NE(ShellRestartMessage(), 0u);
}

TEST(TrayUnitTest, ReadShiftKeysAsksTheSystemForShiftCtrlAndAlt) {
  WithFakeSystem fake;
  EXPECT_EQ(ReadShiftKeys(), TShiftState());
  fake.keys[VK_MENU] = static_cast<SHORT>(0x8000);
  fake.keys[VK_LBUTTON] = static_cast<SHORT>(0x8000);
  EXPECT_EQ(ReadShiftKeys(), TShiftState({TShift::Alt}));
}

}  // namespace
