#include "app/Notice.h"

std::string OneLineText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // the LF makes the blank
    out += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
  }
  return out;
}
