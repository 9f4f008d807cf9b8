// What the clock repaints: writing a value a cell or the clock already holds repaints nothing,
// and over a minute of ticks only the cells whose character changed are invalidated, once each
// time they change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/LedClockTestClock.h"

namespace {

class InvalidationLog {
 public:
  InvalidationLog() {
    TWinControl::InvalidateSpy = [this](TWinControl*, const TRect& r) { rects.push_back(r); };
  }
  ~InvalidationLog() { TWinControl::InvalidateSpy = nullptr; }
  InvalidationLog(const InvalidationLog&) = delete;
  InvalidationLog& operator=(const InvalidationLog&) = delete;
  std::vector<TRect> rects;
};

TEST(ClockRepaintTest, WritingValuesAlreadyHeldRepaintsNothing) {
  TestClock t;
  TDigitClock& clock = *t.clock;
  t.TickAt(At(9, 5, 7, 250));
  InvalidationLog log;
  t.Tick();  // the same time again
  clock.SetCharColor(clock.CharColor());
  clock.SetBorderColor(clock.BorderColor());
  clock.SetCharWidth(clock.CharWidth());
  clock.SetCharHeight(clock.CharHeight());
  clock.SetCharBorderWidth(clock.CharBorderWidth());
  clock.SetSpaceWidth(clock.SpaceWidth());
  clock.SetShowSeconds(clock.ShowSeconds());
  clock.SetActive(clock.Active());
  clock.SetColor(clock.Color());
  clock.SetWidth(clock.Width());
  for (int n = 1; n <= 7; ++n) {
    TCharLed& cell = *clock.Cells(n);
    cell.SetChar(cell.Char());
    cell.SetLeds(cell.Leds());
    cell.SetCharWidth(cell.CharWidth());
    cell.SetCharHeight(cell.CharHeight());
    cell.SetCharColor(cell.CharColor());
    cell.SetBorderColor(cell.BorderColor());
    cell.SetBorderWidth(cell.BorderWidth());
    cell.SetBorderWidth(0);  // stored as 1, which it holds
    cell.SetTransparent(cell.Transparent());
  }
  EXPECT_TRUE(log.rects.empty()) << log.rects.size();

  clock.Cells(5)->SetCharColor(clRed);  // a real change repaints that cell alone
  ASSERT_EQ(log.rects.size(), 1u);
  EXPECT_EQ(log.rects[0], (TRect{55, 4, 65, 21}));
}

// Repaints over one simulated minute: the time advances by exactly the interval each tick asked
// for, and every tick is delivered as the timer's message.
struct MinuteRow {
  const char* what;
  int64_t start;
  bool seconds;
  std::array<int, 7> repaints;  // per cell
};

class ClockMinuteTest : public testing::TestWithParam<MinuteRow> {};

TEST_P(ClockMinuteTest, OnlyChangedCellsRepaintAndEveryHalfSecondTicksOnce) {
  const MinuteRow& row = GetParam();
  TestClock t;
  TDigitClock& clock = *t.clock;
  clock.SetShowSeconds(row.seconds);
  t.TickAt(row.start);  // the display now shows the start time

  InvalidationLog log;
  std::array<int, 7> repaints{};
  int others = 0, changingTicks = 0, idleTicks = 0;
  bool lastWasIdle = false;
  int64_t now = row.start + clock.TickTimer()->Interval();
  while (now < row.start + 60'000) {
    const size_t before = log.rects.size();
    t.TickAt(now);
    const unsigned interval = clock.TickTimer()->Interval();
    ASSERT_GE(interval, 1u);
    ASSERT_LE(interval, 501u);
    if (log.rects.size() == before) {
      // Right on a boundary the reading may still be the half second before; it must then
      // come back 1 ms later, and not twice in a row.
      ++idleTicks;
      EXPECT_EQ(interval, 1u) << now;
      EXPECT_FALSE(lastWasIdle) << now;
      lastWasIdle = true;
    } else {
      ++changingTicks;
      lastWasIdle = false;
    }
    now += interval;
  }
  EXPECT_FALSE(lastWasIdle);
  for (const TRect& r : log.rects) {
    int n = 1;
    while (n <= 7 && clock.Cells(n)->BoundsRect() != r) ++n;
    if (n <= 7) ++repaints[static_cast<size_t>(n - 1)];
    else ++others;
  }
  EXPECT_EQ(repaints, row.repaints);
  EXPECT_EQ(others, 0);
  EXPECT_EQ(changingTicks, 120);  // one per half-second boundary in the minute
  RecordProperty("idle_ticks", idleTicks);
}

// Starting at .600 the minute holds the boundaries :00.000 to :59.500 of the next minute.
INSTANTIATE_TEST_SUITE_P(
    Minutes, ClockMinuteTest,
    testing::Values(
        // colon 120, seconds units 60, seconds tens 6 (:00 :10 ... :50), minutes units 1.
        MinuteRow{"Ordinary", At(12, 33, 59, 600), true, {0, 0, 120, 0, 1, 6, 60}},
        // 9:59 -> 10:00 turns over both hour cells and both minute cells once.
        MinuteRow{"IntoTenOClock", At(9, 59, 59, 600), true, {1, 1, 120, 1, 1, 6, 60}},
        // Hidden seconds cells are neither written nor repainted.
        MinuteRow{"SecondsHidden", At(12, 33, 59, 600), false, {0, 0, 120, 0, 1, 0, 0}},
        // 23:59 -> 0:00: hours 23 -> blank 0.
        MinuteRow{"Midnight", At(23, 59, 59, 600), true, {1, 1, 120, 1, 1, 6, 60}}),
    [](const testing::TestParamInfo<MinuteRow>& info) { return std::string(info.param.what); });

}  // namespace
