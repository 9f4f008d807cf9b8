// The list's changes that are not on disk yet, kept so that they can be made again on top of a
// notes file that was changed from outside meanwhile: a new note is appended there, an edited or
// deleted note is found by its number and its old text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/Notice.h"

struct TNoteChange {
  enum class TKind { Append, Replace, Delete };
  TKind Kind = TKind::Append;
  int32_t Number = 0;      // Replace, Delete: the note's number when the change was made
  std::string OldContent;  // Replace, Delete: its text then
  TNotice Note;            // Append, Replace: the note as it is now
};

// The note that a change made to note `number` with text `content` meant: that number when it
// still holds that text, else the first note holding it, else 0.
int32_t FindChangedNote(const TNoteTable& notes, int32_t count, int32_t number, const std::string& content);

// Makes the changes, in order, to places 1..count; returns the new count. An edit whose note is
// gone becomes a new note, a deletion whose note is gone does nothing. A new note that finds the
// table full is left out and counted in `left_out`.
int32_t ApplyNoteChanges(const std::vector<TNoteChange>& changes, TNoteTable& notes, int32_t count,
                         int32_t& left_out);
