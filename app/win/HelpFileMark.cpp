#include "app/win/HelpFileMark.h"

#include <windows.h>

#include <vector>

#include "app/HelpFileCheck.h"
#include "toolkit/win/Handles.h"

int HelpFileZone(const std::wstring& path) {
  const std::wstring stream = path + L":Zone.Identifier";
  UniqueHandle file(CreateFileW(stream.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return -1;
  std::vector<char> text(4096);
  DWORD read = 0;
  if (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return -1;
  return MarkedZone(std::string_view(text.data(), read));
}

bool OnNetworkDrive(const std::wstring& path) {
  if (path.size() < 3 || path[1] != L':') return false;
  const std::wstring root = path.substr(0, 3);
  return GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
}
