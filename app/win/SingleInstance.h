// One running copy per user session. Two copies would each save their own list on exit, the
// last one overwriting the other's notes; a second start instead brings the running copy's note
// window to the front and ends without touching the notes file or the registry.
#pragma once
#include <windows.h>

// Marks a window as the program's note window, so that a later start can find it.
void MarkNoteWindow(HWND hwnd);
// The note window of a copy running in another process than exceptProcess, or null.
HWND FindNoteWindow(DWORD exceptProcess);
// Sent to the note window: it comes to the front, also out of the tray, and answers 1.
UINT ShowNoteWindowMessage();

// Held for the whole run by the first copy.
class TInstanceLock {
 public:
  TInstanceLock();
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;
  // False when another copy already holds the lock. A lock the system cannot make at all does
  // not keep the program from starting.
  bool First() const { return first_; }

 private:
  HANDLE mutex_;
  bool first_;
};

// Asks the running copy to show its note window, waiting a few seconds for a copy that is still
// starting to make it. True when the running copy answered.
bool HandOverToRunningCopy();
