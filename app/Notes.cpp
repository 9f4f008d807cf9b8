#include "app/Notes.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include "app/NotesFile.h"
#include "toolkit/Exception.h"
#include "toolkit/IniDocument.h"

namespace {
const std::string kName(NotesFileName);
constexpr const char* kUntouched = "; it is left untouched and notes cannot be changed";

std::string Megabytes(uint64_t bytes) { return std::to_string((bytes + (1u << 19)) >> 20); }

// One decimal, rounded up: a size just past a limit must not read as the limit.
std::string TenthsOfMegabytes(uint64_t bytes) {
  const uint64_t tenths = (bytes * 10 + (1u << 20) - 1) >> 20;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

const std::string kLinkToNothing =
    kName + " is a link to a file that is not there now (a drive or a synced folder not connected yet?)";

// A file that vanished or was emptied is no list without notes: a sync tool moves it aside, a
// tool still writing it, a replace that failed half-way, a drive that comes back late.
bool Gone(TFileStore::TReadResult read, const std::string& bytes) {
  return read == TFileStore::TReadResult::NotFound || (read == TFileStore::TReadResult::Ok && bytes.empty());
}

// The note as the list keeps it: in use, its texts single lines.
TNotice Kept(const TNotice& note) {
  TNotice kept = note;
  kept.Content = OneLineText(note.Content);
  kept.Attach = OneLineText(note.Attach);
  kept.Used = true;
  return kept;
}

// Some other file than a notes file: text, but no count. An empty file is an empty list.
bool TextWithoutCount(const TIniDocument& doc) {
  return !StatedNoteCount(doc) && doc.ToText().find_first_not_of(" \t\r\n") != std::string::npos;
}

bool SameNotes(const TNotice& a, const TNotice& b) { return SameText(a, b) && a.Id == b.Id && a.Version == b.Version; }

int64_t SystemNow() { return static_cast<int64_t>(std::time(nullptr)); }

std::string Base36(uint64_t n) {
  std::string s;
  do s.insert(s.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[n % 36]);
  while (n /= 36);
  return s;
}

// The number after "tag-" in an Id this computer gave, else 0.
uint64_t IdNumber(std::string_view id, std::string_view tag) {
  if (id.size() <= tag.size() + 1 || id.substr(0, tag.size()) != tag || id[tag.size()] != '-') return 0;
  uint64_t n = 0;
  for (char c : id.substr(tag.size() + 1)) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'z' ? c - 'a' + 10 : -1;
    if (digit < 0 || n > (UINT64_MAX - 35) / 36) return 0;
    n = n * 36 + static_cast<uint64_t>(digit);
  }
  return n;
}
}  // namespace

TNoteList::TNoteList(TFileStore* store, std::string notesPath)
    : store_(store), notesPath_(std::move(notesPath)), now_(SystemNow) {}

// This computer's tag, then the time in seconds, or past the last such Id when the clock went back.
std::string TNoteList::NewId() const {
  uint64_t n = static_cast<uint64_t>(std::max<int64_t>(now_(), 0));
  for (int k = 1; k <= count_; ++k) n = std::max(n, IdNumber(notes_[k - 1].Id, tag_) + 1);
  for (const TTrashEntry& e : trash_) n = std::max(n, IdNumber(e.Id, tag_) + 1);
  return tag_ + "-" + Base36(n);
}

