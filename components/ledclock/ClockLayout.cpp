// Cell placement for the digital clock. Halving truncates toward zero.
#include "components/ledclock/ClockLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

int ToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max()));
}

}  // namespace

int RoundHalfEven(double v) {
  constexpr double lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  if (std::isnan(v)) return 0;
  double r = std::floor(v);
  const double rest = v - r;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(r, 2.0) != 0)) r += 1;
  return static_cast<int>(std::clamp(r, lo, hi));
}

std::array<TRect, ClockCellCount> ArrangeCells(int width, int height, int spaceWidth, bool showSeconds) {
  const int64_t spaces = showSeconds ? 8 : 6;
  const double digits = showSeconds ? 5.5 : 4.5;
  const int64_t sw = spaceWidth;
  const int64_t dw = RoundHalfEven(static_cast<double>(width - spaces * sw) / digits);
  const int64_t fullHeight = height - 2 * sw;

  std::array<TRect, ClockCellCount> cells{};
  int64_t left = sw;
  for (int i = 0; i < ClockCellCount; ++i) {
    const bool narrow = i == 2 || i >= 5;  // colon and seconds
    const int64_t w = narrow ? dw / 2 : dw;
    const int64_t h = i >= 5 ? fullHeight / 2 : fullHeight;
    cells[static_cast<size_t>(i)] = {ToInt(left), ToInt(sw), ToInt(left + w), ToInt(sw + h)};
    left += w + sw;
  }
  return cells;
}

int WidthAfterShowSeconds(int clientWidth, int cell1Width, int spaceWidth, bool showSeconds) {
  const int64_t change = static_cast<int64_t>(cell1Width) + 2 * static_cast<int64_t>(spaceWidth);
  return ToInt(showSeconds ? clientWidth + change : clientWidth - change);
}
