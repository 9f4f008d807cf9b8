// Conflict copies that sync tools leave beside notices.msg: which names are copies, and how a
// copy goes into the list so that two computers merging it reach the same file.
#include <gtest/gtest.h>

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
  bool RemoveFile(const std::string& name) override { return store.Files.erase(kDir + name) == 1; }
  std::vector<std::string> Merge() { return merge.MergeCopies(list, *this).Messages; }
};

const std::string kSyncthing = "notices.sync-conflict-20261208-050443-VRIBUNP.msg";
const std::string kDropbox = "notices (Jane's conflicted copy 2026-12-08).msg";

struct MergeCase {
  const char* what;
  std::vector<std::string> file, copy, merged;
};

class MergeRule : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeRule, CopyNotesMissingFromTheFileFollowItsOwnAndTheCopyGoes) {
  const MergeCase& c = GetParam();
  TComputer a(FileOf(c.file), {{kSyncthing, FileOf(c.copy)}});
  EXPECT_TRUE(a.Merge().empty());
  EXPECT_EQ(a.store.Files[kFile], FileOf(c.merged));
  EXPECT_EQ(a.store.Files.count(kDir + kSyncthing), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergeRule, testing::Values(
    MergeCase{"copy adds", {"A", "B"}, {"A", "C", "B", "D"}, {"A", "B", "C", "D"}},
    MergeCase{"a note deleted here comes back", {"B"}, {"A", "B"}, {"B", "A"}},
    MergeCase{"nothing new", {"A", "B"}, {"B"}, {"A", "B"}},
    MergeCase{"repeats counted", {"A", "B"}, {"A", "A", "B", "B", "B"}, {"A", "B", "A", "B", "B"}},
    MergeCase{"empty file", {}, {"A", "A"}, {"A", "A"}}));

TEST(ConflictMerge, AnEditedNoteDiffersByAttachmentOrExposureToo) {
  TComputer a(FileOf({"A"}), {{kSyncthing, NotesFileText({{0, "A", "a.txt"}, {0, "A", "", 9000}})}});
  a.Merge();
  ASSERT_EQ(a.list.NoteCount(), 3);
  EXPECT_EQ(a.list.Notes(2).Attach, "a.txt");
  EXPECT_EQ(a.list.Notes(3).Exposure, 9000);
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
  EXPECT_EQ(a.store.Files[kFile], FileOf({"A", "B", "D", "C"}));  // Dropbox's name sorts first
}

TEST(ConflictMerge, CopiesThatCannotBeMergedStayAndAreNamedOnce) {
  TComputer a(FileOf(std::vector<std::string>(MaxNotes - 1, "n")),
              {{kSyncthing, FileOf({"X", "Y"})},
               {kDropbox, "just text"},
               {"notices_conflict-20261208-101010.msg", std::string(MaxNotesFileBytes + 1, ' ')},
               {"notices_conflict-20261208-000000.msg", ""},  // still being written: no word yet
               {"notices (copy).msg", FileOf({"mine"})}});
  EXPECT_EQ(a.Merge().size(), 3u);
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
