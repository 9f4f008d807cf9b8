// Starts the subjects of the floor benchmark on this Wine desktop, tells when each is shown and
// ends them after a while (no clean exit: the program saves nothing, so every start is alike).
//   subject_driver.exe start <hold ms> "<command line>"
//       one start; prints "shown <ms from CreateProcess to shown>", keeps the subject <hold ms>
//   subject_driver.exe idle <hold ms> "<command line>" ["<command line>" ...]
//       starts them all, waits until each is shown, prints "idle", keeps them <hold ms>
//   subject_driver.exe keep
//       holds a hidden window until killed: Wine ends a desktop (and its shell) soon after its
//       last window goes, and a subject starting then would pay for a new one
// "Shown" means: a visible top-level window of the subject's process, at least 50 x 50, whose
// client area on the screen (6 pixels in from its edges, for rounded corners) holds both the
// tooltip background colour and dark pixels (text or digits). The screen is read back, so what
// counts is what a person would see, not what the program believes it has drawn.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "../win/BenchTiming.h"

namespace {

double NowMs() { return NowUs() / 1000.0; }

struct Search {
  DWORD pid;
  HWND found;
};

HWND ShownWindowOf(DWORD pid) {
  Search s{pid, nullptr};
  EnumWindows(
      [](HWND w, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<Search*>(l);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        RECT r;
        if (owner != s->pid || !IsWindowVisible(w) || !GetWindowRect(w, &r)) return TRUE;
        if (r.right - r.left < 50 || r.bottom - r.top < 50) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

struct ScreenArea {
  bool background = false;  // holds the tooltip colour
  int dark = 0;             // pixels of text or digits
};

// The area is read in one BitBlt: a pixel at a time would cost a round trip each.
ScreenArea ReadScreen(const RECT& area) {
  ScreenArea seen;
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return seen;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const COLORREF bk = GetSysColor(COLOR_INFOBK);
  const uint32_t bkPixel = (GetRValue(bk) << 16) | (GetGValue(bk) << 8) | GetBValue(bk);
  const auto* px = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i) {
    const uint32_t p = px[i] & 0xFFFFFF;
    seen.background = seen.background || p == bkPixel;
    if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 200) ++seen.dark;
  }
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return seen;
}

// The client area on the screen, 6 pixels in from its edges.
RECT InnerScreenRect(HWND w) {
  RECT client;
  GetClientRect(w, &client);
  POINT origin{6, 6};
  ClientToScreen(w, &origin);
  return {origin.x, origin.y, origin.x + client.right - 12, origin.y + client.bottom - 12};
}

bool PaintedOnScreen(HWND w) {
  const ScreenArea seen = ReadScreen(InnerScreenRect(w));
  return seen.background && seen.dark >= 10;
}

PROCESS_INFORMATION Launch(std::wstring line) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::fprintf(stderr, "cannot start %ls (error %lu)\n", line.c_str(), GetLastError());
    ExitProcess(2);
  }
  return pi;
}

// Milliseconds from t0 until the subject is shown; negative when it never was within 30 s.
double WaitShown(const PROCESS_INFORMATION& pi, double t0) {
  WaitForInputIdle(pi.hProcess, 30000);
  while (NowMs() - t0 < 30000) {
    if (HWND w = ShownWindowOf(pi.dwProcessId); w && PaintedOnScreen(w)) return NowMs() - t0;
    if (WaitForSingleObject(pi.hProcess, 2) == WAIT_OBJECT_0) break;
  }
  return -1;
}

// Ends the subject and waits (up to 5 s) until the desktop has painted over where it was: an
// unpainted window of the next start must not pass for shown by the pixels of this one.
void End(PROCESS_INFORMATION& pi) {
  const HWND w = ShownWindowOf(pi.dwProcessId);
  const RECT area = w ? InnerScreenRect(w) : RECT{};
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; w && i < 500 && ReadScreen(area).background; ++i) Sleep(10);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"keep") {
    CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
  }
  if (argc < 4) {
    std::fprintf(stderr, "usage: subject_driver.exe start|idle <hold ms> \"<command line>\"...\n");
    return 2;
  }
  const std::wstring mode = argv[1];
  const DWORD hold = static_cast<DWORD>(_wtoi(argv[2]));
  std::vector<PROCESS_INFORMATION> subjects;
  int failed = 0;
  for (int i = 3; i < argc; ++i) {
    const double t0 = NowMs();
    subjects.push_back(Launch(argv[i]));
    const double ms = WaitShown(subjects.back(), t0);
    if (ms < 0) ++failed;
    if (mode == L"start") std::printf("shown %.1f\n", ms);
    std::fflush(stdout);
  }
  if (mode == L"idle") std::printf(failed ? "not shown\n" : "idle\n");
  std::fflush(stdout);
  Sleep(hold);
  for (PROCESS_INFORMATION& pi : subjects) End(pi);
  return failed ? 1 : 0;
}
