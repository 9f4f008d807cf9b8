#include "toolkit/OneLine.h"

template <class Char>
bool IsLineBreak(Char c, TLineBreaks breaks) {
  if (c == Char('\r') || c == Char('\n') || c == Char('\0')) return true;
  return breaks == TLineBreaks::CrLfNulVtFf && (c == Char('\v') || c == Char('\f'));
}

template <class Char>
std::basic_string<Char> OneLine(std::basic_string_view<Char> text, TLineBreaks breaks) {
  const bool crLfIsOne = breaks != TLineBreaks::EachCrLfNul;
  std::basic_string<Char> out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (crLfIsOne && text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) continue;
    out += IsLineBreak(text[i], breaks) ? Char(' ') : text[i];
  }
  return out;
}

template bool IsLineBreak<char>(char, TLineBreaks);
template bool IsLineBreak<wchar_t>(wchar_t, TLineBreaks);
template std::string OneLine<char>(std::string_view, TLineBreaks);
template std::wstring OneLine<wchar_t>(std::wstring_view, TLineBreaks);
