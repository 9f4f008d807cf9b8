#include "toolkit/win/ShellOpen.h"

#include <objbase.h>

#include <vector>

#include "toolkit/DesktopOpener.h"
#include "toolkit/ScopeExit.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/System.h"
#include "toolkit/win/SystemLibrary.h"
#include "toolkit/win/SystemError.h"
#include "toolkit/win/Text.h"

namespace {
constexpr wchar_t kOpenerVariable[] = L"ZETTLY_DESKTOP_OPENER";
// The opener answers within about two seconds (it stops waiting for a program that is still
// starting); beyond this the hand-off counts as made.
constexpr DWORD kAnswerWaitMs = 5000;
constexpr DWORD kAnswerPollMs = 50;

std::wstring DesktopOpener() {
  const DWORD n = GetEnvironmentVariableW(kOpenerVariable, nullptr, 0);
  if (n == 0) return {};
  std::wstring value(n, L'\0');
  value.resize(GetEnvironmentVariableW(kOpenerVariable, value.data(), n));
  return value;
}

// Wine's own export that gives a Windows path as the Linux side names it; none on Windows.
using UnixPathFunction = char*(CDECL*)(const wchar_t*);
UnixPathFunction WineUnixPath() {
  static const auto function = reinterpret_cast<UnixPathFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  return function;
}

std::string UnixPath(const std::wstring& path) {
  char* unix = WineUnixPath()(path.c_str());
  if (!unix) return {};
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), n, full.data(), nullptr));
  return full;
}

std::wstring NewAnswerFile() {
  wchar_t folder[MAX_PATH + 1], file[MAX_PATH + 1];
  if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"zop", 0, file)) return {};
  return file;
}

std::string ReadSmallFile(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::vector<char> buffer(4096);
  DWORD read = 0;
  if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) return {};
  return std::string(buffer.data(), read);
}

// A verb may be a COM object (a Store app's, a DelegateExecute handler): the shell runs it only
// from a single-threaded apartment. Entered once for the thread and kept, as the accessibility
// service keeps its own.
void EnterShellApartment() {
  using InitFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
  static thread_local const bool entered = [] {
    const auto init = SystemFunction<InitFunction>(L"ole32.dll", "CoInitializeEx");
    return init && SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }();
  static_cast<void>(entered);
}

TShellOpenResult ThroughShell(HWND owner, const std::string& target) {
  EnterShellApartment();
  const auto code = reinterpret_cast<INT_PTR>(
      Sys().ShellExecute(owner, L"open", ToWide(target), std::wstring(), std::wstring(), SW_SHOWNORMAL));
  if (code > 32) return {true, {}};
  return {false, ShellErrorText(code)};
}

// Wine starts a Linux program but gives its caller no handle to it, so no exit status: the
// opener writes its answer into a file named on its command line, which is waited for here.
TShellOpenResult ThroughDesktop(const std::wstring& opener, const std::string& target) {
  const std::string handed = IsAddress(target) ? target : UnixPath(FullPath(ToWide(target)));
  const std::wstring answerFile = NewAnswerFile();
  const std::string answerPath = answerFile.empty() ? std::string() : UnixPath(answerFile);
  const ScopeExit removeAnswer([&] {
    if (!answerFile.empty()) DeleteFileW(answerFile.c_str());
  });
  if (handed.empty() || answerPath.empty()) return {false, "Its path has no name on the Linux side."};

  std::wstring command = ToWide(QuoteArgument(ToUtf8(opener)) + " " + QuoteArgument(answerPath) + " " +
                                QuoteArgument(handed));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &started))
    return {false, "The desktop's opener " + ToUtf8(opener) + " could not be started: " +
                       SystemErrorText(GetLastError())};
  UniqueHandle process(started.hProcess), thread(started.hThread);

  for (DWORD waited = 0; waited < kAnswerWaitMs; waited += kAnswerPollMs) {
    const TOpenerAnswer answer = ReadOpenerAnswer(ReadSmallFile(answerFile));
    if (answer.Complete) return {answer.Opened, answer.Reason};
    Sleep(kAnswerPollMs);
  }
  return {true, {}};
}
}  // namespace

bool HandedToDesktop(const std::string& target) {
  if (DesktopOpener().empty() || !WineUnixPath()) return false;
  // Judged by the file the shell would open: "evil.bat\." is evil.bat, which Wine runs.
  return IsAddress(target) || !IsWindowsProgram(ToUtf8(FullPath(ToWide(target))));
}

TShellOpenResult ShellOpen(HWND owner, const std::string& target) {
  if (!HandedToDesktop(target)) return ThroughShell(owner, target);
  return ThroughDesktop(DesktopOpener(), target);
}
