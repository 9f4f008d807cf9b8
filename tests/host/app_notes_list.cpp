// The note list's operations in memory: append, replace, delete one, delete all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Notes.h"
#include "toolkit/Exception.h"

namespace {

std::vector<std::string> Contents(const TNoteList& list) {
  std::vector<std::string> out;
  for (int k = 1; k <= list.NoteCount(); ++k) out.push_back(list.Notes(k).Content);
  return out;
}

TNoteList ListOf(int n) {
  TNoteList list;
  for (int i = 1; i <= n; ++i)
    EXPECT_TRUE(list.AppendNote({.Content = "n" + std::to_string(i), .Exposure = i * 1000}));
  return list;
}

TEST(NoteList, StartsEmpty) {
  TNoteList list;
  EXPECT_EQ(list.NoteCount(), 0);
  EXPECT_FALSE(list.Notes(1).Used);
  EXPECT_THROW(list.Notes(0), Exception);
  EXPECT_THROW(list.Notes(MaxNotes + 1), Exception);
}

TEST(NoteList, DeletingMovesLaterNotesDownWithAllTheirFields) {
  TNoteList list;
  list.AppendNote({.Content = "A", .Attach = "a", .Exposure = 1000});
  list.AppendNote({.Content = "B", .Attach = "b", .Exposure = 2000});
  list.AppendNote({.Content = "C", .Exposure = 3000});
  list.DeleteNote(2);
  ASSERT_EQ(list.NoteCount(), 2);
  EXPECT_EQ(list.Notes(1).Attach, "a");
  EXPECT_EQ(list.Notes(2).Content, "C");
  EXPECT_EQ(list.Notes(2).Attach, "");
  EXPECT_EQ(list.Notes(2).Exposure, 3000);
  EXPECT_FALSE(list.Notes(3).Used);
  EXPECT_EQ(list.Notes(3).Content, "");
}

TEST(NoteList, DeletingOutsideTheListChangesNothing) {
  TNoteList empty;
  empty.DeleteNote(1);
  EXPECT_EQ(empty.NoteCount(), 0);
  auto list = ListOf(3);
  for (int k : {0, -1, 4, 99, 100}) list.DeleteNote(k);
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"n1", "n2", "n3"}));
  list.DeleteNote(1);
  list.DeleteNote(1);
  list.DeleteNote(1);
  EXPECT_EQ(list.NoteCount(), 0);
}

TEST(NoteList, DeletingFromAFullTable) {
  for (int k : {1, 50, 99}) {
    auto list = ListOf(MaxNotes);
    list.DeleteNote(k);
    ASSERT_EQ(list.NoteCount(), 98);
    for (int i = 1; i <= 98; ++i) ASSERT_EQ(list.Notes(i).Content, "n" + std::to_string(i < k ? i : i + 1));
    EXPECT_EQ(list.Notes(98).Exposure, (k == 99 ? 98 : 99) * 1000);
    EXPECT_FALSE(list.Notes(99).Used);
  }
}

TEST(NoteList, AFullTableRefusesANewNote) {
  auto list = ListOf(MaxNotes);
  EXPECT_FALSE(list.AppendNote({.Content = "one too many", .Exposure = 3000}));
  EXPECT_EQ(list.NoteCount(), MaxNotes);
  EXPECT_EQ(list.Notes(MaxNotes).Content, "n99");
}

TEST(NoteList, ReplaceTouchesOnlyAnExistingNote) {
  auto list = ListOf(2);
  EXPECT_TRUE(list.ReplaceNote(2, {.Content = "new", .Attach = "file", .Exposure = 9000}));
  EXPECT_EQ(list.Notes(2).Content, "new");
  EXPECT_EQ(list.Notes(2).Attach, "file");
  EXPECT_EQ(list.Notes(2).Exposure, 9000);
  EXPECT_TRUE(list.Notes(2).Used);  // a note handed in unmarked is still one in use
  EXPECT_FALSE(list.ReplaceNote(3, {.Content = "x", .Exposure = 1}));
  EXPECT_FALSE(list.ReplaceNote(0, {.Content = "x", .Exposure = 1}));
  EXPECT_FALSE(list.Notes(3).Used);
  EXPECT_EQ(list.NoteCount(), 2);
}

TEST(NoteList, DeleteAllEmptiesEveryPlace) {
  auto list = ListOf(5);
  list.DeleteAllNotes();
  EXPECT_EQ(list.NoteCount(), 0);
  for (int k = 1; k <= 5; ++k) EXPECT_FALSE(list.Notes(k).Used);
}

TEST(NoteList, LineBreaksBecomeBlanksAtTheEntryPoints) {
  TNoteList list;
  list.AppendNote({.Content = "x\r\n[Note1]\rContent=evil\n", .Attach = "a\nb", .Exposure = 3000});
  EXPECT_EQ(list.Notes(1).Content, "x [Note1] Content=evil ");
  EXPECT_EQ(list.Notes(1).Attach, "a b");
  list.ReplaceNote(1, {.Content = std::string("p\0q\r\n", 5), .Exposure = 3000});
  EXPECT_EQ(list.Notes(1).Content, "p q ");
}

}  // namespace
