#include "toolkit/win/FolderFiles.h"

#include <windows.h>

#include "toolkit/win/Handles.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WineFileMode.h"

namespace {
constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

// Wine reports what a link leads to, so only Linux can tell a link from its target. Where Wine
// runs without that answer, nothing counts as plain.
bool PlainOnTheUnixSide(const std::wstring& path) {
  if (!UnderWine()) return true;
  const std::optional<TUnixFile> file = WineUnixFile(path, false);
  return file && file->Kind == TUnixFileKind::Regular;
}
}  // namespace

std::vector<std::string> FileNamesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const std::wstring where = ToWide(folder);
  const UniqueFind find(FindFirstFileW((where + ToWide(pattern)).c_str(), &found));
  if (!find) return names;
  do {
    if (!(found.dwFileAttributes & kNotPlain) && PlainOnTheUnixSide(where + found.cFileName))
      names.push_back(ToUtf8(found.cFileName));
  } while (FindNextFileW(find.Get(), &found));
  return names;
}

bool IsPlainFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & kNotPlain) && PlainOnTheUnixSide(path);
}

bool DeletePlainFile(const std::wstring& path) { return IsPlainFile(path) && DeleteFileW(path.c_str()) != 0; }

bool DeleteFileAt(const std::string& path) { return DeletePlainFile(ToWide(path)); }
