// The note list: the program's only document. A fixed table of MaxNotes places, its count, and
// the notes file "notices.msg". The program's one list belongs to its entry point, which hands it
// to the note window and the editor.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/NoteChanges.h"
#include "app/Notice.h"
#include "toolkit/FileStore.h"

inline constexpr std::string_view NotesFileName = "notices.msg";
// The notes file beside the program in `folder` (with its trailing separator).
inline std::string NotesPathIn(const std::string& folder) { return folder + std::string(NotesFileName); }
// A full list takes under 1 MB even in UTF-16; a file several times that size is not one we
// wrote and is neither loaded nor overwritten (this also bounds the memory a hostile file costs).
inline constexpr size_t MaxNotesFileBytes = 4u << 20;

class TNoteList {
 public:
  // The list of the notes file at notesPath, read and saved through the store (not owned,
  // MUST outlive the list; null: nothing can be read or saved).
  explicit TNoteList(TFileStore* store = nullptr, std::string notesPath = "")
      : store_(store), notesPath_(std::move(notesPath)) {}

  // Place k, 1..MaxNotes; places above NoteCount() are empty. Raises Exception outside.
  const TNotice& Notes(int k) const;
  int32_t NoteCount() const { return count_; }

  const std::string& NotesPath() const { return notesPath_; }
  // The notes file's folder with its trailing separator.
  std::string Folder() const { return notesPath_.substr(0, notesPath_.find_last_of("\\/") + 1); }
  TFileStore& Store() const;
  // No file was found at the last read.
  bool FileMissing() const { return missing_; }

  // How the file stands: not read yet, read (or missing, which is an empty list), or refused:
  // it exists but could not be read or counted, or holds more notes than the table, and is then
  // never written and the list takes no change.
  enum class TFileState { Unread, Read, Refused };
  TFileState FileState() const { return state_; }
  // For the user: why a refused file was not read and what that means.
  const std::string& RefusalText() const { return refusal_; }
  // False while the file is refused: the list then takes no change.
  bool CanChange() const { return state_ != TFileState::Refused; }
  // True while the list holds changes that are not in the file.
  bool Unsaved() const { return !changes_.empty(); }

  // Reads NotesPath into the table and forgets unsaved changes. A missing file is an empty list;
  // one that cannot be read, is too large, holds no text or cannot be counted leaves the list
  // empty and the file refused; one holding more notes than the table fills the table and is refused (how
  // the count is taken: CountNotes in NotesFile.h).
  void LoadNotes();
  // Writes the unsaved changes, if any, in one atomic replace that keeps every section and key
  // the list does not manage (but not the sections of notes above the count). When the file
  // changed since it was last read or written, it is read again first and the changes are made
  // on top of it (NoteChanges.h). Raises "Unable to write to %s" with the system's reason on a
  // second line; the file is then untouched and the changes stay unsaved.
  void SaveNotes();
  // With nothing unsaved: reads the file again when it is no longer what was last read or
  // written (or a refused file again). True when the list was reloaded.
  bool ReloadIfChanged();

  // The note that was number k with this text: k when it still is, else the first note with the
  // text, else 0.
  int32_t FindNote(int32_t k, const std::string& content) const {
    return FindChangedNote(notes_, count_, k, content);
  }

  // The note's texts are made single lines (OneLineText) and it is marked used, whatever its
  // Used says. False, with nothing changed, on a full table or a refused file.
  bool AppendNote(const TNotice& note);
  // As AppendNote, at place k. False, with nothing changed, when k is not the number of a note
  // (1..NoteCount) or the file is refused.
  bool ReplaceNote(int k, const TNotice& note);
  // Later notes move down one place; nothing happens when k is not a note's number or the file
  // is refused.
  void DeleteNote(int k);
  void DeleteAllNotes();
  // Adds, after the list's own notes and in the copy's order, every note of copy (places
  // 1..copyCount) that the list does not hold: the same text, attachment and exposure, repeats
  // counted (a note twice in the copy and once here is added once). Nothing is added when the
  // result would not fit the table or the file is refused. Two computers holding the same file
  // and the same copy so reach the same list. The caller saves.
  enum class TMergeResult { Merged, NoRoom, Refused };
  TMergeResult MergeCopy(const TNoteTable& copy, int32_t copyCount, int32_t& added);

 private:
  void Refuse(std::string why);
  void Record(TNoteChange change);
  [[noreturn]] void RaiseUnableToWrite(const std::string& reason) const;

  TFileStore* store_;  // not owned
  TNoteTable notes_{};
  int32_t count_ = 0;
  TFileState state_ = TFileState::Unread;
  std::string refusal_;
  std::string known_;  // the file's bytes as last read or written
  std::vector<TNoteChange> changes_;  // not in the file yet, oldest first
  std::string notesPath_;
  bool missing_ = false;
};
