// Files and folders for the Win32 tests of the notes file: a scratch folder that cleans up after
// itself, whole-file helpers, and a folder nothing may be written to.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Utf.h"

inline std::wstring Wide(std::string_view utf8) {
  const std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

inline std::string Narrow(std::wstring_view w) { return Utf16ToUtf8(std::u16string(w.begin(), w.end())); }

inline bool PutFile(const std::wstring& path, std::string_view bytes) {
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(h);
  return ok;
}

inline std::string GetFile(const std::wstring& path) {
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<none>";
  std::string out;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
  CloseHandle(h);
  return out;
}

inline bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A fresh folder under %TEMP%, emptied and removed at the end (one level of files and folders).
class TScratchFolder {
 public:
  TScratchFolder() {
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // Wine gives out the same process numbers run after run, and a folder an earlier run could
    // not empty (a link in it) must not become this test's: a name nobody has used yet.
    do {
      path_ = std::wstring(temp) + L"zettly-notes-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(++serial) + L"\\";
    } while (!CreateDirectoryW(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
  }
  ~TScratchFolder() {
    WIN32_FIND_DATAW fd;
    const HANDLE find = FindFirstFileW((path_ + L"*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring item = path_ + fd.cFileName;
        SetFileAttributesW(item.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(item.c_str())) RemoveDirectoryW(item.c_str());
      } while (FindNextFileW(find, &fd));
      FindClose(find);
    }
    RemoveDirectoryW(path_.c_str());
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  const std::wstring& Path() const { return path_; }  // ends in a backslash
  std::wstring operator/(const wchar_t* name) const { return path_ + name; }
  int Count() const {
    int n = 0;
    WIN32_FIND_DATAW fd;
    const HANDLE find = FindFirstFileW((path_ + L"*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do n += fd.cFileName[0] != L'.';
    while (FindNextFileW(find, &fd));
    FindClose(find);
    return n;
  }

 private:
  std::wstring path_;
};

// The Unix path of a file or folder under Wine; empty elsewhere.
inline std::string UnixPath(const std::wstring& path) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unixName ? unixName(path.c_str()) : nullptr;
  if (!name) return {};
  std::string out = name;
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

// Wine runs a Unix program detached: CreateProcessW gives no handle to wait on. So the script
// ends by creating a file in a folder we watch, and we wait for that change to be delivered.
// False when the script could not be started or did not finish within ten seconds.
inline bool RunUnixScript(const std::string& script) {
  TScratchFolder signal;
  const std::string signalPath = UnixPath(signal.Path());
  if (signalPath.empty()) return false;  // not Wine
  const HANDLE change = FindFirstChangeNotificationW(signal.Path().c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
  if (change == INVALID_HANDLE_VALUE) return false;
  std::wstring command = Wide("Z:\\bin\\sh -c \"" + script + "; touch '" + signalPath + "/done'\"");
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  bool finished = false;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                     &si, &pi)) {
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    for (int changes = 0; changes < 10 && !finished; ++changes) {
      if (WaitForSingleObject(change, 10000) != WAIT_OBJECT_0) break;
      finished = Exists(signal / L"done");
      FindNextChangeNotification(change);
    }
  }
  FindCloseChangeNotification(change);
  return finished;
}

// Makes a folder one nobody may write in, as a program folder without write rights is. Wine runs
// as the Unix user (root here, which file modes do not stop), so this sets the file system's
// immutable flag. Active() is false where that cannot be done; the caller then skips.
class TReadOnlyFolder {
 public:
  explicit TReadOnlyFolder(const std::wstring& folder) : unixPath_(UnixPath(folder)) {
    if (unixPath_.empty() || !RunUnixScript("chattr +i '" + unixPath_ + "'")) return;
    active_ = true;
    const std::wstring probe = folder + L"probe.tmp";
    if (PutFile(probe, "x")) {  // the flag did not hold: put things back
      DeleteFileW(probe.c_str());
      Release();
    }
  }
  ~TReadOnlyFolder() { Release(); }
  TReadOnlyFolder(const TReadOnlyFolder&) = delete;
  TReadOnlyFolder& operator=(const TReadOnlyFolder&) = delete;
  bool Active() const { return active_; }

 private:
  void Release() {
    if (active_) RunUnixScript("chattr -i '" + unixPath_ + "'");
    active_ = false;
  }

  std::string unixPath_;
  bool active_ = false;
};
