#include "toolkit/win/FileStore.h"

#include <windows.h>

#include <algorithm>

#include "toolkit/Utf.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

// Closes the handle when the scope ends, whichever way it ends.
class TScopedHandle {
 public:
  explicit TScopedHandle(HANDLE h) : h_(h) {}
  ~TScopedHandle() { Close(); }
  TScopedHandle(const TScopedHandle&) = delete;
  TScopedHandle& operator=(const TScopedHandle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  bool Close() {
    if (!Valid()) return true;
    const bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

bool WriteAll(HANDLE h, std::string_view data) {
  while (!data.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(h, data.data(), chunk, &written, nullptr) || written == 0) return false;
    data.remove_prefix(written);
  }
  return true;
}

// Writes and flushes the temporary file; the caller removes it when this fails.
bool WriteTemporary(const std::wstring& temp, std::string_view data) {
  TScopedHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  if (!WriteAll(file.Get(), data)) return false;
  if (!FlushFileBuffers(file.Get())) return false;
  return file.Close();
}

class TWinFileStore final : public TFileStore {
 public:
  TReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& data) override {
    data.clear();
    TScopedHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
      const DWORD error = GetLastError();
      const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
      return missing ? TReadResult::NotFound : TReadResult::Failed;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
      return TReadResult::Failed;
    }
    data.resize(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    while (got < data.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - got, 1u << 30));
      DWORD read = 0;
      if (!ReadFile(file.Get(), data.data() + got, chunk, &read, nullptr)) {
        data.clear();
        return TReadResult::Failed;
      }
      if (read == 0) break;  // the file shrank meanwhile
      got += read;
    }
    data.resize(got);
    return TReadResult::Ok;
  }

  bool WriteWholeFile(const std::string& path, std::string_view data) override {
    const std::wstring target = Wide(path);
    // A file the user marked read-only is not ours to replace (MoveFileExW would on some systems).
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    const std::wstring temp = target + L".tmp";
    if (WriteTemporary(temp, data) &&
        MoveFileExW(temp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    DeleteFileW(temp.c_str());
    return false;
  }
};

}  // namespace

TFileStore& SystemFileStore() {
  static TWinFileStore store;
  return store;
}
