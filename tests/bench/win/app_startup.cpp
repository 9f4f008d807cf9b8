// Start-up and idle cost of Zettly.exe against a minimal window program of ours (this harness
// started with --floor), both started the same way under the same Wine in one run.
//   bench_app_startup.exe <path to Zettly.exe> [runs] [idle seconds]
// For the idle cost run it through app_startup_idle.sh, which samples /proc.
// Needs a screen (the note text is read back from it). Writes HKCU settings and a scratch
// program folder under %TEMP%; the HKCU values it changes are the program's own.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/win/SingleInstance.h"

namespace {

constexpr wchar_t kFloorClass[] = L"ZettlyStartupFloor";

// The floor: one visible window that paints text, then the message loop.
int RunFloor() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      TextOutW(dc, 40, 60, L"floor", 5);
      EndPaint(h, &ps);
      return 0;
    }
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, m, w, l);
  };
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kFloorClass;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  RegisterClassW(&wc);
  CreateWindowExW(0, kFloorClass, L"floor", WS_POPUP | WS_VISIBLE | WS_BORDER, 15, 15, 245, 175, nullptr, nullptr,
                  wc.hInstance, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp) + name + L"\\";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

void WriteFile(const std::wstring& path, const std::string& text) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  CloseHandle(h);
}

void SetCycling(bool on) {
  DWORD v = on ? 1 : 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quorvel\\Pinnote\\Setup", L"On", REG_DWORD, &v, sizeof v);
}

PROCESS_INFORMATION Launch(const std::wstring& exe, const std::wstring& args, const std::wstring& dir) {
  std::wstring line = L"\"" + exe + L"\"" + args;
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
    std::fprintf(stderr, "cannot start %ls (%lu)\n", exe.c_str(), GetLastError());
    ExitProcess(2);
  }
  return pi;
}

void Stop(PROCESS_INFORMATION& pi) {
  TerminateProcess(pi.hProcess, 0);  // no save: every run starts from the same file and settings
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

// True once the screen shows dark pixels (text) in the window's client rectangle. The area is
// copied in one go: a pixel at a time would cost a round trip to the display each.
bool TextOnScreen(HWND w, const RECT& area) {
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  const int width = area.right - area.left, height = area.bottom - area.top;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, width, height, screen, origin.x + area.left, origin.y + area.top, SRCCOPY);
  GdiFlush();
  bool found = false;
  const auto* px = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < width * height && !found; ++i)
    found = ((px[i] >> 16) & 0xFF) + ((px[i] >> 8) & 0xFF) + (px[i] & 0xFF) < 200;
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return found;
}

struct Startup {
  double idle = 0;  // process start to its first idle with the window shown and painted
  double text = 0;  // process start to the text on the screen
};

template <typename Find>
Startup MeasureStart(const std::wstring& exe, const std::wstring& args, const std::wstring& dir, Find find,
                     const RECT& textArea) {
  Startup s;
  const double t0 = Now();
  PROCESS_INFORMATION pi = Launch(exe, args, dir);
  WaitForInputIdle(pi.hProcess, 30000);
  HWND w = nullptr;
  while (!(w = find()) || !IsWindowVisible(w)) Sleep(1);
  s.idle = Now() - t0;
  while (!TextOnScreen(w, textArea)) Sleep(1);
  s.text = Now() - t0;
  Stop(pi);
  return s;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc > 1 && std::wstring(argv[1]) == L"--floor") return RunFloor();
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_app_startup.exe <Zettly.exe> [runs] [idle seconds]\n");
    return 2;
  }
  const int runs = argc > 2 ? _wtoi(argv[2]) : 10;
  const int idleSeconds = argc > 3 ? _wtoi(argv[3]) : 60;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);

  // A program folder with ten notes, as a user's.
  const std::wstring folder = TempFolder(L"zettly-bench-startup");
  const std::wstring exe = folder + L"Zettly.exe";
  CopyFileW(argv[1], exe.c_str(), FALSE);
  std::string notes = "[General]\r\nN=10\r\n";
  for (int k = 1; k <= 10; ++k)
    notes += "[Note" + std::to_string(k) + "]\r\nContent=Note number " + std::to_string(k) +
             " with a line of text\r\nAttach=\r\nExposure=3000\r\n";
  WriteFile(folder + L"notices.msg", notes);

  const RECT noteText{8, 30, 234, 130};  // the note label, inside the panel's border
  const RECT floorText{40, 60, 80, 80};
  auto findNote = [] { return FindNoteWindow(GetCurrentProcessId()); };
  auto findFloor = [] { return FindWindowW(kFloorClass, nullptr); };

  SetCycling(false);
  std::vector<double> floorIdle, floorText_, noteIdle, noteText_;
  for (int i = 0; i < runs; ++i) {  // interleaved, so both see the same machine
    const Startup f = MeasureStart(self, L" --floor", folder, findFloor, floorText);
    const Startup n = MeasureStart(exe, L"", folder, findNote, noteText);
    floorIdle.push_back(f.idle);
    floorText_.push_back(f.text);
    noteIdle.push_back(n.idle);
    noteText_.push_back(n.text);
  }
  std::printf("start-up, median of %d runs (ms)\n", runs);
  std::printf("  floor:  painted window %.1f, text on screen %.1f\n", Median(floorIdle), Median(floorText_));
  std::printf("  Zettly: painted window %.1f, note 1 on screen (cycling off) %.1f\n", Median(noteIdle),
              Median(noteText_));
  std::printf("  ratio:  painted window %.2f, text on screen %.2f\n", Median(noteIdle) / Median(floorIdle),
              Median(noteText_) / Median(floorText_));

  if (idleSeconds > 0) {
    SetCycling(true);
    PROCESS_INFORMATION floor = Launch(self, L" --floor", folder);
    PROCESS_INFORMATION note = Launch(exe, L"", folder);
    WaitForInputIdle(floor.hProcess, 30000);
    WaitForInputIdle(note.hProcess, 30000);
    Sleep(2000);  // let start-up work finish before counting
    // Wine reports no CPU times for other processes: app_startup_idle.sh reads the two
    // processes' CPU time and context switches from /proc meanwhile.
    std::printf("idle: both running for %d s\n", idleSeconds);
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    Stop(floor);
    Stop(note);
  }
  DeleteFileW((folder + L"notices.msg").c_str());
  DeleteFileW(exe.c_str());
  RemoveDirectoryW(folder.c_str());
  return 0;
}
