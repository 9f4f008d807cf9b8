#include "toolkit/win/ProgramFolder.h"

#include <windows.h>

#include "toolkit/FileStore.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/SystemError.h"
#include "toolkit/win/Text.h"

namespace {

// GetTempPathW may give 8.3 names ("JOHNDO~1") where the program's path has long ones.
std::wstring LongPath(const std::wstring& path) {
  const DWORD n = GetLongPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return path;
  std::wstring out(n, L'\0');
  const DWORD got = GetLongPathNameW(path.c_str(), out.data(), n);
  if (got == 0 || got >= n) return path;
  out.resize(got);
  return out;
}

std::wstring TemporaryFolder() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  return n == 0 || n > MAX_PATH ? std::wstring() : LongPath(std::wstring(temp, n));
}

// A probe named as a save's temporary file, so that one left by a crash is cleaned up as those are.
bool CanMakeFileIn(std::wstring folder, DWORD& error) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  for (uint32_t attempt = 1;; ++attempt) {
    const std::wstring probe =
        folder + ToWide(TemporaryFileName("notices.msg", GetCurrentProcessId(), GetTickCount(), attempt));
    const UniqueHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file) return true;
    error = GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 8) return false;
  }
}

}  // namespace

TProgramFolderCheck CheckProgramFolder(const std::string& folder) {
  const std::wstring wide = LongPath(ToWide(folder));
  DWORD error = 0;
  const bool writable = CanMakeFileIn(wide, error);
  TProgramFolderCheck check;
  check.Kind = ClassifyProgramFolder(ToUtf8(wide), ToUtf8(TemporaryFolder()), writable);
  if (!writable) check.Reason = SystemErrorText(error);
  return check;
}

bool InOpenedArchive(const std::string& folder) {
  return IsOpenedArchiveFolder(ToUtf8(LongPath(ToWide(folder))), ToUtf8(TemporaryFolder()));
}
