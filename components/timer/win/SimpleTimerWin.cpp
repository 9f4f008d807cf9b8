#include "components/timer/win/SimpleTimerWin.h"

std::unique_ptr<TSimpleTimerHandler> CreateTimerHandler() { return std::make_unique<TSimpleTimerHandlerWin>(); }

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
  return SetTimer(window_.Handle(), timerId, periodMs, nullptr) != 0;
}

bool TSimpleTimerHandlerWin::KillPlatformTimer(uintptr_t timerId) {
  return KillTimer(window_.Handle(), timerId) != 0;
}

HWND SimpleTimerWindow() {
  auto* handler = static_cast<TSimpleTimerHandlerWin*>(SharedTimerHandler());
  return handler ? handler->HiddenWindow() : nullptr;
}
