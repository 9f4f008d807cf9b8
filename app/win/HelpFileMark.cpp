#include "app/win/HelpFileMark.h"

#include <windows.h>

#include <vector>

#include "app/HelpFileCheck.h"
#include "app/win/ShellOpen.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/Text.h"

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

void OpenHelpFile(TApplication& app, const std::string& path) {
  // Handed to the Linux desktop (under Wine's launcher) the help opens as its pages, wherever it is.
  if (!GetEnvironmentVariableW(L"ZETTLY_DESKTOP_OPENER", nullptr, 0)) {
    const std::wstring file = ToWide(path);
    const std::string problem = HelpFileProblem(path, HelpFileZone(file), OnNetworkDrive(file));
    if (!problem.empty()) {
      app.MessageBox(problem, app.Title(), MB_OK | MB_ICONINFORMATION);
      return;
    }
  }
  OpenWithShell(app, path, "help file");
}
