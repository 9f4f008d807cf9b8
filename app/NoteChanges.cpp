#include "app/NoteChanges.h"

#include <algorithm>

int32_t FindChangedNote(const TNoteTable& notes, int32_t count, int32_t number, const std::string& content) {
  count = std::clamp<int32_t>(count, 0, MaxNotes);
  if (number >= 1 && number <= count && notes[number - 1].Content == content) return number;
  for (int32_t k = 1; k <= count; ++k)
    if (notes[k - 1].Content == content) return k;
  return 0;
}

int32_t ApplyNoteChanges(const std::vector<TNoteChange>& changes, TNoteTable& notes, int32_t count,
                         int32_t& left_out) {
  count = std::clamp<int32_t>(count, 0, MaxNotes);
  left_out = 0;
  const auto append = [&](const TNotice& note) {
    if (count >= MaxNotes) {
      ++left_out;
      return;
    }
    notes[count] = note;
    notes[count].Used = true;
    ++count;
  };
  for (const TNoteChange& change : changes) {
    const int32_t k = change.Kind == TNoteChange::TKind::Append
                          ? 0
                          : FindChangedNote(notes, count, change.Number, change.OldContent);
    switch (change.Kind) {
      case TNoteChange::TKind::Append:
        append(change.Note);
        break;
      case TNoteChange::TKind::Replace:
        if (k == 0) {
          append(change.Note);
        } else {
          notes[k - 1] = change.Note;
          notes[k - 1].Used = true;
        }
        break;
      case TNoteChange::TKind::Delete:
        if (k == 0) break;
        for (int32_t i = k; i < count; ++i) notes[i - 1] = std::move(notes[i]);
        notes[count - 1] = TNotice{};
        --count;
        break;
    }
  }
  return count;
}
