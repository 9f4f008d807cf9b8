// The clock's digits and tick interval from the time of day.
#include "components/ledclock/ClockReading.h"

#include <algorithm>
#include <cmath>

TClockReading ReadClock(int64_t msSinceMidnight, bool showSeconds) {
  const int64_t ms = std::clamp<int64_t>(msSinceMidnight, 0, MSecsPerDay - 1);
  TClockReading r;
  const double t = static_cast<double>(ms) / static_cast<double>(MSecsPerDay);

  double x = t * 24;
  const double h = std::trunc(x);
  x -= h;
  x *= 60;
  const double m = std::trunc(x);
  x -= m;
  x *= 60;
  const double s = std::trunc(x);
  x -= s;
  x *= 2;
  const double k = std::trunc(x);  // 0 in the first half of the second, 1 in the second
  x -= k;

  const int hi = static_cast<int>(h), mi = static_cast<int>(m), si = static_cast<int>(s);
  r.Chars[0] = hi < 10 ? chBlank : hi / 10;
  r.Chars[1] = hi % 10;
  r.Chars[2] = k == 0 ? chColon : chBlank;
  r.Chars[3] = mi / 10;
  r.Chars[4] = mi % 10;
  r.Chars[5] = showSeconds ? si / 10 : chBlank;
  r.Chars[6] = showSeconds ? si % 10 : chBlank;
  r.CellsToWrite = showSeconds ? ClockCellCount : ClockCellCount - 2;
  // The rest of this half second plus 1 ms, to land just past the boundary (or on it, when the
  // remainder comes out a hair above its exact value).
  r.Interval = static_cast<int>(std::trunc((1 - x) * 500)) + 1;
  return r;
}
