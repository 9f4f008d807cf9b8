// Whole-file access for documents that must never be left half-written. The note list reads and
// saves its file through this; the Win32 half supplies the real store (toolkit/win/FileStore.h),
// tests an in-memory one. Paths are UTF-8.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

class TFileStore {
 public:
  enum class TReadResult { Ok, NotFound, Failed };

  virtual ~TFileStore() = default;

  // Reads the whole file into data. MUST give NotFound (data empty) when nothing is at path, and
  // Failed for anything else that stops the read, a file larger than maxBytes included.
  virtual TReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& data) = 0;

  // Replaces the file with data in one step: written to a temporary file in the same folder,
  // flushed, then moved over path. On false the old file MUST be untouched and no temporary
  // file left behind; the caller reports "Unable to write to %s".
  virtual bool WriteWholeFile(const std::string& path, std::string_view data) = 0;
};
