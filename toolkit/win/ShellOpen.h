// Opens a document, a folder or an address with whatever opens it, and says whether that worked.
// On Windows that is the shell. Under Wine on a Linux desktop, where the starter names the
// desktop's opener in ZETTLY_DESKTOP_OPENER, documents and addresses go to that opener by their
// Linux path, as the desktop's own programs would get them; programs and shortcuts stay with
// Wine's shell, which runs them.
#pragma once
#include <windows.h>

#include <string>

struct TShellOpenResult {
  bool Opened = false;
  std::string Reason;  // the cause, in a sentence, when not Opened
};

TShellOpenResult ShellOpen(HWND owner, const std::string& target);

// Whether ShellOpen hands target to the desktop's opener rather than to the shell.
bool HandedToDesktop(const std::string& target);
