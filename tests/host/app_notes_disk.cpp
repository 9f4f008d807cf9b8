// The notes file as a disk, a sync tool or another locale leaves it: gone for a moment, emptied,
// a link to nothing, written in the system's code page, or about to grow past what a read takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Notes.h"
#include "tests/host/FakeFileStore.h"
#include "tests/host/NotesFileText.h"
#include "toolkit/Exception.h"
#include "toolkit/IniDocument.h"

namespace {

const std::string kPath = "C:\\Zettly\\notices.msg";
const std::string kOther = "[Other]\r\nkept=yes\r\n";

class NotesOnDisk : public testing::Test {
 protected:
  NotesOnDisk() : list(&store, kPath) {}
  void LoadThree() {
    store.Files[kPath] = NotesFileText({{.Content = "a"}, {.Content = "b"}, {.Content = "c"}}) + kOther;
    list.LoadNotes();
    ASSERT_EQ(list.NoteCount(), 3);
  }
  std::string SaveMessage() {
    try {
      list.SaveNotes();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "saved";
  }
  TFakeFileStore store;
  TNoteList list;
};

// Regression: with the file moved aside or emptied, the next reload showed no notes and the next
// new note was saved as the only one, on screen and in the file.
TEST_F(NotesOnDisk, AFileGoneAfterItWasReadKeepsEveryNote) {
  const struct {
    const char* name;
    void (*disturb)(TFakeFileStore&);
  } cases[] = {
      {"moved away", [](TFakeFileStore& s) { s.Files.erase(kPath); }},
      {"emptied", [](TFakeFileStore& s) { s.Files[kPath].clear(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadThree();
    c.disturb(store);
    EXPECT_FALSE(list.ReloadIfChanged());
    EXPECT_EQ(list.NoteCount(), 3);
    ASSERT_TRUE(list.AppendNote({.Content = "milk", .Exposure = 3000}));
    EXPECT_EQ(SaveMessage(), "saved");
    const auto doc = *TIniDocument::FromBytes(store.Files[kPath]);
    EXPECT_EQ(doc.ReadString("General", "N", ""), "4");
    EXPECT_EQ(doc.ReadString("Note1", "Content", ""), "a");
    EXPECT_EQ(doc.ReadString("Note4", "Content", ""), "milk");
    EXPECT_EQ(doc.ReadString("Other", "kept", ""), "yes");
    // Once back, the file is read as usual.
    store.Files[kPath] = NotesFileText({{.Content = "z"}});
    EXPECT_TRUE(list.ReloadIfChanged());
    EXPECT_EQ(list.NoteCount(), 1);
  }
}

// A link whose target is not there yet (a drive, a synced folder) must stay the link: a save
// would put a plain file in its place, and the real notes would never be seen.
TEST_F(NotesOnDisk, ALinkToNothingIsNeverWrittenOver) {
  LoadThree();
  const std::string old = store.Files[kPath];
  store.Files.erase(kPath);
  store.LinksToNothing.insert(kPath);
  EXPECT_FALSE(list.ReloadIfChanged());
  list.AppendNote({.Content = "milk", .Exposure = 3000});
  const std::string said = SaveMessage();
  EXPECT_NE(said.find("is a link to a file that is not there now"), std::string::npos) << said;
  EXPECT_EQ(store.Files.count(kPath), 0u);
  EXPECT_TRUE(list.Unsaved());
  EXPECT_EQ(list.NoteCount(), 4);
  // The target is back: the change goes on top of it.
  store.LinksToNothing.clear();
  store.Files[kPath] = old;
  EXPECT_EQ(SaveMessage(), "saved");
  EXPECT_EQ(TIniDocument::FromBytes(store.Files[kPath])->ReadString("Note4", "Content", ""), "milk");

  // At start: said, and nothing can change until the target is there.
  TNoteList fresh(&store, kPath);
  store.Files.erase(kPath);
  store.LinksToNothing.insert(kPath);
  fresh.LoadNotes();
  EXPECT_EQ(fresh.FileState(), TNoteList::TFileState::Refused);
  EXPECT_NE(fresh.RefusalText().find("not connected yet"), std::string::npos) << fresh.RefusalText();
  EXPECT_FALSE(fresh.AppendNote({.Content = "x", .Exposure = 3000}));
  store.LinksToNothing.clear();
  store.Files[kPath] = old;
  EXPECT_TRUE(fresh.ReloadIfChanged());
  EXPECT_EQ(fresh.NoteCount(), 3);
}

// Regression: an older file was read as Windows-1252 whatever the system's language, and the
// next save wrote the mojibake for good.
TEST_F(NotesOnDisk, AnOlderFileInTheSystemsCodePageComesBackThroughASave) {
  store.CodePage = {1251};
  store.Files[kPath] = NotesFileText({{.Content = "\xCC\xEE\xEB\xEE\xEA\xEE"}});  // "Молоко" in Windows-1251
  list.LoadNotes();
  const std::string milk = "\xD0\x9C\xD0\xBE\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE";
  ASSERT_EQ(list.Notes(1).Content, milk);
  list.AppendNote({.Content = "bread", .Exposure = 3000});
  list.SaveNotes();
  store.CodePage = {1252};  // a file we wrote reads the same on any system
  list.LoadNotes();
  EXPECT_EQ(list.Notes(1).Content, milk);
  EXPECT_EQ(list.Notes(2).Content, "bread");
}

// Regression: a save could take the file past what every read takes (ASCII doubles in UTF-16);
// every later change failed and the next start showed no notes.
TEST_F(NotesOnDisk, ASaveThatCouldNotBeReadBackIsNotWritten) {
  std::vector<TNoteSection> notes(98, {.Content = std::string(22000, 'x')});  // 2.1 MB of ASCII
  store.Files[kPath] = NotesFileText(notes);
  list.LoadNotes();
  ASSERT_EQ(list.FileState(), TNoteList::TFileState::Read);
  const std::string old = store.Files[kPath];
  list.AppendNote({.Content = "caf\xC3\xA9", .Exposure = 3000});
  const std::string said = SaveMessage();
  EXPECT_NE(said.find("would take 4.2 MB"), std::string::npos) << said;
  EXPECT_NE(said.find("more than the 4 MB"), std::string::npos) << said;
  EXPECT_EQ(store.WriteCalls, 0);
  EXPECT_EQ(store.Files[kPath], old);
  EXPECT_TRUE(list.Unsaved());
}

}  // namespace
