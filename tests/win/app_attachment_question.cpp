// The question before an attachment that would start a program, with the real files under Wine:
// under a Linux desktop's opener an executable file without an extension is asked about as well.
#include <gtest/gtest.h>

#include "app/win/AttachmentQuestion.h"
#include "tests/win/NotesTestFiles.h"
#include "tests/win/support/FakeSystem.h"

namespace {

// The starter names the desktop's opener to the program in this variable.
class WithDesktopOpener {
 public:
  explicit WithDesktopOpener(bool on) { SetEnvironmentVariableW(L"ZETTLY_DESKTOP_OPENER", on ? L"Z:\\bin\\true" : nullptr); }
  ~WithDesktopOpener() { SetEnvironmentVariableW(L"ZETTLY_DESKTOP_OPENER", nullptr); }
};

TEST(AttachmentQuestion, AsksBeforeWhatWouldRunAndNoRunsNothing) {
  TScratchFolder folder;
  const std::string f = UnixPath(folder.Path());
  if (f.empty()) GTEST_SKIP() << "needs Wine for Linux file modes";
  for (const wchar_t* name : {L"run", L"notes", L"notes.txt"}) ASSERT_TRUE(PutFile(folder / name, "#!/bin/sh\n"));
  ASSERT_TRUE(RunUnixScript("cd '" + f + "' && chmod 755 run notes.txt && chmod 644 notes"));
  const std::string run = Narrow(folder / L"run"), notes = Narrow(folder / L"notes");
  const struct {
    std::string target;
    bool desktop;
    const char* asked;  // a piece of the question, or nullptr when none is asked
  } cases[] = {
      {run, true, "may run it"},  // the desktop's opener tells a script by its content
      {run, false, nullptr},      // the shell opens a file without an extension as a document
      {notes, true, nullptr},
      {Narrow(folder / L"notes.txt"), true, nullptr},  // opened by its kind, executable or not
      {"file://" + f + "/run", true, "may run it"},
      {run + "\\.", true, "may run it"},
      {Narrow(folder / L"a.txt:b.exe"), false, "Opening it runs it"},
      {Narrow(folder / L"evil.bat\\."), false, "Opening it runs it"},
      {"ms-msdt:/id PCWDiagnostic", false, "\"ms-msdt:\" link, and opening it starts"},
      {"ms-msdt:/id PCWDiagnostic", true, "starts the program your desktop has for such links"},
      {"https://example.com/setup.exe", true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target + (c.desktop ? " (desktop)" : ""));
    WithDesktopOpener opener(c.desktop);
    WithFakeSystem system;
    system.box_answer = IDNO;
    EXPECT_EQ(AttachmentMayOpen(c.target, *Application), c.asked == nullptr);
    ASSERT_EQ(system.boxes.size(), c.asked ? 1u : 0u);
    if (!c.asked) continue;
    EXPECT_NE(Narrow(system.boxes[0].text).find(c.asked), std::string::npos) << Narrow(system.boxes[0].text);
    EXPECT_EQ(system.boxes[0].flags & MB_DEFBUTTON2, static_cast<UINT>(MB_DEFBUTTON2));  // No is the default
    system.boxes.clear();
    system.box_answer = IDYES;
    EXPECT_TRUE(AttachmentMayOpen(c.target, *Application));
  }
}

}  // namespace
