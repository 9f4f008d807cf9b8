// Conflict copies that sync tools leave beside notices.msg: which names are copies, and how a
// copy goes into the list so that two computers merging it reach the same file.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/ConflictCopyName.h"
#include "app/ConflictMerge.h"
#include "tests/host/FakeFileStore.h"
#include "tests/host/NotesFileText.h"

namespace {

TEST(ConflictCopyName, TheToolsOwnNamesAreCopies) {
  for (const char* name : {
           "notices.sync-conflict-20261208-050443-VRIBUNP.msg",  // Syncthing
           "notices.sync-conflict-20150810-120000.msg",          // Syncthing before device ids
           "notices (conflicted copy 2026-12-08 101010).msg",    // Nextcloud
           "notices (conflicted copy Jane Doe 2026-12-08 101010).msg",
           "notices_conflict-20261208-101010.msg",               // ownCloud
           "notices (Jane's conflicted copy 2026-12-08).msg",    // Dropbox
           "notices (Jane's conflicted copy 2026-12-08 (1)).msg",
           "notices (Jane's conflicted copy 2026-12-08 (12)).msg",
           "NOTICES.sync-conflict-20261208-050443-VRIBUNP.MSG",  // the system ignores the case
       })
    EXPECT_TRUE(IsConflictCopyName("notices.msg", name)) << name;
}

TEST(ConflictCopyName, NearMissesAndTheToolsTemporaryFilesAreNot) {
  for (const char* name : {
           "notices.msg", "notices (copy).msg", "notices.old.msg", "notices (2).msg", "notices.msg.bak",
           "notices.sync-conflict-2026128-050443-VRIBUNP.msg",    // a digit short
           "notices.sync-conflict-20261208-050443-vribunp.msg",   // ids are upper case
           "notices.sync-conflict-20261208-050443-VRIBUNP.txt",   // another file's copy
           "other.sync-conflict-20261208-050443-VRIBUNP.msg",
           "notices (conflicted copy 2026-12-08).msg",            // Nextcloud always gives the time
           "notices (conflicted copy (Jane) 2026-12-08 101010).msg",
           "notices (Jane conflicted copy 2026-12-08).msg",
           "notices (Jane's conflicted copy 2026-12-08 (x)).msg",
           "notices_conflict-20261208.msg",
           ".syncthing.notices.msg.tmp", "~syncthing~notices.msg.tmp", ".~lock.notices.msg#",
           "notices.msg.part", ".notices.msg.~3f2a", "notices.msg.1a2b-3c-4d.tmp",
       })
    EXPECT_FALSE(IsConflictCopyName("notices.msg", name)) << name;
}

TEST(ConflictCopyName, OneDrivesNamesAreCopiesOnlyInsideAOneDriveFolder) {
  for (const char* name : {"notices-DESKTOP-7QK2M1.msg", "notices-LAPTOP.msg", "notices-LAPTOP-1.msg", "notices-PC-12.msg"}) {
    EXPECT_TRUE(IsConflictCopyName("notices.msg", name, true)) << name;
    EXPECT_FALSE(IsConflictCopyName("notices.msg", name, false)) << name;
  }
  for (const char* name : {"notices-.msg", "notices--PC.msg", "notices-PC-.msg", "notices-my notes.msg",
                           "notices-A-VERY-LONG-COMPUTER-NAME.msg", "notices (copy).msg"})
    EXPECT_FALSE(IsConflictCopyName("notices.msg", name, true)) << name;
  const std::vector<std::string> roots{"C:\\Users\\jane\\OneDrive", "", "D:\\Work\\OneDrive - Contoso\\"};
  EXPECT_TRUE(IsInOneDriveFolder("c:\\users\\JANE\\onedrive\\Zettly\\", roots));
  EXPECT_TRUE(IsInOneDriveFolder("D:\\Work\\OneDrive - Contoso\\", roots));
  EXPECT_FALSE(IsInOneDriveFolder("C:\\Users\\jane\\OneDriveBackup\\Zettly\\", roots));
  EXPECT_FALSE(IsInOneDriveFolder("C:\\Zettly\\", roots));
  EXPECT_FALSE(IsInOneDriveFolder("C:\\Zettly\\", {}));
}

TEST(ConflictCopyName, CopiesComeInTheOrderOfTheirNames) {
  EXPECT_EQ(ConflictCopyNames("notices.msg", {"notices_conflict-20261208-101010.msg", "Zettly.exe",
                                              "notices (Jane's conflicted copy 2026-12-08).msg",
                                              "notices (copy).msg"}),
            (std::vector<std::string>{"notices (Jane's conflicted copy 2026-12-08).msg",
                                      "notices_conflict-20261208-101010.msg"}));
}

const std::string kDir = "C:\\Zettly\\";
const std::string kFile = kDir + "notices.msg";

std::string FileOf(const std::vector<std::string>& notes) {
  std::vector<TNoteSection> sections;
  for (const std::string& text : notes) sections.push_back({0, text});
  return NotesFileText(sections);
}

// One computer: its folder on the fake store, its list, its merge.
struct TComputer : TCopyFolder {
  TFakeFileStore store;
  TNoteList list{&store, kFile};
  TConflictMerge merge;
  TComputer(const std::string& file, const std::vector<std::pair<std::string, std::string>>& copies) {
    store.Files[kFile] = file;
    for (const auto& [name, bytes] : copies) store.Files[kDir + name] = bytes;
    list.LoadNotes();
  }
  std::vector<std::string> FileNames() override {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : store.Files) names.push_back(path.substr(kDir.size()));
    return names;
  }
  bool RemoveFile(const std::string& name) override {
    return !readOnly.count(name) && store.Files.erase(kDir + name) == 1;
  }
  std::vector<std::string> Merge() { return merge.MergeCopies(list, *this).Messages; }
  std::set<std::string> readOnly;  // copies that cannot be deleted
};

