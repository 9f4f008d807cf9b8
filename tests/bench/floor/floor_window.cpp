// The floor the program is measured against: the least a Win32 program can do to put a small
// window in the tooltip colour on the screen with a line of text in it. Built with
// -DREPAINT_MS=500 it also repaints the time of day on a 500 ms timer, as a clock would.
#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK FloorProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      SYSTEMTIME t;
      GetLocalTime(&t);
      wchar_t text[32];
      const int n = swprintf(text, 32, L"floor %02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
      SetBkMode(dc, TRANSPARENT);
      TextOutW(dc, 40, 60, text, n);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_TIMER:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

// What follows the program's own name (quoted or not) on its command line; no shell32 for this,
// so the floor loads nothing the program would not.
const wchar_t* ArgumentsOf(const wchar_t* line) {
  const wchar_t end = *line == L'"' ? L'"' : L' ';
  if (*line == L'"') ++line;
  while (*line && *line != end) ++line;
  return *line ? line + 1 : line;
}

}  // namespace

// floor_window.exe [left top]
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int left = 15, top = 15;
  swscanf(ArgumentsOf(GetCommandLineW()), L"%d %d", &left, &top);
  WNDCLASSW wc{};
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"ZettlyFloor";
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"floor", WS_POPUP | WS_BORDER, left, top, 245, 175,
                           nullptr, nullptr, instance, nullptr);
  ShowWindow(w, SW_SHOW);
#ifdef REPAINT_MS
  SetTimer(w, 1, REPAINT_MS, nullptr);
#endif
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
