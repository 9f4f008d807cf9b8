// The simple timer's states (Stopped, Armed, Suspended) and every transition of its table, on a
// handler with virtual time.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "components/timer/SimpleTimer.h"
#include "tests/host/FakeTimerHandler.h"

[[maybe_unused]] const bool fake_timers = UseFakeTimerHandlers();

namespace {

enum class State { Stopped, Armed, Suspended, Inconsistent };

const char* Name(State s) {
  switch (s) {
    case State::Stopped: return "Stopped";
    case State::Armed: return "Armed";
    case State::Suspended: return "Suspended";
    default: return "Inconsistent";
  }
}

State StateOf(const TSimpleTimer& t) {
  const bool armed = FakeTimerHandler::Current()->IsArmed(t);
  if (t.Running()) return armed ? State::Armed : State::Suspended;
  return armed ? State::Inconsistent : State::Stopped;
}

enum class Event {
  Arm, RunningTrue, ArmPeriodZero, ArmRefused, RunningTrueRefused, DisarmTrue, RunningFalse,
  PeriodZero, Period250, PeriodSame, ClearOnElapsed, SetOnElapsed, Expiry
};

struct Transition {
  const char* name;
  State from;
  Event event;
  State to;
  uint32_t armedPeriod;  // period of the platform timer afterwards, 0 when none is armed
};

void PrintTo(const Transition& t, std::ostream* os) { *os << t.name; }

const Transition kTable[] = {
    {"ArmFromStopped", State::Stopped, Event::Arm, State::Armed, 100},
    {"ArmFromArmed", State::Armed, Event::Arm, State::Armed, 100},
    {"ArmFromSuspended", State::Suspended, Event::Arm, State::Armed, 100},
    {"RunningTrueFromStopped", State::Stopped, Event::RunningTrue, State::Armed, 100},
    {"RunningTrueFromSuspended", State::Suspended, Event::RunningTrue, State::Armed, 100},
    {"ArmWithPeriodZeroFromStopped", State::Stopped, Event::ArmPeriodZero, State::Stopped, 0},
    {"ArmWithPeriodZeroFromSuspended", State::Suspended, Event::ArmPeriodZero, State::Suspended, 0},
    {"RefusedArmFromStopped", State::Stopped, Event::ArmRefused, State::Stopped, 0},
    {"RefusedArmFromArmed", State::Armed, Event::ArmRefused, State::Stopped, 0},
    {"RefusedRunningFromSuspended", State::Suspended, Event::RunningTrueRefused, State::Stopped, 0},
    {"DisarmFromArmed", State::Armed, Event::DisarmTrue, State::Stopped, 0},
    {"DisarmFromSuspended", State::Suspended, Event::DisarmTrue, State::Stopped, 0},
    {"DisarmFromStopped", State::Stopped, Event::DisarmTrue, State::Stopped, 0},
    {"RunningFalseFromArmed", State::Armed, Event::RunningFalse, State::Stopped, 0},
    {"PeriodZeroFromArmed", State::Armed, Event::PeriodZero, State::Suspended, 0},
    {"PeriodZeroFromSuspended", State::Suspended, Event::PeriodZero, State::Suspended, 0},
    {"PeriodZeroFromStopped", State::Stopped, Event::PeriodZero, State::Stopped, 0},
    {"NewPeriodFromArmed", State::Armed, Event::Period250, State::Armed, 250},
    {"NewPeriodFromSuspended", State::Suspended, Event::Period250, State::Armed, 250},
    {"NewPeriodFromStopped", State::Stopped, Event::Period250, State::Stopped, 0},
    {"SamePeriodFromSuspended", State::Suspended, Event::PeriodSame, State::Suspended, 0},
    {"ClearOnElapsedFromArmed", State::Armed, Event::ClearOnElapsed, State::Suspended, 0},
    {"ClearOnElapsedFromStopped", State::Stopped, Event::ClearOnElapsed, State::Stopped, 0},
    {"ClearOnElapsedFromSuspended", State::Suspended, Event::ClearOnElapsed, State::Suspended, 0},
    {"SetOnElapsedFromStopped", State::Stopped, Event::SetOnElapsed, State::Stopped, 0},
    {"SetOnElapsedFromSuspended", State::Suspended, Event::SetOnElapsed, State::Suspended, 0},
    {"SetOnElapsedFromArmed", State::Armed, Event::SetOnElapsed, State::Armed, 100},
    {"ExpiryKeepsArmed", State::Armed, Event::Expiry, State::Armed, 100},
};

class SimpleTimerTransitionTest : public testing::TestWithParam<Transition> {
 protected:
  void SetUp() override {
    // Suspended with a non-zero period: running, notification cleared and given back.
    switch (GetParam().from) {
      case State::Armed:
        timer.SetRunning(true);
        break;
      case State::Suspended:
        timer.SetRunning(true);
        timer.SetOnElapsed(nullptr);
        timer.SetOnElapsed(notify);
        break;
      default:
        break;
    }
    ASSERT_EQ(StateOf(timer), GetParam().from);
  }

