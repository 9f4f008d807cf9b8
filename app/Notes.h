// The note list: the program's only document. A fixed table of MaxNotes places, the counters the
// note window, the editor and the menu commands share, and the notes file "notices.msg".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "app/Notice.h"
#include "toolkit/FileStore.h"

inline constexpr std::string_view NotesFileName = "notices.msg";
// A full list takes under 1 MB even in UTF-16; a file several times that size is not one we
// wrote and is neither loaded nor overwritten (this also bounds the memory a hostile file costs).
inline constexpr size_t MaxNotesFileBytes = 4u << 20;

class TNoteList {
 public:
  explicit TNoteList(TFileStore* store = nullptr) : store_(store) {}

  // The store the file goes through (not owned). The Win32 start-up sets the real one.
  void SetFileStore(TFileStore* store) { store_ = store; }

  // Place k, 1..MaxNotes; places above NoteCount() are empty. Raises Exception outside.
  const TNotice& Notes(int k) const;
  int32_t NoteCount() const { return count_; }

  // The note the next forward step shows (1 at start); kept by the note window.
  int32_t NextNote() const { return next_; }
  void SetNextNote(int32_t k) { next_ = k; }

  // The executable's folder with its trailing separator, and the notes file in it.
  const std::string& ProgramFolder() const { return programFolder_; }
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
  const std::string& NotesPath() const { return notesPath_; }
  void SetNotesPath(std::string path) { notesPath_ = std::move(path); }
  // NotesPath := ProgramFolder + "notices.msg".
  void BuildNotesPath() { notesPath_ = programFolder_ + std::string(NotesFileName); }

  // Reads NotesPath into the table. A missing, unreadable or oversized file is an empty list;
  // NextNote is left alone.
  void LoadNotes();
  // Writes the table into the file as it is now, keeping every section and key it does not
  // manage, in one atomic replace. Raises "Unable to write to %s" (the path) when the file
  // cannot be written or its present content cannot be read back to be kept; the old file is
  // then untouched.
  void SaveNotes();

  // Texts are made single lines (OneLineText). False, with nothing changed, on a full table.
  bool AppendNote(std::string_view content, std::string_view attach, int32_t exposureMs);
  // False, with nothing changed, when k is not the number of a note (1..NoteCount).
  bool ReplaceNote(int k, std::string_view content, std::string_view attach, int32_t exposureMs);
  // Later notes move down one place; nothing happens when k is not a note's number.
  void DeleteNote(int k);
  void DeleteAllNotes();

 private:
  TFileStore& Store() const;

  TFileStore* store_;  // not owned
  TNoteTable notes_{};
  int32_t count_ = 0;
  int32_t next_ = 1;
  std::string programFolder_;
  std::string notesPath_;
};

// The program's list, alive for the whole run.
TNoteList& NoteList();
