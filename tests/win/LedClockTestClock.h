// A clock set up as the note window has it, on a hidden form, with the time of day injected and
// ticks delivered by hand.
#pragma once
#include <array>
#include <cstdint>

#include "app/win/NoteClock.h"
#include "components/ledclock/win/DigitClock.h"
#include "tests/win/support/FakeSystem.h"
#include "toolkit/win/Forms.h"

constexpr int64_t At(int h, int m, int s, int ms) { return ((h * 60LL + m) * 60 + s) * 1000 + ms; }

class TestClock {
 public:
  TestClock() : form(nullptr) {
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetBounds(0, 0, 120, 40);
    clock = new TDigitClock(&form);
    clock->SetParent(&form);
    StyleAsNoteClock(*clock);
    form.FinishCreate();
    form.Handle();  // the windows, so invalidations reach the spy
  }

  // A time past midnight wraps into the next day.
  void SetTime(int64_t ms) {
    ms %= MSecsPerDay;
    sys.time.wHour = static_cast<WORD>(ms / 3'600'000);
    sys.time.wMinute = static_cast<WORD>(ms / 60'000 % 60);
    sys.time.wSecond = static_cast<WORD>(ms / 1000 % 60);
    sys.time.wMilliseconds = static_cast<WORD>(ms % 1000);
  }
  // One expiry of the clock's timer, as the message loop would deliver it.
  void Tick() { SendMessageW(TTimer::WindowHandle(), WM_TIMER, clock->TickTimer()->Id(), 0); }
  void TickAt(int64_t ms) {
    SetTime(ms);
    Tick();
  }
  std::array<TChar, 7> Shown() const {
    std::array<TChar, 7> chars{};
    for (int n = 1; n <= 7; ++n) chars[static_cast<size_t>(n - 1)] = clock->Cells(n)->Char();
    return chars;
  }

  WithFakeSystem sys;
  TForm form;
  TDigitClock* clock;  // owned by the form
};
