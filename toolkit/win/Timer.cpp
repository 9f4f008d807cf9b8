#include "toolkit/win/Timer.h"

#include <map>

#include "toolkit/win/HiddenWindow.h"

namespace {
std::map<UINT_PTR, TTimer*> live_timers;  // a WM_TIMER for a timer that is gone reaches nothing
UINT_PTR next_id = 1;
}  // namespace

// The window every timer's WM_TIMER goes to; its procedure reaches the timers through the
// class, so it is a friend of theirs.
class TTimerWindow {
 public:
  HWND Handle() { return window_.Handle(); }

 private:
  void Message(TMessage& m) {
    if (m.Msg != WM_TIMER) {
      m.Result = DefWindowProcW(window_.Handle(), m.Msg, m.WParam, m.LParam);
      return;
    }
    auto it = live_timers.find(m.WParam);
    if (it != live_timers.end()) it->second->Timer();
  }
  THiddenWindow window_{[this](TMessage& m) { Message(m); }, THiddenWindow::TKind::MessageOnly};
};

HWND TTimer::WindowHandle() {
  // Made with the first timer and kept for the process: a tick may still be queued for it.
  static TTimerWindow* const window = new TTimerWindow;
  return window->Handle();
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), id_(next_id++) {
  WindowHandle();  // throws when the window cannot be made, before this timer is listed
  live_timers[id_] = this;
  Update();  // a new timer is enabled
}

TTimer::~TTimer() {
  if (armed_) KillTimer(WindowHandle(), id_);
  live_timers.erase(id_);
}

void TTimer::Update() {
  if (enabled_ && interval_ > 0) {
    // SetTimer on a live identifier replaces the countdown: no KillTimer first (half a tick's cost).
    armed_ = SetTimer(WindowHandle(), id_, interval_, nullptr) != 0;
  } else if (armed_) {
    KillTimer(WindowHandle(), id_);
    armed_ = false;
  }
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Update();
}

void TTimer::Timer() {
  if (enabled_ && OnTimer) OnTimer(this);
}
