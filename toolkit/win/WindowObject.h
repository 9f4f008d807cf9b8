// The toolkit object behind a window: every window procedure of the toolkit finds its object
// here, stored on the window itself as one property. (A hook on a window that another object
// owns keeps its object in the subclass's reference data instead: the window's property belongs
// to its owner.)
#pragma once
#include <windows.h>

namespace window_object {
inline constexpr wchar_t kProperty[] = L"ZettlyObject";
}  // namespace window_object

template <typename T>
void AttachObject(HWND hwnd, T* object) {
  SetPropW(hwnd, window_object::kProperty, static_cast<void*>(object));
}

// Null for a window with no toolkit object (another program's, or one being torn down).
template <typename T>
T* ObjectOf(HWND hwnd) {
  return hwnd ? static_cast<T*>(GetPropW(hwnd, window_object::kProperty)) : nullptr;
}

inline void DetachObject(HWND hwnd) { RemovePropW(hwnd, window_object::kProperty); }
