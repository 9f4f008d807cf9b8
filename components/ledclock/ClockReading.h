// What the digital clock shows at a given time of day, and when it must look again.
#pragma once
#include <array>
#include <cstdint>

#include "components/ledclock/LedSegments.h"

constexpr int ClockCellCount = 7;
constexpr int64_t MSecsPerDay = 86'400'000;

struct TClockReading {
  // Chars[i] is for cell i + 1: hours tens (blank below 10 hours), hours units, colon or blank,
  // minutes tens and units, seconds tens and units.
  std::array<TChar, ClockCellCount> Chars{};
  // Cells to write, counted from cell 1: all 7 while the seconds are shown, otherwise 5, so the
  // hidden seconds cells keep what they had.
  int CellsToWrite = 0;
  // Milliseconds until the next tick: 1 ms past the next half-second boundary, 2..501, except
  // when this reading is at most ClockTickSlack ms past a boundary: then 500, so a timer that
  // already ticks in step is not set again because of how late each tick was delivered.
  int Interval = 1;
};

constexpr int ClockTickSlack = 20;

// The reading at msSinceMidnight (local time), in whole milliseconds: exact at every instant,
// boundaries included. A time outside one day is held to its first or last millisecond.
TClockReading ReadClock(int64_t msSinceMidnight, bool showSeconds);
