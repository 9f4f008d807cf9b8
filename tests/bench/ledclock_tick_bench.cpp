// Cost of the clock's steady work: one tick's reading, and the outlines of a whole clock
// (layout of the seven cells plus every lit segment of each).
#include <benchmark/benchmark.h>

#include "components/ledclock/ClockLayout.h"
#include "components/ledclock/ClockReading.h"
#include "components/ledclock/LedGeometry.h"

namespace {

constexpr int64_t kMorning = ((9 * 60 + 5) * 60 + 7) * 1000LL + 250;

void BM_ClockTick(benchmark::State& state) {
  int64_t now = kMorning;
  for (auto _ : state) {
    const TClockReading r = ReadClock(now, true);
    benchmark::DoNotOptimize(r);
    now = (now + r.Interval) % MSecsPerDay;
  }
}
BENCHMARK(BM_ClockTick);

// The note window's clock: 89 x 25, strokes 2, border 1, seconds shown; 20:08:08 lights the most
// segments a 24-hour clock can show with its colon.
void BM_FullClockGeometry(benchmark::State& state) {
  const int64_t now = ((20 * 60 + 8) * 60 + 8) * 1000LL + 100;
  for (auto _ : state) {
    const auto cells = ArrangeCells(89, 25, 4, true);
    const TClockReading r = ReadClock(now, true);
    int shapes = 0;
    for (int i = 0; i < ClockCellCount; ++i) {
      const bool half = i >= 5;
      const TLedMetrics m{cells[i].Width(), cells[i].Height(), half ? 1 : 2, half ? 1 : 2, 1};
      const TLedDrawing d = LedDrawing(m, CharToLeds(r.Chars[i]));
      benchmark::DoNotOptimize(d);
      shapes += d.ShapeCount;
    }
    benchmark::DoNotOptimize(shapes);
  }
}
BENCHMARK(BM_FullClockGeometry);

void BM_OneCellGeometry(benchmark::State& state) {
  const TLedMetrics m{10, 17, 2, 2, 1};
  const TLeds all = TLeds::FromBits(TLeds::kAllBits);
  for (auto _ : state) benchmark::DoNotOptimize(LedDrawing(m, all));
}
BENCHMARK(BM_OneCellGeometry);

}  // namespace
