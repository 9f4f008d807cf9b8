// Reading INI text with the platform's rules (each case checked against the platform under Wine).
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "tests/host/Utf16Bytes.h"
#include "toolkit/IniDocument.h"
#include "toolkit/IniInteger.h"

namespace {

struct ReadCase {
  const char* name;
  const char* text;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IniReadRules : public testing::TestWithParam<ReadCase> {};

TEST_P(IniReadRules, GivesWhatThePlatformGives) {
  const ReadCase& c = GetParam();
  const auto doc = TIniDocument::FromText(c.text);
  EXPECT_EQ(doc.FindString(c.section, c.key), c.expected) << c.text;
}

const std::string kLong(3000, 'v');

INSTANTIATE_TEST_SUITE_P(Cases, IniReadRules, testing::Values(
    ReadCase{"blanks_around_names", "[ General ]\r\n  N  =  5  \r\n", "general", " N ", "5"},
    ReadCase{"quoted_value_keeps_inner_blanks", "[S]\r\na = \" q \" \r\n", "S", "a", " q "},
    ReadCase{"single_quotes", "[S]\r\na='x'\r\n", "S", "a", "x"},
    ReadCase{"unmatched_quotes", "[S]\r\na=\"x'\r\n", "S", "a", "\"x'"},
    ReadCase{"lone_quote", "[S]\r\na=\"\r\n", "S", "a", "\""},
    ReadCase{"empty_quotes", "[S]\r\na=\"\"\r\n", "S", "a", ""},
    ReadCase{"equals_in_value", "[S]\r\na=x=y\r\n", "S", "A", "x=y"},
    ReadCase{"semicolon_is_a_name", "[S]\r\n;a=comment\r\n", "S", ";a", "comment"},      // no comment syntax
    ReadCase{"no_comment_syntax", "[S]\r\n;a=comment\r\n", "S", "a", std::nullopt},
    ReadCase{"bare_name_hides_later_key", "[S]\r\ng\r\ng=after\r\n", "S", "g", std::nullopt},  // a bare name hides later keys
    ReadCase{"first_key_wins", "[S]\r\nh=1\r\nh=2\r\n", "S", "h", "1"},
    ReadCase{"first_section_wins", "[D]\r\nk=1\r\n[d]\r\nk=2\r\nm=3\r\n", "D", "k", "1"},
    ReadCase{"first_section_only", "[D]\r\nk=1\r\n[d]\r\nk=2\r\nm=3\r\n", "D", "m", std::nullopt},  // first section only
    ReadCase{"name_runs_to_last_bracket", "[A]]b]\r\nz=1\r\n", "A]]b", "z", "1"},
    ReadCase{"text_after_bracket", "[S] junk\r\nz=1\r\n", "S", "z", "1"},
    ReadCase{"unclosed_bracket_is_a_key", "[A]\r\n[Brk\r\ny=2\r\n", "A", "y", "2"},               // not a header
    ReadCase{"lead_in_is_section_blank", "x=lead\r\n[A]\r\n", "", "x", "lead"},
    ReadCase{"empty_header_after_lead_in", "[]\r\ne=5\r\n", "", "e", std::nullopt},                // the lead-in comes first
    ReadCase{"cr_only_lines", "[L]\ra=1\rb=2\r[M]\nc=3\n", "L", "b", "2"},
    ReadCase{"lf_lines", "[L]\ra=1\rb=2\r[M]\nc=3\n", "M", "c", "3"},
    ReadCase{"ascii_blanks_trimmed", "[U]\r\nk=\t\x0B\x0C\x1Ax\x1A \r\n", "U", "k", "x"},
    ReadCase{"unicode_spaces_kept", "[U]\r\nk=\xC2\xA0x\xE3\x80\x80\r\n", "U", "k", "\xC2\xA0x\xE3\x80\x80"},
    ReadCase{"nul_ends_value", "[U]\r\nk=ab\0cd\r\n", "U", "k", "ab"},
    ReadCase{"missing_section", "[A]\r\nk=1\r\n", "B", "k", std::nullopt},
    ReadCase{"missing_key", "[A]\r\nk=1\r\n", "A", "j", std::nullopt}));

// Regression: values were cut at the platform's 2047 units, and a save then wrote them back cut.
TEST(IniRead, ReadsAValueWhole) {
  std::string emoji;
  for (int i = 0; i < 1100; ++i) emoji += "\xF0\x9F\x98\x80";  // 2200 units
  const auto doc =
      TIniDocument::FromText("[L]\r\nplain=" + kLong + "\r\nquoted=\"" + kLong + "\"\r\nemoji=" + emoji + "\r\n");
  EXPECT_EQ(doc.ReadString("L", "plain", ""), kLong);
  EXPECT_EQ(doc.ReadString("L", "quoted", ""), kLong);
  EXPECT_EQ(doc.ReadString("L", "emoji", ""), emoji);
}

TEST(IniEncoding, EveryWayAnOlderFileCanBeWritten) {
  const std::string expected = "caf\xC3\xA9 \xE2\x82\xAC";  // "café €"
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"utf-16le bom", Utf16(u"\xFEFF[A]\r\nk=caf\xE9 \x20AC", false)},
      {"utf-16be bom", Utf16(u"\xFEFF[A]\r\nk=caf\xE9 \x20AC", true)},
      {"utf-16le", Utf16(u"[A]\r\nk=caf\xE9 \x20AC", false)},
      {"utf-16be", Utf16(u"[A]\r\nk=caf\xE9 \x20AC", true)},
      // A character whose low byte is NUL (U+4E00, U+0100) does not hide the byte order.
      {"utf-16le blank line first", Utf16(u"\r\n [A]\r\nk=caf\xE9 \x20AC\r\n\x4E00\x0100=1", false)},
      {"utf-8 bom", "\xEF\xBB\xBF[A]\r\nk=caf\xC3\xA9 \xE2\x82\xAC\r\n"},
      {"utf-8", "[A]\nk=caf\xC3\xA9 \xE2\x82\xAC\n"},
      {"windows-1252", "[A]\r\nk=caf\xE9 \x80\r\n"},
  };
  for (const auto& f : files) {
    const auto doc = TIniDocument::FromBytes(f.bytes);
    ASSERT_TRUE(doc) << f.name;
    EXPECT_EQ(doc->ReadString("A", "k", "?"), expected) << f.name;
  }
  // An odd last byte of UTF-16 is a unit of its own, as the platform reads it.
  EXPECT_EQ(TIniDocument::FromBytes(Utf16(u"\xFEFF[A]\nk=v", false) + "x")
                ->ReadString("A", "k", "?"),
            "vx");
}

