// Text made one line under each rule its callers use: the notes file's bytes, a note's text, and
// what the rich-edit control treats as a break. Each case runs on narrow and on wide text.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "toolkit/OneLine.h"

namespace {

struct Case {
  std::string text;
  std::string eachCrLfNul, crLfNul, crLfNulVtFf;
};

void PrintTo(const Case& c, std::ostream* os) { *os << testing::PrintToString(c.text); }

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class OneLineRules : public testing::TestWithParam<Case> {};

TEST_P(OneLineRules, EveryBreakBecomesABlankAndNothingElseChanges) {
  const Case& c = GetParam();
  const struct {
    TLineBreaks rule;
    const std::string& expected;
  } rules[] = {{TLineBreaks::EachCrLfNul, c.eachCrLfNul},
               {TLineBreaks::CrLfNul, c.crLfNul},
               {TLineBreaks::CrLfNulVtFf, c.crLfNulVtFf}};
  for (const auto& r : rules) {
    EXPECT_EQ(OneLine(c.text, r.rule), r.expected) << static_cast<int>(r.rule);
    EXPECT_EQ(OneLine(Wide(c.text), r.rule), Wide(r.expected)) << static_cast<int>(r.rule);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, OneLineRules, testing::Values(
    Case{"", "", "", ""},
    Case{"a\tb  c", "a\tb  c", "a\tb  c", "a\tb  c"},
    Case{"a\r\nb", "a  b", "a b", "a b"},
    Case{"a\n\rb", "a  b", "a  b", "a  b"},          // LF CR is two breaks under every rule
    Case{"\r\r\n\n", "    ", "   ", "   "},
    Case{"x\r", "x ", "x ", "x "},                   // a CR at the very end
    Case{std::string("p\0q", 3), "p q", "p q", "p q"},
    Case{"v\vf\fz", "v\vf\fz", "v\vf\fz", "v f z"},
    Case{"caf\xC3\xA9\r\n\xE2\x82\xAC", "caf\xC3\xA9  \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC",
         "caf\xC3\xA9 \xE2\x82\xAC"}));

}  // namespace
