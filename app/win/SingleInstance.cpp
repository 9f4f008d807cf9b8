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

HWND FindNoteWindow(DWORD exceptProcess) {
  Search search{exceptProcess, nullptr};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (!GetPropW(h, kNoteWindowProp)) return TRUE;
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == s->except) return TRUE;
        s->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
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
