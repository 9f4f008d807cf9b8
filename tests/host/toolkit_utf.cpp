// Text conversions at the Win32 boundary, where broken input arrives from files other programs
// wrote: every bad sequence becomes U+FFFD without swallowing the good text after it, and the
// length that limits a note counts exactly the code units the edit control is given.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "toolkit/AnsiCodePage.h"
#include "toolkit/Utf.h"

namespace {

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }

class Utf8Decoding : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Decoding, GivesTheCodeUnitsAndCountsThem) {
  const Utf8Case& c = GetParam();
  EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
  EXPECT_EQ(Utf16Length(c.utf8), c.utf16.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8Decoding, testing::Values(
    Utf8Case{"Ascii", "note 1", u"note 1"},
    Utf8Case{"TwoAndThreeBytes", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", u"\u00E9t\u00E9 \u20AC"},
    Utf8Case{"AstralIsASurrogatePair", "a\xF0\x9F\x98\x80z", u"a\U0001F600z"},
    Utf8Case{"TruncatedAtTheEnd", "ab\xE2\x82", u"ab\uFFFD\uFFFD"},
    Utf8Case{"BadContinuationKeepsWhatFollows", "\xE2(a", u"\uFFFD(a"},
    Utf8Case{"LoneContinuationByte", "a\x80" "b", u"a\uFFFDb"},
    Utf8Case{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
    Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
    Utf8Case{"BeyondTheLastCodePoint", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    Utf8Case{"NulIsText", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}));

TEST(Utf16Encoding, PairsJoinAndLoneHalvesBecomeReplacements) {
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a\xD83D", 2)), "a\xEF\xBF\xBD");           // high half at the end
  EXPECT_EQ(Utf16ToUtf8(std::u16string(u"\xDE00z", 2)), "\xEF\xBF\xBDz");           // low half alone
  EXPECT_EQ(Utf16ToUtf8(std::u16string(u"\xDE00\xD83D", 2)), "\xEF\xBF\xBD\xEF\xBF\xBD");  // reversed
  const std::string text = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
}

TEST(Cp1252Decoding, TheRangeThatDiffersFromLatin1AndTheUndefinedBytes) {
  const TAnsiCodePage cp1252{1252};
  EXPECT_EQ(AnsiToUtf8("\x80\x9F", cp1252), "\xE2\x82\xAC\xC5\xB8");  // euro sign, Y with diaeresis
  EXPECT_EQ(AnsiToUtf8("\x81\x9D", cp1252), "\xC2\x81\xC2\x9D");      // undefined: C1 controls
  EXPECT_EQ(AnsiToUtf8("a\xE9\xFF", cp1252), "a\xC3\xA9\xC3\xBF");    // Latin-1 above 0x9F
}

std::string Marked(uint32_t number, std::string_view bytes) { return "<" + std::to_string(number) + ":" + std::string(bytes) + ">"; }

// The same bytes are different letters on systems of different languages.
TEST(AnsiDecoding, EachSystemsCodePage) {
  const struct {
    TAnsiCodePage page;
    const char* bytes;
    const char* utf8;
  } cases[] = {
      {{1251}, "\xCF\xF0\xE8\xE2\xE5\xF2 \xB8", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD1\x91"},  // "Привет ё"
      {{1251}, "\x98", "\xC2\x98"},                                   // undefined there
      {{1253}, "\xE1\xE2\xE3", "\xCE\xB1\xCE\xB2\xCE\xB3"},           // Greek alpha beta gamma
      {{1250}, "\x8A\xE8", "\xC5\xA0\xC4\x8D"},                       // Czech S and c with caron
      {{874}, "\xA1\xDB", "\xE0\xB8\x81\xEF\xBF\xBD"},                // Thai ko kai; undefined above 0x9F
      {{932, Marked}, "\x82\xA0", "<932:\x82\xA0>"},                  // double-byte: the system's conversion
      {{1251, Marked}, "\xC0", "\xD0\x90"},                          // a table of ours wins
      {{932}, "\xE9", "\xC3\xA9"},                                   // nothing to convert with: Windows-1252
  };
  for (const auto& c : cases) EXPECT_EQ(AnsiToUtf8(c.bytes, c.page), c.utf8) << c.page.Number << " " << c.bytes;
}

}  // namespace
