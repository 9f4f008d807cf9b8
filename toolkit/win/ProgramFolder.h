// The one look at start at the folder the program runs from (ProgramFolder.h decides).
#pragma once
#include <string>

#include "toolkit/ProgramFolder.h"

struct TProgramFolderCheck {
  TProgramFolderKind Kind = TProgramFolderKind::Usable;
  std::string Reason;  // the system's words when a file could not be made there
};

// folder: full path, UTF-8. Makes a file there and deletes it again, and compares the folder
// with the user's temporary folder, both in long names.
TProgramFolderCheck CheckProgramFolder(const std::string& folder);

// Only the comparison with the temporary folder: no file is made.
bool InOpenedArchive(const std::string& folder);
