// Before any file of the package is replaced or removed, Zettly running from where the package
// installs it is asked to end as at the end of a Windows session: it saves its notes and
// settings, then ends. A copy that cannot save is left running and the installation stops with
// a message naming it, so an installation that finishes always has its own program in place and
// an uninstallation never leaves one behind for the next restart.
#include "dist/actions/Session.h"

#include <tlhelp32.h>

#include <memory>
#include <vector>

namespace {

struct THandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using THandle = std::unique_ptr<void, THandleCloser>;

struct TDesktopCloser {
  void operator()(HDESK h) const { CloseDesktop(h); }
};
using TDesktop = std::unique_ptr<std::remove_pointer_t<HDESK>, TDesktopCloser>;

// A program that saves in answer to the session's end has a few seconds to answer, and a moment
// to end by itself before it is ended as Windows ends it after a session.
constexpr UINT AnswerTimeoutMs = 15000;
constexpr DWORD OwnExitTimeoutMs = 2000;
constexpr DWORD ExitTimeoutMs = 10000;

std::wstring ImagePath(HANDLE process) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process, 0, path.data(), &size)) {
      path.resize(size);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() > 32768) return L"";
    path.resize(path.size() * 2);
  }
}

// The processes whose program is `exe`, opened to be waited for and ended.
std::vector<THandle> ProcessesOf(const std::wstring& exe) {
  std::vector<THandle> found;
  THandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) {
    snapshot.release();
    return found;
  }
  PROCESSENTRY32W entry{sizeof entry};
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (!SamePath(entry.szExeFile, L"Zettly.exe")) continue;
    THandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE, FALSE,
                                entry.th32ProcessID));
    if (process && SamePath(ImagePath(process.get()), exe)) found.push_back(std::move(process));
  }
  return found;
}

struct TWindowSearch {
  DWORD process_id;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM search_param) {
  auto* search = reinterpret_cast<TWindowSearch*>(search_param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id) search->windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK SearchDesktop(LPWSTR name, LPARAM search_param) {
  TDesktop desktop(OpenDesktopW(name, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE));
  if (desktop) EnumDesktopWindows(desktop.get(), CollectWindow, search_param);
  return TRUE;
}

// The program's top-level windows on every desktop of this window station: under Wine a program
// started in a virtual desktop is not on the installer's.
std::vector<HWND> WindowsOf(DWORD process_id) {
  TWindowSearch search{process_id, {}};
  EnumDesktopsW(GetProcessWindowStation(), SearchDesktop, reinterpret_cast<LPARAM>(&search));
  if (search.windows.empty()) EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

bool Answered(HWND window, UINT message, WPARAM wparam, DWORD_PTR& answer) {
  return SendMessageTimeoutW(window, message, wparam, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, AnswerTimeoutMs,
                             &answer) != 0;
}

// Ends one running copy as Windows ends a session. False when it refused or did not answer.
bool EndAsSession(MSIHANDLE session, HANDLE process) {
  const std::vector<HWND> windows = WindowsOf(GetProcessId(process));
  // None yet or none left: starting up or ending; only an ending one may go on.
  if (windows.empty()) return WaitForSingleObject(process, ExitTimeoutMs) == WAIT_OBJECT_0;
  for (HWND window : windows) {
    DWORD_PTR agreed = 0;
    if (!Answered(window, WM_QUERYENDSESSION, 0, agreed)) {
      if (!IsWindow(window)) continue;  // gone while we asked
      return false;
    }
    if (!agreed) return false;
  }
  for (HWND window : windows) {
    DWORD_PTR ignored = 0;
    // Its answer to this one is where it saves everything; one that never answers may still be writing.
    if (!Answered(window, WM_ENDSESSION, TRUE, ignored) && IsWindow(window)) return false;
  }
  if (WaitForSingleObject(process, OwnExitTimeoutMs) == WAIT_OBJECT_0) return true;
  // Past the end of a session Windows ends a program that is still there; it has saved by now.
  Log(session, L"Zettly saved its notes and settings but did not end by itself: ending it.");
  return TerminateProcess(process, 0) && WaitForSingleObject(process, ExitTimeoutMs) == WAIT_OBJECT_0;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CloseZettly(MSIHANDLE session) {
  const std::wstring exe = InstalledProgram(session);
  if (exe.empty()) return ERROR_SUCCESS;
  for (const THandle& process : ProcessesOf(exe)) {
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) continue;
    if (EndAsSession(session, process.get())) {
      Log(session, L"Closed the running " + exe + L" (it saved its notes and settings).");
      continue;
    }
    ShowError(session, L"Zettly is running (" + exe +
                           L") and could not be closed: it may not have been able to save your notes. "
                           L"Close Zettly, then run the installation again.");
    return ERROR_INSTALL_FAILURE;
  }
  return ERROR_SUCCESS;
}
