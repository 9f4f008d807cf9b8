#include "toolkit/win/FileStore.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/win/FolderFiles.h"
#include "toolkit/win/FileOperations.h"
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

// Windows' replace keeps the replaced file's access rules itself; under Wine the temporary takes
// the replaced file's mode, group and extended attributes (its ACL among them) as soon as it
// exists, before a byte is written: made with Wine's own rules it would be readable by others.
bool KeepMode(const std::wstring& target, const std::wstring& temp, TFileStore::TFailure& failure) {
  DWORD error = 0;
  if (!CopyWineFileMode(target, temp, error)) return Fail(failure, error);
  CopyWineFileExtras(target, temp);
  return true;
}

// Antivirus scanners, the search indexer and sync tools (Syncthing opens files without sharing
// delete) hold a file just written for moments, and Wine refuses a rename while any of its
// programs has the file open. A refusal is tried again for about two seconds.
constexpr DWORD kRetryStep = 50, kRetryBudget = 2000;

bool IsRefusal(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

template <typename Call>
bool Retrying(TFileOperations& ops, Call call) {
  for (DWORD waited = 0;; waited += kRetryStep) {
    if (call()) return true;
    const DWORD error = GetLastError();
    if (!IsRefusal(error) || waited >= kRetryBudget) return false;
    ops.Wait(kRetryStep);
    SetLastError(error);
  }
}

// Windows' replace keeps the replaced file's security and attributes. Given a backup name, each
// failure leaves a documented state: after 1175 and 1176 both files keep their names (a refusal,
// tried again); after 1177 the old file has the backup's name and the new one its own, and the
// notes' name is free.
bool ReplaceOnWindows(TFileOperations& ops, const std::wstring& temp, const std::wstring& target) {
  const std::wstring backup = TempName(target);
  if (Retrying(ops, [&] { return ops.Replace(target.c_str(), temp.c_str(), backup.c_str()); })) {
    DeleteFileW(backup.c_str());
    return true;
  }
  if (GetLastError() != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) return false;
  if (Retrying(ops, [&] { return ops.Move(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH); })) {
    DeleteFileW(backup.c_str());
    return true;
  }
  const DWORD error = GetLastError();
  ops.Move(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
  SetLastError(error);
  return false;
}

// Wine's replace moves the old file away and deletes it before it moves the new one in:
// meanwhile other programs (a sync tool, a second copy) find no file, and when the last move
// fails neither copy is left. Wine's move with replace is one rename, which never leaves the
// name empty and fails with the old file in place.
bool PutInPlace(TFileOperations& ops, const std::wstring& temp, const std::wstring& target, bool exists) {
  if (!exists)
    return Retrying(ops, [&] { return ops.Move(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH); });
  if (!ops.UnderWine()) return ReplaceOnWindows(ops, temp, target);
  return Retrying(ops, [&] {
    return ops.Move(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  });
}

// Creates, writes and flushes a temporary file of a name nobody else holds, with the mode of
// modeOf when there is one; its name on success.
bool WriteTemporary(const std::wstring& target, std::string_view data, const std::wstring* modeOf,
                    std::wstring& temp, TFileStore::TFailure& failure) {
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
    if (modeOf && !KeepMode(*modeOf, temp, failure)) return false;
    if (!WriteAll(file.Get(), data) || !FlushFileBuffers(file.Get())) {
      const DWORD error = GetLastError();
      file.Close();
      return Fail(failure, error);
    }
    if (!file.Close()) return Fail(failure, GetLastError());
    return true;
  }
}

// Other names lead to the same file (hard links): a replace would leave them the old notes.
bool HasOtherNames(const std::wstring& target) {
  const UniqueHandle file(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  return file && GetFileInformationByHandle(file.Get(), &info) && info.nNumberOfLinks > 1;
}

// The notes written over the file itself, which every one of its names sees. Not atomic: the
// flushed temporary is the whole copy that a failure halfway falls back on.
bool WriteOver(const std::wstring& target, std::string_view data) {
  const UniqueHandle file(CreateFileW(target.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.Get(), data) && SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get());
}

// A name that is listed in its folder but cannot be opened because nothing is at its end.
bool LinkToNothing(const std::wstring& path) {
  if (WineLinkToNothing(path)) return true;
  WIN32_FIND_DATAW found;
  const UniqueFind listed(FindFirstFileW(path.c_str(), &found));
  if (!listed) return false;
  const UniqueHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (file) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string SystemAnsiToUtf8(uint32_t codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX));
  const int units = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (units <= 0) return AnsiToUtf8(bytes, {1252});
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), units);
  return ToUtf8(wide);
}

class TWinFileStore final : public TFileStore {
 public:
  explicit TWinFileStore(TFileOperations& operations) : ops_(operations) {}

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
    // A plain file in the link's place would hide the notes behind it once they are there.
    if (LinkToNothing(ToWide(path))) return Fail(failure, ERROR_PATH_NOT_FOUND);
    const std::wstring target = FinalTarget(ToWide(path));
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return Fail(failure, ERROR_DIRECTORY);
    // A file the user marked read-only is not ours to replace (a move would on some systems).
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return Fail(failure, ERROR_ACCESS_DENIED);
    if (exists) {
      // A file another program holds open without letting it be replaced: say so before any
      // temporary file is made (the system's replace would leave one of its own behind).
      UniqueHandle probe;
      const bool free = Retrying(ops_, [&] {
        probe.Reset(CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return static_cast<bool>(probe);
      });
      if (!free) return Fail(failure, GetLastError());
    }
    // A leftover may be the only copy of the notes while their file is missing.
    if (exists) RemoveStaleTemporaries(target);
    std::wstring temp;
    if (!WriteTemporary(target, data, exists ? &target : nullptr, temp, failure)) {
      if (!temp.empty()) DeleteFileW(temp.c_str());
      return false;
    }
    if (exists && HasOtherNames(target) && WriteOver(target, data)) {
      DeleteFileW(temp.c_str());
      return true;
    }
    if (PutInPlace(ops_, temp, target, exists)) return true;
    const DWORD error = GetLastError();
    // No old file now (removed meanwhile, or moved away by a replace that then failed): the
    // temporary may be the only copy of the notes, so it goes in or stays.
    if (exists && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
      if (ops_.Move(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
      return Fail(failure, GetLastError());
    }
    DeleteFileW(temp.c_str());
    return Fail(failure, error);
  }

  bool IsLinkToNothing(const std::string& path) override { return LinkToNothing(ToWide(path)); }

  TAnsiCodePage TextCodePage() const override { return {GetACP(), SystemAnsiToUtf8}; }

 private:
  TFileOperations& ops_;
};

}  // namespace

TFileStore& SystemFileStore() {
  static TWinFileStore store(SystemFileOperations());
  return store;
}

std::unique_ptr<TFileStore> MakeFileStore(TFileOperations& operations) {
  return std::make_unique<TWinFileStore>(operations);
}
