#include "app/win/FolderCopies.h"

#include "app/Notes.h"
#include "toolkit/win/FolderFiles.h"

TFolderCopies::TFolderCopies(const std::string& notesPath)
    : folder_(notesPath.substr(0, notesPath.find_last_of("\\/") + 1)) {}

std::vector<std::string> TFolderCopies::FileNames() {
  // Every copy's name starts with the file's own and ends with its extension.
  const std::string file(NotesFileName);
  const size_t dot = file.rfind('.');
  return FileNamesIn(folder_, file.substr(0, dot) + "*" + (dot == std::string::npos ? "" : file.substr(dot)));
}

bool TFolderCopies::RemoveFile(const std::string& name) { return DeleteFileAt(folder_ + name); }