int32_t TNoteList::Today() const { return static_cast<int32_t>(std::max<int64_t>(now_(), 0) / 86400); }

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
      if (store.IsLinkToNothing(notesPath_)) return Refuse(kLinkToNothing + kUntouched + " until it is there");
      break;
    case TFileStore::TReadResult::Ok:
      break;
  }
  const auto read = TIniDocument::FromBytes(bytes, store.TextCodePage());
  if (!read) return Refuse(kName + " does not hold text Zettly can read" + kUntouched);
  const TIniDocument& doc = *read;
  // Text without a count is some other file (notices.msg may be a link to anything): writing
  // notes into it would change a file that is not ours.
  if (TextWithoutCount(doc))
    return Refuse(kName + " is not a notes file: it holds text but no notes count [" + std::string(NoteCountSection) +
                  "] " + std::string(NoteCountKey) + "=" + kUntouched);
  const TNoteCount counted = CountNotes(doc);
  if (counted.Kind == TNoteCount::TKind::Uncountable) {
    return Refuse(kName + " holds notes but its count " + std::string(NoteCountKey) + "=" +
                  StatedNoteCount(doc).value_or("") + " is not a number of notes" + kUntouched);
  }
  ReadNoteTable(doc, counted.Count, notes_);
  count_ = counted.Count;
  trash_ = ReadTrash(doc);
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
  // The notes shown stay until the file is back; a save meanwhile writes them all.
  if (Gone(read, bytes) && (!known_.empty() || count_ > 0)) return false;
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
  const auto found = store.ReadWholeFile(notesPath_, MaxNotesFileBytes, bytes, failure);
  switch (found) {
    case TFileStore::TReadResult::Failed: RaiseUnableToWrite(failure.Reason);
    case TFileStore::TReadResult::TooLarge:
      RaiseUnableToWrite(kName + " has grown too large to be a notes file (" + Megabytes(failure.Size) + " MB)");
    case TFileStore::TReadResult::NotFound:
      // Written now, a plain file would take the link's place and hide the notes behind it.
      if (store.IsLinkToNothing(notesPath_)) RaiseUnableToWrite(kLinkToNothing + "; the change is kept and saved once it is there");
      break;
    case TFileStore::TReadResult::Ok:
      break;
  }
  // Gone since it was read: what it held then goes back with the changes.
  if (Gone(found, bytes)) bytes = known_;
  auto read = TIniDocument::FromBytes(bytes, store.TextCodePage());
  if (!read) RaiseUnableToWrite(kName + " was changed by another program and no longer holds text Zettly can read");
  TIniDocument doc = std::move(*read);
  if (bytes != known_) {
    // Changed from outside since we last saw it: our changes go on top of what it holds now.
    if (TextWithoutCount(doc))
      RaiseUnableToWrite(kName + " was changed by another program and is no longer a notes file");
    const TNoteCount counted = CountNotes(doc);
    if (counted.Kind == TNoteCount::TKind::Uncountable)
      RaiseUnableToWrite(kName + " was changed by another program and its notes cannot be counted");
    if (counted.Kind == TNoteCount::TKind::TooMany)
      RaiseUnableToWrite(kName + " was changed by another program and now holds more notes than Zettly can keep");
    TNoteTable merged{};
    ReadNoteTable(doc, counted.Count, merged);
    TTrash trash = ReadTrash(doc);
    for (const TTrashEntry& e : trash_) AddToTrash(trash, e);
    int32_t left_out = 0;
    const int32_t count = ApplyNoteChanges(changes_, merged, counted.Count, trash, left_out);
    // A new note the file has no room for stays here, unsaved, rather than being dropped.
    if (left_out > 0)
      RaiseUnableToWrite(kName + " was changed by another program and has no room left for a new note");
    notes_ = std::move(merged);
    count_ = count;
    trash_ = std::move(trash);
  }
  bytes.clear();
  doc = TIniDocument::FromText(DropNoteSectionsAbove(doc.ToText(), count_));
  WriteNoteTable(notes_, count_, doc, !tag_.empty());
  if (!tag_.empty()) WriteTrash(trash_, doc);
  std::string out = doc.ToBytes();
  // Every read stops at MaxNotesFileBytes: a larger file would come back as no notes at all.
  if (out.size() > MaxNotesFileBytes)
    RaiseUnableToWrite("The notes would take " + TenthsOfMegabytes(out.size()) + " MB in " + kName + ", more than the " +
                       Megabytes(MaxNotesFileBytes) + " MB Zettly reads back; the change is kept but not saved. "
                       "Make a long note shorter or delete one.");
  if (!store.WriteWholeFile(notesPath_, out, failure)) RaiseUnableToWrite(failure.Reason);
  known_ = std::move(out);
  changes_.clear();
  state_ = TFileState::Read;
}

void TNoteList::Record(TNoteChange change) { changes_.push_back(std::move(change)); }

