// The list's changes that are not on disk yet, kept so that they can be made again on top of a
// notes file that was changed from outside meanwhile: a new note is appended there, an edited or
// deleted note is found by its Id, else by its number and its old text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/NoteMerge.h"
#include "app/Notice.h"

struct TNoteChange {
  enum class TKind { Append, Replace, Delete, Merge };
  TKind Kind = TKind::Append;
  int32_t Number = 0;      // Replace, Delete: the note's number when the change was made
  std::string OldContent;  // Replace, Delete: its text then
  TVersion Base;           // Replace, Delete: its version then
  TNotice Note;            // Append, Replace: the note as it is now; Delete: its Id
  TNoteSet Copy;           // Merge: the conflict copy merged in (NoteMerge.h)
};

// The note that a change made to note `number` with text `content` meant: that number when it
// still holds that text, else the first note holding it, else 0.
int32_t FindChangedNote(const TNoteTable& notes, int32_t count, int32_t number, const std::string& content);

// Makes the changes, in order, to places 1..count; returns the new count. An edit whose note is
// gone becomes a new note, a deletion whose note is gone does nothing. A note found by its Id that
// was changed meanwhile (its version is not one the change had seen) is kept: an edit then goes
// in after it, so both texts stay. A copy is merged again into the notes and trash. A note that
// finds the table full (a merge: its notes) is left out and counted in `left_out`.
int32_t ApplyNoteChanges(const std::vector<TNoteChange>& changes, TNoteTable& notes, int32_t count, TTrash& trash,
                         int32_t& left_out);
