// Text at the Win32 boundary: the program holds UTF-8, Win32 takes UTF-16.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/Utf.h"

inline std::wstring ToWide(std::string_view utf8) {
  const std::u16string s = Utf8ToUtf16(utf8);
  return std::wstring(s.begin(), s.end());
}

inline std::string ToUtf8(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

// The text of a window, whatever its length.
std::string WindowText(HWND hwnd);
