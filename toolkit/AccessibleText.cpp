#include "toolkit/AccessibleText.h"

#include <algorithm>
#include <cctype>

namespace {
// A bracketed tail is a shortcut only when it looks like one: a key name, or keys joined by '+'.
bool LooksLikeShortcut(std::string_view s) {
  if (s.empty() || s.find(' ') != std::string_view::npos) return false;
  return s.find('+') != std::string_view::npos || (s.size() >= 2 && s[0] == 'F' && s[1] >= '1' && s[1] <= '9');
}

std::string_view TrimEnd(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '.')) s.remove_suffix(1);
  return s;
}

std::string WithoutAccel(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) ++i;  // "&&" keeps one
    out += s[i];
  }
  return out;
}
}  // namespace

TAccessibleText AccessibleTextOf(std::string_view caption, std::string_view hint, bool stripAccel) {
  TAccessibleText text;
  if (!caption.empty() && !hint.empty()) text.Description = std::string(hint);
  if (hint.size() > 2 && hint.back() == ')') {
    const size_t open = hint.rfind('(');
    if (open != std::string_view::npos) {
      const std::string_view keys = hint.substr(open + 1, hint.size() - open - 2);
      if (LooksLikeShortcut(keys)) {
        text.Shortcut = std::string(keys);
        hint = hint.substr(0, open);
      }
    }
  }
  // A caption of marks alone ("...") names nothing: the hint does.
  const bool says_something = std::any_of(caption.begin(), caption.end(), [](char c) {
    return static_cast<unsigned char>(c) >= 0x80 || std::isalnum(static_cast<unsigned char>(c));
  });
  if (says_something) {
    text.Name = stripAccel ? WithoutAccel(caption) : std::string(caption);
  } else {
    text.Name = std::string(TrimEnd(hint));
  }
  return text;
}
