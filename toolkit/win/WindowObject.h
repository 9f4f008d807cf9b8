// The toolkit object behind a window: every window procedure of the toolkit finds its object
// here, in the window's user data. That is read where the window lives, with no trip to the
// window server (a property costs one on every message). Only our own process's windows are
// asked: another program's user data means nothing here. (A hook on a window that another
// object owns keeps its object in the subclass's reference data instead: the window's user data
// belongs to its owner.)
#pragma once
#include <windows.h>

template <typename T>
void AttachObject(HWND hwnd, T* object) {
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<void*>(object)));
}

// Null for a window with no toolkit object (another program's, or one being torn down).
template <typename T>
T* ObjectOf(HWND hwnd) {
  if (!hwnd) return nullptr;
  DWORD process = 0;
  if (!GetWindowThreadProcessId(hwnd, &process) || process != GetCurrentProcessId()) return nullptr;
  return static_cast<T*>(reinterpret_cast<void*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
}

inline void DetachObject(HWND hwnd) { SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0); }
