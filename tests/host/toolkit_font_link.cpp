// The fonts linked to a face, the font of each character of a mixed text, and its lines.
#include <gtest/gtest.h>

#include "toolkit/FontLink.h"

namespace {

TEST(LinkedFamilies, TakesTheFamilyOfEachEntryInOrder) {
  EXPECT_EQ(LinkedFamilies({"DejaVuSans.ttf,DejaVu Sans", "wqy-microhei.ttc, WenQuanYi Micro Hei",
                            "SIMSUN.TTC", "Loma.ttf,", "Loma.ttf,Loma", "MSGOTHIC.TTC,MS UI Gothic,128,96"}),
            (std::vector<std::string>{"DejaVu Sans", "WenQuanYi Micro Hei", "Loma", "MS UI Gothic"}));
  EXPECT_TRUE(LinkedFamilies({}).empty());
}

TEST(FontOfEachCharacter, RunsStayInTheirFontThroughBlanksAndFallBackInLinkOrder) {
  // "Ab шж" in a face without Cyrillic, a Latin link and a Cyrillic link (blanks in all).
  const std::vector<bool> own{1, 1, 1, 0, 0}, latin{1, 1, 1, 0, 0}, cyrillic{0, 0, 1, 1, 1};
  EXPECT_EQ(FontOfEachCharacter({own, latin, cyrillic}), (std::vector<int>{0, 0, 0, 2, 2}));
  // The blank after a Cyrillic word stays in its font; a character nobody has is the face's own.
  EXPECT_EQ(FontOfEachCharacter({{0, 1, 1, 0}, {1, 1, 0, 0}}), (std::vector<int>{1, 1, 0, 0}));
  EXPECT_EQ(FontOfEachCharacter({{0, 1, 0}, {1, 1, 0}, {0, 0, 1}}), (std::vector<int>{1, 1, 2}));
  EXPECT_TRUE(FontOfEachCharacter({}).empty());
}

struct LinesCase {
  const wchar_t* text;
  int width;
  bool wrap;
  std::vector<std::pair<size_t, size_t>> lines;
};

TEST(BreakLines, AtBreaksBlanksAndIdeographsAndInsideAWordWiderThanTheLine) {
  // Every character advances 10 but for the marks (U+0301), which advance 0.
  const std::vector<LinesCase> cases = {
      {L"ab cd", 100, true, {{0, 5}}},
      {L"ab cd", 30, true, {{0, 2}, {3, 5}}},
      {L"ab   cd", 30, true, {{0, 2}, {5, 7}}},
      {L"abcdefgh", 30, true, {{0, 3}, {3, 6}, {6, 8}}},  // the long word breaks
      {L"abcdefgh", 30, false, {{0, 8}}},
      {L"ab\r\ncd\ne", 100, true, {{0, 2}, {4, 6}, {7, 8}}},
      {L"ab\r\ncd", 100, false, {{0, 2}, {4, 6}}},
      {L"\u4f60\u597d\u4e16\u754c", 25, true, {{0, 2}, {2, 4}}},  // ideographs break anywhere
      {L"ab\u4f60cd", 35, true, {{0, 3}, {3, 5}}},
      {L"ae\u0301e\u0301", 20, true, {{0, 3}, {3, 5}}},  // a mark stays with its letter
      {L"a\xD83D\xDE00" L"b", 15, true, {{0, 1}, {1, 3}, {3, 4}}},  // a pair is not split
      {L"", 30, true, {{0, 0}}},
      {L"a", 0, true, {{0, 1}}},
  };
  for (const LinesCase& c : cases) {
    const std::wstring text = c.text;
    std::vector<int> advance;
    for (size_t i = 0; i < text.size(); ++i) advance.push_back(text[i] == 0x0301 || (text[i] >= 0xDC00 && text[i] <= 0xDFFF) ? 0 : 10);
    std::vector<std::pair<size_t, size_t>> got;
    for (const TTextLine& line : BreakLines(text, advance, c.width, c.wrap)) {
      got.emplace_back(line.Begin, line.End);
      int width = 0;
      for (size_t i = line.Begin; i < line.End; ++i) width += advance[i];
      EXPECT_EQ(line.Width, width);
    }
    EXPECT_EQ(got, c.lines) << "text of " << text.size() << " characters, width " << c.width;
  }
}

// A 'cmap' table: a format 4 subtable (not read) and a format 12 one with two groups.
std::vector<uint8_t> Cmap() {
  std::vector<uint8_t> t;
  auto put = [&](uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) t.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put(0, 2), put(2, 2);
  put(3, 2), put(1, 2), put(20, 4);   // Windows BMP, at 20
  put(3, 2), put(10, 2), put(24, 4);  // Windows full, at 24
  put(4, 2), put(0, 2);               // a stub of format 4
  put(12, 2), put(0, 2), put(40, 4), put(0, 4), put(2, 4);
  put(0x1F600, 4), put(0x1F64F, 4), put(100, 4);
  put(0x1F910, 4), put(0x1F910, 4), put(0x12345, 4);  // past 65,535: no glyph
  return t;
}

TEST(GlyphBeyondBmp, ReadsTheFullUnicodeSubtableAndNothingPastTheTable) {
  const std::vector<uint8_t> cmap = Cmap();
  EXPECT_EQ(GlyphBeyondBmp(cmap, 0x1F600), 100);
  EXPECT_EQ(GlyphBeyondBmp(cmap, 0x1F610), 116);
  EXPECT_EQ(GlyphBeyondBmp(cmap, 0x1F650), 0);
  EXPECT_EQ(GlyphBeyondBmp(cmap, 0x1F910), 0);
  // Cut anywhere before the end of the group that holds it, the table gives no glyph.
  for (long cut = 0; cut < 52; ++cut)
    EXPECT_EQ(GlyphBeyondBmp(std::vector<uint8_t>(cmap.begin(), cmap.begin() + cut), 0x1F600), 0) << "cut at " << cut;
}

}  // namespace
