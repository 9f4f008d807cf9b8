// The few things a test cannot control by sending messages: the time, the cursor, the keys,
// the double-click time, hand-offs to the shell, modal message boxes, the open-file dialog and
// the high-contrast switch.
// Everything else in the toolkit talks to Win32 directly. The default forwards to the real call;
// a test installs its own with ScopedSystemServices.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>

class TSystemServices {
 public:
  virtual ~TSystemServices() = default;
  virtual SYSTEMTIME LocalTime();
  virtual POINT CursorPos();
  virtual SHORT AsyncKeyState(int virtualKey);
  virtual UINT DoubleClickTime();
  virtual HINSTANCE ShellExecute(HWND owner, const std::wstring& operation, const std::wstring& file,
                                 const std::wstring& parameters, const std::wstring& directory, int show);
  virtual BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data);
  virtual int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
  // Runs the common open-file dialog; true when the user confirmed a file.
  virtual bool GetOpenFileName(OPENFILENAMEW& request);
  // Whether the user has a high-contrast theme on (Wine cannot be switched to one).
  virtual bool HighContrast();
};

TSystemServices& Sys();

// Installs other services for the scope's lifetime (tests).
class ScopedSystemServices {
 public:
  explicit ScopedSystemServices(TSystemServices* services);
  ~ScopedSystemServices();
  ScopedSystemServices(const ScopedSystemServices&) = delete;
  ScopedSystemServices& operator=(const ScopedSystemServices&) = delete;

 private:
  TSystemServices* previous_;
};

// Milliseconds since local midnight, from Sys().LocalTime().
long LocalMillisecondsOfDay();
