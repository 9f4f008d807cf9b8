// What the tray icon tells the shell (through the system services seam): the record it sends,
// the tooltip, when it adds, removes and refreshes the icon, and the animation through an image
// list.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/res/resource.h"
#include "components/timer/win/SimpleTimerWin.h"
#include "tests/win/TrayTestSupport.h"
#include "tests/win/support/FakeSystem.h"
#include "toolkit/win/ImgList.h"

namespace {

std::vector<DWORD> Messages(const FakeSystem& fake) {
  std::vector<DWORD> out;
  for (const auto& call : fake.notify) out.push_back(call.first);
  return out;
}

class TrayShellTest : public testing::Test {
 protected:
  const NOTIFYICONDATAW& Last() const { return fake.notify.back().second; }
  std::wstring LastTip() const { return Last().szTip; }

  WithFakeSystem fake;
  std::unique_ptr<TSysTrayIcon> icon = std::make_unique<TSysTrayIcon>(nullptr);
};

TEST_F(TrayShellTest, NothingReachesTheShellBeforeTheIconIsShown) {
  icon->SetHint("Zettly");
  icon->SetShellVersionMode(2);
  ASSERT_TRUE(icon->Icon().LoadFromResource(RES_TRAYICON, 16, 16));
  EXPECT_FALSE(icon->UpdateTrayIcon());  // what the shell answers for an icon it does not hold
  EXPECT_FALSE(icon->RemoveTrayIcon());
  EXPECT_TRUE(fake.notify.empty());
  EXPECT_FALSE(icon->IconVisible());
}

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND, LPARAM p) {
        ++*reinterpret_cast<int*>(p);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(TrayWindowsTest, TheHiddenWindowsWaitForTheFirstAddAndTheFirstArmedTimer) {
  WithFakeSystem fake;
  const int before = ThreadWindowCount();
  TSysTrayIcon icon(nullptr);  // with its simple timers
  icon.SetHint("Zettly");
  icon.SetShellVersionMode(2);
  TSimpleTimer timer(50, nullptr);
  EXPECT_FALSE(timer.Disarm(true));  // never armed, and no window to ask
  EXPECT_EQ(ThreadWindowCount(), before);  // a start pays for neither
  icon.SetIconVisible(true);
  // The tray's window, and the timers' one: the add arms the image's second sending.
  EXPECT_EQ(ThreadWindowCount(), before + 2);
  ASSERT_FALSE(fake.notify.empty());
  EXPECT_EQ(fake.notify[0].second.hWnd, SharedTrayHandler()->WindowHandle());
  ASSERT_TRUE(timer.Arm());
  EXPECT_EQ(ThreadWindowCount(), before + 2);  // one window serves every timer
}

TEST_F(TrayShellTest, EveryCallCarriesTheHandlerWindowTheIdentifierAndCallbackMessage) {
  icon->SetHint("Zettly");
  icon->SetIconVisible(true);
  icon->SetShellVersionMode(1);
  icon->SetHint("Notes");
  icon->SetIconVisible(false);
  ASSERT_EQ(Messages(fake), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY, NIM_DELETE}));
  for (const auto& [message, data] : fake.notify) {
    EXPECT_EQ(data.hWnd, SharedTrayHandler()->WindowHandle());
    EXPECT_EQ(data.uID, icon->IconId());
    EXPECT_TRUE(data.uFlags & NIF_MESSAGE);
    EXPECT_EQ(data.uCallbackMessage, 0x0800u);
    EXPECT_FALSE(data.uFlags & NIF_INFO);  // no balloon unasked
  }
  EXPECT_EQ(std::wstring(fake.notify[0].second.szTip), L"Zettly");
}