bool TNoteList::AppendNote(const TNotice& note) {
  if (!CanChange() || count_ >= MaxNotes) return false;
  TNotice kept = Kept(note);
  kept.Id = tag_.empty() ? std::string() : NewId();
  kept.Version = tag_.empty() ? TVersion{} : TVersion{}.Bumped(tag_);
  notes_[count_] = std::move(kept);
  ++count_;
  Record({.Kind = TNoteChange::TKind::Append, .Note = notes_[count_ - 1]});
  return true;
}

bool TNoteList::ReplaceNote(int k, const TNotice& note) {
  if (!CanChange() || k < 1 || k > count_) return false;
  TNotice old = std::move(notes_[k - 1]);
  notes_[k - 1] = Kept(note);
  notes_[k - 1].Id = old.Id;
  notes_[k - 1].Version = SameText(old, notes_[k - 1]) || tag_.empty() ? old.Version : old.Version.Bumped(tag_);
  Record({.Kind = TNoteChange::TKind::Replace, .Number = k, .OldContent = std::move(old.Content),
          .Base = std::move(old.Version), .Note = notes_[k - 1]});
  return true;
}

int32_t TNoteList::StoreEdit(int32_t k, const TNotice& opened, const TNotice& note) {
  if (!CanChange()) return 0;
  if (opened.Id.empty()) {
    k = FindNote(k, opened.Content);
    return k && ReplaceNote(k, note) ? k : 0;
  }
  int32_t changed = 0;
  for (int32_t i = 1; i <= count_; ++i) {
    if (notes_[i - 1].Id != opened.Id) continue;
    if (notes_[i - 1].Version == opened.Version && SameText(notes_[i - 1], opened)) return ReplaceNote(i, note) ? i : 0;
    if (!changed) changed = i;
  }
  if (!changed || count_ >= MaxNotes) return 0;
  // Changed meanwhile: this edit is a form of its own, beside what arrived.
  k = changed + 1;
  for (int32_t i = count_; i >= k; --i) notes_[i] = std::move(notes_[i - 1]);
  ++count_;
  notes_[k - 1] = Kept(note);
  notes_[k - 1].Id = opened.Id;
  notes_[k - 1].Version = tag_.empty() ? opened.Version : opened.Version.Bumped(tag_);
  Record({.Kind = TNoteChange::TKind::Replace, .Number = changed, .OldContent = opened.Content, .Base = opened.Version,
          .Note = notes_[k - 1]});
  return k;
}

void TNoteList::DeleteNote(int k) {
  if (!CanChange() || k < 1 || k > count_) return;
  TNotice& note = notes_[k - 1];
  if (!tag_.empty()) {
    BoundTrash(trash_, Today());
    AddToTrash(trash_, {note.Id, note.Version, Today()});
  }
  Record({.Kind = TNoteChange::TKind::Delete, .Number = k, .OldContent = note.Content, .Base = note.Version,
          .Note = {.Id = note.Id}});
  for (int i = k; i < count_; ++i) notes_[i - 1] = std::move(notes_[i]);
  notes_[count_ - 1] = TNotice{};
  --count_;
}

void TNoteList::DeleteAllNotes() {
  if (!CanChange()) return;
  // Note by note, so that on top of a file changed from outside only the notes the user saw go.
  while (count_ > 0) DeleteNote(1);
}

TNoteList::TMergeResult TNoteList::MergeCopy(const TNoteSet& copy, bool& changed) {
  changed = false;
  if (!CanChange()) return TMergeResult::Refused;
  TNoteSet merged = MergeNoteSets({{notes_.begin(), notes_.begin() + count_}, trash_}, copy);
  if (merged.Notes.size() > MaxNotes) return TMergeResult::NoRoom;
  changed = merged.Trash != trash_ || merged.Notes.size() != static_cast<size_t>(count_) ||
            !std::equal(merged.Notes.begin(), merged.Notes.end(), notes_.begin(), SameNotes);
  if (!changed) return TMergeResult::Merged;
  notes_.fill(TNotice{});
  count_ = static_cast<int32_t>(merged.Notes.size());
  std::move(merged.Notes.begin(), merged.Notes.end(), notes_.begin());
  trash_ = std::move(merged.Trash);
  Record({.Kind = TNoteChange::TKind::Merge, .Copy = copy});
  return TMergeResult::Merged;
}
