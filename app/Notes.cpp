#include "app/Notes.h"

#include <algorithm>
#include <vector>

#include "app/NotesFile.h"
#include "toolkit/Exception.h"
#include "toolkit/IniDocument.h"

namespace {
const std::string kName(NotesFileName);
constexpr const char* kUntouched = "; it is left untouched and notes cannot be changed";

std::string Megabytes(uint64_t bytes) { return std::to_string((bytes + (1u << 19)) >> 20); }

// The note as the list keeps it: in use, its texts single lines.
TNotice Kept(const TNotice& note) {
  TNotice kept = note;
  kept.Content = OneLineText(note.Content);
  kept.Attach = OneLineText(note.Attach);
  kept.Used = true;
  return kept;
}
}  // namespace

const TNotice& TNoteList::Notes(int k) const {
  if (k < 1 || k > MaxNotes) RaiseFmt("Note number %s out of range", {std::to_string(k)});
  return notes_[k - 1];
}

TFileStore& TNoteList::Store() const {
  if (!store_) RaiseFmt("No file store to reach %s", {notesPath_});
  return *store_;
}

void TNoteList::Refuse(std::string why) {
  state_ = TFileState::Refused;
  refusal_ = std::move(why);
}

void TNoteList::LoadNotes() {
  TFileStore& store = Store();
  std::string bytes;
  TFileStore::TFailure failure;
  notes_.fill(TNotice{});
  count_ = 0;
  changes_.clear();
  known_.clear();
  refusal_.clear();
  const TFileStore::TReadResult result = store.ReadWholeFile(notesPath_, MaxNotesFileBytes, bytes, failure);
  missing_ = result == TFileStore::TReadResult::NotFound;
  switch (result) {
    case TFileStore::TReadResult::TooLarge:
      return Refuse(kName + " is too large to be a notes file (" + Megabytes(failure.Size) + " MB)" + kUntouched);
    case TFileStore::TReadResult::Failed:
      return Refuse(kName + " could not be read" + (failure.Reason.empty() ? "" : " (" + failure.Reason + ")") +
                    kUntouched + " until it can be read, for example after a restart");
    case TFileStore::TReadResult::NotFound:
    case TFileStore::TReadResult::Ok:
      break;
  }
  const auto read = TIniDocument::FromBytes(bytes);
  if (!read) return Refuse(kName + " does not hold text Zettly can read" + kUntouched);
  const TIniDocument& doc = *read;
  const TNoteCount counted = CountNotes(doc);
  if (counted.Kind == TNoteCount::TKind::Uncountable) {
    return Refuse(kName + " holds notes but its count " + std::string(NoteCountKey) + "=" +
                  StatedNoteCount(doc).value_or("") + " is not a number of notes" + kUntouched);
  }
  ReadNoteTable(doc, counted.Count, notes_);
  count_ = counted.Count;
  if (counted.Kind == TNoteCount::TKind::TooMany) {
    // What fits is shown; a save would lose the rest.
    return Refuse(kName + " holds " + StatedNoteCount(doc).value_or("") + " notes, more than the " +
                  std::to_string(MaxNotes) + " Zettly can keep; the first " + std::to_string(MaxNotes) +
                  " are shown" + kUntouched);
  }
  state_ = TFileState::Read;
  known_ = std::move(bytes);
}

bool TNoteList::ReloadIfChanged() {
  if (Unsaved() || state_ == TFileState::Unread) return false;
  std::string bytes;
  const auto read = Store().ReadWholeFile(notesPath_, MaxNotesFileBytes, bytes);
  missing_ = read == TFileStore::TReadResult::NotFound;
  const bool readable = read == TFileStore::TReadResult::Ok || read == TFileStore::TReadResult::NotFound;
  if (state_ == TFileState::Read && (!readable || bytes == known_)) return false;
  LoadNotes();
  return true;
}

void TNoteList::RaiseUnableToWrite(const std::string& reason) const {
  throw Exception(FormatMessageText("Unable to write to %s", {notesPath_}) + (reason.empty() ? "" : "\n" + reason));
}

