// The simple timers' shared hidden window: its life, its shape, and expiries delivered to it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "components/timer/SimpleTimer.h"
#include "components/timer/win/SimpleTimerWin.h"

namespace {

TEST(SimpleTimerWindowTest, ExistsExactlyWhileTimersLiveAndIsMadeAfreshAfterTheLast) {
  ASSERT_EQ(SimpleTimerWindow(), nullptr);
  auto first = std::make_unique<TSimpleTimer>();
  const HWND window = SimpleTimerWindow();
  ASSERT_TRUE(IsWindow(window));
  auto second = std::make_unique<TSimpleTimer>(10, nullptr);
  EXPECT_EQ(SimpleTimerWindow(), window);  // one window for all
  first.reset();
  EXPECT_TRUE(IsWindow(window));
  second.reset();
  EXPECT_EQ(SimpleTimerWindow(), nullptr);
  EXPECT_FALSE(IsWindow(window));

  TSimpleTimer third;
  EXPECT_TRUE(IsWindow(SimpleTimerWindow()));
}

TEST(SimpleTimerWindowTest, IsAnUnshownTopLevelToolPopupOfNoSize) {
  TSimpleTimer timer;
  const HWND window = SimpleTimerWindow();
  EXPECT_EQ(GetParent(window), nullptr);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(window));
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.bottom - r.top, 0);
}

TEST(SimpleTimerWindowTest, WmTimerReachesTheNamedLiveTimerOnly) {
  std::vector<int> seen;
  TSimpleTimer a(1000, [&](TObject* sender) { seen.push_back(sender == nullptr ? 0 : 1); });
  TSimpleTimer silent(1000, nullptr);
  UINT_PTR gone;
  {
    TSimpleTimer b(1000, [&](TObject*) { seen.push_back(2); });
    b.SetRunning(true);
    gone = b.TimerId();
  }
  const HWND window = SimpleTimerWindow();
  EXPECT_EQ(SendMessageW(window, WM_TIMER, a.TimerId(), 0), 0);
  EXPECT_EQ(SendMessageW(window, WM_TIMER, gone, 0), 0);     // destroyed: reaches nothing
  EXPECT_EQ(SendMessageW(window, WM_TIMER, silent.TimerId(), 0), 0);  // no notification
  EXPECT_EQ(seen, (std::vector<int>{1}));
}

TEST(SimpleTimerWindowTest, OtherMessagesGetTheDefaultHandling) {
  TSimpleTimer timer;
  const HWND window = SimpleTimerWindow();
  EXPECT_TRUE(SetWindowTextW(window, L"probe"));
  wchar_t text[16] = {};
  EXPECT_EQ(SendMessageW(window, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, L"probe");
}

TEST(SimpleTimerWindowTest, ArmedTimerExpiresThroughTheMessageLoopUntilStopped) {
  int ticks = 0;
  TSimpleTimer timer(1, nullptr);
  timer.SetOnElapsed([&](TObject*) {
    if (++ticks == 3) timer.SetRunning(false);
  });
  ASSERT_TRUE(timer.Arm());
  MSG msg;
  while (ticks < 3 && GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(timer.Running());
  EXPECT_FALSE(timer.Disarm(true));  // nothing left to kill
}

}  // namespace
