// A simple-timer handler on virtual time for host tests: records the platform timers armed
// and runs their expiries as the test advances the clock. Each test program that uses it
// names it as the handler once, from a static initialiser (see timer_state.cpp).
#pragma once
#include <cstdint>
#include <map>
#include <memory>

#include "components/timer/SimpleTimer.h"

class FakeTimerHandler : public TSimpleTimerHandler {
 public:
  struct Armed {
    uint32_t period;
    uint64_t due;
  };
  std::map<uintptr_t, Armed> armed;  // platform timers now armed, by identifier
  uint64_t now = 0;                   // virtual milliseconds
  bool refuse = false;                // SetPlatformTimer fails
  static inline int made = 0;         // handlers made so far (a fresh one per count from 0)

  FakeTimerHandler() { ++made; }
  static FakeTimerHandler* Current() { return static_cast<FakeTimerHandler*>(SharedTimerHandler()); }

  bool IsArmed(const TSimpleTimer& t) const { return armed.count(t.TimerId()) != 0; }
  uint32_t ArmedPeriod(const TSimpleTimer& t) const {
    const auto it = armed.find(t.TimerId());
    return it == armed.end() ? 0 : it->second.period;
  }

  // Moves the clock on, delivering every expiry that falls due, in time order. The handler
  // must outlive the call (keep a timer alive across it).
  void Advance(uint64_t ms) {
    const uint64_t end = now + ms;
    for (;;) {
      auto next = armed.end();
      for (auto it = armed.begin(); it != armed.end(); ++it)
        if (it->second.due <= end && (next == armed.end() || it->second.due < next->second.due)) next = it;
      if (next == armed.end()) break;
      now = next->second.due;
      next->second.due += next->second.period;
      TimerExpired(next->first);
    }
    now = end;
  }

 protected:
  bool SetPlatformTimer(uintptr_t id, uint32_t periodMs) override {
    if (refuse) return false;
    armed[id] = {periodMs, now + periodMs};
    return true;
  }
  bool KillPlatformTimer(uintptr_t id) override { return armed.erase(id) != 0; }
};

inline bool UseFakeTimerHandlers() {
  SetTimerHandlerFactory([]() -> std::unique_ptr<TSimpleTimerHandler> { return std::make_unique<FakeTimerHandler>(); });
  return true;
}
