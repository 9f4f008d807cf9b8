// Symbolic links among the notes, as a sync tool carries them between Linux computers: a linked
// conflict copy is no copy, and a notes file leading to some other text is never written.
// Nothing is deleted, nothing written.
#include <gtest/gtest.h>

#include "app/ConflictMerge.h"
#include "app/Notes.h"
#include "app/win/FolderCopies.h"
#include "tests/win/NotesTestFiles.h"
#include "tests/win/support/NotesFileText.h"
#include "toolkit/win/FileStore.h"

namespace {

std::string Notes(const char* text) { return NotesFileText({{text, "", DefaultExposure}}); }

// The scratch folders' clean-up deletes through Windows calls, which would follow the links.
void RemoveLinks(const TScratchFolder& folder) { RunUnixScript("find '" + UnixPath(folder.Path()) + "' -type l -delete"); }

// Regression: a copy linked to notices.msg had the notes file deleted (every note lost), and one
// linked to a notes file elsewhere had that file's notes taken and the file deleted.
TEST(LinkedNotesOnDisk, ACopyThatIsALinkIsNeitherMergedNorDeleted) {
  TScratchFolder program, elsewhere;
  const std::string p = UnixPath(program.Path()), e = UnixPath(elsewhere.Path());
  if (p.empty()) GTEST_SKIP() << "needs Wine to make Unix links";
  ASSERT_TRUE(PutFile(program / L"notices.msg", Notes("mine")));
  ASSERT_TRUE(PutFile(elsewhere / L"far.msg", Notes("far")));
  const wchar_t* nearCopy = L"notices.sync-conflict-20261208-101010-ABCDEFG.msg";
  const wchar_t* farCopy = L"notices (conflicted copy 2026-12-08).msg";
  ASSERT_TRUE(RunUnixScript("cd '" + p + "' && ln -s notices.msg '" + Narrow(nearCopy) + "' && ln -s '" + e + "/far.msg' '" +
                            Narrow(farCopy) + "'"));
  TNoteList list(&SystemFileStore(), Narrow(program / L"notices.msg"));
  list.LoadNotes();
  TFolderCopies copies(list.NotesPath());
  TConflictMerge merge;
  EXPECT_FALSE(merge.MergeCopies(list, copies).Changed);
  ASSERT_EQ(list.NoteCount(), 1);
  EXPECT_EQ(GetFile(program / L"notices.msg"), Notes("mine"));
  EXPECT_EQ(GetFile(elsewhere / L"far.msg"), Notes("far"));
  EXPECT_EQ(GetFile(program / nearCopy), Notes("mine"));  // the links stay, leading where they did
  EXPECT_EQ(GetFile(program / farCopy), Notes("far"));
  RemoveLinks(program);
}

// Regression: notices.msg linked to a shell's start-up file was read as an empty list, a copy
// beside it merged, and the notes written into that file, where the shell ran them.
TEST(LinkedNotesOnDisk, NotesLinkedToAnotherTextFileAreNeitherTakenNorWritten) {
  TScratchFolder program, elsewhere;
  const std::string p = UnixPath(program.Path()), e = UnixPath(elsewhere.Path());
  if (p.empty()) GTEST_SKIP() << "needs Wine to make Unix links";
  const std::string profile = "# run by every shell\nexport PATH=$HOME/bin:$PATH\n";
  ASSERT_TRUE(PutFile(elsewhere / L"profile", profile));
  ASSERT_TRUE(RunUnixScript("ln -s '" + e + "/profile' '" + p + "/notices.msg'"));
  const std::wstring copy = program / L"notices.sync-conflict-20261208-101010-ABCDEFG.msg";
  const std::string theirs = Notes("$(touch ran)");
  ASSERT_TRUE(PutFile(copy, theirs));
  TNoteList list(&SystemFileStore(), Narrow(program / L"notices.msg"));
  list.LoadNotes();
  EXPECT_EQ(list.FileState(), TNoteList::TFileState::Refused);
  EXPECT_NE(list.RefusalText().find("notices.msg is not a notes file"), std::string::npos) << list.RefusalText();
  TFolderCopies copies(list.NotesPath());
  TConflictMerge merge;
  merge.MergeCopies(list, copies);  // reads the refused file again, and takes nothing
  EXPECT_EQ(list.FileState(), TNoteList::TFileState::Refused);
  EXPECT_EQ(list.NoteCount(), 0);
  EXPECT_FALSE(list.AppendNote({.Content = "new", .Exposure = 3000}));
  list.SaveNotes();
  EXPECT_EQ(GetFile(elsewhere / L"profile"), profile);
  EXPECT_EQ(GetFile(copy), theirs);
  EXPECT_EQ(program.Count(), 2);
  RemoveLinks(program);
}

}  // namespace
