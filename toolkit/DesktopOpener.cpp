#include "toolkit/DesktopOpener.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool EndsWithNoCase(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() &&
         std::equal(tail.begin(), tail.end(), s.end() - static_cast<std::ptrdiff_t>(tail.size()),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}
}  // namespace

bool IsAddress(std::string_view target) {
  const size_t colon = target.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  if (!std::isalpha(static_cast<unsigned char>(target[0]))) return false;
  return std::all_of(target.begin(), target.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

bool IsWindowsProgram(std::string_view path) {
  static constexpr std::array<std::string_view, 10> kRun = {".exe", ".com", ".bat", ".cmd", ".lnk",
                                                            ".msi", ".pif", ".scr", ".url", ".vbs"};
  return std::any_of(kRun.begin(), kRun.end(), [&](std::string_view e) { return EndsWithNoCase(path, e); });
}

// The rules of CommandLineToArgvW: backslashes count only before a quote, where each pair
// gives one and an odd one escapes the quote.
std::string QuoteArgument(std::string_view argument) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') backslashes = backslashes * 2 + 1;
    out.append(backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  out += '"';
  return out;
}

TOpenerAnswer ReadOpenerAnswer(std::string_view text) {
  TOpenerAnswer answer;
  const size_t end = text.find('\n');
  if (end == std::string_view::npos) return answer;
  answer.Complete = true;
  std::string_view line = text.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const size_t blank = line.find(' ');
  const std::string_view status = line.substr(0, blank);
  answer.Opened = status == "0";
  if (answer.Opened) return answer;
  if (blank != std::string_view::npos) answer.Reason = std::string(line.substr(blank + 1));
  if (answer.Reason.empty())
    answer.Reason = "The desktop's opener failed" + (status.empty() ? std::string() : " (" + std::string(status) + ")") + ".";
  return answer;
}
