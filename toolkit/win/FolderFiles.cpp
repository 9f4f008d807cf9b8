#include "toolkit/win/FolderFiles.h"

#include <windows.h>

#include "toolkit/win/Handles.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WineFileMode.h"

namespace {
// A folder, or a link of Windows' own: a symbolic link, a junction, a WSL link. Other reparse
// points are files a sync client keeps (OneDrive's placeholders) and count as plain.
bool FolderOrLink(const WIN32_FIND_DATAW& found) {
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return true;
  return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(found.dwReserved0);
}

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
    if (!FolderOrLink(found) && PlainOnTheUnixSide(where + found.cFileName))
      names.push_back(ToUtf8(found.cFileName));
  } while (FindNextFileW(find.Get(), &found));
  return names;
}

bool IsPlainFile(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  // A name holds no wildcard: the search finds the entry itself, with its reparse tag.
  if (path.find_first_of(L"*?") != std::wstring::npos) return false;
  const UniqueFind find(FindFirstFileW(path.c_str(), &found));
  return find && !FolderOrLink(found) && PlainOnTheUnixSide(path);
}

bool DeletePlainFile(const std::wstring& path) {
  if (!IsPlainFile(path)) return false;
  if (DeleteFileW(path.c_str())) return true;
  // A read-only file (a sync tool gives a copy the mode of the file it copied) is deleted as
  // meant; one that still cannot be deleted keeps its attribute.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return false;
  const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
  if (!SetFileAttributesW(path.c_str(), writable ? writable : FILE_ATTRIBUTE_NORMAL)) return false;
  if (DeleteFileW(path.c_str())) return true;
  SetFileAttributesW(path.c_str(), attributes);
  return false;
}

bool DeleteFileAt(const std::string& path) { return DeletePlainFile(ToWide(path)); }
