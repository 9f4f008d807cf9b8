#include "toolkit/win/ForegroundReclaim.h"

#include "toolkit/win/Forms.h"

namespace {
constexpr UINT_PTR kForegroundWatch = 0x5A17;
constexpr UINT kForegroundWatchMs = 100;
constexpr int kForegroundWatchTicks = 30;

// No window has the foreground, a stand-in has it, or a window of ours that a dialog holds
// disabled: either way the window manager's keyboard focus is still on a window of ours and the
// keys reach nobody.
bool Unclaimed(HWND foreground) {
  wchar_t name[40] = L"";
  DWORD process = 0;
  if (!foreground) return true;
  GetWindowThreadProcessId(foreground, &process);
  if (process == GetCurrentProcessId() && !IsWindowEnabled(foreground)) return true;
  if (!GetClassNameW(foreground, name, 40)) return false;
  // The icon's window, and the one that stands for the notification area's own X window.
  return lstrcmpW(name, L"__winex11_tray_icon") == 0 || lstrcmpW(name, L"__wine_x11_foreign_window") == 0;
}

// Gives the foreground to the window of ours that takes the keys: the form, or the dialog that
// holds it disabled (a modal window of ours must not be left active without the keyboard).
bool HandBack(HWND form) {
  const HWND target = IsWindowEnabled(form) ? form : ShownDialog();
  return target && IsWindowVisible(target) && SetForegroundWindow(target);
}

// The foreground has settled on a real window: another program's (the user's choice, for us to
// leave be) or another of ours, which watches for itself.
bool Settled(HWND foreground, HWND form) {
  return !Unclaimed(foreground) && foreground != GetDesktopWindow() && foreground != form;
}
}  // namespace

void TForegroundReclaim::Deactivated(HWND form) {
  if (Settled(GetForegroundWindow(), form)) return;
  ticks_left_[form] = kForegroundWatchTicks;
  SetTimer(form, kForegroundWatch, kForegroundWatchMs, nullptr);
  // The first look comes as soon as this change is over (not from inside it: the stand-in's own
  // activation is still under way), ahead of the keys that follow; every key meanwhile is lost.
  PostMessageW(form, WM_TIMER, kForegroundWatch, 0);
}

void TForegroundReclaim::Activated(HWND form) {
  if (Unclaimed(GetForegroundWindow())) SetForegroundWindow(form);
}

bool TForegroundReclaim::Tick(HWND form, WPARAM timer, bool wanted) {
  if (timer != kForegroundWatch) return false;
  const HWND foreground = GetForegroundWindow();
  if (--ticks_left_[form] <= 0 || !wanted || Settled(foreground, form) || (Unclaimed(foreground) && HandBack(form))) {
    KillTimer(form, kForegroundWatch);
    ticks_left_.erase(form);
  }
  return true;
}
