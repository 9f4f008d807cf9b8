// The link target rule: the kind's scheme is put in front of a caption unless the caption
// already contains it (in any capitals, anywhere); the caption's own text is never altered.
#include <gtest/gtest.h>

#include <string>

#include "components/links/LinkTarget.h"

namespace {

struct TargetCase {
  const char* name;
  TURLType type;
  std::string caption;
  std::string target;
};

std::ostream& operator<<(std::ostream& os, const TargetCase& c) { return os << c.name; }

class LinkTargetTest : public testing::TestWithParam<TargetCase> {};

TEST_P(LinkTargetTest, BuildsTheShellTarget) {
  const TargetCase& c = GetParam();
  EXPECT_EQ(BuildLinkTarget(c.caption, c.type), c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, LinkTargetTest,
    testing::Values(
        TargetCase{"WebAddressWithoutScheme", TURLType::utHTTP, "www.zettly.example.com",
                   "http://www.zettly.example.com"},
        TargetCase{"SchemeInCapitalsAtTheStartIsKeptAsTyped", TURLType::utHTTP, "HTTP://WWW.Zettly.Example.com",
                   "HTTP://WWW.Zettly.Example.com"},
        TargetCase{"SchemeInMixedCase", TURLType::utHTTP, "hTtP://zettly.example.com", "hTtP://zettly.example.com"},
        TargetCase{"SchemeInTheMiddle", TURLType::utHTTP, "see http://zettly.example.com/news",
                   "see http://zettly.example.com/news"},
        TargetCase{"SchemeAtTheVeryEnd", TURLType::utMailTo, "write to MAILTO:", "write to MAILTO:"},
        TargetCase{"IncompleteSchemeIsNotAScheme", TURLType::utHTTP, "http:/zettly.example.com",
                   "http://http:/zettly.example.com"},
        TargetCase{"PlainMailAddress", TURLType::utMailTo, "support@zettly.example.com",
                   "mailto:support@zettly.example.com"},
        TargetCase{"MailAddressWithScheme", TURLType::utMailTo, "MailTo:Support@Zettly.example.com",
                   "MailTo:Support@Zettly.example.com"},
        TargetCase{"AnotherKindsSchemeDoesNotCount", TURLType::utMailTo, "http://zettly.example.com",
                   "mailto:http://zettly.example.com"},
        TargetCase{"FtpHostWithoutScheme", TURLType::utFTP, "ftp.zettly.example.com", "ftp://ftp.zettly.example.com"},
        TargetCase{"FtpSchemeInCapitals", TURLType::utFTP, "FTP://ftp.zettly.example.com/pub",
                   "FTP://ftp.zettly.example.com/pub"},
        TargetCase{"EmptyCaptionGivesTheSchemeAlone", TURLType::utHTTP, "", "http://"},
        // Only A to Z fold: other characters pass through byte for byte.
        TargetCase{"NonAsciiCaptionKeptExactly", TURLType::utHTTP, "zettly.example.com/\xC3\x9C" "ber",
                   "http://zettly.example.com/\xC3\x9C" "ber"},
        TargetCase{"NonAsciiBeforeTheScheme", TURLType::utHTTP, "\xC3\x84 HTTP://zettly.example.com",
                   "\xC3\x84 HTTP://zettly.example.com"}),
    [](const testing::TestParamInfo<TargetCase>& info) { return std::string(info.param.name); });

TEST(LinkTargetKinds, KindsKeepTheirStoredOrderAndPrefixes) {
  EXPECT_EQ(static_cast<int>(TURLType::utHTTP), 0);
  EXPECT_EQ(static_cast<int>(TURLType::utFTP), 1);
  EXPECT_EQ(static_cast<int>(TURLType::utMailTo), 2);
  EXPECT_EQ(URLPrefix(TURLType::utHTTP), "http://");
  EXPECT_EQ(URLPrefix(TURLType::utFTP), "ftp://");
  EXPECT_EQ(URLPrefix(TURLType::utMailTo), "mailto:");
}

TEST(LinkTargetKinds, UnknownKindLeavesTheCaptionAlone) {
  EXPECT_EQ(BuildLinkTarget("zettly.example.com", static_cast<TURLType>(7)), "zettly.example.com");
}

}  // namespace
