// A notes file changed from outside while the program runs: reloaded when nothing is unsaved,
// and never written over blindly when something is. Two computers' files merged by the notes'
// versions: the same result in either order, and three copies in any order.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/Notes.h"
#include "app/NotesFile.h"
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

// One computer: its own tag and its own copy of the file.
struct TComputer {
  TFakeFileStore store;
  TNoteList list{&store, kPath};
  TComputer(const std::string& tag, const std::string& file) {
    list.SetDeviceTag(tag);
    store.Files[kPath] = file;
    list.LoadNotes();
  }
  std::string Saved() {
    list.SaveNotes();
    return store.Files[kPath];
  }
};

TNoteSet SetOf(const std::string& file) {
  const TIniDocument doc = *TIniDocument::FromBytes(file);
  return ReadNoteSet(doc, CountNotes(doc).Count);
}

// The file after a computer holding `file` merged `copy` into it and saved.
std::string Merged(const std::string& file, const std::string& copy) {
  TComputer c("merger", file);
  bool changed = false;
  EXPECT_EQ(c.list.MergeCopy(SetOf(copy), changed), TNoteList::TMergeResult::Merged);
  return c.Saved();
}

std::vector<std::string> ContentsOf(const std::string& file) {
  std::vector<std::string> out;
  for (const TNotice& n : SetOf(file).Notes) out.push_back(n.Content);
  return out;
}

using TChange = std::function<void(TNoteList&)>;
const TChange kNothing = [](TNoteList&) {};
TChange Add(std::string text) { return [=](TNoteList& l) { l.AppendNote({.Content = text, .Exposure = 3000}); }; }
TChange Edit(int k, std::string text) {
  return [=](TNoteList& l) { l.ReplaceNote(k, {.Content = text, .Exposure = l.Notes(k).Exposure}); };
}
TChange Expose(int k, int32_t ms) { return [=](TNoteList& l) { l.ReplaceNote(k, {.Content = l.Notes(k).Content, .Exposure = ms}); }; }
TChange Trash(int k) { return [=](TNoteList& l) { l.DeleteNote(k); }; }
const TChange kTrashAll = [](TNoteList& l) { l.DeleteAllNotes(); };

// The shared file both computers start from, as this version writes it.
std::string Base() {
  TComputer base("base", "");
  for (const char* text : {"one", "two", "three"}) base.list.AppendNote({.Content = text, .Exposure = 3000});
  return base.Saved();
}

std::string Changed(const std::string& tag, const std::string& file, const TChange& change) {
  TComputer c(tag, file);
  change(c.list);
  return c.Saved();
}

struct TwoSidesCase {
  const char* what;
  TChange onA, onB;
  std::vector<std::string> merged;
};

void PrintTo(const TwoSidesCase& c, std::ostream* os) { *os << c.what; }

class TwoSides : public testing::TestWithParam<TwoSidesCase> {};

TEST_P(TwoSides, GiveTheSameFileInEitherOrder) {
  const TwoSidesCase& c = GetParam();
  const std::string base = Base(), a = Changed("a", base, c.onA), b = Changed("b", base, c.onB);
  const std::string ab = Merged(a, b), ba = Merged(b, a);
  EXPECT_EQ(ContentsOf(ab), c.merged);
  EXPECT_EQ(ab, ba);
  EXPECT_EQ(Merged(ab, a), ab);  // a side's own file meeting the merge again changes nothing
}

INSTANTIATE_TEST_SUITE_P(Rules, TwoSides, testing::Values(
    TwoSidesCase{"edited here, added there", Edit(2, "two, edited"), Add("four"), {"one", "two, edited", "three", "four"}},
    TwoSidesCase{"only the exposure changed", Expose(2, 9000), Add("four"), {"one", "two", "three", "four"}},
    TwoSidesCase{"edited on both", Edit(2, "two by a"), Edit(2, "two by b"), {"one", "two by a", "two by b", "three"}},
    TwoSidesCase{"edited alike on both", Edit(2, "two!"), Edit(2, "two!"), {"one", "two!", "three"}},
    TwoSidesCase{"trashed here, added there", Trash(2), Add("four"), {"one", "three", "four"}},
    TwoSidesCase{"trash all, added there", kTrashAll, Add("four"), {"four"}},
    TwoSidesCase{"trashed here, edited there", Trash(2), Edit(2, "two, kept"), {"one", "two, kept", "three"}},
    TwoSidesCase{"added on both", Add("four"), Add("five"), {"one", "two", "three", "four", "five"}},
    TwoSidesCase{"trashed here, untouched there", Trash(1), kNothing, {"two", "three"}}),
    [](const auto& info) {
      std::string name = info.param.what;
      std::replace_if(name.begin(), name.end(), [](char c) { return !isalnum(static_cast<unsigned char>(c)); }, '_');
      return name;
    });