// The tip as the shell reads the record: from version 4 on only with NIF_SHOWTIP, which it takes
// only from a record of the full size.
bool ShellShowsTip(const NOTIFYICONDATAW& data, UINT version) {
  if (!(data.uFlags & NIF_TIP) || data.szTip[0] == L'\0') return false;
  if (version < NOTIFYICON_VERSION_4) return true;
  return data.cbSize >= sizeof(NOTIFYICONDATAW) && (data.uFlags & NIF_SHOWTIP);
}

TEST_F(TrayShellTest, TheShellIsAskedToShowTheTipInEveryVersion) {
  for (uint8_t mode : {0, 1, 2}) {
    SCOPED_TRACE(mode);
    TSysTrayIcon tray(nullptr);
    tray.SetHint("Zettly");
    tray.SetShellVersionMode(mode);
    tray.SetIconVisible(true);
    const UINT version = fake.notify.back().second.uVersion;
    tray.SetHint("Zettly: 3 notes");
    ASSERT_EQ(fake.notify.back().first, DWORD{NIM_MODIFY});
    EXPECT_TRUE(ShellShowsTip(fake.notify.back().second, version));
    const auto& add = fake.notify[fake.notify.size() - (mode == 0 ? 2 : 3)];
    ASSERT_EQ(add.first, DWORD{NIM_ADD});
    EXPECT_TRUE(ShellShowsTip(add.second, version));
  }
}

TEST_F(TrayShellTest, TooltipIsTheHintCutAt127AndNoneWhenEmptyOrHidden) {
  icon->SetIconVisible(true);
  icon->SetHint(std::string(200, 'h'));
  EXPECT_EQ(LastTip(), std::wstring(127, L'h'));
  EXPECT_EQ(Last().szTip[127], L'\0');
  icon->SetShowHint(false);
  EXPECT_EQ(LastTip(), L"");
  icon->SetShowHint(true);
  icon->SetHint("");
  EXPECT_EQ(LastTip(), L"");
  for (WCHAR c : Last().szTip) EXPECT_EQ(c, L'\0');
}

// The shell's answers by message, counting the adds it refused.
struct ShellAnswers {
  int refuse_adds = 0;       // this many adds are refused, then every add is taken
  bool holds_icon = false;   // a modify is taken: a refused add went through after all
  BOOL operator()(DWORD message) {
    if (message == NIM_ADD) return refuse_adds-- > 0 ? FALSE : (holds_icon = true);
    if (message == NIM_MODIFY) return holds_icon;
    return TRUE;
  }
};

class TrayRetryTest : public TrayShellTest {
 protected:
  void Tick() { SendMessageW(SimpleTimerWindow(), WM_TIMER, icon->AddRetryTimer().TimerId(), 0); }
  int Count(DWORD message) const {
    const auto m = Messages(fake);
    return static_cast<int>(std::count(m.begin(), m.end(), message));
  }
};

TEST_F(TrayRetryTest, ARefusedAddIsTriedAgainUntilTheShellTakesIt) {
  auto answers = std::make_shared<ShellAnswers>(ShellAnswers{3});
  fake.notify_answer = [answers](DWORD m) { return (*answers)(m); };
  icon->SetShellVersionMode(2);
  EXPECT_FALSE(icon->AddTrayIcon());
  EXPECT_TRUE(icon->AddRetryTimer().Running());
  EXPECT_EQ(icon->AddRetryTimer().Period(), 2000u);
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_TRUE(icon->Docked());
  EXPECT_FALSE(icon->AddRetryTimer().Running());
  EXPECT_EQ(Count(NIM_ADD), 4);
  EXPECT_EQ(fake.notify.back().first, DWORD{NIM_SETVERSION});  // the new icon learns its version
  EXPECT_EQ(fake.notify.back().second.uVersion, UINT{NOTIFYICON_VERSION_4});
}

