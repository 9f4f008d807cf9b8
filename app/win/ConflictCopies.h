// The note window's part in merging the conflict copies that sync tools leave beside the notes
// file: lists and removes them in the real folder and tells the user what could not be merged.
#pragma once
#include "app/ConflictMerge.h"
#include "app/Notes.h"
#include "toolkit/win/Application.h"

class TConflictCopies final : private TCopyFolder {
 public:
  // Merges the copies now beside the list's file (ConflictMerge.h); a message box of app names
  // each one that cannot be merged, once. True when the list changed.
  bool Merge(TNoteList& notes, TApplication& app);

 private:
  std::vector<std::string> FileNames() override;
  bool RemoveFile(const std::string& name) override;

  TConflictMerge merge_;
  std::string folder_;  // of the list's file, while Merge runs
};
