// Conflict copies in a real folder: listed by the system's wildcard whatever letters their names
// hold, merged, and only they removed.
#include <gtest/gtest.h>

#include "app/Notes.h"
#include "app/ConflictMerge.h"
#include "app/win/FolderCopies.h"
#include "tests/win/NotesTestFiles.h"
#include "tests/win/support/NotesFileText.h"
#include "toolkit/win/FileStore.h"

namespace {

TEST(ConflictCopiesOnDisk, ACopyIsMergedAndRemovedAndNothingElseIsTouched) {
  TScratchFolder folder;
  const auto notes = [](const char* text) { return NotesFileText({{text, "", DefaultExposure}}); };
  ASSERT_TRUE(PutFile(folder / L"notices.msg", notes("mine")));
  const std::wstring copy = folder / L"notices (Zo\u00eb's conflicted copy 2026-12-08 (1)).msg";
  ASSERT_TRUE(PutFile(copy, notes("theirs")));
  ASSERT_TRUE(PutFile(folder / L"notices (copy).msg", notes("kept by the user")));
  ASSERT_TRUE(CreateDirectoryW((folder / L"notices_conflict-20261208-101010.msg").c_str(), nullptr));
  TNoteList list(&SystemFileStore(), Narrow(folder / L"notices.msg"));
  list.LoadNotes();
  TFolderCopies copies(list.NotesPath());
  TConflictMerge merge;
  EXPECT_TRUE(merge.MergeCopies(list, copies).Changed);
  ASSERT_EQ(list.NoteCount(), 2);
  EXPECT_EQ(list.Notes(2).Content, "theirs");
  EXPECT_NE(GetFile(folder / L"notices.msg").find("Content=theirs"), std::string::npos);
  EXPECT_FALSE(Exists(copy));
  EXPECT_TRUE(Exists(folder / L"notices (copy).msg"));
  EXPECT_TRUE(Exists(folder / L"notices_conflict-20261208-101010.msg"));
  EXPECT_FALSE(merge.MergeCopies(list, copies).Changed);  // nothing left to merge
}

}  // namespace
