// Windows' ANSI code pages: the encoding of text files written without a mark, which follows the
// system's language (Windows-1251 on a Russian system, 932 on a Japanese one).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct TAnsiCodePage {
  uint32_t Number = 1252;
  // The system's own conversion to UTF-8, for code pages without a table here (the East-Asian
  // double-byte ones); none off Windows.
  std::string (*SystemToUtf8)(uint32_t number, std::string_view bytes) = nullptr;
};

// bytes in the code page as UTF-8: by the table of a single-byte page (874, 1250 to 1258), else
// by the system's conversion, else as Windows-1252. A byte a page leaves undefined becomes the
// C1 control of its value below 0xA0 (as Windows converts it) and U+FFFD above.
std::string AnsiToUtf8(std::string_view bytes, const TAnsiCodePage& page);