  int ticks = 0;
  TNotifyEvent notify = [this](TObject*) { ++ticks; };
  TSimpleTimer timer{100, notify};
};

TEST_P(SimpleTimerTransitionTest, EndsInTheStateTheTableGives) {
  FakeTimerHandler& h = *FakeTimerHandler::Current();
  switch (GetParam().event) {
    case Event::Arm: EXPECT_TRUE(timer.Arm()); break;
    case Event::RunningTrue: timer.SetRunning(true); break;
    case Event::ArmPeriodZero:
      timer.SetPeriod(0);
      EXPECT_FALSE(timer.Arm());
      timer.SetRunning(true);
      break;
    case Event::ArmRefused:
      h.refuse = true;
      EXPECT_FALSE(timer.Arm());
      break;
    case Event::RunningTrueRefused:
      h.refuse = true;
      timer.SetRunning(true);
      break;
    case Event::DisarmTrue: timer.Disarm(true); break;
    case Event::RunningFalse: timer.SetRunning(false); break;
    case Event::PeriodZero: timer.SetPeriod(0); break;
    case Event::Period250: timer.SetPeriod(250); break;
    case Event::PeriodSame: timer.SetPeriod(100); break;
    case Event::ClearOnElapsed: timer.SetOnElapsed(nullptr); break;
    case Event::SetOnElapsed: timer.SetOnElapsed([](TObject*) {}); break;
    case Event::Expiry:
      h.Advance(100);
      EXPECT_EQ(ticks, 1);
      break;
  }
  EXPECT_STREQ(Name(StateOf(timer)), Name(GetParam().to));
  EXPECT_EQ(h.ArmedPeriod(timer), GetParam().armedPeriod);
}

INSTANTIATE_TEST_SUITE_P(Table, SimpleTimerTransitionTest, testing::ValuesIn(kTable),
                         [](const testing::TestParamInfo<Transition>& info) { return info.param.name; });

TEST(SimpleTimerTest, DefaultTimerHasPeriod1000NoNotificationAndIsStopped) {
  TSimpleTimer timer;
  EXPECT_EQ(timer.Period(), 1000u);
  EXPECT_FALSE(timer.OnElapsed());
  EXPECT_EQ(StateOf(timer), State::Stopped);
}

TEST(SimpleTimerTest, StoppedTimerWithPeriodZeroDoesNotStartOnRunningTrue) {
  TSimpleTimer timer(0, [](TObject*) {});
  timer.SetRunning(true);
  EXPECT_FALSE(timer.Running());
  EXPECT_TRUE(FakeTimerHandler::Current()->armed.empty());
}

// Expiry times (virtual ms) of one timer while the test drives it.
class SimpleTimerCountdownTest : public testing::Test {
 protected:
  std::vector<uint64_t> fired;
  TSimpleTimer timer{1000, [this](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    fired.push_back(FakeTimerHandler::Current()->now);
  }};
  FakeTimerHandler& h = *FakeTimerHandler::Current();
};

TEST_F(SimpleTimerCountdownTest, SecondRunningTrueRestartsTheCountdown) {
  timer.SetRunning(true);
  h.Advance(600);
  timer.SetRunning(true);
  h.Advance(2000);
  EXPECT_EQ(fired, (std::vector<uint64_t>{1600, 2600}));
}

TEST_F(SimpleTimerCountdownTest, WritingTheSamePeriodDoesNotRestartTheCountdown) {
  timer.SetRunning(true);
  h.Advance(600);
  timer.SetPeriod(1000);
  h.Advance(500);
  EXPECT_EQ(fired, (std::vector<uint64_t>{1000}));
}

TEST_F(SimpleTimerCountdownTest, PeriodZeroSuspendsAndANewPeriodResumes) {
  timer.SetRunning(true);
  h.Advance(1000);
  timer.SetPeriod(0);
  h.Advance(5000);
  EXPECT_TRUE(timer.Running());
  timer.SetPeriod(250);
  h.Advance(500);
  EXPECT_EQ(fired, (std::vector<uint64_t>{1000, 6250, 6500}));
}

TEST_F(SimpleTimerCountdownTest, ClearedNotificationSuspendsAndANewOneDoesNotResume) {
  timer.SetRunning(true);
  timer.SetOnElapsed(nullptr);
  timer.SetOnElapsed([this](TObject*) { fired.push_back(h.now); });
  h.Advance(3000);
  EXPECT_TRUE(fired.empty());
  EXPECT_TRUE(timer.Running());
  timer.Arm();
  h.Advance(1000);
  EXPECT_EQ(fired, (std::vector<uint64_t>{4000}));
}

TEST_F(SimpleTimerCountdownTest, NewPeriodWhileStoppedIsOnlyStored) {
  timer.SetPeriod(300);
  h.Advance(1000);
  EXPECT_TRUE(fired.empty());
  timer.SetRunning(true);
  h.Advance(300);
  EXPECT_EQ(fired, (std::vector<uint64_t>{1300}));
}

}  // namespace
