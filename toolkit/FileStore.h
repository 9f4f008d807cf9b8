// Whole-file access for documents that must never be left half-written. The note list reads and
// saves its file through this; the Win32 half supplies the real store (toolkit/win/FileStore.h),
// tests an in-memory one. Paths are UTF-8.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/AnsiCodePage.h"

class TFileStore {
 public:
  enum class TReadResult { Ok, NotFound, TooLarge, Failed };

  // Why an operation failed, in the system's words (empty when it has none), and for TooLarge the
  // file's size in bytes.
  struct TFailure {
    std::string Reason;
    uint64_t Size = 0;
  };

  virtual ~TFileStore() = default;

  // Reads the whole file into data. MUST give NotFound (data empty) when nothing is at path,
  // TooLarge for a file larger than maxBytes, and Failed for anything else that stops the read.
  virtual TReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& data,
                                    TFailure& failure) = 0;

  // Replaces the file with data in one step: written to a temporary file in the same folder,
  // flushed, then put in place of path. When path is a link, the file it leads to is the one
  // replaced, in its own folder, and the link stays; a link whose target is not there is never
  // replaced (false). The replaced file keeps its permissions. On false the old file MUST be
  // untouched and no temporary file left behind; the caller reports "Unable to write to %s".
  virtual bool WriteWholeFile(const std::string& path, std::string_view data, TFailure& failure) = 0;

  // Whether path is a link (symbolic link, junction) to something that is not there: a drive or
  // a synced folder not connected yet. Reads give NotFound there.
  virtual bool IsLinkToNothing(const std::string&) { return false; }

  // The code page in which the system's programs write text without a mark.
  virtual TAnsiCodePage TextCodePage() const { return {}; }

  // The same, for callers that need no reason.
  TReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& data) {
    TFailure ignored;
    return ReadWholeFile(path, maxBytes, data, ignored);
  }
  bool WriteWholeFile(const std::string& path, std::string_view data) {
    TFailure ignored;
    return WriteWholeFile(path, data, ignored);
  }
};

// A save writes "<file>.<process>-<tick>-<counter>.tmp" beside the file, each part in lower-case
// hex, then puts it in place; one left by a save that was killed is removed by a later save.
std::string TemporaryFileName(std::string_view fileName, uint32_t process, uint32_t tick, uint32_t counter);

// One file beside the saved one, as a folder listing gives it.
struct TFolderEntry {
  std::string Name;
  uint64_t AgeSeconds = 0;  // since it was last written
};
// A leftover younger than this may be another copy's save in progress.
inline constexpr uint64_t StaleTemporaryAgeSeconds = 60 * 60;
// The entries that are leftovers of saves of fileName: named as TemporaryFileName names them
// (names compare as the system does, ignoring the case of ASCII letters) and old. A user's own
// "notices.msg.backup.tmp" is never one.
std::vector<std::string> StaleTemporaries(std::string_view fileName, const std::vector<TFolderEntry>& entries);