TEST_F(TrayRetryTest, AnAddThatTimedOutButWasTakenIsNotAddedTwice) {
  auto answers = std::make_shared<ShellAnswers>(ShellAnswers{1000});
  fake.notify_answer = [answers](DWORD m) { return (*answers)(m); };
  EXPECT_FALSE(icon->AddTrayIcon());
  answers->holds_icon = true;  // the shell took it after its answer timed out
  Tick();
  EXPECT_TRUE(icon->Docked());
  EXPECT_FALSE(icon->AddRetryTimer().Running());
  EXPECT_EQ(Count(NIM_ADD), 1);
}

TEST_F(TrayRetryTest, TheTriesEndAfterAboutAMinuteOrWhenTheIconIsNoLongerWanted) {
  fake.notify_result = FALSE;
  icon->AddTrayIcon();
  for (int i = 0; i < 40; ++i) Tick();
  EXPECT_FALSE(icon->AddRetryTimer().Running());
  EXPECT_EQ(Count(NIM_ADD), 31);  // the first and one every 2 s for a minute
  EXPECT_FALSE(icon->Docked());

  fake.notify.clear();
  icon->TaskbarRecreated();  // a new taskbar: a new minute
  EXPECT_TRUE(icon->AddRetryTimer().Running());
  icon->SetIconVisible(false);
  EXPECT_FALSE(icon->AddRetryTimer().Running());
  Tick();
  EXPECT_EQ(Count(NIM_ADD), 1);
}

TEST_F(TrayRetryTest, ANewIconsImageIsSentOnceMoreWhenTheAreaHasSettled) {
  icon->SetIconVisible(true);
  ASSERT_TRUE(icon->SettleTimer().Running());
  fake.notify.clear();
  const auto settle = [&] { SendMessageW(SimpleTimerWindow(), WM_TIMER, icon->SettleTimer().TimerId(), 0); };
  settle();
  settle();  // once per add
  ASSERT_EQ(Messages(fake), (std::vector<DWORD>{NIM_MODIFY}));
  EXPECT_TRUE(Last().uFlags & NIF_ICON);
  EXPECT_EQ(Last().hIcon, icon->Icon().Handle());
  EXPECT_FALSE(icon->SettleTimer().Running());
}

TEST_F(TrayShellTest, ABalloonIsShownOnceOnlyBesideAnIconTheShellHolds) {
  icon->SetHint("Zettly");
  EXPECT_FALSE(icon->ShowBalloon("Zettly is here", "Click the icon"));
  EXPECT_TRUE(fake.notify.empty());
  icon->SetIconVisible(true);
  ASSERT_TRUE(icon->ShowBalloon(std::string(80, 't'), "Zettly is in the notification area"));
  const NOTIFYICONDATAW& balloon = Last();
  EXPECT_EQ(fake.notify.back().first, DWORD{NIM_MODIFY});
  EXPECT_TRUE(balloon.uFlags & NIF_INFO);
  EXPECT_EQ(std::wstring(balloon.szInfo), L"Zettly is in the notification area");
  EXPECT_EQ(std::wstring(balloon.szInfoTitle), std::wstring(63, L't'));
  EXPECT_EQ(balloon.uID, icon->IconId());
  icon->SetHint("Zettly: 2 notes");  // a later change of the look does not bring it back
  EXPECT_FALSE(Last().uFlags & NIF_INFO);
  fake.notify_result = FALSE;
  EXPECT_FALSE(icon->ShowBalloon("t", "x"));  // refused: the caller may say it another time
}

TEST_F(TrayShellTest, FailedShellCallsAreReportedButIconVisibleKeepsTheRequest) {
  fake.notify_result = FALSE;
  EXPECT_FALSE(icon->AddTrayIcon());
  EXPECT_TRUE(icon->IconVisible());
  EXPECT_FALSE(icon->UpdateTrayIcon());
  fake.notify_result = TRUE;
  EXPECT_TRUE(icon->RemoveTrayIcon());  // the refused add may have been taken: removed all the same
  EXPECT_FALSE(icon->IconVisible());
}

