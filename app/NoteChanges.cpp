#include "app/NoteChanges.h"

#include <algorithm>

int32_t FindChangedNote(const TNoteTable& notes, int32_t count, int32_t number, const std::string& content) {
  count = std::clamp<int32_t>(count, 0, MaxNotes);
  if (number >= 1 && number <= count && notes[number - 1].Content == content) return number;
  for (int32_t k = 1; k <= count; ++k)
    if (notes[k - 1].Content == content) return k;
  return 0;
}

namespace {
// The place of the form of note id that a change made on version base had seen; else, with
// changed set, of the note's first form; else 0.
int32_t FindById(const TNoteTable& notes, int32_t count, const std::string& id, const TVersion& base, bool& changed) {
  int32_t first = 0;
  for (int32_t k = 1; !id.empty() && k <= count; ++k) {
    if (notes[k - 1].Id != id) continue;
    if (notes[k - 1].Version.Below(base)) return k;
    if (!first) first = k;
  }
  changed = first != 0;
  return first;
}
}  // namespace

int32_t ApplyNoteChanges(const std::vector<TNoteChange>& changes, TNoteTable& notes, int32_t count, TTrash& trash,
                         int32_t& left_out) {
  count = std::clamp<int32_t>(count, 0, MaxNotes);
  left_out = 0;
  // Puts the note at place k (1..count + 1), later notes one place on.
  const auto insert = [&](int32_t k, const TNotice& note) {
    if (count >= MaxNotes) {
      ++left_out;
      return;
    }
    for (int32_t i = count; i >= k; --i) notes[i] = std::move(notes[i - 1]);
    notes[k - 1] = note;
    notes[k - 1].Used = true;
    ++count;
  };
  for (const TNoteChange& change : changes) {
    int32_t k = 0;
    bool changedMeanwhile = false;
    if (change.Kind == TNoteChange::TKind::Merge) {
      TNoteSet set{{notes.begin(), notes.begin() + count}, trash};
      TNoteSet merged = MergeNoteSets(set, change.Copy);
      if (merged.Notes.size() > MaxNotes) {
        left_out += static_cast<int32_t>(merged.Notes.size()) - MaxNotes;
        continue;
      }
      notes.fill(TNotice{});
      count = static_cast<int32_t>(merged.Notes.size());
      std::move(merged.Notes.begin(), merged.Notes.end(), notes.begin());
      trash = std::move(merged.Trash);
      continue;
    }
    if (change.Kind != TNoteChange::TKind::Append) {
      k = FindById(notes, count, change.Note.Id, change.Base, changedMeanwhile);
      if (!k) k = FindChangedNote(notes, count, change.Number, change.OldContent);
    }
    switch (change.Kind) {
      case TNoteChange::TKind::Append:
        insert(count + 1, change.Note);
        break;
      case TNoteChange::TKind::Replace:
        if (k == 0) {
          insert(count + 1, change.Note);
        } else if (changedMeanwhile) {
          insert(k + 1, change.Note);
        } else {
          notes[k - 1] = change.Note;
          notes[k - 1].Used = true;
        }
        break;
      case TNoteChange::TKind::Delete:
        if (k == 0 || changedMeanwhile) break;
        for (int32_t i = k; i < count; ++i) notes[i - 1] = std::move(notes[i]);
        notes[count - 1] = TNotice{};
        --count;
        break;
      case TNoteChange::TKind::Merge:
        break;
    }
  }
  return count;
}
