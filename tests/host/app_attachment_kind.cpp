// Which attachments the shell would start as programs, however the target is written.
#include <gtest/gtest.h>

#include <ostream>

#include "app/AttachmentKind.h"

namespace {

struct KindCase {
  const char* target;
  bool runs;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << '[' << c.target << ']'; }

class AttachmentKind : public testing::TestWithParam<KindCase> {};

TEST_P(AttachmentKind, SaysWhetherTheShellRunsIt) { EXPECT_EQ(RunsAsProgram(GetParam().target), GetParam().runs); }

INSTANTIATE_TEST_SUITE_P(Programs, AttachmentKind, testing::Values(
    KindCase{"C:\\x\\marker.exe", true}, KindCase{"\"C:\\x\\marker.exe\"", true},
    KindCase{"\"C:\\Program Files\\x\\marker.exe\" /s", true}, KindCase{"C:\\x\\MARKER.ExE", true},
    KindCase{"C:\\x\\marker.exe.", true}, KindCase{"  C:\\x\\marker.exe . .", true},
    KindCase{"C:\\x\\marker.exe::$DATA", true}, KindCase{"cmd.exe", true}, KindCase{"cmd", true},
    KindCase{"\\\\server\\share\\setup.msi", true}, KindCase{"D:/tools/run.ps1", true},
    KindCase{"C:\\x\\desk.lnk", true}, KindCase{"C:\\x\\site.URL", true}, KindCase{"C:\\x\\app.appref-ms", true},
    KindCase{"Z:\\home\\jane\\Tool.AppImage", true}, KindCase{"Z:\\home\\jane\\setup.sh", true},
    KindCase{"file:///C:/x/marker.exe", true}, KindCase{"FILE:///C:/x/marker%2Eexe", true},
    KindCase{"file://server/share/tool.cmd", true}, KindCase{"file:///C:/x/marker.exe#notes.txt", true}));

INSTANTIATE_TEST_SUITE_P(Documents, AttachmentKind, testing::Values(
    KindCase{"C:\\Reports\\week.xls", false}, KindCase{"\"C:\\Reports\\week.txt\"", false},
    KindCase{"C:\\Reports\\", false}, KindCase{"C:\\Reports", false}, KindCase{"C:\\x.exe\\notes.txt", false},
    KindCase{"C:\\x\\archive.exe.txt", false}, KindCase{"https://example.com/setup.exe", false},
    KindCase{"mailto:me@example.com", false}, KindCase{"file:///C:/Reports/week.pdf", false}, KindCase{"", false}));

TEST(AttachmentKindList, ThePathExtListGivenIsTheOneUsed) {
  EXPECT_TRUE(RunsAsProgram("C:\\x\\tool.py", ".COM;.EXE;.PY"));
  EXPECT_TRUE(RunsAsProgram("C:\\x\\tool.py", "exe; py ;"));
  EXPECT_FALSE(RunsAsProgram("C:\\x\\tool.py"));
  EXPECT_FALSE(RunsAsProgram("C:\\x\\a.bat", ".EXE"));
  EXPECT_TRUE(RunsAsProgram("C:\\x\\a.lnk", ".EXE"));  // the shell's own kinds whatever the list
}

}  // namespace