const std::string kSyncthing = "notices.sync-conflict-20261208-050443-VRIBUNP.msg";
const std::string kDropbox = "notices (Jane's conflicted copy 2026-12-08).msg";

struct MergeCase {
  const char* what;
  std::vector<std::string> file, copy, merged;
};

class MergeRule : public testing::TestWithParam<MergeCase> {};

// Files without Ids (an older version's): equal notes are the same note, a note one side alone
// holds follows the note before it there.
TEST_P(MergeRule, CopyNotesGoInAfterTheNoteBeforeThemAndTheCopyGoes) {
  const MergeCase& c = GetParam();
  TComputer a(FileOf(c.file), {{kSyncthing, FileOf(c.copy)}});
  EXPECT_TRUE(a.Merge().empty());
  EXPECT_EQ(a.list.NoteCount(), static_cast<int32_t>(c.merged.size()));
  for (int k = 1; k <= std::min<int>(a.list.NoteCount(), static_cast<int>(c.merged.size())); ++k)
    EXPECT_EQ(a.list.Notes(k).Content, c.merged[k - 1]) << k;
  EXPECT_EQ(a.store.Files.count(kDir + kSyncthing), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergeRule, testing::Values(
    MergeCase{"copy adds", {"A", "B"}, {"A", "C", "B", "D"}, {"A", "C", "B", "D"}},
    MergeCase{"a note deleted by an older version comes back", {"B"}, {"A", "B"}, {"A", "B"}},
    MergeCase{"nothing new", {"A", "B"}, {"B"}, {"A", "B"}},
    MergeCase{"repeats counted", {"A", "B"}, {"A", "A", "B", "B", "B"}, {"A", "A", "B", "B", "B"}},
    MergeCase{"empty file", {}, {"A", "A"}, {"A", "A"}}));

TEST(ConflictMerge, AnEditedNoteDiffersByAttachmentOrExposureToo) {
  TComputer a(FileOf({"A"}), {{kSyncthing, NotesFileText({{0, "A", "a.txt"}, {0, "A", "", 9000}})}});
  a.Merge();
  ASSERT_EQ(a.list.NoteCount(), 3);
  std::vector<std::string> forms;
  for (int k = 1; k <= 3; ++k) forms.push_back(a.list.Notes(k).Attach + "/" + std::to_string(a.list.Notes(k).Exposure));
  std::sort(forms.begin(), forms.end());
  EXPECT_EQ(forms, (std::vector<std::string>{"/3000", "/9000", "a.txt/3000"}));
}

TEST(ConflictMerge, BothComputersWriteTheSameBytesWhateverTheirListsHeldBefore) {
  const std::string file = FileOf({"A", "B"});
  const std::vector<std::pair<std::string, std::string>> copies{{kSyncthing, FileOf({"A", "C"})},
                                                                {kDropbox, FileOf({"D", "C"})}};
  TComputer a(file, copies), b(FileOf({"old"}), copies);
  b.store.Files[kFile] = file;  // B's list is behind its file: the merge goes into the file
  a.Merge();
  b.Merge();
  EXPECT_EQ(a.store.Files, b.store.Files);
  std::vector<std::string> contents;
  for (int k = 1; k <= a.list.NoteCount(); ++k) contents.push_back(a.list.Notes(k).Content);
  std::sort(contents.begin(), contents.end());
  EXPECT_EQ(contents, (std::vector<std::string>{"A", "B", "C", "D"}));
}

TEST(ConflictMerge, CopiesThatCannotBeMergedStayAndAreNamedOnce) {
  TComputer a(FileOf(std::vector<std::string>(MaxNotes - 1, "n")),
              {{kSyncthing, FileOf({"X", "Y"})},
               {kDropbox, "just text"},
               {"notices_conflict-20261208-101010.msg", std::string(MaxNotesFileBytes + 1, ' ')},
               {"notices_conflict-20261208-000000.msg", ""},  // still being written: no word yet
               {"notices (copy).msg", FileOf({"mine"})}});
  const std::vector<std::string> messages = a.Merge();
  ASSERT_EQ(messages.size(), 3u);
  for (const std::string& name : {kSyncthing, kDropbox, std::string("notices_conflict-20261208-101010.msg")})
    EXPECT_NE(OneMessage(messages).find(name), std::string::npos) << name;  // all in one box
  EXPECT_TRUE(a.Merge().empty());  // not again on the next folder event
  EXPECT_EQ(a.store.Files.size(), 6u);
  EXPECT_EQ(a.list.NoteCount(), MaxNotes - 1);
  EXPECT_EQ(a.store.WriteCalls, 0);
  a.list.DeleteNote(1);
  a.list.DeleteNote(1);
  a.list.SaveNotes();
  a.Merge();
  EXPECT_EQ(a.list.NoteCount(), MaxNotes - 1);
  EXPECT_EQ(a.store.Files.count(kDir + kSyncthing), 0u);
}

// Regression: a read-only copy (Syncthing carries a file's mode) was merged again after every
// save, so a note trashed since came straight back, with no word.
TEST(ConflictMerge, ACopyThatCannotBeDeletedIsMergedOnceNamedOnceAndGivesNothingBack) {
  TComputer a(FileOf({"A", "B"}), {{kSyncthing, FileOf({"A", "B", "C"})}});
  a.list.SetDeviceTag("pc");
  a.readOnly.insert(kSyncthing);
  ASSERT_EQ(a.Merge().size(), 1u);
  ASSERT_EQ(a.list.NoteCount(), 3);
  a.list.DeleteNote(3);  // C
  a.list.ReplaceNote(1, {.Content = "A, edited", .Exposure = 3000});
  a.list.SaveNotes();
  const int writes = a.store.WriteCalls;
  EXPECT_TRUE(a.Merge().empty());
  EXPECT_EQ(a.store.WriteCalls, writes);
  TComputer restarted(a.store.Files[kFile], {{kSyncthing, a.store.Files[kDir + kSyncthing]}});
  restarted.readOnly.insert(kSyncthing);
  restarted.Merge();  // a new run merges it again: the versions keep what happened since
  ASSERT_EQ(restarted.list.NoteCount(), 2);
  EXPECT_EQ(restarted.list.Notes(1).Content, "A, edited");
  EXPECT_EQ(restarted.list.Notes(2).Content, "B");
}

// Regression: a copy cut off in the middle of a note added a cut note and an empty one, and
// was deleted.
TEST(ConflictMerge, ACopyCutInTheMiddleOfANoteIsMergedOnceWhole) {
  const std::string whole = FileOf({"A", "X", "Y"});
  TComputer a(FileOf({"A"}), {{kSyncthing, whole.substr(0, whole.find("Content=Y") + 6)}});
  EXPECT_TRUE(a.Merge().empty());  // being written: no word yet
  EXPECT_EQ(a.Merge().size(), 1u);  // still so at the next look: named
  EXPECT_EQ(a.list.NoteCount(), 1);
  a.store.Files[kDir + kSyncthing] = whole;
  EXPECT_TRUE(a.Merge().empty());
  EXPECT_EQ(a.list.NoteCount(), 3);
  EXPECT_EQ(a.store.Files.count(kDir + kSyncthing), 0u);
}

TEST(ConflictMerge, ACopyIsKeptWhenTheMergedFileCannotBeSaved) {
  TComputer a(FileOf({"A"}), {{kSyncthing, FileOf({"B"})}});
  a.store.ReadOnlyFolder = true;
  EXPECT_EQ(a.Merge().size(), 1u);
  EXPECT_EQ(a.store.Files.count(kDir + kSyncthing), 1u);
  EXPECT_TRUE(a.list.Unsaved());
}

TEST(ConflictMerge, NothingIsMergedWhileTheNotesFileIsMissing) {
  TComputer a(FileOf({"A"}), {{kSyncthing, FileOf({"B"})}});
  a.store.Files.erase(kFile);  // moved aside by the sync tool, the other side's not in place yet
  a.Merge();
  EXPECT_EQ(a.store.Files.count(kDir + kSyncthing), 1u);
  EXPECT_EQ(a.store.WriteCalls, 0);
}

}  // namespace
