#include "toolkit/IniEncoding.h"

#include <cstdint>

#include "toolkit/Utf.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

char16_t UnitAt(std::string_view bytes, size_t i, bool bigEndian) {
  const auto first = static_cast<uint8_t>(bytes[2 * i]), second = static_cast<uint8_t>(bytes[2 * i + 1]);
  return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
}

// Tab, LF, VT, FF, CR and Ctrl+Z: the controls a text file may hold.
bool IsTextControl(char32_t c) { return (c >= '\t' && c <= '\r') || c == 0x1A; }

bool LooksLikeUtf16(std::string_view bytes, bool bigEndian) {
  const size_t units = bytes.size() / 2;
  size_t i = 0;
  while (i < units && (UnitAt(bytes, i, bigEndian) == u' ' || IsTextControl(UnitAt(bytes, i, bigEndian)))) ++i;
  // The first line's first characters: a header's "[Ge", a key's "N=1" or "Con".
  for (size_t k = i; k < units && k < i + 3; ++k) {
    const char16_t u = UnitAt(bytes, k, bigEndian);
    if (u == u'\r' || u == u'\n') break;
    if (u < 0x20 || u > 0x7E) return false;
  }
  for (size_t k = 0; k < units; ++k) {
    const char16_t u = UnitAt(bytes, k, bigEndian);
    if (u < 0x20 && !IsTextControl(u)) return false;
  }
  return true;
}

bool HoldsNul(std::string_view bytes) { return bytes.find('\0') != std::string_view::npos; }

bool HoldsOtherControls(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<uint8_t>(c) < 0x20 && !IsTextControl(static_cast<uint8_t>(c))) return true;
  }
  return false;
}

// A trailing odd byte is taken as a unit of its own, as the platform does.
std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units((bytes.size() + 1) / 2, u'\0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<uint8_t>(bytes[i]);
    const bool high = (i % 2 == 0) == bigEndian;
    units[i / 2] = static_cast<char16_t>(units[i / 2] | (high ? b << 8 : b));
  }
  return Utf16ToUtf8(units);
}

// A NUL (kept from a UTF-16 file) would make an 8-bit file read as no text at all.
bool IsPlainAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<uint8_t>(c) >= 0x80 || c == '\0') return false;
  }
  return true;
}

// The length of the UTF-8 sequence at s[i]; 0 when the byte there starts none.
size_t Utf8SequenceAt(std::string_view s, size_t i) {
  const auto b0 = static_cast<uint8_t>(s[i]);
  if (b0 < 0x80) return 1;
  int len = 0;
  char32_t cp = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (s.size() - i < static_cast<size_t>(len)) return 0;
  for (int k = 1; k < len; ++k) {
    const auto b = static_cast<uint8_t>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF)) {
    return 0;
  }
  return static_cast<size_t>(len);
}

// UTF-8 with stray bytes of another encoding. A file in an 8-bit code page holds UTF-8
// sequences only by chance (two letters that happen to form one), and far fewer than its other
// bytes above ASCII.
bool MostlyUtf8(std::string_view s) {
  size_t sequences = 0, stray = 0;
  for (size_t i = 0; i < s.size();) {
    const size_t n = Utf8SequenceAt(s, i);
    if (n == 0) ++stray;
    else if (n > 1) ++sequences;
    i += n == 0 ? 1 : n;
  }
  return sequences > stray;
}

// The UTF-8 sequences kept, each run of stray bytes read in the code page.
std::string MixedToUtf8(std::string_view s, const TAnsiCodePage& ansi) {
  std::string out;
  out.reserve(s.size() + s.size() / 2);
  for (size_t i = 0; i < s.size();) {
    if (const size_t n = Utf8SequenceAt(s, i); n > 0) {
      out.append(s.substr(i, n));
      i += n;
      continue;
    }
    const size_t begin = i;
    while (i < s.size() && Utf8SequenceAt(s, i) == 0) ++i;
    out += AnsiToUtf8(s.substr(begin, i - begin), ansi);
  }
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const size_t n = Utf8SequenceAt(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

TUtf16Order UnmarkedUtf16Order(std::string_view bytes) {
  // ASCII text in UTF-16 is half NULs; text in any 8-bit encoding holds none.
  if (bytes.empty() || bytes.size() % 2 != 0 || !HoldsNul(bytes)) return TUtf16Order::None;
  if (LooksLikeUtf16(bytes, false)) return TUtf16Order::LittleEndian;
  if (LooksLikeUtf16(bytes, true)) return TUtf16Order::BigEndian;
  return TUtf16Order::None;
}

std::optional<std::string> DecodeIniBytes(std::string_view bytes, const TAnsiCodePage& ansi) {
  if (bytes.starts_with(kUtf16LeBom)) return DecodeUtf16(bytes.substr(2), false);
  if (bytes.starts_with(kUtf16BeBom)) return DecodeUtf16(bytes.substr(2), true);
  switch (UnmarkedUtf16Order(bytes)) {
    case TUtf16Order::LittleEndian: return DecodeUtf16(bytes, false);
    case TUtf16Order::BigEndian: return DecodeUtf16(bytes, true);
    case TUtf16Order::None: break;
  }
  // Read as 8-bit text, a NUL would pass for a character and be written back as one.
  if (HoldsNul(bytes)) return std::nullopt;
  if (bytes.starts_with(kUtf8Bom)) return Utf16ToUtf8(Utf8ToUtf16(bytes.substr(3)));
  if (IsValidUtf8(bytes)) return std::string(bytes);
  if (HoldsOtherControls(bytes)) return std::nullopt;
  return MostlyUtf8(bytes) ? MixedToUtf8(bytes, ansi) : AnsiToUtf8(bytes, ansi);
}

std::string EncodeIniText(std::string_view utf8) {
  if (IsPlainAscii(utf8)) return std::string(utf8);
  const std::u16string units = Utf8ToUtf16(utf8);
  std::string out(kUtf16LeBom);
  out.reserve(2 + units.size() * 2);
  for (char16_t u : units) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  }
  return out;
}
