#include "app/win/SingleInstance.h"

namespace {
constexpr wchar_t kMutexName[] = L"Local\\Quorvel.Zettly.Instance";
constexpr wchar_t kNoteWindowProp[] = L"Quorvel.Zettly.NoteWindow";
constexpr int kStartingCopyWaitMs = 5000;
constexpr int kStartingCopyPollMs = 50;

struct Search {
  DWORD except;
  HWND found;
};
}  // namespace

void MarkNoteWindow(HWND hwnd) { SetPropW(hwnd, kNoteWindowProp, reinterpret_cast<HANDLE>(1)); }

namespace {
BOOL CALLBACK CheckWindow(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (!GetPropW(h, kNoteWindowProp)) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == s->except) return TRUE;
  s->found = h;
  return FALSE;
}

BOOL CALLBACK CheckDesktop(LPWSTR name, LPARAM lp) {
  HDESK desk = OpenDesktopW(name, 0, FALSE, DESKTOP_ENUMERATE | DESKTOP_READOBJECTS);
  if (!desk) return TRUE;
  EnumDesktopWindows(desk, CheckWindow, lp);
  CloseDesktop(desk);
  return reinterpret_cast<Search*>(lp)->found ? FALSE : TRUE;
}
}  // namespace

HWND FindNoteWindow(DWORD exceptProcess) {
  Search search{exceptProcess, nullptr};
  EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
  // Started on another desktop of the session (Wine runs a virtual desktop per name): look there.
  if (!search.found) EnumDesktopsW(GetProcessWindowStation(), CheckDesktop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

UINT ShowNoteWindowMessage() {
  static const UINT message = RegisterWindowMessageW(L"Quorvel.Zettly.ShowNoteWindow");
  return message;
}

TInstanceLock::TInstanceLock() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
  first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

TInstanceLock::~TInstanceLock() {
  if (mutex_) CloseHandle(mutex_);
}

bool HandOverToRunningCopy() {
  // The other copy may hold the lock but not have made its window yet.
  for (int waited = 0; waited <= kStartingCopyWaitMs; waited += kStartingCopyPollMs) {
    if (HWND w = FindNoteWindow(GetCurrentProcessId())) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      // We were started by the user just now, so we may pass the right to come forward on.
      AllowSetForegroundWindow(pid);
      DWORD_PTR answer = 0;
      return SendMessageTimeoutW(w, ShowNoteWindowMessage(), 0, 0, SMTO_ABORTIFHUNG, kStartingCopyWaitMs,
                                 &answer) != 0 &&
             answer == 1;
    }
    Sleep(kStartingCopyPollMs);
  }
  return false;
}
