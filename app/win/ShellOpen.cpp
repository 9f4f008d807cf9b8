#include "app/win/ShellOpen.h"

#include "toolkit/win/System.h"
#include "toolkit/win/SystemError.h"
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
  const auto code =
      reinterpret_cast<INT_PTR>(Sys().ShellExecute(app.Handle(), L"open", file, L"", L"", SW_SHOWNORMAL));
  if (code > 32) return;
  app.MessageBox("Unable to open " + target + "\n" + ShellErrorText(code), app.Title(), MB_OK | MB_ICONWARNING);
}
