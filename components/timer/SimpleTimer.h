// Simple timers: lightweight timer objects whose expiries arrive through one shared handler
// (on Windows a hidden window). The state rules live here; the program's start-up, or a test,
// names the handler's maker with SetTimerHandlerFactory.
#pragma once
#include <cstdint>
#include <memory>

#include "toolkit/Types.h"

class TSimpleTimer;

// The one handler every simple timer arms its platform timer with. Counted by live timers:
// created with the first, destroyed with the last.
class TSimpleTimerHandler : public TObject {
 public:
  TSimpleTimerHandler() = default;
  TSimpleTimerHandler(const TSimpleTimerHandler&) = delete;
  TSimpleTimerHandler& operator=(const TSimpleTimerHandler&) = delete;

  uint32_t TimerCount() const { return timer_count_; }

  // One expiry of the platform timer `timerId`. It reaches the timer only while that timer
  // lives; one destroyed with the expiry still queued is not found.
  static void TimerExpired(uintptr_t timerId);

 protected:
  // Arms (or re-arms, restarting the countdown) a repeating platform timer. MUST return true
  // only when the timer is armed.
  virtual bool SetPlatformTimer(uintptr_t timerId, uint32_t periodMs) = 0;
  // Stops a platform timer; true when one was armed. MAY be called for a timer never armed.
  virtual bool KillPlatformTimer(uintptr_t timerId) = 0;

 private:
  friend class TSimpleTimer;
  friend void AcquireTimerHandler();
  friend void ReleaseTimerHandler();
  uint32_t timer_count_ = 0;
};

// Makes the shared handler when the first timer needs one. The program names the platform's
// (UseWindowTimers, components/timer/win) at start-up; a test names its fake.
using TTimerHandlerFactory = std::unique_ptr<TSimpleTimerHandler> (*)();
void SetTimerHandlerFactory(TTimerHandlerFactory factory);

// The shared handler, or nullptr while no simple timer exists.
TSimpleTimerHandler* SharedTimerHandler();
void AcquireTimerHandler();
void ReleaseTimerHandler();

// A timer with a period, a running flag and a notification. Stopped (not running), Armed
// (running, platform timer armed) or Suspended (running, platform timer not armed: after
// Period 0 or clearing OnElapsed); only arming again resumes a suspended timer.
class TSimpleTimer : public TObject {
 public:
  // Both throw when no handler factory has been named.
  TSimpleTimer();  // Period 1000, no notification
  TSimpleTimer(uint32_t periodMs, TNotifyEvent onElapsed);
  ~TSimpleTimer() override;
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;

  // Distinct for every timer of the run (not the address: a new timer at a freed address must
  // not catch expiries meant for the old one).
  uintptr_t TimerId() const { return timer_id_; }

  bool Running() const { return running_; }
  // True arms (restarting the countdown even when already running), false stops.
  void SetRunning(bool running);
  uint32_t Period() const { return period_; }
  void SetPeriod(uint32_t periodMs);
  const TNotifyEvent& OnElapsed() const { return on_elapsed_; }
  void SetOnElapsed(TNotifyEvent onElapsed);

  // False with Period 0 (nothing changes) or when the platform refuses (the timer is Stopped).
  bool Arm();
  // True when a platform timer was actually stopped.
  bool Disarm(bool clearRunning);

 private:
  uintptr_t timer_id_;
  bool running_ = false;
  uint32_t period_;
  TNotifyEvent on_elapsed_;
};
