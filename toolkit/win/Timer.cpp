#include "toolkit/win/Timer.h"

#include <map>

#include "toolkit/win/Application.h"

namespace {
constexpr wchar_t kTimerClass[] = L"ZettlyTimers";
std::map<UINT_PTR, TTimer*> live_timers;  // a WM_TIMER for a timer that is gone reaches nothing
UINT_PTR next_id = 1;
HWND timer_window = nullptr;
}  // namespace

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    auto it = live_timers.find(wp);
    if (it != live_timers.end()) {
      try {
        it->second->Timer();
      } catch (const std::exception& e) {
        if (Application) Application->HandleException(e);
      }
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND TTimer::WindowHandle() {
  if (!timer_window) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = TimerWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTimerClass;
    RegisterClassExW(&wc);
    timer_window = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  return timer_window;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), id_(next_id++) {
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
