// The bytes of a UTF-16 text in either byte order, with no byte-order mark: what a file saved by
// another program may hold.
#pragma once
#include <string>
#include <string_view>

inline std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string out;
  for (char16_t u : text) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}
