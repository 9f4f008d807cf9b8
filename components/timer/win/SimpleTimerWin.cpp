#include "components/timer/win/SimpleTimerWin.h"

#include "toolkit/Exception.h"

void UseWindowTimers() {
  SetTimerHandlerFactory([]() -> std::unique_ptr<TSimpleTimerHandler> {
    return std::make_unique<TSimpleTimerHandlerWin>();
  });
}

TSimpleTimerHandlerWin::TSimpleTimerHandlerWin() : window_([this](TMessage& m) { MessageProcedure(m); }) {}

void TSimpleTimerHandlerWin::MessageProcedure(TMessage& m) {
  if (m.Msg == WM_TIMER) {
    // May destroy the last timer and with it this handler: nothing here after the call.
    TimerExpired(m.WParam);
    return;
  }
  m.Result = DefWindowProcW(window_.Handle(), m.Msg, m.WParam, m.LParam);
}

bool TSimpleTimerHandlerWin::SetPlatformTimer(uintptr_t timerId, uint32_t periodMs) {
  HWND window = nullptr;
  try {
    window = window_.Handle();
  } catch (const Exception&) {
    return false;  // no window to tick through: the platform refuses the timer
  }
  return SetTimer(window, timerId, periodMs, nullptr) != 0;
}

bool TSimpleTimerHandlerWin::KillPlatformTimer(uintptr_t timerId) {
  // No window yet: no timer was ever armed.
  return window_.HandleAllocated() && KillTimer(window_.Handle(), timerId) != 0;
}

HWND SimpleTimerWindow() {
  auto* handler = static_cast<TSimpleTimerHandlerWin*>(SharedTimerHandler());
  return handler ? handler->HiddenWindow() : nullptr;
}
