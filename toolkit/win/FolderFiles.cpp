#include "toolkit/win/FolderFiles.h"

#include <windows.h>

#include "toolkit/win/Handles.h"
#include "toolkit/win/Text.h"

std::vector<std::string> FileNamesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const UniqueFind find(FindFirstFileW(ToWide(folder + pattern).c_str(), &found));
  if (!find) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(ToUtf8(found.cFileName));
  } while (FindNextFileW(find.Get(), &found));
  return names;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileW(ToWide(path).c_str()) != 0; }
