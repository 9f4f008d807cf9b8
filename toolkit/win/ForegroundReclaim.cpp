#include "toolkit/win/ForegroundReclaim.h"

namespace {
constexpr UINT_PTR kForegroundWatch = 0x5A17;
constexpr UINT kForegroundWatchMs = 100;
constexpr int kForegroundWatchTicks = 30;

bool IsDockedIconStandIn(HWND hwnd) {
  wchar_t name[40] = L"";
  if (!hwnd || !GetClassNameW(hwnd, name, 40)) return false;
  // The icon's window, and the one that stands for the notification area's own X window.
  return lstrcmpW(name, L"__winex11_tray_icon") == 0 || lstrcmpW(name, L"__wine_x11_foreign_window") == 0;
}
}  // namespace

void TForegroundReclaim::Watch(HWND form) {
  ticks_left_ = kForegroundWatchTicks;
  SetTimer(form, kForegroundWatch, kForegroundWatchMs, nullptr);
}

bool TForegroundReclaim::Tick(HWND form, WPARAM timer, bool wanted) {
  if (timer != kForegroundWatch) return false;
  if (--ticks_left_ <= 0 || !wanted) {
    KillTimer(form, kForegroundWatch);
  } else if (IsDockedIconStandIn(GetForegroundWindow()) && IsWindowEnabled(form)) {
    KillTimer(form, kForegroundWatch);
    SetForegroundWindow(form);
  }
  return true;
}