TEST_F(TrayShellTest, AShownIconIsAddedOnceAndToldOnlyWhatChanged) {
  icon->SetHint("Zettly");
  icon->SetIconVisible(true);
  icon->SetShellVersionMode(2);
  fake.notify.clear();
  // Each of these would repeat what the shell already holds.
  EXPECT_TRUE(icon->AddTrayIcon());
  EXPECT_TRUE(icon->UpdateTrayIcon());
  icon->SetHint("Zettly");
  icon->SetIconIndex(0);
  icon->SetShellVersionMode(2);
  EXPECT_TRUE(fake.notify.empty());
  icon->Icon().SetHandle(SolidIcon(RGB(255, 0, 0)));
  EXPECT_EQ(Messages(fake), (std::vector<DWORD>{NIM_MODIFY}));
}

TEST_F(TrayShellTest, PreviewAddsAndRemovesWithoutTouchingIconVisible) {
  icon->SetDesignPreview(true);
  EXPECT_EQ(fake.notify.back().first, DWORD{NIM_ADD});
  EXPECT_FALSE(icon->IconVisible());
  icon->SetIconVisible(true);
  icon->SetDesignPreview(false);
  EXPECT_EQ(fake.notify.back().first, DWORD{NIM_DELETE});
  EXPECT_TRUE(icon->IconVisible());
}

TEST_F(TrayShellTest, IconImagesReachTheShellAndTheProgramsTrayIconLoads) {
  icon->SetIconVisible(true);
  ASSERT_TRUE(icon->Icon().LoadFromResource(RES_TRAYICON, 16, 16));
  EXPECT_EQ(fake.notify.back().first, DWORD{NIM_MODIFY});
  EXPECT_EQ(Last().hIcon, icon->Icon().Handle());
  EXPECT_NE(Last().hIcon, nullptr);

  TIcon red;
  red.SetHandle(SolidIcon(RGB(255, 0, 0)));
  const size_t before = fake.notify.size();
  icon->SetIcon(red);
  EXPECT_EQ(fake.notify.size(), before + 1);  // one call for the whole copy
  EXPECT_EQ(IconColour(Last().hIcon), RGB(255, 0, 0));
  EXPECT_NE(icon->Icon().Handle(), red.Handle());  // a copy, not the same handle
}

TEST_F(TrayShellTest, VersionModeIsToldToTheShell) {
  icon->SetIconVisible(true);
  icon->SetShellVersionMode(1);
  EXPECT_EQ(fake.notify.back().first, DWORD{NIM_SETVERSION});
  EXPECT_EQ(Last().uVersion, 3u);
  icon->SetShellVersionMode(0);
  EXPECT_EQ(Last().uVersion, 0u);
  EXPECT_EQ(icon->ShellVersionMode(), 0);
}

