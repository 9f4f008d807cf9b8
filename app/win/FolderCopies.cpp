#include "app/win/FolderCopies.h"

#include <windows.h>

#include "app/ConflictCopyName.h"
#include "app/Notes.h"
#include "toolkit/win/FolderFiles.h"
#include "toolkit/win/Text.h"

namespace {
std::string Environment(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
  if (length == 0 || length >= size) return {};
  value.resize(length);
  return ToUtf8(value);
}
}  // namespace

TFolderCopies::TFolderCopies(const std::string& notesPath)
    : folder_(notesPath.substr(0, notesPath.find_last_of("\\/") + 1)),
      in_one_drive_(IsInOneDriveFolder(folder_, {Environment(L"OneDrive"), Environment(L"OneDriveConsumer"),
                                                 Environment(L"OneDriveCommercial")})) {}

std::vector<std::string> TFolderCopies::FileNames() {
  // Every copy's name starts with the file's own and ends with its extension.
  const std::string file(NotesFileName);
  const size_t dot = file.rfind('.');
  return FileNamesIn(folder_, file.substr(0, dot) + "*" + (dot == std::string::npos ? "" : file.substr(dot)));
}

bool TFolderCopies::RemoveFile(const std::string& name) { return DeleteFileAt(folder_ + name); }