TEST(TwoSides, TheExposureChangedOnOneSideIsTheOneKept) {
  const std::string base = Base();
  const std::string ab = Merged(Changed("a", base, Expose(2, 9000)), Changed("b", base, Add("four")));
  EXPECT_EQ(SetOf(ab).Notes[1].Exposure, 9000);
}

TEST(ThreeCopies, GiveTheSameFileInEveryOrder) {
  const std::string base = Base();
  std::vector<std::string> files{Changed("a", base, Edit(1, "one by a")), Changed("b", base, Trash(2)),
                                 Changed("c", base, [](TNoteList& l) {
                                   l.ReplaceNote(1, {.Content = "one by c", .Exposure = 3000});
                                   l.AppendNote({.Content = "from c", .Exposure = 3000});
                                 })};
  std::vector<int> order{0, 1, 2};
  std::string first;
  do {
    const std::string merged = Merged(Merged(files[order[0]], files[order[1]]), files[order[2]]);
    if (first.empty()) first = merged;
    EXPECT_EQ(merged, first) << order[0] << order[1] << order[2];
  } while (std::next_permutation(order.begin(), order.end()));
  EXPECT_EQ(ContentsOf(first), (std::vector<std::string>{"one by a", "one by c", "three", "from c"}));
}

// Files an older version wrote: no Ids on either side.
TEST(OldFiles, GetTheSameIdsOnEveryComputerSoNothingIsDoubled) {
  const std::string old = FileOf({"one", "two", "one"});
  const std::string a = Changed("a", old, Edit(2, "two, edited")), b = Changed("b", old, Trash(3));
  const std::string ab = Merged(a, b);
  EXPECT_EQ(ContentsOf(ab), (std::vector<std::string>{"one", "two, edited"}));
  EXPECT_EQ(ab, Merged(b, a));
}

TEST(OldFiles, ChangedByAnOlderVersionOnBothSidesKeepEveryText) {
  // Nobody recorded what changed: the edited note's old text stays beside the new one.
  std::vector<std::string> merged = ContentsOf(Merged(FileOf({"one", "two, edited"}), FileOf({"one", "two", "three"})));
  std::sort(merged.begin(), merged.end());
  EXPECT_EQ(merged, (std::vector<std::string>{"one", "three", "two", "two, edited"}));
}

// An older version of the program keeps the Id and Version keys but does not change them: the
// edit it made must not pass for the unchanged note, nor lose to the other side.
TEST(OldFiles, AnEditByAnOlderVersionOfANoteWithAnIdCountsAsAChange) {
  const std::string base = Base();
  std::string byOld = base;
  byOld.replace(byOld.find("Content=two"), 11, "Content=two, by hand");
  const std::string ab = Merged(byOld, Changed("b", base, Add("four")));
  EXPECT_EQ(ContentsOf(ab), (std::vector<std::string>{"one", "two, by hand", "three", "four"}));
}

TEST(OutsideEdit, AnEditorsEditOfANoteChangedMeanwhileKeepsBothTexts) {
  TComputer a("a", Base());
  const TNotice opened = a.list.Notes(2);
  a.list.ReplaceNote(2, {.Content = "two, arrived", .Exposure = 3000});  // a merge under the open editor
  EXPECT_EQ(a.list.StoreEdit(2, opened, {.Content = "two, typed", .Exposure = 3000}), 3);
  EXPECT_EQ(ContentsOf(a.Saved()), (std::vector<std::string>{"one", "two, arrived", "two, typed", "three"}));
  const TNotice unchanged = a.list.Notes(1);
  EXPECT_EQ(a.list.StoreEdit(1, unchanged, {.Content = "one, typed", .Exposure = 3000}), 1);
  EXPECT_EQ(a.list.NoteCount(), 4);
}

}  // namespace
