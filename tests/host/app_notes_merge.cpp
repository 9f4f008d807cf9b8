// A notes file changed from outside while the program runs: reloaded when nothing is unsaved,
// and never written over blindly when something is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Notes.h"
#include "tests/host/FakeFileStore.h"
#include "tests/host/NotesFileText.h"

namespace {

const std::string kPath = "C:\\Zettly\\notices.msg";

std::string FileOf(const std::vector<std::string>& contents) {
  std::vector<TNoteSection> sections;
  for (const std::string& c : contents) sections.push_back({.Content = c});
  return NotesFileText(sections);
}

class OutsideChange : public testing::Test {
 protected:
  OutsideChange() : list(&store, kPath) {}
  void Start(const std::vector<std::string>& notes) {
    store.Files[kPath] = FileOf(notes);
    list.LoadNotes();
  }
  static std::vector<std::string> Contents(const TNoteList& l) {
    std::vector<std::string> out;
    for (int k = 1; k <= l.NoteCount(); ++k) out.push_back(l.Notes(k).Content);
    return out;
  }
  std::vector<std::string> OnDisk() {
    TNoteList reader(&store, kPath);
    reader.LoadNotes();
    return Contents(reader);
  }

  TFakeFileStore store;
  TNoteList list;
};

TEST_F(OutsideChange, WithNothingUnsavedTheFileIsReloaded) {
  Start({"A", "B"});
  EXPECT_FALSE(list.ReloadIfChanged());  // unchanged
  store.Files[kPath] = FileOf({"A", "B", "typed by hand"});
  EXPECT_TRUE(list.ReloadIfChanged());
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"A", "B", "typed by hand"}));
  EXPECT_EQ(store.WriteCalls, 0);
}

TEST_F(OutsideChange, ASaveMakesTheUnsavedChangesOnTopOfTheNewFile) {
  Start({"A", "B", "C"});
  store.ReadOnlyFolder = true;  // the changes stay unsaved for a while
  list.ReplaceNote(3, {.Content = "C2", .Attach = "c.txt", .Exposure = 5000});
  list.DeleteNote(1);
  list.AppendNote({.Content = "E", .Exposure = 3000});
  EXPECT_THROW(list.SaveNotes(), std::exception);
  store.ReadOnlyFolder = false;
  store.Files[kPath] = FileOf({"A", "B edited outside", "C", "D"});
  EXPECT_FALSE(list.ReloadIfChanged());  // unsaved changes are never reloaded away
  list.SaveNotes();
  const std::vector<std::string> expected{"B edited outside", "C2", "D", "E"};
  EXPECT_EQ(OnDisk(), expected);
  EXPECT_EQ(Contents(list), expected);
  EXPECT_EQ(list.Notes(2).Attach, "c.txt");
  EXPECT_EQ(list.Notes(2).Exposure, 5000);
}

TEST_F(OutsideChange, AnEditOfANoteGoneOutsideBecomesANewNoteAndItsDeletionDoesNothing) {
  Start({"A", "B", "C"});
  store.ReadOnlyFolder = true;
  list.ReplaceNote(2, {.Content = "B2", .Exposure = 3000});
  list.DeleteNote(3);  // C
  EXPECT_THROW(list.SaveNotes(), std::exception);
  store.ReadOnlyFolder = false;
  store.Files[kPath] = FileOf({"X", "A"});  // B and C removed, X put first, from outside
  list.SaveNotes();
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"X", "A", "B2"}));
}

TEST_F(OutsideChange, TrashAllRemovesOnlyTheNotesTheUserSaw) {
  Start({"A", "B"});
  store.Files[kPath] = FileOf({"A", "B", "new from the sync"});
  list.DeleteAllNotes();
  list.SaveNotes();
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"new from the sync"}));
}

TEST_F(OutsideChange, AFileReplacedByOneThatCannotBeCountedIsNotWrittenOver) {
  Start({"A"});
  list.AppendNote({.Content = "B", .Exposure = 3000});
  const std::string foreign = "[General]\r\nN=lots\r\n[Note1]\r\nContent=theirs\r\n";
  store.Files[kPath] = foreign;
  EXPECT_THROW(list.SaveNotes(), std::exception);
  EXPECT_EQ(store.Files[kPath], foreign);
  EXPECT_TRUE(list.Unsaved());
}

// Regression: a note typed while another program filled the file to 99 was dropped by the save
// without a word.
TEST_F(OutsideChange, ANewNoteTheChangedFileHasNoRoomForStaysUnsaved) {
  Start({"A"});
  list.AppendNote({.Content = "mine", .Exposure = 3000});
  const std::string full = FileOf(std::vector<std::string>(MaxNotes, "theirs"));
  store.Files[kPath] = full;
  EXPECT_THROW(list.SaveNotes(), std::exception);
  EXPECT_EQ(store.Files[kPath], full);
  EXPECT_TRUE(list.Unsaved());
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"A", "mine"}));
}

}  // namespace
