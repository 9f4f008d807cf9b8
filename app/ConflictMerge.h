// Conflict copies that sync tools leave beside the notes file, merged into the list by the notes'
// versions (NoteMerge.h) when two computers changed it while apart. A copy is removed only after
// the merged list is saved; one that cannot be merged stays and is named to the user once; one
// that cannot be removed is merged once and then passed over while it stays as it is.
#pragma once
#include <map>
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
  // True when the folder lies in a OneDrive folder, where "notices-COMPUTER.msg" is a copy.
  virtual bool InOneDrive() { return false; }
};

class TConflictMerge {
 public:
  struct TOutcome {
    bool Changed = false;               // the list differs: notes taken (saved or not), or the file reloaded
    std::vector<std::string> Messages;  // for the user, each said once
  };

  // Merges every conflict copy of the list's file, read through the list's store, in the order
  // of their names, each into the file as it is now. Does nothing while the list is unread,
  // refused, holds unsaved changes, or its file is missing (a sync tool moves the copy aside
  // before it puts the other side's file in place). A copy that ends in the middle of a note is
  // being written: it is merged once whole (named if it stays cut). Never throws.
  TOutcome MergeCopies(TNoteList& list, TCopyFolder& folder);

 private:
  // Adds the message unless one was already given for this copy.
  void Tell(TOutcome& outcome, const std::string& copy, std::string message);
  std::set<std::string> told_;  // copies already named to the user, while they stay
  // By name, a hash of the bytes: copies merged that could not be removed (merged again only
  // once they change), and copies seen cut off (named when seen so again).
  std::map<std::string, std::string> unremovable_, cut_;
};

// The messages of one merge as the text of one message box, however many copies they name.
std::string OneMessage(const std::vector<std::string>& messages);
