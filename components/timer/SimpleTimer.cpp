#include "components/timer/SimpleTimer.h"

#include <unordered_map>
#include <utility>

#include "toolkit/Exception.h"

namespace {
TSimpleTimerHandler* shared_handler = nullptr;  // owned; a plain pointer so it outlives statics
TTimerHandlerFactory handler_factory = nullptr;

// Live timers by identifier: an expiry finds its timer here or nowhere. Never destroyed, so a
// timer that outlives static destruction can still take itself out.
std::unordered_map<uintptr_t, TSimpleTimer*>& LiveTimers() {
  static auto* live = new std::unordered_map<uintptr_t, TSimpleTimer*>;
  return *live;
}

uintptr_t next_timer_id = 1;

// Unit shutdown: a handler still present at program end goes with it.
struct HandlerShutdown {
  ~HandlerShutdown() {
    delete shared_handler;
    shared_handler = nullptr;
  }
} handler_shutdown;
}  // namespace

TSimpleTimerHandler* SharedTimerHandler() { return shared_handler; }

void SetTimerHandlerFactory(TTimerHandlerFactory factory) { handler_factory = factory; }

void AcquireTimerHandler() {
  if (!shared_handler) {
    if (!handler_factory) throw Exception("Simple timers have no platform handler");
    shared_handler = handler_factory().release();
  }
  ++shared_handler->timer_count_;
}

void ReleaseTimerHandler() {
  if (!shared_handler) return;
  if (shared_handler->timer_count_ > 0) --shared_handler->timer_count_;
  if (shared_handler->timer_count_ == 0) {
    delete std::exchange(shared_handler, nullptr);
  }
}

void TSimpleTimerHandler::TimerExpired(uintptr_t timerId) {
  const auto it = LiveTimers().find(timerId);
  if (it == LiveTimers().end()) return;
  TSimpleTimer* timer = it->second;
  // A copy: the notification may destroy the timer, and with it the stored one.
  if (TNotifyEvent notify = timer->OnElapsed()) notify(timer);
}

TSimpleTimer::TSimpleTimer() : TSimpleTimer(1000, nullptr) {}

TSimpleTimer::TSimpleTimer(uint32_t periodMs, TNotifyEvent onElapsed)
    : timer_id_(next_timer_id++), period_(periodMs) {
  SetOnElapsed(std::move(onElapsed));
  AcquireTimerHandler();
  LiveTimers()[timer_id_] = this;
}

TSimpleTimer::~TSimpleTimer() {
  LiveTimers().erase(timer_id_);
  if (running_) Disarm(true);
  ReleaseTimerHandler();
}

bool TSimpleTimer::Arm() {
  if (period_ == 0) return false;
  if (running_) Disarm(true);
  if (!shared_handler || !shared_handler->SetPlatformTimer(timer_id_, period_)) return false;
  running_ = true;
  return true;
}

bool TSimpleTimer::Disarm(bool clearRunning) {
  if (clearRunning) running_ = false;
  return shared_handler && shared_handler->KillPlatformTimer(timer_id_);
}

void TSimpleTimer::SetRunning(bool running) {
  if (running) Arm();
  else Disarm(true);
}

void TSimpleTimer::SetPeriod(uint32_t periodMs) {
  if (periodMs == period_) return;
  period_ = periodMs;
  if (!running_) return;
  if (period_ != 0) Arm();
  else Disarm(false);
}

void TSimpleTimer::SetOnElapsed(TNotifyEvent onElapsed) {
  on_elapsed_ = std::move(onElapsed);
  if (!on_elapsed_ && running_) Disarm(false);
}
