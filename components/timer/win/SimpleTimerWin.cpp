#include "components/timer/win/SimpleTimerWin.h"

#include "toolkit/Exception.h"

namespace {
std::unique_ptr<TSimpleTimerHandler> MakeWindowsHandler() { return std::make_unique<TSimpleTimerHandlerWin>(); }
}  // namespace

// Names this half's handler before the program starts. Nothing calls into this file by name, so
// the module's build asks the linker to keep the symbol (see components/timer/CMakeLists.txt).
extern "C" {
bool zettly_windows_timer_handler = (SetTimerHandlerFactory(MakeWindowsHandler), true);
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
