// The conflict copies beside the notes file as the merge meets them: the real folder's files.
#pragma once
#include <string>
#include <vector>

#include "app/ConflictMerge.h"

class TFolderCopies final : public TCopyFolder {
 public:
  explicit TFolderCopies(const std::string& notesPath);
  std::vector<std::string> FileNames() override;
  bool RemoveFile(const std::string& name) override;

 private:
  std::string folder_;  // with its trailing separator
};
