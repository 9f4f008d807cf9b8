// The clock's digits and tick interval from the time of day.
#include <gtest/gtest.h>

#include <array>

#include "components/ledclock/ClockReading.h"

namespace {

constexpr TChar _ = chBlank, C = chColon;

int64_t At(int h, int m, int s, int ms) { return ((h * 60LL + m) * 60 + s) * 1000 + ms; }

// The half second the cells show, counted from midnight; -1 when the cells are not a valid time.
int64_t ShownHalfSecond(const TClockReading& r) {
  const auto& c = r.Chars;
  if (c[0] == 0) return -1;  // the hour has no leading zero
  const int hourTens = c[0] == chBlank ? 0 : c[0];
  if (c[2] != chColon && c[2] != chBlank) return -1;
  const int64_t h = hourTens * 10 + c[1], m = c[3] * 10 + c[4], s = c[5] * 10 + c[6];
  return ((h * 60 + m) * 60 + s) * 2 + (c[2] == chColon ? 0 : 1);
}

TEST(ClockReadingTest, ExampleTimes) {
  struct Row {
    int64_t ms;
    std::array<TChar, 7> chars;
    int interval, orOneLess;
  };
  const Row rows[] = {
      {At(9, 5, 7, 250), {_, 9, C, 0, 5, 0, 7}, 251, 250},
      {At(23, 59, 59, 750), {2, 3, _, 5, 9, 5, 9}, 251, 250},
      {At(0, 0, 0, 100), {_, 0, C, 0, 0, 0, 0}, 401, 400},
      {At(9, 5, 7, 499), {_, 9, C, 0, 5, 0, 7}, 2, 1},
      {At(10, 0, 0, 600), {1, 0, _, 0, 0, 0, 0}, 401, 400},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.ms);
    const TClockReading got = ReadClock(r.ms, true);
    EXPECT_EQ(got.Chars, r.chars);
    EXPECT_EQ(got.CellsToWrite, 7);
    EXPECT_TRUE(got.Interval == r.interval || got.Interval == r.orOneLess) << got.Interval;
  }
}

TEST(ClockReadingTest, HiddenSecondsAreLeftAloneAndTheRestIsUnchanged) {
  const TClockReading shown = ReadClock(At(23, 59, 59, 750), true);
  const TClockReading hidden = ReadClock(At(23, 59, 59, 750), false);
  EXPECT_EQ(hidden.CellsToWrite, 5);
  for (int i = 0; i < hidden.CellsToWrite; ++i) EXPECT_EQ(hidden.Chars[i], shown.Chars[i]);
  EXPECT_EQ(hidden.Interval, shown.Interval);
}

TEST(ClockReadingTest, TimeOutsideTheDayIsHeldToItInsteadOfShowingHour24) {
  EXPECT_EQ(ReadClock(MSecsPerDay, true).Chars, ReadClock(MSecsPerDay - 1, true).Chars);
  EXPECT_EQ(ReadClock(MSecsPerDay + 5000, true).Chars, (std::array<TChar, 7>{2, 3, _, 5, 9, 5, 9}));
  EXPECT_EQ(ReadClock(-1, true).Chars, (std::array<TChar, 7>{_, 0, C, 0, 0, 0, 0}));
}

// One instant of the day against the exact time, in integers.
void CheckInstant(int64_t ms) {
  const TClockReading r = ReadClock(ms, true);
  ASSERT_GE(r.Interval, 1) << ms;
  ASSERT_LE(r.Interval, 501) << ms;
  const int64_t shown = ShownHalfSecond(r), truth = ms / 500;
  const int64_t left = 500 - ms % 500;  // whole ms to the next half-second boundary
  if (ms % 500 != 0) {
    ASSERT_EQ(shown, truth) << ms;
    ASSERT_EQ(r.Chars[2] == chColon, ms % 1000 < 500) << ms;
    ASSERT_TRUE(r.Interval == left + 1 || r.Interval == left) << ms << " " << r.Interval;
  } else {
    // Right on a boundary the fraction of the day may land a hair short of it: the cells then
    // still show the half second before, and the tick comes back 1 ms later.
    ASSERT_TRUE(shown == truth || (shown == truth - 1 && r.Interval == 1)) << ms;
  }
  // Whatever was read, the next tick lands in the half second after the one shown.
  ASSERT_EQ((ms + r.Interval) / 500, shown + 1) << ms;
}

TEST(ClockReadingTest, WholeDaySweep) {
  // 97 is prime to 500, so the steps visit every offset within the half second many times.
  for (int64_t ms = 0; ms < MSecsPerDay; ms += 97) CheckInstant(ms);
}

TEST(ClockReadingTest, EveryHalfSecondBoundaryAndItsNeighbours) {
  for (int64_t b = 0; b < MSecsPerDay; b += 500) {
    if (b > 0) CheckInstant(b - 1);
    CheckInstant(b);
    CheckInstant(b + 1);
  }
}

// Ticks at exactly the intervals asked for: no half second is ever skipped, and a reading that
// repeats the previous one is corrected by the very next tick.
TEST(ClockReadingTest, FollowingTheTicksShowsEveryHalfSecondInTurn) {
  for (int64_t start : {At(0, 0, 0, 0), At(9, 5, 7, 250), At(22, 59, 0, 123)}) {
    SCOPED_TRACE(start);
    int64_t t = start, last = ShownHalfSecond(ReadClock(t, true));
    bool repeated = false;
    int ticks = 0;
    while (t < start + 3'600'000 && t < MSecsPerDay) {
      const TClockReading r = ReadClock(t, true);
      const int64_t shown = ShownHalfSecond(r);
      ASSERT_TRUE(shown == last || shown == last + 1) << t;
      if (shown == last && ticks > 0) {
        ASSERT_FALSE(repeated) << t;
        ASSERT_EQ(r.Interval, 1) << t;
      }
      repeated = shown == last && ticks > 0;
      last = shown;
      t += r.Interval;
      ++ticks;
    }
    EXPECT_EQ(t / 500, last + 1);  // never behind the time
  }
}

}  // namespace
