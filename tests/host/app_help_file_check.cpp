// Why the help would open as an empty page, and the mark of the web read from its stream.
#include <gtest/gtest.h>

#include <string>

#include "app/HelpFileCheck.h"

namespace {

TEST(HelpFileCheckTest, TheZoneIsReadFromTheTransferSectionOnly) {
  struct Case {
    const char* text;
    int zone;
  };
  const Case cases[] = {
      {"[ZoneTransfer]\r\nZoneId=3\r\n", 3},
      {"[ZoneTransfer]\r\nReferrerUrl=https://example.com/\r\nHostUrl=https://example.com/Zettly.zip\r\nZoneId=3", 3},
      {" [zonetransfer] \nzoneid = 4\n", 4},
      {"[ZoneTransfer]\r\nZoneId=2\r\n", 2},
      {"[Other]\r\nZoneId=3\r\n[ZoneTransfer]\r\n", -1},
      {"[ZoneTransfer]\r\nZoneId=x3\r\n", -1},
      {"", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(MarkedZone(c.text), c.zone) << c.text;
}

TEST(HelpFileCheckTest, EachReasonForAnEmptyPageIsNamedWithItsFolder) {
  EXPECT_EQ(HelpFileProblem("C:\\Tools\\Zettly\\help.chm", -1, false), "");
  EXPECT_EQ(HelpFileProblem("C:\\Tools\\Zettly\\help.chm", 2, false), "");  // the local intranet is shown
  const std::string marked = HelpFileProblem("C:\\Tools\\Zettly\\help.chm", 3, false);
  EXPECT_NE(marked.find("Unblock"), std::string::npos);
  EXPECT_NE(marked.find("C:\\Tools\\Zettly"), std::string::npos);
  EXPECT_NE(HelpFileProblem("\\\\server\\share\\Zettly\\help.chm", -1, false).find("network"), std::string::npos);
  EXPECT_NE(HelpFileProblem("Z:\\Zettly\\help.chm", -1, true).find("network"), std::string::npos);
  EXPECT_NE(HelpFileProblem("C:\\C#\\Zettly\\help.chm", -1, false).find("\"#\""), std::string::npos);
}

}  // namespace
