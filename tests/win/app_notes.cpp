// The note list saved through the real file store, checked with the platform's profile reader.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/Notes.h"
#include "tests/win/NotesTestFiles.h"
#include "tests/win/support/NotesFileText.h"
#include "toolkit/Exception.h"
#include "toolkit/win/FileStore.h"

namespace {

std::wstring PlatformString(const std::wstring& file, const std::wstring& section, const wchar_t* key) {
  wchar_t buffer[2048];
  const DWORD n = GetPrivateProfileStringW(section.c_str(), key, L"", buffer, 2048, file.c_str());
  return std::wstring(buffer, n);
}

TEST(NotesOnDisk, ThePlatformReadsBackEveryNoteWeSave) {
  const std::string pieces[] = {" ", "\"", "'", "=", ";", "[", "]", "x", "\\", "\xC3\xBC",
                                "\xE2\x82\xAC", "\xE4\xB8\xAD", "\xF0\x9F\x93\x8C", "\t"};
  std::mt19937 rng(3);
  for (const bool ascii : {true, false}) {
    TScratchFolder folder;  // each round a file of its own: a second save would go on top of the first
    TNoteList list(&SystemFileStore(), NotesPathIn(Narrow(folder.Path())));
    for (int k = 1; k <= MaxNotes; ++k) {
      std::string text[2];
      for (std::string& t : text) {
        const int n = std::uniform_int_distribution<int>(0, 200)(rng);
        for (int i = 0; i < n; ++i) t += pieces[rng() % (ascii ? 9 : std::size(pieces))];
      }
      ASSERT_TRUE(list.AppendNote({.Content = text[0], .Attach = text[1], .Exposure = static_cast<int32_t>(rng())}));
    }
    list.SaveNotes();
    const std::wstring file = folder / L"notices.msg";
    ASSERT_EQ(GetPrivateProfileIntW(L"General", L"N", -1, file.c_str()), MaxNotes);
    for (int k = 1; k <= MaxNotes; ++k) {
      const std::wstring section = L"Note" + std::to_wstring(k);
      ASSERT_EQ(PlatformString(file, section, L"Content"), Wide(list.Notes(k).Content)) << k;
      ASSERT_EQ(PlatformString(file, section, L"Attach"), Wide(list.Notes(k).Attach)) << k;
      ASSERT_EQ(static_cast<int32_t>(GetPrivateProfileIntW(section.c_str(), L"Exposure", 0, file.c_str())),
                list.Notes(k).Exposure) << k;
    }
    EXPECT_EQ(folder.Count(), 1);
  }
}

// Written the old way, key by key through the platform, the file loads exactly.
TEST(NotesOnDisk, AFileThePlatformWroteLoads) {
  TScratchFolder folder;
  const std::wstring file = folder / L"notices.msg";
  WritePrivateProfileStringW(L"General", L"N", L"2", file.c_str());
  WritePrivateProfileStringW(L"Note1", L"Content", L"Call the garage", file.c_str());
  WritePrivateProfileStringW(L"Note1", L"Attach", L"", file.c_str());
  WritePrivateProfileStringW(L"Note1", L"Exposure", L"5000", file.c_str());
  WritePrivateProfileStringW(L"Note2", L"Content", L"Caf\u00e9 \u20ac", file.c_str());
  WritePrivateProfileStringW(L"Note2", L"Attach", L"C:\\Reports\\week.xls", file.c_str());
  TNoteList list(&SystemFileStore(), Narrow(file));
  list.LoadNotes();
  ASSERT_EQ(list.NoteCount(), 2);
  EXPECT_EQ(list.Notes(1).Content, "Call the garage");
  EXPECT_EQ(list.Notes(1).Exposure, 5000);
  EXPECT_EQ(list.Notes(2).Content, "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(list.Notes(2).Attach, "C:\\Reports\\week.xls");
  EXPECT_EQ(list.Notes(2).Exposure, 3000);
}

// Regression: a save put a file of its own in place of a linked notices.msg and deleted the file
// the link led to, and it made a private file readable by everyone.
TEST(NotesOnDisk, ASaveGoesThroughLinksAndKeepsTheFilesMode) {
  TScratchFolder program, elsewhere, report;
  const std::string p = UnixPath(program.Path()), e = UnixPath(elsewhere.Path()), r = UnixPath(report.Path());
  if (p.empty()) GTEST_SKIP() << "needs Wine to make Unix links";
  ASSERT_TRUE(PutFile(elsewhere / L"real.msg", "[General]\r\nN=1\r\n[Note1]\r\nContent=old\r\n"));
  ASSERT_TRUE(RunUnixScript("chmod 600 '" + e + "/real.msg' && ln -s '" + e + "/real.msg' '" + e + "/hop.msg' && ln -s '" +
                            e + "/hop.msg' '" + p + "/notices.msg'"));
  TNoteList list(&SystemFileStore(), NotesPathIn(Narrow(program.Path())));
  list.LoadNotes();
  ASSERT_EQ(list.NoteCount(), 1);
  ASSERT_TRUE(list.AppendNote({.Content = "new", .Exposure = 3000}));
  list.SaveNotes();
  ASSERT_TRUE(RunUnixScript("{ readlink '" + p + "/notices.msg'; readlink '" + e + "/hop.msg'; stat -c %a '" + e +
                            "/real.msg'; ls -A '" + e + "'; ls -A '" + p + "'; } > '" + r + "/report.txt'"));
  // Both links as they were, the mode kept, and no file left beside either.
  EXPECT_EQ(GetFile(report / L"report.txt"),
            e + "/hop.msg\n" + e + "/real.msg\n600\nhop.msg\nreal.msg\nnotices.msg\n");
  EXPECT_EQ(GetFile(elsewhere / L"real.msg"), "[General]\r\nN=2\r\n[Note1]\r\nContent=old\r\nAttach=\r\nExposure=3000\r\n"
                                              "[Note2]\r\nContent=new\r\nAttach=\r\nExposure=3000\r\n");
}

TEST(NotesOnDisk, AReadOnlyProgramFolderRaisesAndLosesNothing) {
  TScratchFolder folder;
  const std::wstring file = folder / L"notices.msg";
  const std::string old = NotesFileText({{.content = "old", .exposure = 3000}});
  ASSERT_TRUE(PutFile(file, old));
  TNoteList list(&SystemFileStore(), NotesPathIn(Narrow(folder.Path())));
  list.LoadNotes();
  list.AppendNote({.Content = "new", .Exposure = 3000});
  TReadOnlyFolder readOnly(folder.Path());
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a folder read-only here";
  try {
    list.SaveNotes();
    ADD_FAILURE() << "the save went through";
  } catch (const Exception& e) {
    const std::string head = "Unable to write to " + Narrow(file) + "\n";
    EXPECT_EQ(e.Message().rfind(head, 0), 0u);
    EXPECT_GT(e.Message().size(), head.size());  // and the system's reason
  }
  EXPECT_EQ(GetFile(file), old);
  EXPECT_EQ(folder.Count(), 1);
}

}  // namespace
