// Loading and saving the note list through a file store: layout, defaults, hostile files and
// every way a save can fail.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/Notes.h"
#include "tests/host/FakeFileStore.h"
#include "tests/host/NotesFileText.h"
#include "tests/host/Utf16Bytes.h"
#include "toolkit/Exception.h"
#include "toolkit/IniDocument.h"

using namespace std::string_view_literals;

namespace {

const std::string kPath = "C:\\Zettly\\notices.msg";

class NotesFile : public testing::Test {
 protected:
  NotesFile() : list(&store, kPath) {}
  void Load(const std::string& bytes) {
    store.Files[kPath] = bytes;
    list.LoadNotes();
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

TEST_F(NotesFile, WritesTheDocumentedLayoutByteForByte) {
  list.AppendNote({.Content = "Call the garage", .Exposure = 5000});
  list.AppendNote({.Content = "Backup at noon", .Attach = "C:\\Reports\\week.xls", .Exposure = 3000});
  list.SaveNotes();
  EXPECT_EQ(store.Files[kPath],
            "[General]\r\nN=2\r\n[Note1]\r\nContent=Call the garage\r\nAttach=\r\nExposure=5000\r\n"
            "[Note2]\r\nContent=Backup at noon\r\nAttach=C:\\Reports\\week.xls\r\nExposure=3000\r\n");
  EXPECT_EQ(store.WriteCalls, 1);
}

TEST_F(NotesFile, NoFileIsAnEmptyList) {
  list.AppendNote({.Content = "stale", .Exposure = 1});
  list.LoadNotes();
  EXPECT_EQ(list.NoteCount(), 0);
  EXPECT_FALSE(list.Notes(1).Used);
}

TEST_F(NotesFile, MissingSectionsAndKeysGetTheirDefaults) {
  Load("[General]\r\nN=3\r\n[Note1]\r\nContent=one\r\nExposure=soon\r\n[Note3]\r\nExposure=0x1F40\r\n");
  ASSERT_EQ(list.NoteCount(), 3);
  EXPECT_EQ(list.Notes(1).Exposure, 3000);
  EXPECT_EQ(list.Notes(2).Content, "");
  EXPECT_EQ(list.Notes(2).Attach, "");
  EXPECT_EQ(list.Notes(2).Exposure, 3000);
  EXPECT_TRUE(list.Notes(2).Used);
  EXPECT_EQ(list.Notes(3).Exposure, 8000);
}

TEST_F(NotesFile, TheCountStaysWithinTheTable) {
  const struct {
    const char* n;
    int expected;
  } cases[] = {{"150", 0}, {"0x7FFFFFFF", 0}, {"-1", 0}, {"-2147483648", 0}, {"many", 0},
               {"", 0}, {"0x3", 3}, {"\"2\"", 2}};
  for (const auto& c : cases) {
    Load(std::string("[General]\r\nN=") + c.n + "\r\n");
    EXPECT_EQ(list.NoteCount(), c.expected) << c.n;
    if (c.expected) EXPECT_TRUE(list.Notes(c.expected).Used);
  }
}

// A notes file whose N says `n`, with a note section for each of `numbers`.
std::string FileWithSections(const std::string& n, const std::vector<int>& numbers) {
  std::vector<TNoteSection> sections;
  for (int k : numbers) sections.push_back({.Number = k, .Content = "c" + std::to_string(k)});
  return NotesFileText(sections, n);
}
std::vector<int> Numbers(int from, int to) {
  std::vector<int> v;
  for (int k = from; k <= to; ++k) v.push_back(k);
  return v;
}

// Regression: a count above the table was cut to 99 and the file counted as read, so the first
// save dropped every note past the 99th.
TEST_F(NotesFile, AFileWithMoreNotesThanTheTableIsShownButNeverWritten) {
  for (int n : {100, 150, 1000}) {
    SCOPED_TRACE(n);
    const std::string original = FileWithSections(std::to_string(n), Numbers(1, n));
    store.WriteCalls = 0;
    Load(original);
    EXPECT_EQ(list.FileState(), TNoteList::TFileState::Refused);
    EXPECT_NE(list.RefusalText().find("holds " + std::to_string(n) + " notes, more than the 99"), std::string::npos)
        << list.RefusalText();
    ASSERT_EQ(list.NoteCount(), MaxNotes);  // what fits is shown
    EXPECT_EQ(list.Notes(MaxNotes).Content, "c99");
    list.DeleteNote(1);  // Trash
    EXPECT_FALSE(list.AppendNote({.Content = "new", .Exposure = 3000}));
    list.DeleteAllNotes();
    EXPECT_EQ(list.NoteCount(), MaxNotes);
    list.SaveNotes();  // Exit
    EXPECT_EQ(store.WriteCalls, 0);
    EXPECT_EQ(store.Files[kPath], original);
  }
}

// A count above the table over fewer sections: the notes that are there, and nothing that is in
// the file lost by a save. A section above the count is a leftover, as it is below the table.
TEST_F(NotesFile, ACountAboveTheTableOverFewerSectionsIsTheSectionsThere) {
  Load(FileWithSections("1000", {1, 2, 4, 5, 2000}));
  EXPECT_EQ(list.FileState(), TNoteList::TFileState::Read);
  ASSERT_EQ(list.NoteCount(), 5);
  EXPECT_EQ(list.Notes(3).Content, "");  // a gap reads as an empty note, as below the table
  EXPECT_EQ(list.Notes(5).Content, "c5");
  list.DeleteNote(1);
  list.SaveNotes();
  const auto doc = *TIniDocument::FromBytes(store.Files[kPath]);
  EXPECT_EQ(doc.ReadInteger("General", "N", 0), 4);
  EXPECT_EQ(doc.ReadString("Note1", "Content", ""), "c2");
  EXPECT_EQ(doc.ReadString("Note4", "Content", ""), "c5");

  Load(FileWithSections("150", {1, 2, 120}));  // note 120 is one the table cannot hold
  EXPECT_EQ(list.FileState(), TNoteList::TFileState::Refused);
  EXPECT_EQ(list.Notes(2).Content, "c2");
  Load(FileWithSections("0x7FFFFFFF", {}));
  EXPECT_EQ(list.FileState(), TNoteList::TFileState::Read);
  EXPECT_EQ(list.NoteCount(), 0);
}

// A save on top of a file that meanwhile grew past the table refuses, as a start would.
TEST_F(NotesFile, ASaveOnTopOfAFileGrownPastTheTableIsRefused) {
  Load(FileWithSections("1", {1}));
  list.AppendNote({.Content = "mine", .Exposure = 3000});
  const std::string grown = FileWithSections("120", Numbers(1, 120));
  store.Files[kPath] = grown;
  EXPECT_NE(SaveMessage().find("now holds more notes than Zettly can keep"), std::string::npos);
  EXPECT_EQ(store.Files[kPath], grown);
  EXPECT_TRUE(list.Unsaved());
}

TEST_F(NotesFile, UnknownLinesSurviveASaveButTheSectionsOfDeletedNotesGo) {
  std::vector<TNoteSection> sections;
  for (int k = 1; k <= 5; ++k) sections.push_back({.Content = "c" + std::to_string(k), .More = "Colour=red\r\n"});
  std::string file = "; mine\r\n" + NotesFileText(sections) + "[ note05 ]\r\nKept=yes\r\n[Other]\r\nKey=1\r\n";
  file.insert(file.find("[Note1]"), "Theme=dark\r\n");
  store.Files[kPath] = file;
  list.LoadNotes();
  list.DeleteNote(2);
  list.DeleteNote(4);  // the former note 5
  list.SaveNotes();
  const auto doc = *TIniDocument::FromBytes(store.Files[kPath]);
  EXPECT_EQ(doc.ReadInteger("General", "N", 0), 3);
  EXPECT_EQ(doc.ReadString("General", "Theme", ""), "dark");
  EXPECT_EQ(doc.ReadString("Note2", "Content", ""), "c3");
  EXPECT_EQ(doc.ReadString("Note3", "Content", ""), "c4");
  EXPECT_EQ(doc.ReadString("Note3", "Colour", ""), "red");
  EXPECT_EQ(store.Files[kPath].find("c5"), std::string::npos);  // a deleted note's text lingers nowhere
  EXPECT_EQ(doc.FindString("Note4", "Colour"), std::nullopt);
  EXPECT_EQ(doc.ReadString("note05", "Kept", ""), "yes");  // not a note's section
  EXPECT_EQ(doc.ReadString("Other", "Key", ""), "1");
  EXPECT_TRUE(store.Files[kPath].starts_with("; mine\r\n[General]\r\nN=3\r\nTheme=dark\r\n"));
  list.LoadNotes();
  EXPECT_EQ(list.NoteCount(), 3);
}

// Regression: a start and an exit without a change rewrote the file, cutting long values,
// turning lone line ends into CR LF and mangling what it could not decode.
TEST_F(NotesFile, AFileIsWrittenOnlyWhenTheListChanged) {
  const std::string original = "[General]\nN=2\r[Note1]\nContent=" + std::string(100000, 'x') +
                               "\n[Note2]\nContent=a\x81\x8D\n";
  Load(original);
  EXPECT_FALSE(list.Unsaved());
  list.SaveNotes();
  list.DeleteNote(7);  // no such note: no change
  list.SaveNotes();
  EXPECT_EQ(store.WriteCalls, 0);
  EXPECT_EQ(store.Files[kPath], original);
  list.DeleteNote(2);
  EXPECT_TRUE(list.Unsaved());
  list.SaveNotes();
  EXPECT_FALSE(list.Unsaved());
  EXPECT_EQ(store.WriteCalls, 1);
}

// Regression: a pasted line break used to write a [Note1] of its own into the file.
TEST_F(NotesFile, ANoteCannotRewriteAnotherNote) {
  list.AppendNote({.Content = "mine", .Exposure = 3000});
  list.AppendNote({.Content = "x\r\n[Note1]\r\nContent=evil", .Attach = "\n[General]\nN=0", .Exposure = 3000});
  list.SaveNotes();
  list.LoadNotes();
  ASSERT_EQ(list.NoteCount(), 2);
  EXPECT_EQ(list.Notes(1).Content, "mine");
  EXPECT_EQ(list.Notes(2).Content, "x [Note1] Content=evil");
}

// Every note a user can type comes back exactly: blanks and quotes at the ends, "=", ";",
// brackets, any script, 200 characters.
TEST_F(NotesFile, RandomNotesComeBackExactly) {
  const std::string pieces[] = {" ", "\"", "'", "=", ";", "[", "]", "x", "Q", "7", "\\", "\t", "\x1A",
                                "\xC2\xA0", "\xC3\xBC", "\xD0\x96", "\xE2\x82\xAC", "\xF0\x9F\x93\x8C"};
  std::mt19937 rng(7);
  for (int round = 0; round < 60; ++round) {
    store.Files.erase(kPath);
    TNoteList fresh(&store, kPath);
    const int count = std::uniform_int_distribution<int>(0, MaxNotes)(rng);
    for (int k = 0; k < count; ++k) {
      std::string text[2];
      for (std::string& t : text) {
        const int n = std::uniform_int_distribution<int>(0, 200)(rng);
        for (int i = 0; i < n; ++i) t += pieces[rng() % std::size(pieces)];
      }
      fresh.AppendNote({.Content = text[0], .Attach = text[1], .Exposure = static_cast<int32_t>(rng())});
    }
    fresh.SaveNotes();
    list.LoadNotes();
    ASSERT_EQ(list.NoteCount(), count);
    for (int k = 1; k <= count; ++k) {
      ASSERT_EQ(list.Notes(k).Content, fresh.Notes(k).Content) << "round " << round << " note " << k;
      ASSERT_EQ(list.Notes(k).Attach, fresh.Notes(k).Attach);
      ASSERT_EQ(list.Notes(k).Exposure, fresh.Notes(k).Exposure);
    }
  }
}

TEST_F(NotesFile, UnicodeNotesAreSavedAsUtf16AndOldAnsiFilesStillLoad) {
  list.AppendNote({.Content = "\xCE\xB1\xCE\xB2 \xE4\xB8\xAD", .Exposure = 3000});
  list.SaveNotes();
  EXPECT_TRUE(store.Files[kPath].starts_with("\xFF\xFE[\0G\0"sv));
  Load(NotesFileText({{.Content = "Caf\xE9 \x80"}}));
  EXPECT_EQ(list.Notes(1).Content, "Caf\xC3\xA9 \xE2\x82\xAC");
}

// Regression: a note longer than the reading limit was cut to 2047 characters by the next save
// of any other note.
TEST_F(NotesFile, ALongNoteSurvivesASaveOfAnotherByteForByte) {
  const std::string note1 = "[Note1]\r\nContent=";
  const std::string tail = "\r\nAttach=\r\nExposure=3000\r\n";
  const std::string added = "[Note2]\r\nContent=new\r\nAttach=\r\nExposure=3000\r\n";
  for (const size_t length : {size_t{5012}, size_t{3} << 20}) {
    std::string text;
    for (size_t i = 0; text.size() < length; ++i) text += static_cast<char>('a' + i % 26);
    for (const std::string& stored : {text, "\"" + text + "\"", "' " + text + " '"}) {
      Load("[General]\r\nN=1\r\n" + note1 + stored + tail);
      ASSERT_EQ(list.FileState(), TNoteList::TFileState::Read);
      ASSERT_EQ(list.Notes(1).Content.size(), stored.front() == '\'' ? length + 2 : length);
      list.AppendNote({.Content = "new", .Exposure = 3000});
      list.SaveNotes();
      EXPECT_EQ(store.Files[kPath], "[General]\r\nN=2\r\n" + note1 + stored + tail + added);
    }
  }
}

// Regression: UTF-16 without a byte-order mark read as no notes, and the first save garbled it.
// It is read, and saved as any UTF-16 file is: ASCII when it all is, else UTF-16LE with a mark.
TEST_F(NotesFile, Utf16WithoutAMarkIsReadAndSavedAsUtf16WithOne) {
  const std::u16string head = u"[General]\r\nN=1\r\n[Note1]\r\nContent=";
  const std::u16string tail = u"\r\nAttach=C:\\a.txt\r\nExposure=5000\r\n";
  const std::u16string added = u"[Note2]\r\nContent=new\r\nAttach=\r\nExposure=3000\r\n";
  const std::u16string saved = u"[General]\r\nN=2\r\n[Note1]\r\nContent=";
  for (const bool bigEndian : {false, true}) {
    for (const std::u16string text : {u"plain text", u"caf\xE9 \x4E00\x4E2D \xD83D\xDCCC"}) {
      SCOPED_TRACE(testing::Message() << (bigEndian ? "BE " : "LE ") << text.size());
      Load(Utf16(head + text + tail, bigEndian));
      ASSERT_EQ(list.NoteCount(), 1);
      EXPECT_EQ(list.Notes(1).Attach, "C:\\a.txt");
      list.AppendNote({.Content = "new", .Exposure = 3000});
      list.SaveNotes();
      const std::u16string expected = saved + text + tail + added;
      const bool ascii = text == u"plain text";
      std::string asAscii;
      for (char16_t u : expected) asAscii += static_cast<char>(u);
      EXPECT_EQ(store.Files[kPath], ascii ? asAscii : "\xFF\xFE" + Utf16(expected, false));
    }
  }
}

TEST_F(NotesFile, AFailedSaveRaisesWithThePathAndTheReasonAndLeavesTheFileAlone) {
  const std::string old = NotesFileText({{.Content = "old"}});
  Load(old);
  list.AppendNote({.Content = "new", .Exposure = 3000});
  const std::string expected = "Unable to write to " + kPath + "\n";

  store.ReadOnlyFolder = true;
  EXPECT_EQ(SaveMessage(), expected + "Access is denied.");
  store.ReadOnlyFolder = false;

  store.FreeSpace = 10;  // the disk fills up halfway
  EXPECT_EQ(SaveMessage(), expected + "There is not enough space on the disk.");
  store.FreeSpace = SIZE_MAX;
  EXPECT_EQ(store.Files[kPath], old);
  EXPECT_TRUE(list.Unsaved());

  store.Files.erase(kPath);
  store.Directories.insert(kPath);  // a folder where the file should be
  EXPECT_EQ(SaveMessage(), expected + "Access is denied.");
  EXPECT_EQ(store.Files.count(kPath), 0u);
  EXPECT_TRUE(list.Unsaved());
}

// Regression: a save before the place of the file was known wrote a file named ".tmp".
TEST_F(NotesFile, ASaveWithoutAPathWritesNothing) {
  TNoteList fresh(&store);
  fresh.AppendNote({.Content = "new", .Exposure = 3000});
  EXPECT_THROW(fresh.SaveNotes(), Exception);
  EXPECT_EQ(store.WriteCalls, 0);
  EXPECT_TRUE(fresh.Unsaved());
}

// A file that is there but was not read must never be replaced by the empty list we hold.
TEST_F(NotesFile, AFileThatWasNotReadIsRefusedAndNeverWritten) {
  const std::string sections = "[Note1]\r\nContent=one\r\n[Note2]\r\nContent=two\r\n";
  std::string huge = "[General]\r\nN=1\r\n[Note1]\r\nContent=";
  huge.append(5u << 20, 'x');
  const struct {
    const char* name;
    std::string bytes;
    bool unreadable;
    const char* says;
  } cases[] = {
      {"too large", huge, false, "notices.msg is too large to be a notes file (5 MB); it is left untouched"},
      {"held open", "[General]\r\nN=1\r\n", true, "notices.msg could not be read (Access is denied.)"},
      {"N not a number", "[General]\r\nN=abc\r\n" + sections, false, "count N=abc is not a number"},
      {"N negative", "[General]\r\nN=-1\r\n" + sections, false, "count N=-1 is not a number of notes"},
      {"binary", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x02\0", 20), false, "does not hold text"},
      {"NUL in text", std::string("[General]\r\nN=1\r\n[Note1]\r\nContent=a\0b\r\n", 38), false, "does not hold text"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    store.Unreadable.clear();
    if (c.unreadable) store.Unreadable.insert(kPath);
    store.WriteCalls = 0;
    Load(c.bytes);
    EXPECT_EQ(list.FileState(), TNoteList::TFileState::Refused);
    EXPECT_NE(list.RefusalText().find(c.says), std::string::npos) << list.RefusalText();
    EXPECT_EQ(list.NoteCount(), 0);
    EXPECT_FALSE(list.AppendNote({.Content = "new", .Exposure = 3000}));
    EXPECT_FALSE(list.ReplaceNote(1, {.Content = "new", .Exposure = 3000}));
    list.DeleteAllNotes();
    EXPECT_FALSE(list.Unsaved());
    list.SaveNotes();
    EXPECT_EQ(store.WriteCalls, 0);
    EXPECT_EQ(store.Files[kPath], c.bytes);
  }
  // Once the file is free again, it is read.
  store.Unreadable.clear();
  store.Files[kPath] = NotesFileText({{.Content = "back"}});
  EXPECT_TRUE(list.ReloadIfChanged());
  EXPECT_EQ(list.FileState(), TNoteList::TFileState::Read);
  EXPECT_EQ(list.Notes(1).Content, "back");
  // A count that is not a number above no note sections is simply no notes.
  Load("[General]\r\nN=abc\r\n[Other]\r\nContent=x\r\n");
  EXPECT_EQ(list.FileState(), TNoteList::TFileState::Read);
}

TEST(NotesStore, LoadAndSaveNeedAStore) {
  TNoteList list(nullptr, kPath);
  EXPECT_THROW(list.LoadNotes(), Exception);
  list.AppendNote({.Content = "x", .Exposure = 3000});
  EXPECT_THROW(list.SaveNotes(), Exception);
}

}  // namespace
