// The Windows half of the simple timers: the shared hidden window whose WM_TIMER messages are
// the timers' expiries.
#pragma once
#include <windows.h>

#include "components/timer/SimpleTimer.h"
#include "toolkit/win/HiddenWindow.h"

class TSimpleTimerHandlerWin : public TSimpleTimerHandler {
 public:
  TSimpleTimerHandlerWin();

  // Made with the first armed timer (or when asked for here).
  HWND HiddenWindow() { return window_.Handle(); }
  // WM_TIMER: wParam names a simple timer; any other message gets the default handling.
  void MessageProcedure(TMessage& m);

 protected:
  bool SetPlatformTimer(uintptr_t timerId, uint32_t periodMs) override;
  bool KillPlatformTimer(uintptr_t timerId) override;

 private:
  THiddenWindow window_;
};

// Simple timers made from now on tick through the shared hidden window. A program calls it at
// start-up, before its first simple timer.
void UseWindowTimers();

// The shared hidden window, or nullptr while no simple timer exists (tests deliver expiries
// with SendMessageW(SimpleTimerWindow(), WM_TIMER, timer.TimerId(), 0)).
HWND SimpleTimerWindow();
