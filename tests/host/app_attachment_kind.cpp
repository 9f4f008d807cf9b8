// What an attachment would do, however the target is written: judged by the name the shell or
// the desktop's opener actually opens.
#include <gtest/gtest.h>

#include <ostream>

#include "app/AttachmentKind.h"

namespace {

using K = TAttachmentKind;

struct KindCase {
  const char* target;
  K kind;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << '[' << c.target << ']'; }

class AttachmentKind : public testing::TestWithParam<KindCase> {};

TEST_P(AttachmentKind, IsJudgedByWhatTheShellOpens) { EXPECT_EQ(KindOfAttachment(GetParam().target), GetParam().kind); }

INSTANTIATE_TEST_SUITE_P(Programs, AttachmentKind, testing::Values(
    KindCase{"C:\\x\\marker.exe", K::Program}, KindCase{"\"C:\\x\\marker.exe\"", K::Program},
    KindCase{"\"C:\\Program Files\\x\\marker.exe\" /s", K::Program}, KindCase{"C:\\x\\MARKER.ExE", K::Program},
    KindCase{"C:\\x\\marker.exe.", K::Program}, KindCase{"  C:\\x\\marker.exe . .", K::Program},
    KindCase{"C:\\x\\marker.exe::$DATA", K::Program}, KindCase{"cmd.exe", K::Program}, KindCase{"cmd", K::Program},
    KindCase{"\\\\server\\share\\setup.msi", K::Program}, KindCase{"D:/tools/run.ps1", K::Program},
    KindCase{"C:\\x\\desk.lnk", K::Program}, KindCase{"C:\\x\\site.URL", K::Program}, KindCase{"C:\\x\\app.appref-ms", K::Program},
    KindCase{"Z:\\home\\jane\\Tool.AppImage", K::Program}, KindCase{"Z:\\home\\jane\\setup.sh", K::Program},
    KindCase{"file:///C:/x/marker.exe", K::Program}, KindCase{"FILE:///C:/x/marker%2Eexe", K::Program},
    KindCase{"file://server/share/tool.cmd", K::Program}, KindCase{"file:///C:/x/marker.exe#notes.txt", K::Program}));

// Names that look like documents or folders until the shell reads them.
INSTANTIATE_TEST_SUITE_P(InDisguise, AttachmentKind, testing::Values(
    KindCase{"Z:\\home\\jane\\a.txt:b.exe", K::Program},  // a Linux name with a colon, run as .exe
    KindCase{"C:\\x\\evil.exe\\.", K::Program}, KindCase{"C:\\x\\evil.bat\\.", K::Program},
    KindCase{"C:\\x\\evil.exe\\", K::Program}, KindCase{"C:/x/evil.cmd//./", K::Program},
    KindCase{"C:\\x\\docs\\..\\evil.exe", K::Program}, KindCase{"C:\\x\\evil.exe\\. .", K::Program},
    KindCase{"file:///home/jane/evil\\x2eexe", K::Program},      // xdg-open decodes with printf
    KindCase{"file:///home/jane/evil\\056desktop", K::Program},  // octal
    KindCase{"file:///home/jane/evil.ex%se", K::Program},        // a conversion with no value
    KindCase{"file:///home/jane/evil.sh\\c.txt", K::Program},    // printf stops at \c
    KindCase{"Z:\\home\\jane\\a.exe:b", K::Program},
    KindCase{"C:\\x\\manual.chm", K::Program}, KindCase{"C:\\x\\setup.INF", K::Program},
    KindCase{"C:\\x\\tool.py", K::Program}, KindCase{"C:\\x\\saved.search-ms", K::Program},
    KindCase{"C:\\x\\lib.library-ms", K::Program}, KindCase{"C:\\x\\a.searchConnector-ms", K::Program},
    KindCase{"C:\\x\\disk.iso", K::Program}, KindCase{"C:\\x\\disk.vhd", K::Program},
    KindCase{"C:\\x\\add.xll", K::Program}, KindCase{"C:\\x\\x.sct", K::Program},
    KindCase{"C:\\x\\app.appinstaller", K::Program}, KindCase{"C:\\x\\old.hlp", K::Program}));

// Every scheme but the web's and mail's starts some program.
INSTANTIATE_TEST_SUITE_P(Links, AttachmentKind, testing::Values(
    KindCase{"ms-msdt:/id PCWDiagnostic /skip force", K::Link}, KindCase{"search-ms:query=x&crumb=location:\\\\h\\s", K::Link},
    KindCase{"ms-excel:ofe|u|https://example.com/a.xlsx", K::Link}, KindCase{"shell:startup", K::Link},
    KindCase{"\"MS-MSDT:x\"", K::Link}, KindCase{"  javascript:alert(1)", K::Link}, KindCase{"ftp://example.com/a", K::Link}));

INSTANTIATE_TEST_SUITE_P(Documents, AttachmentKind, testing::Values(
    KindCase{"C:\\Reports\\week.xls", K::Document}, KindCase{"\"C:\\Reports\\week.txt\"", K::Document},
    KindCase{"C:\\Reports\\", K::Document}, KindCase{"C:\\Reports", K::Document}, KindCase{"Reports\\", K::Document},
    KindCase{"C:\\x.exe\\notes.txt", K::Document}, KindCase{"C:\\x\\evil.exe\\..", K::Document},
    KindCase{"C:\\x\\archive.exe.txt", K::Document}, KindCase{"file:///home/jane/evil%5Cx2eexe", K::Document},
    KindCase{"file:///home/jane/evil%2esh%3Fx.txt", K::Document},
    KindCase{"https://example.com/setup.exe", K::Document}, KindCase{"HTTP://example.com", K::Document},
    KindCase{"mailto:me@example.com", K::Document}, KindCase{"file:///C:/Reports/week.pdf", K::Document},
    KindCase{"file:///home/jane/100%25%20sure.txt", K::Document}, KindCase{"C:", K::Document}, KindCase{"", K::Document}));

TEST(AttachmentKindList, ThePathExtListGivenIsTheOneUsed) {
  EXPECT_EQ(KindOfAttachment("C:\\x\\tool.pyc", ".COM;.EXE;.PYC"), K::Program);
  EXPECT_EQ(KindOfAttachment("C:\\x\\tool.pyc", "exe; pyc ;"), K::Program);
  EXPECT_EQ(KindOfAttachment("C:\\x\\tool.pyc"), K::Document);
  EXPECT_EQ(KindOfAttachment("C:\\x\\a.bat", ".EXE"), K::Document);
  EXPECT_EQ(KindOfAttachment("C:\\x\\a.lnk", ".EXE"), K::Program);  // the shell's own kinds whatever the list
}

// The names whose Linux file is looked at for an execute bit: each decoding of a URL, in the
// form the desktop's opener gets it.
TEST(ShellFileNames, GiveEachReadingWithWhetherItHasAnExtension) {
  const auto names = ShellFileNames("file:///home/jane/run%20me?x");
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].Path, "/home/jane/run me");
  EXPECT_FALSE(names[0].HasExtension);
  EXPECT_EQ(names[1].Path, "/home/jane/run me?x");
  const auto path = ShellFileNames("\"Z:\\home\\jane\\tools\\run\\.\"");
  ASSERT_EQ(path.size(), 1u);
  EXPECT_EQ(path[0].Path, "Z:\\home\\jane\\tools\\run");
  EXPECT_FALSE(path[0].HasExtension);
  EXPECT_FALSE(ShellFileNames("Z:\\home\\jane\\.profile")[0].HasExtension);
  EXPECT_TRUE(ShellFileNames("C:\\x\\week.xls")[0].HasExtension);
  EXPECT_TRUE(ShellFileNames("ms-msdt:/id x").empty());
  EXPECT_EQ(AddressScheme(" \"Search-MS:query=x\""), "Search-MS");
  EXPECT_EQ(AddressScheme("C:\\x"), "");
}

}  // namespace
