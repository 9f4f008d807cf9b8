// Before any file of the package is replaced or removed, Zettly running from where the package
// installs it is asked to end as at the end of a Windows session: it saves its notes and
// settings, then ends. A copy that cannot save, holds a note being edited or is asking the user
// something is left running and the installation stops with a message naming it, so an
// installation that finishes always has its own program in place and an uninstallation never
// leaves one behind for the next restart.
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

// A message box or dialog of the program on screen: it waits for the user's answer, which
// ending it would throw away.
bool AskingTheUser(const std::vector<HWND>& windows) {
  for (HWND window : windows) {
    wchar_t name[16] = L"";
    if (IsWindowVisible(window) && GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0) return true;
  }
  return false;
}

// What the program says of its changes (the message's name is the program's own): 1 all
// saved, 2 something not saved (a note being edited, a change the disk refused); 0 from a
// version that does not know the question, or no answer.
enum class TUnsaved { Unknown, None, Some };
TUnsaved UnsavedChanges(const std::vector<HWND>& windows) {
  static const UINT question = RegisterWindowMessageW(L"Quorvel.Zettly.UnsavedChanges");
  TUnsaved said = TUnsaved::Unknown;
  for (HWND window : windows) {
    DWORD_PTR answer = 0;
    if (!question || !Answered(window, question, 0, answer)) continue;
    if (answer == 2) return TUnsaved::Some;
    if (answer == 1) said = TUnsaved::None;
  }
  return said;
}

enum class TEnded { ByItself, Ended, NotEnded };
struct TOutcome {
  TEnded Ended = TEnded::NotEnded;
  std::wstring Why;   // why it was not ended, or what ending it meant
  bool Lost = false;  // ended holding changes it had not saved
};

// Ends one running copy as Windows ends a session.
TOutcome EndAsSession(HANDLE process) {
  const std::wstring tryAgain = L" Close Zettly, then run the installation again.";
  const std::vector<HWND> windows = WindowsOf(GetProcessId(process));
  // None yet or none left: starting up or ending; only an ending one may go on.
  if (windows.empty()) {
    if (WaitForSingleObject(process, ExitTimeoutMs) == WAIT_OBJECT_0) return {TEnded::ByItself, L"", false};
    return {TEnded::NotEnded, L"it did not answer." + tryAgain, false};
  }
  const std::wstring asking = L"it is asking you something in a window of its own. Answer it." + tryAgain;
  if (AskingTheUser(windows)) return {TEnded::NotEnded, asking, false};
  for (HWND window : windows) {
    DWORD_PTR agreed = 0;
    if (!Answered(window, WM_QUERYENDSESSION, 0, agreed)) {
      if (!IsWindow(window)) continue;  // gone while we asked
      return {TEnded::NotEnded, L"it did not answer." + tryAgain, false};
    }
    if (!agreed) {
      return {TEnded::NotEnded,
              (UnsavedChanges(windows) == TUnsaved::Some ? L"it holds a note being edited or changes it could not save."
                                                         : L"it may not have been able to save your notes.") +
                  tryAgain,
              false};
    }
  }
  for (HWND window : windows) {
    DWORD_PTR ignored = 0;
    // Its answer to this one is where it saves everything; one that never answers may still be writing.
    if (!Answered(window, WM_ENDSESSION, TRUE, ignored) && IsWindow(window))
      return {TEnded::NotEnded, L"it did not answer." + tryAgain, false};
  }
  if (WaitForSingleObject(process, OwnExitTimeoutMs) == WAIT_OBJECT_0) return {TEnded::ByItself, L"", false};
  const std::vector<HWND> left = WindowsOf(GetProcessId(process));
  if (AskingTheUser(left)) return {TEnded::NotEnded, asking, false};
  // Past the end of a session Windows ends a program that is still there.
  TOutcome outcome{TEnded::Ended, L"", false};
  switch (UnsavedChanges(left)) {
    case TUnsaved::Some:
      outcome.Why = L"it did not end by itself and still held changes it had not saved; it was ended, and those "
                    L"changes are lost.";
      outcome.Lost = true;
      break;
    case TUnsaved::None:
      outcome.Why = L"it had saved its notes and settings but did not end by itself, so it was ended.";
      break;
    case TUnsaved::Unknown:
      outcome.Why = L"it did not end by itself and did not say whether it had saved everything; it was ended.";
      break;
  }
  if (!TerminateProcess(process, 0) || WaitForSingleObject(process, ExitTimeoutMs) != WAIT_OBJECT_0)
    return {TEnded::NotEnded, L"it did not end." + tryAgain, false};
  return outcome;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CloseZettly(MSIHANDLE session) {
  const std::wstring exe = InstalledProgram(session);
  if (exe.empty()) return ERROR_SUCCESS;
  for (const THandle& process : ProcessesOf(exe)) {
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) continue;
    const TOutcome outcome = EndAsSession(process.get());
    switch (outcome.Ended) {
      case TEnded::ByItself:
        Log(session, L"Closed the running " + exe + L": it ended by itself in answer to the end of the session.");
        continue;
      case TEnded::Ended:
        Log(session, L"Zettly was running (" + exe + L"): " + outcome.Why);
        if (outcome.Lost) ShowError(session, L"Zettly was running (" + exe + L"): " + outcome.Why);
        continue;
      case TEnded::NotEnded:
        break;
    }
    ShowError(session, L"Zettly is running (" + exe + L") and was not closed: " + outcome.Why);
    return ERROR_INSTALL_FAILURE;
  }
  return ERROR_SUCCESS;
}
