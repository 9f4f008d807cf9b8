// Whole-file access for documents that must never be left half-written. The note list reads and
// saves its file through this; the Win32 half supplies the real store (toolkit/win/FileStore.h),
// tests an in-memory one. Paths are UTF-8.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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
  // flushed, then put in place of path. On false the old file MUST be untouched and no temporary
  // file left behind; the caller reports "Unable to write to %s".
  virtual bool WriteWholeFile(const std::string& path, std::string_view data, TFailure& failure) = 0;

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
