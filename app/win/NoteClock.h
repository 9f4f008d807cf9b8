// The look of the note window's LED clock, shared with the tests and benchmarks of the clock so
// that they measure the clock the program shows.
#pragma once
#include "components/ledclock/win/DigitClock.h"

// 89 pixels wide (at 96 DPI), black two-pixel digits with a one-pixel outline, a silver border
// on the tooltip colour.
inline void StyleAsNoteClock(TDigitClock& clock) {
  clock.SetWidth(89);
  clock.SetCharColor(clBlack);
  clock.SetCharWidth(2);
  clock.SetCharBorderWidth(1);
  clock.SetCharHeight(2);
  clock.SetBorderColor(clSilver);
  clock.SetColor(clInfoBk);
}
