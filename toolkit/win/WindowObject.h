// The toolkit object behind a window: every window procedure of the toolkit finds its object
// here, in the window's user data. That is read where the window lives, with no trip to the
// window server (a property costs one on every message). Only our own process's windows are
// asked: another program's user data means nothing here. (A hook on a window that another
// object owns keeps its object in the subclass's reference data instead: the window's user data
// belongs to its owner.)
//
// Windows hold objects of different kinds (controls, the hidden windows of services, the
// application), so the kind is stored with the pointer, in its low bits (the objects are
// aligned to 8): asking a window for an object of another kind, or one whose user data is not
// ours, gives null rather than a pointer of the wrong type.
#pragma once
#include <windows.h>

#include <cstdint>

class TWinControl;
class THiddenWindow;
class TApplication;

enum class TWindowKind : uintptr_t { Control = 1, HiddenWindow = 2, Application = 3 };
inline constexpr uintptr_t kWindowKindBits = 7;

// The kind each class of object is kept as; a class not named here cannot be attached.
template <typename T>
struct WindowKindOf;
template <>
struct WindowKindOf<TWinControl> {
  static constexpr TWindowKind value = TWindowKind::Control;
};
template <>
struct WindowKindOf<THiddenWindow> {
  static constexpr TWindowKind value = TWindowKind::HiddenWindow;
};
template <>
struct WindowKindOf<TApplication> {
  static constexpr TWindowKind value = TWindowKind::Application;
};

template <typename T>
void AttachObject(HWND hwnd, T* object) {
  static_assert(alignof(T) > kWindowKindBits, "the kind needs the pointer's low bits");
  const auto tagged = reinterpret_cast<uintptr_t>(object) | static_cast<uintptr_t>(WindowKindOf<T>::value);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(tagged));
}

// Null for a window with no toolkit object of that kind (another program's, one holding another
// kind, or one being torn down).
template <typename T>
T* ObjectOf(HWND hwnd) {
  if (!hwnd) return nullptr;
  DWORD process = 0;
  if (!GetWindowThreadProcessId(hwnd, &process) || process != GetCurrentProcessId()) return nullptr;
  const auto tagged = static_cast<uintptr_t>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if ((tagged & kWindowKindBits) != static_cast<uintptr_t>(WindowKindOf<T>::value)) return nullptr;
  return reinterpret_cast<T*>(tagged & ~kWindowKindBits);
}

inline void DetachObject(HWND hwnd) { SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0); }