// A file without a mark is read as the system reads it, and one stray byte in UTF-8 stays one
// character.
TEST(IniEncoding, UnmarkedBytesInTheSystemsCodePageAndStrayBytesInUtf8) {
  const std::string privet = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // "Привет" in UTF-8
  const std::string e = "\xC3\xA9";                                                     // "é" in UTF-8
  const struct {
    const char* name;
    uint32_t codePage;
    std::string bytes;
    std::string value;
  } files[] = {
      {"windows-1251", 1251, "[A]\r\nk=\xCF\xF0\xE8\xE2\xE5\xF2\r\n", privet},
      // Two Cyrillic letters that happen to form a UTF-8 sequence do not make the file UTF-8.
      {"windows-1251 with a chance sequence", 1251, "[A]\r\nk=\xCF\xF0\xE8\xE2\xE5\xF2 \xD1\xA8\r\n",
       privet + " \xD0\xA1\xD0\x81"},
      {"windows-1252", 1252, "[A]\r\nk=caf\xE9\r\n", "caf" + e},
      {"utf-8 under 1251", 1251, "[A]\r\nk=" + privet + "\r\n", privet},
      {"utf-8 with one stray byte", 1252, "[A]\r\nk=caf" + e + " na" + e + "ve\r\nj=caf\xE9\r\n", "caf" + e + " na" + e + "ve"},
      {"the stray byte itself", 1252, "[A]\r\nk=caf\xE9\r\nj=caf" + e + " na" + e + "ve\r\n", "caf" + e},
      {"a stray run at the end", 1251, "[A]\r\nk=" + privet + " \xCF\xF0", privet + " \xD0\x9F\xD1\x80"},
  };
  for (const auto& f : files) {
    const auto doc = TIniDocument::FromBytes(f.bytes, {f.codePage});
    ASSERT_TRUE(doc) << f.name;
    EXPECT_EQ(doc->ReadString("A", "k", "?"), f.value) << f.name;
  }
}

