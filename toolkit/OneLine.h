// Text made a single line: every line break becomes a blank, so nothing a user types or pastes
// can start a new line where one line is expected (an edit without returns, a key or a value
// in an INI file).
#pragma once
#include <string>
#include <string_view>

enum class TLineBreaks {
  // CR, LF and NUL, one blank for each: what ends a line of an INI file, byte for byte.
  EachCrLfNul,
  // As EachCrLfNul, but CR LF together is one break and so one blank.
  CrLfNul,
  // As CrLfNul, plus VT (the rich-edit control's soft return) and FF (its page break).
  CrLfNulVtFf,
};

template <class Char>
bool IsLineBreak(Char c, TLineBreaks breaks);

template <class Char>
std::basic_string<Char> OneLine(std::basic_string_view<Char> text, TLineBreaks breaks);

inline std::string OneLine(std::string_view text, TLineBreaks breaks) { return OneLine<char>(text, breaks); }
inline std::wstring OneLine(std::wstring_view text, TLineBreaks breaks) { return OneLine<wchar_t>(text, breaks); }
