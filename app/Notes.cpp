#include "app/Notes.h"

#include "app/NotesFile.h"
#include "toolkit/Exception.h"
#include "toolkit/IniDocument.h"

const TNotice& TNoteList::Notes(int k) const {
  if (k < 1 || k > MaxNotes) RaiseFmt("Note number %s out of range", {std::to_string(k)});
  return notes_[k - 1];
}

TFileStore& TNoteList::Store() const {
  if (!store_) RaiseFmt("No file store to reach %s", {notesPath_});
  return *store_;
}

void TNoteList::LoadNotes() {
  std::string bytes;
  if (Store().ReadWholeFile(notesPath_, MaxNotesFileBytes, bytes) != TFileStore::TReadResult::Ok) {
    bytes.clear();
  }
  count_ = ReadNoteTable(TIniDocument::FromBytes(bytes), notes_);
}

void TNoteList::SaveNotes() {
  TFileStore& store = Store();
  // Sections we do not manage live only in the file: read it now so the save keeps them.
  std::string bytes;
  const auto read = store.ReadWholeFile(notesPath_, MaxNotesFileBytes, bytes);
  if (read == TFileStore::TReadResult::Failed) RaiseFmt("Unable to write to %s", {notesPath_});
  TIniDocument doc = TIniDocument::FromBytes(bytes);
  bytes.clear();
  WriteNoteTable(notes_, count_, doc);
  if (!store.WriteWholeFile(notesPath_, doc.ToBytes())) RaiseFmt("Unable to write to %s", {notesPath_});
}

bool TNoteList::AppendNote(std::string_view content, std::string_view attach, int32_t exposureMs) {
  if (count_ >= MaxNotes) return false;
  notes_[count_] = TNotice{OneLineText(content), OneLineText(attach), true, exposureMs};
  ++count_;
  return true;
}

bool TNoteList::ReplaceNote(int k, std::string_view content, std::string_view attach,
                            int32_t exposureMs) {
  if (k < 1 || k > count_) return false;
  notes_[k - 1] = TNotice{OneLineText(content), OneLineText(attach), true, exposureMs};
  return true;
}

void TNoteList::DeleteNote(int k) {
  if (k < 1 || k > count_) return;
  for (int i = k; i < count_; ++i) notes_[i - 1] = std::move(notes_[i]);
  notes_[count_ - 1] = TNotice{};
  --count_;
}

void TNoteList::DeleteAllNotes() {
  notes_.fill(TNotice{});
  count_ = 0;
}

TNoteList& NoteList() {
  static TNoteList list;
  return list;
}
