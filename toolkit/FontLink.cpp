#include "toolkit/FontLink.h"

std::vector<std::string> LinkedFamilies(const std::vector<std::string>& entries) {
  std::vector<std::string> families;
  for (const std::string& entry : entries) {
    const size_t comma = entry.find(',');
    if (comma == std::string::npos) continue;
    const size_t start = entry.find_first_not_of(" \t", comma + 1);
    if (start == std::string::npos) continue;
    const size_t end = entry.find(',', start);
    if (end == start) continue;
    families.push_back(entry.substr(start, end == std::string::npos ? std::string::npos : end - start));
  }
  return families;
}

std::vector<int> FontOfEachCharacter(const std::vector<std::vector<bool>>& has) {
  const size_t n = has.empty() ? 0 : has[0].size();
  std::vector<int> font(n, 0);
  int previous = -1;
  for (size_t i = 0; i < n; ++i) {
    int chosen = previous >= 0 && has[static_cast<size_t>(previous)][i] ? previous : -1;
    for (size_t f = 0; chosen < 0 && f < has.size(); ++f)
      if (has[f][i]) chosen = static_cast<int>(f);
    font[i] = chosen < 0 ? 0 : chosen;
    previous = font[i];
  }
  return font;
}

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == 0x3000; }

// Lines may break before and after these (Han, kana, Hangul, full-width forms), as between
// words.
bool IsIdeograph(wchar_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF);
}

bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

std::vector<TTextLine> BreakLines(const std::wstring& text, const std::vector<int>& advance, int width, bool wrap) {
  std::vector<TTextLine> lines;
  const size_t n = text.size();
  auto adv = [&](size_t i) { return i < advance.size() ? advance[i] : 0; };
  // A character may start a new line: not the second half of a pair, not a mark.
  auto canStart = [&](size_t i) { return !IsLowSurrogate(text[i]) && adv(i) > 0; };
  size_t begin = 0;
  while (true) {
    // The hard end of this line.
    size_t hard = begin;
    while (hard < n && text[hard] != L'\r' && text[hard] != L'\n') ++hard;
    size_t i = begin;
    int x = 0;
    size_t lastBreak = begin;  // the end of the line at the last place it may break
    size_t resume = begin;     // where the next line starts after that break
    bool broke = false;
    while (i < hard) {
      if (wrap && IsBlank(text[i])) {
        lastBreak = i;
        size_t j = i;
        while (j < hard && IsBlank(text[j])) ++j;
        resume = j;
        for (size_t k = i; k < j; ++k) x += adv(k);
        i = j;
        continue;
      }
      if (wrap && i > begin && (IsIdeograph(text[i]) || IsIdeograph(text[i - 1])) && canStart(i)) {
        lastBreak = i;
        resume = i;
      }
      if (wrap && x + adv(i) > width && i > begin) {
        size_t end = lastBreak, next = resume;
        if (lastBreak == begin) {
          // One word wider than the line: it breaks inside.
          end = i;
          while (end > begin + 1 && !canStart(end)) --end;
          next = end;
        }
        while (end > begin && IsBlank(text[end - 1])) --end;
        int w = 0;
        for (size_t k = begin; k < end; ++k) w += adv(k);
        lines.push_back({begin, end, w});
        begin = next;
        broke = true;
        break;
      }
      x += adv(i);
      ++i;
    }
    if (broke) continue;
    size_t end = hard;
    if (wrap)
      while (end > begin && IsBlank(text[end - 1])) --end;
    int w = 0;
    for (size_t k = begin; k < end; ++k) w += adv(k);
    lines.push_back({begin, end, w});
    if (hard >= n) break;
    begin = hard + (text[hard] == L'\r' && hard + 1 < n && text[hard + 1] == L'\n' ? 2 : 1);
  }
  return lines;
}

namespace {
uint32_t BigEndian(const std::vector<uint8_t>& data, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | data[at + static_cast<size_t>(i)];
  return v;
}
}  // namespace

uint16_t GlyphBeyondBmp(const std::vector<uint8_t>& cmap, uint32_t codePoint) {
  if (cmap.size() < 4) return 0;
  const uint32_t tables = BigEndian(cmap, 2, 2);
  for (uint32_t t = 0; t < tables; ++t) {
    const size_t record = 4 + 8 * static_cast<size_t>(t);
    if (record + 8 > cmap.size()) return 0;
    const uint32_t platform = BigEndian(cmap, record, 2), encoding = BigEndian(cmap, record + 2, 2);
    // Unicode's full repertoire: Windows' (3, 10) or Unicode's own (0, 4 and 0, 6).
    if (!((platform == 3 && encoding == 10) || (platform == 0 && (encoding == 4 || encoding == 6)))) continue;
    const size_t at = BigEndian(cmap, record + 4, 4);
    if (at + 16 > cmap.size() || BigEndian(cmap, at, 2) != 12) continue;
    const uint32_t groups = BigEndian(cmap, at + 12, 4);
    for (uint32_t g = 0; g < groups; ++g) {
      const size_t group = at + 16 + 12 * static_cast<size_t>(g);
      if (group + 12 > cmap.size()) break;
      const uint32_t first = BigEndian(cmap, group, 4), last = BigEndian(cmap, group + 4, 4);
      if (codePoint < first || codePoint > last) continue;
      const uint32_t glyph = BigEndian(cmap, group + 8, 4) + (codePoint - first);
      return glyph <= 0xFFFF ? static_cast<uint16_t>(glyph) : 0;
    }
  }
  return 0;
}
