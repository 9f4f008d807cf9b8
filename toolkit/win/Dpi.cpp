// Per-monitor DPI through the functions that newer systems have, looked up once.
#include "toolkit/win/Dpi.h"

#include "toolkit/Scaling.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/SystemLibrary.h"

namespace {

int SystemDpi() {
  const WindowDC screen(nullptr);
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : kDesignDpi;
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int MonitorDpiAt(POINT p) {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpiForMonitor = SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && x)
    return static_cast<int>(x);
  return SystemDpi();
}

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (getDpiForWindow)
    if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
  RECT r{};
  GetWindowRect(window, &r);
  return MonitorDpiAt({r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2});
}

SIZE FrameExtraForDpi(DWORD style, DWORD exStyle, int dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = SystemFunction<AdjustFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  RECT r{0, 0, 100, 100};
  if (!adjust || !adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return {r.right - r.left - 100, r.bottom - r.top - 100};
}
