// The clock's steady cost under Wine: one tick (delivered as the timer's message, with the time
// of day injected) against an empty timer message, and one paint of the whole clock against
// the paint of an empty panel of the same size and colour. Prints times and ratios. Run by hand
// under Wine; not a test.
#include <windows.h>

#include <cstdio>

#include "app/win/NoteClock.h"
#include "components/ledclock/win/DigitClock.h"
#include "tests/bench/win/BenchTiming.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/Forms.h"

namespace {

class InjectedTime : public TSystemServices {
 public:
  int64_t ms = 0;
  SYSTEMTIME LocalTime() override {
    const int64_t t = ms % MSecsPerDay;
    SYSTEMTIME s{};
    s.wHour = static_cast<WORD>(t / 3'600'000);
    s.wMinute = static_cast<WORD>(t / 60'000 % 60);
    s.wSecond = static_cast<WORD>(t / 1000 % 60);
    s.wMilliseconds = static_cast<WORD>(t % 1000);
    return s;
  }
};

}  // namespace

int main() {
  TApplication app;
  InjectedTime time;
  ScopedSystemServices scope(&time);

  // The note window's clock and a bare panel beside it, on a hidden borderless form.
  auto* form = new TForm(&app);
  form->SetBorderStyle(TBorderStyle::bsNone);
  form->SetBounds(0, 0, 200, 80);
  auto* clock = new TDigitClock(form);
  clock->SetParent(form);
  StyleAsNoteClock(*clock);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 40, 89, 25);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetCaption(" ");
  panel->SetColor(clInfoBk);
  form->FinishCreate();

  TTimer idle(nullptr);
  idle.OnTimer = [](TObject*) {};
  idle.SetEnabled(false);

  idle.SetEnabled(true);
  // Nothing here pumps messages, so the timers' own expiries never arrive: every tick below is
  // one delivered by hand.
  const HWND timers = TTimer::WindowHandle();
  const UINT_PTR clockId = clock->TickTimer()->Id(), idleId = idle.Id();

  Surface surface(89, 25);
  const TRect client = clock->ClientRect();

  // 20:08:08 lights the most segments; the clock's own paint then draws 35 shapes.
  time.ms = ((20 * 60 + 8) * 60 + 8) * 1000LL + 100;
  SendMessageW(timers, WM_TIMER, clockId, 0);

  const double emptyTimer = MedianUs([&] { SendMessageW(timers, WM_TIMER, idleId, 0); });
  time.ms = ((9 * 60 + 5) * 60 + 7) * 1000LL + 250;
  const double tick = MedianUs([&] {
    SendMessageW(timers, WM_TIMER, clockId, 0);
    time.ms += clock->TickTimer()->Interval();
  });
  const double unchangedTick = MedianUs([&] { SendMessageW(timers, WM_TIMER, clockId, 0); });
  // What a tick is made of: re-arming the timer with a new interval, and one cell changing.
  unsigned interval = 499;
  const double rearm = MedianUs([&] {
    interval ^= 499 ^ 500;
    idle.SetInterval(interval);
  });
  TChar shown = 0;
  const double cellChange = MedianUs([&] {
    shown ^= 1;
    clock->Cells(1)->SetChar(shown);
  });

  time.ms = ((20 * 60 + 8) * 60 + 8) * 1000LL + 100;
  SendMessageW(timers, WM_TIMER, clockId, 0);
  const double emptyPanel = MedianUs([&] { panel->PaintTo(surface.Dc(), client); });
  const double fullClock = MedianUs([&] { clock->PaintTo(surface.Dc(), client); });
  // The area a typical tick leaves to repaint: the colon and the seconds units, as one box.
  const TRect tickArea{clock->Cells(3)->Left(), clock->Cells(3)->Top(), clock->Cells(7)->BoundsRect().Right,
                       clock->Cells(3)->BoundsRect().Bottom};
  const double tickPaint = MedianUs([&] { clock->PaintTo(surface.Dc(), tickArea); });

  std::printf("LED clock, 89 x 25, under Wine (median of 9 runs of 2000 calls)\n");
  Row("empty timer message (baseline)", emptyTimer, "", emptyTimer);
  Row("clock tick, time moving on", tick, "of an empty timer message", emptyTimer);
  Row("clock tick, same time again (no cell changes)", unchangedTick, "of an empty timer message", emptyTimer);
  Row("  of which: re-arming a timer", rearm, "of an empty timer message", emptyTimer);
  Row("  of which: one cell changing (invalidation)", cellChange, "of an empty timer message", emptyTimer);
  Row("empty panel paint 89 x 25 (baseline)", emptyPanel, "", emptyPanel);
  Row("full clock paint at 20:08:08", fullClock, "of an empty panel paint", emptyPanel);
  Row("repaint of a tick's area (colon to seconds)", tickPaint, "of an empty panel paint", emptyPanel);
  std::printf("full clock paint %.2f us = %.4f%% of the half second between ticks\n", fullClock,
              fullClock / 5000.0);
  return 0;
}
