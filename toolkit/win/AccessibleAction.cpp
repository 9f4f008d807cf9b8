// The default action of a windowless control: run from the message loop, never inside the
// client's call, and only if the control is still there.
#include "toolkit/win/Accessible.h"

#include <algorithm>
#include <exception>
#include <map>

#include "toolkit/win/Application.h"
#include "toolkit/win/WindowObject.h"

TWinControl* LiveControl(HWND hwnd, TWinControl* control) {
  return IsWindow(hwnd) && ObjectOf<TWinControl>(hwnd) == control ? control : nullptr;
}

namespace {
struct PendingClick {
  HWND hwnd;
  TWinControl* window;  // not owned, as the control: both checked before use
  TControl* target;
};

constexpr UINT kRunClick = WM_APP + 1;

std::map<WPARAM, PendingClick>& PendingClicks() {
  static auto* pending = new std::map<WPARAM, PendingClick>;
  return *pending;
}

void RunPendingClick(WPARAM id) {
  const auto found = PendingClicks().find(id);
  if (found == PendingClicks().end()) return;
  const PendingClick click = found->second;
  PendingClicks().erase(found);
  // Still there, and still one of the window's controls: the pointer may be followed.
  TWinControl* live = LiveControl(click.hwnd, click.window);
  if (!live) return;
  const std::vector<TControl*> controls = AccessibleControls(*live);
  if (std::find(controls.begin(), controls.end(), click.target) == controls.end()) return;
  try {
    click.target->PerformClick();
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  }
}

LRESULT CALLBACK ActionWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != kRunClick) return DefWindowProcW(hwnd, msg, wp, lp);
  RunPendingClick(wp);
  return 0;
}

// A message-only window that takes the clicks to the message loop; it lives for the run.
HWND ActionWindow() {
  static const HWND window = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ActionWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZettlyAccessibleActions";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }();
  return window;
}

}  // namespace

bool PostAccessibleClick(HWND hwnd, TWinControl& window, TControl& target) {
  static WPARAM last_id = 0;
  const WPARAM id = ++last_id;
  if (!ActionWindow() || !PostMessageW(ActionWindow(), kRunClick, id, 0)) return false;
  PendingClicks()[id] = {hwnd, &window, &target};
  return true;
}
