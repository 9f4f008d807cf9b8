// Conflict copies that sync tools leave beside the notes file, merged into the list so that no
// note is lost when two computers changed it while apart. A copy is removed only after the merged
// list is saved; one that cannot be merged stays and is named to the user once.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "app/Notes.h"
#include "toolkit/FileStore.h"

// The notes file's folder as the merge needs it; the Win32 side lists and removes real files.
class TCopyFolder {
 public:
  virtual ~TCopyFolder() = default;
  // Names of files in the notes file's folder; MAY hold others, which are passed over.
  virtual std::vector<std::string> FileNames() = 0;
  // Removes the file of that name in the folder; false when it could not be removed.
  virtual bool RemoveFile(const std::string& name) = 0;
};

class TConflictMerge {
 public:
  struct TOutcome {
    bool Changed = false;               // the list differs: notes taken (saved or not), or the file reloaded
    std::vector<std::string> Messages;  // for the user, each said once
  };

  // Merges every conflict copy of the list's file, read through the list's store, in the order of their names, each into the
  // file as it is now. Does nothing while the list is unread, refused, holds unsaved changes, or
  // its file is missing (a sync tool moves the copy aside before it puts the other side's file in
  // place). Never throws.
  TOutcome MergeCopies(TNoteList& list, TCopyFolder& folder);

 private:
  // Adds the message unless one was already given for this copy.
  void Tell(TOutcome& outcome, const std::string& copy, std::string message);
  std::set<std::string> told_;  // copies already named to the user, while they stay
};
