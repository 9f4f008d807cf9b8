#include "app/win/ShellOpen.h"

#include "toolkit/win/ShellOpen.h"
#include "toolkit/win/Text.h"

void OpenWithShell(TApplication& app, const std::string& target, const char* what) {
  const std::wstring file = ToWide(target);
  // The shell takes paths up to MAX_PATH; a longer one has crashed it.
  if (file.size() >= MAX_PATH) {
    app.MessageBox(std::string("The ") + what + " cannot be opened: its path is " + std::to_string(file.size()) +
                       " characters long, more than the " + std::to_string(MAX_PATH - 1) + " the system accepts.",
                   app.Title(), MB_OK | MB_ICONWARNING);
    return;
  }
  const TShellOpenResult opened = ShellOpen(app.Handle(), target);
  if (opened.Opened) return;
  app.MessageBox("Unable to open " + target + "\n" + opened.Reason, app.Title(), MB_OK | MB_ICONWARNING);
}
