#include "toolkit/win/System.h"

#include <commdlg.h>

#include <stdexcept>

#include "toolkit/win/SystemLibrary.h"

namespace {
TSystemServices real_services;
TSystemServices* current = &real_services;
}  // namespace

SYSTEMTIME TSystemServices::LocalTime() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t;
}

POINT TSystemServices::CursorPos() {
  POINT p{0, 0};
  GetCursorPos(&p);
  return p;
}

SHORT TSystemServices::AsyncKeyState(int virtualKey) { return GetAsyncKeyState(virtualKey); }

UINT TSystemServices::DoubleClickTime() { return GetDoubleClickTime(); }

// The shell library is loaded when first needed: the tray icon goes in after the window's first
// paint, and loading the shell (with what it pulls in) at start would hold that paint up.
HINSTANCE TSystemServices::ShellExecute(HWND owner, const std::wstring& operation, const std::wstring& file,
                                        const std::wstring& parameters, const std::wstring& directory,
                                        int show) {
  static const auto shellExecute = SystemFunction<decltype(&::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!shellExecute) return reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
  return shellExecute(owner, operation.empty() ? nullptr : operation.c_str(), file.c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(),
                      directory.empty() ? nullptr : directory.c_str(), show);
}

BOOL TSystemServices::NotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
  static const auto notifyIcon = SystemFunction<decltype(&::Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
  return notifyIcon ? notifyIcon(message, data) : FALSE;
}

bool TSystemServices::HighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

int TSystemServices::MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

namespace {
// The common dialogs are loaded when a file dialog first opens: most runs never open one, and
// loading them at start costs time and memory.
decltype(&::GetOpenFileNameW) OpenFileDialogFunction() {
  static const auto function = SystemFunction<decltype(&::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  return function;
}
}  // namespace

bool TSystemServices::GetOpenFileName(OPENFILENAMEW& request) {
  const auto function = OpenFileDialogFunction();
  // Not a cancel: the user must learn that no dialog could be shown.
  if (!function) throw std::runtime_error("The file dialog is not available on this system");
  return function(&request) != FALSE;
}

TSystemServices& Sys() { return *current; }

ScopedSystemServices::ScopedSystemServices(TSystemServices* services) : previous_(current) {
  current = services ? services : &real_services;
}

ScopedSystemServices::~ScopedSystemServices() { current = previous_; }

long LocalMillisecondsOfDay() {
  const SYSTEMTIME t = Sys().LocalTime();
  return ((t.wHour * 60L + t.wMinute) * 60L + t.wSecond) * 1000L + t.wMilliseconds;
}
