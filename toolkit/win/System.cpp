#include "toolkit/win/System.h"

#include <commdlg.h>

#include <stdexcept>

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

HINSTANCE TSystemServices::ShellExecute(HWND owner, const std::wstring& operation, const std::wstring& file,
                                        const std::wstring& parameters, const std::wstring& directory,
                                        int show) {
  return ::ShellExecuteW(owner, operation.empty() ? nullptr : operation.c_str(), file.c_str(),
                       parameters.empty() ? nullptr : parameters.c_str(),
                       directory.empty() ? nullptr : directory.c_str(), show);
}

BOOL TSystemServices::NotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
  return ::Shell_NotifyIconW(message, data);
}

int TSystemServices::MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

namespace {
using GetOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

// The common dialogs are loaded when a file dialog first opens, from the system folder only: most
// runs never open one, and loading them at start costs time and memory.
GetOpenFileNameFunction OpenFileDialogFunction() {
  static const GetOpenFileNameFunction function = []() -> GetOpenFileNameFunction {
    HMODULE library = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!library) return nullptr;
    return reinterpret_cast<GetOpenFileNameFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "GetOpenFileNameW")));
  }();
  return function;
}
}  // namespace

bool TSystemServices::GetOpenFileName(OPENFILENAMEW& request) {
  const GetOpenFileNameFunction function = OpenFileDialogFunction();
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
