#include "toolkit/IniValue.h"

#include <cstdint>

#include "toolkit/Utf.h"

namespace {

bool IsQuote(char c) { return c == '"' || c == '\''; }

// Wider than what the platform strips today: any space at either end is worth a pair of quotes,
// since quotes always read back right.
bool IsSpaceLike(char16_t u) {
  return u <= 0x20 || u == 0x7F || u == 0x85 || u == 0xA0 || u == 0x1680 ||
         (u >= 0x2000 && u <= 0x200B) || u == 0x2028 || u == 0x2029 || u == 0x202F ||
         u == 0x205F || u == 0x3000 || u == 0xFEFF;
}

}  // namespace

bool IsIniBlank(char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1A'; }

std::string_view TrimIniBlanks(std::string_view s) {
  while (!s.empty() && IsIniBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsIniBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string ReadIniValue(std::string_view raw) {
  raw = raw.substr(0, raw.find('\0'));
  if (raw.size() >= 2 && IsQuote(raw.front()) && raw.back() == raw.front()) {
    raw = raw.substr(1, raw.size() - 2);
  }
  return std::string(raw);
}

std::string WriteIniValue(std::string_view value) {
  if (value.empty()) return {};
  size_t last = value.size() - 1;  // where the last character starts
  while (last > 0 && value.size() - last < 4 && (static_cast<uint8_t>(value[last]) & 0xC0) == 0x80) --last;
  const bool quote = IsQuote(value.front()) || IsSpaceLike(Utf8ToUtf16(value.substr(0, 4)).front()) ||
                     IsSpaceLike(Utf8ToUtf16(value.substr(last)).back());
  if (!quote) return std::string(value);
  std::string out;
  out.reserve(value.size() + 2);
  out += '"';
  out += value;
  out += '"';
  return out;
}
