// What the clock repaints: writing a value a cell or the clock already holds repaints nothing,
// and over a minute of ticks only the cells whose character changed are invalidated, once each
// time they change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/LedClockTestClock.h"
#include "tests/win/support/InvalidationSpy.h"
#include "toolkit/win/Handles.h"

namespace {

// Every repaint request while alive, each as its area's rectangles.
struct InvalidationLog {
  std::vector<std::vector<TRect>> requests;
  const InvalidationSpy spy{[this](HWND, const std::vector<TRect>& area) { requests.push_back(area); }};
};

UniqueRegion RegionOf(const TRect& r) { return UniqueRegion(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom)); }

// Counts the clock's cells a request repaints whole; true when it repaints anything besides.
bool CountCells(const TDigitClock& clock, const std::vector<TRect>& area, std::array<int, 7>& repaints) {
  UniqueRegion rest(CreateRectRgn(0, 0, 0, 0));
  for (const TRect& r : area) CombineRgn(rest.Get(), rest.Get(), RegionOf(r).Get(), RGN_OR);
  for (int n = 1; n <= 7; ++n) {
    const UniqueRegion cell = RegionOf(clock.Cells(n)->BoundsRect());
    const UniqueRegion outside(CreateRectRgn(0, 0, 0, 0));
    if (CombineRgn(outside.Get(), cell.Get(), rest.Get(), RGN_DIFF) != NULLREGION) continue;
    ++repaints[static_cast<size_t>(n - 1)];
    CombineRgn(rest.Get(), rest.Get(), cell.Get(), RGN_DIFF);
  }
  return !RegionRects(rest.Get()).empty();
}

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
  EXPECT_TRUE(log.requests.empty()) << log.requests.size();

  clock.Cells(5)->SetCharColor(clRed);  // a real change repaints that cell alone
  ASSERT_EQ(log.requests.size(), 1u);
  EXPECT_EQ(log.requests[0], std::vector<TRect>{(TRect{55, 4, 65, 21})});
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
    const size_t before = log.requests.size();
    t.TickAt(now);
    const unsigned interval = clock.TickTimer()->Interval();
    ASSERT_GE(interval, 1u);
    ASSERT_LE(interval, 501u);
    if (log.requests.size() == before) {
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
  for (const auto& area : log.requests)
    if (CountCells(clock, area, repaints)) ++others;
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
