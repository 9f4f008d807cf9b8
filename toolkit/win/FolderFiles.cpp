#include "toolkit/win/FolderFiles.h"

#include <windows.h>

#include <memory>

#include "toolkit/win/Text.h"

namespace {
struct FindCloser {
  void operator()(HANDLE h) const { FindClose(h); }
};
}  // namespace

std::vector<std::string> FileNamesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const HANDLE first = FindFirstFileW(ToWide(folder + pattern).c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) return names;
  const std::unique_ptr<void, FindCloser> find(first);
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(ToUtf8(found.cFileName));
  } while (FindNextFileW(find.get(), &found));
  return names;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileW(ToWide(path).c_str()) != 0; }
