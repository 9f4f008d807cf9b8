// The shared handler's life (counted by live timers) and which timer an expiry reaches.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "components/timer/SimpleTimer.h"
#include "toolkit/Exception.h"
#include "tests/host/FakeTimerHandler.h"

namespace {

TEST(TimerHandlerTest, ExistsExactlyWhileAnyTimerLivesAndComesBackFresh) {
  ASSERT_EQ(SharedTimerHandler(), nullptr);
  const int before = FakeTimerHandler::made;
  auto first = std::make_unique<TSimpleTimer>();
  TSimpleTimerHandler* handler = SharedTimerHandler();
  ASSERT_NE(handler, nullptr);
  auto second = std::make_unique<TSimpleTimer>(50, nullptr);
  EXPECT_EQ(SharedTimerHandler(), handler);
  EXPECT_EQ(handler->TimerCount(), 2u);
  first.reset();
  EXPECT_EQ(SharedTimerHandler(), handler);
  EXPECT_EQ(handler->TimerCount(), 1u);
  second.reset();
  EXPECT_EQ(SharedTimerHandler(), nullptr);
  EXPECT_EQ(FakeTimerHandler::made, before + 1);

  TSimpleTimer third;
  EXPECT_NE(SharedTimerHandler(), nullptr);
  EXPECT_EQ(SharedTimerHandler()->TimerCount(), 1u);
  EXPECT_EQ(FakeTimerHandler::made, before + 2);
}

TEST(TimerHandlerTest, ReleaseWithoutAHandlerDoesNothing) {
  ASSERT_EQ(SharedTimerHandler(), nullptr);
  ReleaseTimerHandler();
  EXPECT_EQ(SharedTimerHandler(), nullptr);
}

TEST(TimerHandlerTest, WithoutANamedHandlerATimerIsRefusedNotLeftUnarmed) {
  ASSERT_EQ(SharedTimerHandler(), nullptr);
  SetTimerHandlerFactory(nullptr);
  EXPECT_THROW(TSimpleTimer(100, [](TObject*) {}), Exception);
  EXPECT_EQ(SharedTimerHandler(), nullptr);
  UseFakeTimerHandlers();
  TSimpleTimer timer(100, [](TObject*) {});
  EXPECT_TRUE(timer.Arm());
}

TEST(TimerHandlerTest, DestroyingARunningTimerKillsItsPlatformTimer) {
  TSimpleTimer keeper;  // keeps the handler alive to look at it
  uintptr_t id;
  {
    TSimpleTimer timer(100, [](TObject*) {});
    timer.SetRunning(true);
    id = timer.TimerId();
    ASSERT_EQ(FakeTimerHandler::Current()->armed.count(id), 1u);
  }
  EXPECT_EQ(FakeTimerHandler::Current()->armed.count(id), 0u);
}

TEST(TimerHandlerTest, ExpiryWithoutNotificationDoesNothing) {
  TSimpleTimer timer(100, nullptr);
  timer.SetRunning(true);  // arming needs no notification
  EXPECT_TRUE(FakeTimerHandler::Current()->IsArmed(timer));
  FakeTimerHandler::Current()->Advance(250);
  EXPECT_TRUE(timer.Running());
  EXPECT_TRUE(FakeTimerHandler::Current()->IsArmed(timer));
}

// Regression: an expiry queued for a destroyed timer reached whatever lived at its address.
TEST(TimerHandlerTest, ExpiryForADestroyedTimerReachesNoTimer) {
  TSimpleTimer keeper;
  int old_ticks = 0, new_ticks = 0;
  auto old_timer = std::make_unique<TSimpleTimer>(100, [&](TObject*) { ++old_ticks; });
  const uintptr_t stale = old_timer->TimerId();
  old_timer.reset();
  // Same size, so the allocator is free to hand out the same address again.
  auto new_timer = std::make_unique<TSimpleTimer>(100, [&](TObject*) { ++new_ticks; });
  TSimpleTimerHandler::TimerExpired(stale);
  EXPECT_EQ(old_ticks + new_ticks, 0);
  TSimpleTimerHandler::TimerExpired(new_timer->TimerId());
  EXPECT_EQ(new_ticks, 1);
}

TEST(TimerHandlerTest, TimersHaveDistinctIdentifiersAndEachExpiryReachesItsOwn) {
  std::vector<int> seen;
  TSimpleTimer a(30, [&](TObject*) { seen.push_back(1); });
  TSimpleTimer b(50, [&](TObject*) { seen.push_back(2); });
  EXPECT_NE(a.TimerId(), b.TimerId());
  a.SetRunning(true);
  b.SetRunning(true);
  FakeTimerHandler::Current()->Advance(100);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 1, 2}));
}

TEST(TimerHandlerTest, NotificationMayDestroyItsOwnTimer) {
  TSimpleTimer keeper;
  int ticks = 0;
  auto* timer = new TSimpleTimer(10, nullptr);
  timer->SetOnElapsed([&](TObject* sender) {
    ++ticks;
    delete static_cast<TSimpleTimer*>(sender);
  });
  timer->SetRunning(true);
  FakeTimerHandler::Current()->Advance(100);
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(FakeTimerHandler::Current()->armed.empty());
}

}  // namespace
