#include "toolkit/FileStore.h"

#include <cstdio>

namespace {
bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] | 0x20) : a[i];
    const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] | 0x20) : b[i];
    if (x != y) return false;
  }
  return true;
}

// One part of a temporary name: 1 to 8 hex digits, as "%x" writes a 32-bit number.
bool TakeHexPart(std::string_view& rest, char end) {
  size_t n = 0;
  while (n < rest.size() && ((rest[n] >= '0' && rest[n] <= '9') || (rest[n] >= 'a' && rest[n] <= 'f'))) ++n;
  if (n == 0 || n > 8 || n >= rest.size() || rest[n] != end) return false;
  if (n > 1 && rest[0] == '0') return false;  // "%x" writes no leading zero
  rest.remove_prefix(n + 1);
  return true;
}

bool IsTemporaryNameOf(std::string_view fileName, std::string_view name) {
  constexpr std::string_view suffix = "tmp";
  if (name.size() <= fileName.size() + 1 || !SameLetters(name.substr(0, fileName.size()), fileName) ||
      name[fileName.size()] != '.')
    return false;
  std::string_view rest = name.substr(fileName.size() + 1);
  return TakeHexPart(rest, '-') && TakeHexPart(rest, '-') && TakeHexPart(rest, '.') && SameLetters(rest, suffix);
}
}  // namespace

std::string TemporaryFileName(std::string_view fileName, uint32_t process, uint32_t tick, uint32_t counter) {
  char parts[40];
  std::snprintf(parts, sizeof parts, ".%x-%x-%x.tmp", static_cast<unsigned>(process), static_cast<unsigned>(tick),
                static_cast<unsigned>(counter));
  return std::string(fileName) + parts;
}

std::vector<std::string> StaleTemporaries(std::string_view fileName, const std::vector<TFolderEntry>& entries) {
  std::vector<std::string> stale;
  for (const TFolderEntry& e : entries)
    if (e.AgeSeconds >= StaleTemporaryAgeSeconds && IsTemporaryNameOf(fileName, e.Name)) stale.push_back(e.Name);
  return stale;
}
