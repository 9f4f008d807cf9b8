// The clock's digits and tick interval from the time of day.
#include "components/ledclock/ClockReading.h"

#include <algorithm>

TClockReading ReadClock(int64_t msSinceMidnight, bool showSeconds) {
  const int64_t ms = std::clamp<int64_t>(msSinceMidnight, 0, MSecsPerDay - 1);
  const int h = static_cast<int>(ms / 3'600'000);
  const int m = static_cast<int>(ms / 60'000 % 60);
  const int s = static_cast<int>(ms / 1000 % 60);
  const int intoHalf = static_cast<int>(ms % 500);
  TClockReading r;
  r.Chars[0] = h < 10 ? chBlank : h / 10;
  r.Chars[1] = h % 10;
  r.Chars[2] = ms % 1000 < 500 ? chColon : chBlank;  // lit in the first half of the second
  r.Chars[3] = m / 10;
  r.Chars[4] = m % 10;
  r.Chars[5] = showSeconds ? s / 10 : chBlank;
  r.Chars[6] = showSeconds ? s % 10 : chBlank;
  r.CellsToWrite = showSeconds ? ClockCellCount : ClockCellCount - 2;
  // 1 ms past the next boundary, so the tick never lands on it and reads the half second
  // before (a tick on the boundary would repaint nothing and come back 1 ms later). A tick that
  // came a little late keeps the period: every new interval sets the timer again, which costs a
  // trip to the window server, and delivery is a few ms late on most ticks.
  r.Interval = intoHalf <= ClockTickSlack ? 500 : 500 - intoHalf + 1;
  return r;
}
