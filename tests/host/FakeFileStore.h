// An in-memory file store for tests, with the failures a real disk can show. Header-only: it is
// shared by the host tests, the fuzzer and the benchmark of the note list.
#pragma once
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "toolkit/FileStore.h"

class TFakeFileStore : public TFileStore {
 public:
  std::map<std::string, std::string> Files;
  std::set<std::string> Directories;  // paths taken by a folder: no read, no write
  std::set<std::string> Unreadable;   // files held open by another program: no read
  bool ReadOnlyFolder = false;        // every write refused
  size_t FreeSpace = SIZE_MAX;        // a longer write runs out of disk
  std::set<std::string> LinksToNothing;  // links whose target is not there: no read, no write
  TAnsiCodePage CodePage;
  int WriteCalls = 0;

  using TFileStore::ReadWholeFile;
  using TFileStore::WriteWholeFile;

  TReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& data,
                            TFailure& failure) override {
    data.clear();
    if (Directories.count(path) || Unreadable.count(path)) {
      failure.Reason = "Access is denied.";
      return TReadResult::Failed;
    }
    const auto it = Files.find(path);
    if (it == Files.end() || LinksToNothing.count(path)) return TReadResult::NotFound;
    if (it->second.size() > maxBytes) {
      failure.Size = it->second.size();
      return TReadResult::TooLarge;
    }
    data = it->second;
    return TReadResult::Ok;
  }

  bool WriteWholeFile(const std::string& path, std::string_view data, TFailure& failure) override {
    ++WriteCalls;
    if (ReadOnlyFolder || Directories.count(path)) {
      failure.Reason = "Access is denied.";
      return false;
    }
    if (LinksToNothing.count(path)) {
      failure.Reason = "The system cannot find the file specified.";
      return false;
    }
    if (data.size() > FreeSpace) {
      failure.Reason = "There is not enough space on the disk.";
      return false;
    }
    Files[path] = std::string(data);
    return true;
  }

  bool IsLinkToNothing(const std::string& path) override { return LinksToNothing.count(path) > 0; }
  TAnsiCodePage TextCodePage() const override { return CodePage; }
};
