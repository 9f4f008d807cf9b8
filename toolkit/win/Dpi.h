// The DPI of monitors and the window frames at a DPI. The per-monitor functions exist from
// Windows 8.1 and 10 on; elsewhere every answer is the system's one DPI.
#pragma once
#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The DPI of the monitor nearest to a screen point.
int MonitorDpiAt(POINT p);
// The DPI the system gives a window: its monitor's once it is there.
int WindowDpi(HWND window);
// What a frame of these styles adds to a client area at a DPI.
SIZE FrameExtraForDpi(DWORD style, DWORD exStyle, int dpi);