void TNoteList::SaveNotes() {
  if (changes_.empty()) return;  // the file already says what the list says
  if (notesPath_.empty()) throw Exception("The notes were not saved: the notes file's place is not known");
  TFileStore& store = Store();
  // Sections we do not manage live only in the file: read it now so the save keeps them.
  std::string bytes;
  TFileStore::TFailure failure;
  switch (store.ReadWholeFile(notesPath_, MaxNotesFileBytes, bytes, failure)) {
    case TFileStore::TReadResult::Failed: RaiseUnableToWrite(failure.Reason);
    case TFileStore::TReadResult::TooLarge:
      RaiseUnableToWrite(kName + " has grown too large to be a notes file (" + Megabytes(failure.Size) + " MB)");
    case TFileStore::TReadResult::NotFound:
    case TFileStore::TReadResult::Ok:
      break;
  }
  auto read = TIniDocument::FromBytes(bytes);
  if (!read) RaiseUnableToWrite(kName + " was changed by another program and no longer holds text Zettly can read");
  TIniDocument doc = std::move(*read);
  if (bytes != known_) {
    // Changed from outside since we last saw it: our changes go on top of what it holds now.
    const TNoteCount counted = CountNotes(doc);
    if (counted.Kind == TNoteCount::TKind::Uncountable)
      RaiseUnableToWrite(kName + " was changed by another program and its notes cannot be counted");
    if (counted.Kind == TNoteCount::TKind::TooMany)
      RaiseUnableToWrite(kName + " was changed by another program and now holds more notes than Zettly can keep");
    TNoteTable merged{};
    ReadNoteTable(doc, counted.Count, merged);
    int32_t left_out = 0;
    const int32_t count = ApplyNoteChanges(changes_, merged, counted.Count, left_out);
    // A new note the file has no room for stays here, unsaved, rather than being dropped.
    if (left_out > 0)
      RaiseUnableToWrite(kName + " was changed by another program and has no room left for a new note");
    notes_ = std::move(merged);
    count_ = count;
  }
  bytes.clear();
  doc = TIniDocument::FromText(DropNoteSectionsAbove(doc.ToText(), count_));
  WriteNoteTable(notes_, count_, doc);
  std::string out = doc.ToBytes();
  if (!store.WriteWholeFile(notesPath_, out, failure)) RaiseUnableToWrite(failure.Reason);
  known_ = std::move(out);
  changes_.clear();
  state_ = TFileState::Read;
}

void TNoteList::Record(TNoteChange change) { changes_.push_back(std::move(change)); }

bool TNoteList::AppendNote(const TNotice& note) {
  if (!CanChange() || count_ >= MaxNotes) return false;
  notes_[count_] = Kept(note);
  ++count_;
  Record({.Kind = TNoteChange::TKind::Append, .Note = notes_[count_ - 1]});
  return true;
}

bool TNoteList::ReplaceNote(int k, const TNotice& note) {
  if (!CanChange() || k < 1 || k > count_) return false;
  std::string old = std::move(notes_[k - 1].Content);
  notes_[k - 1] = Kept(note);
  Record({.Kind = TNoteChange::TKind::Replace, .Number = k, .OldContent = std::move(old), .Note = notes_[k - 1]});
  return true;
}

void TNoteList::DeleteNote(int k) {
  if (!CanChange() || k < 1 || k > count_) return;
  Record({.Kind = TNoteChange::TKind::Delete, .Number = k, .OldContent = notes_[k - 1].Content});
  for (int i = k; i < count_; ++i) notes_[i - 1] = std::move(notes_[i]);
  notes_[count_ - 1] = TNotice{};
  --count_;
}

void TNoteList::DeleteAllNotes() {
  if (!CanChange()) return;
  // Note by note, so that on top of a file changed from outside only the notes the user saw go.
  for (int k = 1; k <= count_; ++k)
    Record({.Kind = TNoteChange::TKind::Delete, .Number = 1, .OldContent = notes_[k - 1].Content});
  notes_.fill(TNotice{});
  count_ = 0;
}

TNoteList::TMergeResult TNoteList::MergeCopy(const TNoteTable& copy, int32_t copyCount, int32_t& added) {
  added = 0;
  if (!CanChange()) return TMergeResult::Refused;
  const auto same = [](const TNotice& a, const TNotice& b) {
    return a.Content == b.Content && a.Attach == b.Attach && a.Exposure == b.Exposure;
  };
  // Each of our notes answers for one equal note of the copy, so repeats are counted.
  std::vector<bool> matched(static_cast<size_t>(count_), false);
  std::vector<const TNotice*> missing;
  for (int32_t i = 0; i < std::clamp<int32_t>(copyCount, 0, MaxNotes); ++i) {
    int32_t j = 0;
    while (j < count_ && (matched[j] || !same(notes_[j], copy[i]))) ++j;
    if (j < count_) matched[j] = true;
    else missing.push_back(&copy[i]);
  }
  if (count_ + static_cast<int32_t>(missing.size()) > MaxNotes) return TMergeResult::NoRoom;
  for (const TNotice* note : missing) {
    notes_[count_] = Kept(*note);
    ++count_;
    Record({.Kind = TNoteChange::TKind::Append, .Note = notes_[count_ - 1]});
  }
  added = static_cast<int32_t>(missing.size());
  return TMergeResult::Merged;
}
