// The conflict copies beside the notes file as the merge meets them: the real folder's files.
#pragma once
#include <string>
#include <vector>

#include "app/ConflictMerge.h"

class TFolderCopies final : public TCopyFolder {
 public:
  // The folder of notesPath; whether it lies in a OneDrive folder is read from the environment
  // (OneDrive, OneDriveConsumer, OneDriveCommercial) now.
  explicit TFolderCopies(const std::string& notesPath);
  std::vector<std::string> FileNames() override;
  bool RemoveFile(const std::string& name) override;
  bool InOneDrive() override { return in_one_drive_; }

 private:
  std::string folder_;  // with its trailing separator
  bool in_one_drive_;
};
