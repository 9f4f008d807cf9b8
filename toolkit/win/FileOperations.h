// The Win32 calls with which a save puts its file in place, behind one small interface: the real
// calls by default; the tests of the Windows branch (which Wine never takes) put refusals in.
#pragma once
#include <windows.h>

class TFileOperations {
 public:
  virtual ~TFileOperations() = default;
  // Each as the Win32 call it names: nonzero on success, else the reason in GetLastError.
  virtual BOOL Replace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup) = 0;
  virtual BOOL Move(LPCWSTR from, LPCWSTR to, DWORD flags) = 0;
  // Whether the Wine branch is taken (its replace leaves a moment with no file).
  virtual bool UnderWine() const = 0;
  // Waits before a refused call is tried again.
  virtual void Wait(DWORD milliseconds) = 0;
};

// The real calls. One for the whole process; stateless.
TFileOperations& SystemFileOperations();
