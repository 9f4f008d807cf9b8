// The hand-off to a Linux desktop's opener: a path arrives as one argument whatever it holds,
// addresses and programs are told from documents, and the opener's answer is read only once
// it is all there.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/DesktopOpener.h"

namespace {

TEST(QuoteArgument, GivesBackEveryCharacterUnderTheWindowsParsingRules) {
  EXPECT_EQ(QuoteArgument("plain"), "\"plain\"");
  EXPECT_EQ(QuoteArgument("My Docs/report 1 (final).txt"), "\"My Docs/report 1 (final).txt\"");
  // A % and a blank are no placeholder here.
  EXPECT_EQ(QuoteArgument("/tmp/100% 1"), "\"/tmp/100% 1\"");
  EXPECT_EQ(QuoteArgument("C:\\dir\\f.txt"), "\"C:\\dir\\f.txt\"");
  // A trailing backslash would otherwise escape the closing quote.
  EXPECT_EQ(QuoteArgument("C:\\dir\\"), "\"C:\\dir\\\\\"");
  EXPECT_EQ(QuoteArgument("say \"hi\""), "\"say \\\"hi\\\"\"");
  EXPECT_EQ(QuoteArgument("q\\\"r"), "\"q\\\\\\\"r\"");
  EXPECT_EQ(QuoteArgument(""), "\"\"");
}

TEST(IsAddress, TellsAddressesFromPaths) {
  for (const char* address : {"https://zettly.example.com", "mailto:me@example.com", "file:///tmp/a", "ftp://x"})
    EXPECT_TRUE(IsAddress(address)) << address;
  for (const char* path : {"C:\\Reports\\week.xls", "Z:\\home\\me\\a:b.txt", "report.txt", "\\\\server\\share\\a",
                           "1x:y", ""})
    EXPECT_FALSE(IsAddress(path)) << path;
}

TEST(IsWindowsProgram, KeepsProgramsAndShortcutsWithWine) {
  for (const char* program : {"C:\\setup.EXE", "run.bat", "Z:\\a\\Zettly.lnk", "x.msi"})
    EXPECT_TRUE(IsWindowsProgram(program)) << program;
  for (const char* document : {"report.txt", "notes.exe.txt", "C:\\exe", "week.xls"})
    EXPECT_FALSE(IsWindowsProgram(document)) << document;
}

TEST(ReadOpenerAnswer, WaitsForTheWholeLine) {
  EXPECT_FALSE(ReadOpenerAnswer("").Complete);
  EXPECT_FALSE(ReadOpenerAnswer("3 No program on this desk").Complete);
}

TEST(ReadOpenerAnswer, OpenedOnlyOnZero) {
  const TOpenerAnswer opened = ReadOpenerAnswer("0\n");
  EXPECT_TRUE(opened.Complete && opened.Opened);
  EXPECT_TRUE(ReadOpenerAnswer("0\r\n").Opened);
  const TOpenerAnswer failed = ReadOpenerAnswer("3 No program on this desktop opens it.\n");
  EXPECT_TRUE(failed.Complete);
  EXPECT_FALSE(failed.Opened);
  EXPECT_EQ(failed.Reason, "No program on this desktop opens it.");
  // "00" or garbage is no success either.
  EXPECT_FALSE(ReadOpenerAnswer("00\n").Opened);
}

TEST(ReadOpenerAnswer, AFailureWithoutWordsStillGivesAReason) {
  EXPECT_EQ(ReadOpenerAnswer("4\n").Reason, "The desktop's opener failed (4).");
  EXPECT_EQ(ReadOpenerAnswer("\n").Reason, "The desktop's opener failed.");
}

}  // namespace