TEST_F(TrayShellTest, Bug_AnIconAddedAgainAfterATaskbarRestartLostItsVersion) {
  icon->SetIconVisible(true);
  icon->SetShellVersionMode(2);
  EXPECT_EQ(Last().uVersion, 4u);
  fake.notify.clear();
  icon->TaskbarRecreated();
  EXPECT_EQ(Messages(fake), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
  EXPECT_EQ(Last().uVersion, 4u);
}

TEST_F(TrayShellTest, LoadedShowsAStoredIconOnceWithItsVersion) {
  icon->SetHint("Zettly");
  icon->SetIconVisible(true);  // a stored IconVisible adds the icon while loading already
  icon->SetShellVersionMode(2);
  icon->LoadedAll();
  EXPECT_EQ(Messages(fake), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
}

TEST_F(TrayShellTest, DestroyingTheComponentTakesItsIconOut) {
  icon->SetIconVisible(true);
  const UINT id = icon->IconId();
  fake.notify.clear();
  icon.reset();
  EXPECT_EQ(Messages(fake), (std::vector<DWORD>{NIM_DELETE}));
  EXPECT_EQ(fake.notify.front().second.uID, id);
}

class TrayAnimationTest : public TrayShellTest {
 protected:
  TrayAnimationTest() {
    list = new TImageList(&owner);
    for (COLORREF c : colours) {
      HICON image = SolidIcon(c);
      list->AddIcon(image);
      DestroyIcon(image);
    }
    tray = new TSysTrayIcon(&owner);
    tray->SetIconVisible(true);  // so that every image reaches the shell
    tray->OnCycle = [this](TObject*, int next) { cycles.push_back(next); };
  }
  void Tick() { SendMessageW(SimpleTimerWindow(), WM_TIMER, tray->CycleTimer().TimerId(), 0); }
  int Shown() const {
    const COLORREF c = IconColour(tray->Icon().Handle());
    for (size_t i = 0; i < colours.size(); ++i)
      if (colours[i] == c) return static_cast<int>(i);
    return -1;
  }

  const std::vector<COLORREF> colours{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
  TComponent owner{nullptr};  // owns the list and the icon, so removals are told
  TImageList* list;
  TSysTrayIcon* tray;
  std::vector<int> cycles;
};

TEST_F(TrayAnimationTest, IndexIsLimitedToTheLastImageAndIsZeroWithoutAList) {
  tray->SetIconIndex(10);
  EXPECT_EQ(tray->IconIndex(), 0);
  tray->SetIconList(list);
  tray->SetIconIndex(10);
  EXPECT_EQ(tray->IconIndex(), 3);
  EXPECT_EQ(Shown(), 3);
  EXPECT_EQ(IconColour(fake.notify.back().second.hIcon), colours[3]);
  tray->SetIconIndex(1);
  EXPECT_EQ(Shown(), 1);
}

TEST_F(TrayAnimationTest, CyclingStartsOnlyWithAnIntervalThenShowsTheImagesInOrder) {
  tray->SetIconList(list);
  tray->SetIconIndex(2);
  tray->SetCycleIcons(true);
  EXPECT_FALSE(tray->CycleTimer().Running());  // interval 0: no animation
  tray->SetCycleInterval(500);
  EXPECT_TRUE(tray->CycleTimer().Running());
  EXPECT_EQ(tray->CycleTimer().Period(), 500u);
  EXPECT_EQ(tray->IconIndex(), 0);
  std::vector<int> shown{Shown()};
  for (int i = 0; i < 5; ++i) {
    Tick();
    shown.push_back(Shown());
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 0, 1}));
  EXPECT_EQ(cycles, (std::vector<int>{1, 2, 3, 0, 1}));
  tray->SetCycleIcons(false);
  EXPECT_FALSE(tray->CycleTimer().Running());
}

TEST_F(TrayAnimationTest, CycleEventSeesTheIndexItMovesFromAndMayDropTheList) {
  tray->SetIconList(list);
  tray->SetCycleInterval(100);
  tray->SetCycleIcons(true);
  tray->OnCycle = [this](TObject* sender, int next) {
    EXPECT_EQ(sender, tray);
    EXPECT_EQ(tray->IconIndex(), 0);
    EXPECT_EQ(next, 1);
    tray->SetIconList(nullptr);
  };
  Tick();
  EXPECT_EQ(tray->IconIndex(), 0);
  Tick();  // no list: the tick does nothing
  EXPECT_EQ(tray->IconList(), nullptr);
}

TEST_F(TrayAnimationTest, RemovedListAndMenuAreForgotten) {
  auto* menu = new RecordingPopupMenu(&owner);
  tray->SetPopupMenu(menu);
  tray->SetIconList(list);
  tray->SetIconIndex(3);
  delete list;
  EXPECT_EQ(tray->IconList(), nullptr);
  EXPECT_EQ(tray->IconIndex(), 0);
  delete menu;
  EXPECT_EQ(tray->PopupMenu(), nullptr);
  tray->ProcessNotification(WM_RBUTTONDOWN);  // no menu to open: nothing happens
}

}  // namespace