// Bytes no text file holds are no document, rather than one that a save would write back.
TEST(IniEncoding, BinaryBytesAreNoText) {
  const std::string notText[] = {
      std::string("[A]\r\nk=a\0b\r\n", 12),                // a NUL in 8-bit text
      std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),      // a picture
      Utf16(u"[A]\r\nk=\x0001\x0002", false),               // UTF-16 in shape, control characters in content
      Utf16(u"\x4E2D\x6587=1\r\n", false),                   // no ASCII to show the byte order
      "[A]\r\nk=\xFF\x01\x02\x03\xFE\r\n",                  // neither UTF-8 nor Windows-1252 text
  };
  for (const std::string& bytes : notText) EXPECT_FALSE(TIniDocument::FromBytes(bytes)) << testing::PrintToString(bytes);
}

struct IntCase {
  const char* text;
  std::optional<int32_t> expected;
};

void PrintTo(const IntCase& c, std::ostream* os) {
  for (const char* p = c.text; *p; ++p) {
    const auto b = static_cast<unsigned char>(*p);
    if (b > 0x20 && b < 0x7F) *os << *p;
    else *os << "\\x" << std::hex << int{b} << std::dec;
  }
  if (!*c.text) *os << "(empty)";
}

class IniIntegers : public testing::TestWithParam<IntCase> {};

TEST_P(IniIntegers, HexRuleThenSignedDecimal) {
  EXPECT_EQ(ParseIniInteger(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, IniIntegers, testing::Values(
    IntCase{"0x10", 16}, IntCase{"0X1f", 31}, IntCase{"0x0000000000ff", 255},
    IntCase{"0xFFFFFFFF", -1}, IntCase{"0x80000000", INT32_MIN}, IntCase{"0x100000000", std::nullopt},
    IntCase{"0x", std::nullopt}, IntCase{"0xg", std::nullopt}, IntCase{"0x-5", std::nullopt},
    IntCase{"-0x10", std::nullopt}, IntCase{"-5", -5}, IntCase{"+7", 7}, IntCase{"010", 10},
    IntCase{"2147483647", INT32_MAX}, IntCase{"2147483648", std::nullopt},
    IntCase{"-2147483648", INT32_MIN}, IntCase{"-2147483649", std::nullopt},
    IntCase{"99999999999999999999", std::nullopt}, IntCase{" 42\t", 42}, IntCase{"4 2", std::nullopt},
    IntCase{"12abc", std::nullopt}, IntCase{"abc", std::nullopt}, IntCase{"", std::nullopt},
    IntCase{"-", std::nullopt}, IntCase{"+", std::nullopt}, IntCase{"\xD9\xA3", std::nullopt}));

TEST(IniIntegers, ReadIntegerFallsBackToTheDefault) {
  const auto doc = TIniDocument::FromText("[I]\nq=\" 42 \"\nbad=5s\nempty=\n");
  EXPECT_EQ(doc.ReadInteger("I", "q", 7), 42);
  EXPECT_EQ(doc.ReadInteger("I", "bad", 7), 7);
  EXPECT_EQ(doc.ReadInteger("I", "empty", 7), 7);
  EXPECT_EQ(doc.ReadInteger("I", "none", 7), 7);
}

}  // namespace
