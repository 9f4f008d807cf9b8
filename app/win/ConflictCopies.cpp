#include "app/win/ConflictCopies.h"

#include "toolkit/win/FileStore.h"
#include "toolkit/win/FolderFiles.h"

bool TConflictCopies::Merge(TNoteList& notes, TApplication& app) {
  const std::string& path = notes.NotesPath();
  const size_t slash = path.find_last_of("\\/");
  folder_ = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const TConflictMerge::TOutcome outcome = merge_.MergeCopies(notes, SystemFileStore(), *this);
  for (const std::string& message : outcome.Messages)
    app.MessageBox(message, app.Title(), MB_OK | MB_ICONWARNING);
  return outcome.Changed;
}

std::vector<std::string> TConflictCopies::FileNames() {
  // Every copy's name starts with the file's own and ends with its extension.
  const std::string file(NotesFileName);
  const size_t dot = file.rfind('.');
  return FileNamesIn(folder_, file.substr(0, dot) + "*" + (dot == std::string::npos ? "" : file.substr(dot)));
}

bool TConflictCopies::RemoveFile(const std::string& name) { return DeleteFileAt(folder_ + name); }
