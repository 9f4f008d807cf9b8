#include "toolkit/win/FileStore.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

#include "toolkit/win/FolderFiles.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/SystemError.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WineFileMode.h"

namespace {

bool Fail(TFileStore::TFailure& failure, DWORD code) {
  failure.Reason = SystemErrorText(code);
  return false;
}

bool WriteAll(HANDLE h, std::string_view data) {
  while (!data.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(h, data.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    data.remove_prefix(written);
  }
  return true;
}

std::wstring TempName(const std::wstring& target) {
  static std::atomic<unsigned> serial{0};
  // The target's own name goes in wide, as it is; only the parts after it come from the rule.
  return target + ToWide(TemporaryFileName({}, GetCurrentProcessId(), GetTickCount(), ++serial));
}

// Links named like a leftover are not ours: neither they nor what they lead to are removed.
void RemoveStaleTemporaries(const std::wstring& target) {
  const size_t slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
  WIN32_FIND_DATAW found;
  const UniqueFind find(FindFirstFileW((target + L".*.tmp").c_str(), &found));
  if (!find) return;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  std::vector<TFolderEntry> entries;
  do {
    if (!IsPlainFile(folder + found.cFileName)) continue;
    const uint64_t written = ticks(found.ftLastWriteTime), at = ticks(now);
    entries.push_back({ToUtf8(found.cFileName), at > written ? (at - written) / 10000000 : 0});
  } while (FindNextFileW(find.Get(), &found));
  const std::string name = ToUtf8(slash == std::wstring::npos ? target : target.substr(slash + 1));
  for (const std::string& stale : StaleTemporaries(name, entries)) DeletePlainFile(folder + ToWide(stale));
}

// The file a save replaces: the final target of a chain of symbolic links or junctions at path,
// so that each link stays a link (Wine's replace would swap the link for a file and delete its
// target); path itself when nothing is there yet or it cannot be followed.
std::wstring FinalTarget(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return path;
  std::wstring final(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetFinalPathNameByHandleW(file.Get(), final.data(), static_cast<DWORD>(final.size()),
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return path;
    const bool fits = n < final.size();
    final.resize(n);  // too small: n counts the terminator as well
    if (fits) break;
  }
  // "\\?\C:\..." and "\\?\UNC\server\..." back to the forms every call takes.
  if (final.starts_with(L"\\\\?\\UNC\\")) return L"\\" + final.substr(7);
  if (final.starts_with(L"\\\\?\\") && final.size() > 6 && final[5] == L':') return final.substr(4);
  return final;
}

// Windows' replace keeps the replaced file's access rules itself; under Wine the temporary's own
// mode would stay, so it takes the replaced file's first.
bool KeepMode(const std::wstring& target, const std::wstring& temp, TFileStore::TFailure& failure) {
  DWORD error = 0;
  return CopyWineFileMode(target, temp, error) || Fail(failure, error);
}

// Windows' replace keeps the replaced file's security and attributes. Wine's moves the old file
// away and deletes it before it moves the new one in: meanwhile other programs (a sync tool, a
// second copy) find no file, and when the last move fails neither copy is left. Wine's move with
// replace is one rename, which never leaves the name empty and fails with the old file in place.
// Wine refuses that rename while any of its programs has the file open, even one that shares
// delete; a second copy reading the notes holds it for moments, so a refusal is tried again
// for about half a second.
bool PutInPlace(const std::wstring& temp, const std::wstring& target, bool exists) {
  if (!exists) return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  if (!UnderWine())
    return ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == 25) return false;
    Sleep(20);
  }
}

// Creates, writes and flushes a temporary file of a name nobody else holds; its name on success.
bool WriteTemporary(const std::wstring& target, std::string_view data, std::wstring& temp,
                    TFileStore::TFailure& failure) {
  for (int attempt = 0;; ++attempt) {
    temp = TempName(target);
    UniqueHandle file(
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      const DWORD error = GetLastError();
      // Taken by a file or folder of that name: another name. Anything else is the folder's fault.
      if ((error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) && attempt < 8) continue;
      temp.clear();
      return Fail(failure, error);
    }
    if (!WriteAll(file.Get(), data) || !FlushFileBuffers(file.Get())) {
      const DWORD error = GetLastError();
      file.Close();
      return Fail(failure, error);
    }
    if (!file.Close()) return Fail(failure, GetLastError());
    return true;
  }
}

class TWinFileStore final : public TFileStore {
 public:
  using TFileStore::ReadWholeFile;
  using TFileStore::WriteWholeFile;

  TReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& data,
                            TFailure& failure) override {
    data.clear();
    UniqueHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return TReadResult::NotFound;
      Fail(failure, error);
      return TReadResult::Failed;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
      Fail(failure, GetLastError());
      return TReadResult::Failed;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
      failure.Size = static_cast<uint64_t>(size.QuadPart);
      return TReadResult::TooLarge;
    }
    data.resize(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    while (got < data.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - got, 1u << 30));
      DWORD read = 0;
      if (!ReadFile(file.Get(), data.data() + got, chunk, &read, nullptr)) {
        Fail(failure, GetLastError());
        data.clear();
        return TReadResult::Failed;
      }
      if (read == 0) break;  // the file shrank meanwhile
      got += read;
    }
    data.resize(got);
    return TReadResult::Ok;
  }

  bool WriteWholeFile(const std::string& path, std::string_view data, TFailure& failure) override {
    if (path.empty()) return Fail(failure, ERROR_INVALID_NAME);
    const std::wstring target = FinalTarget(ToWide(path));
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return Fail(failure, ERROR_DIRECTORY);
    // A file the user marked read-only is not ours to replace (a move would on some systems).
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return Fail(failure, ERROR_ACCESS_DENIED);
    if (exists) {
      // A file another program holds open without letting it be replaced: say so before any
      // temporary file is made (the system's replace would leave one of its own behind).
      UniqueHandle probe(CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!probe) return Fail(failure, GetLastError());
    }
    RemoveStaleTemporaries(target);
    std::wstring temp;
    if (!WriteTemporary(target, data, temp, failure) || (exists && !KeepMode(target, temp, failure))) {
      if (!temp.empty()) DeleteFileW(temp.c_str());
      return false;
    }
    if (PutInPlace(temp, target, exists)) return true;
    const DWORD error = GetLastError();
    // No old file now (removed meanwhile, or moved away by a replace that then failed): the
    // temporary may be the only copy of the notes, so it goes in or stays.
    if (exists && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
      if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
      return Fail(failure, GetLastError());
    }
    DeleteFileW(temp.c_str());
    return Fail(failure, error);
  }
};

}  // namespace

TFileStore& SystemFileStore() {
  static TWinFileStore store;
  return store;
}
