#include "app/win/AttachmentQuestion.h"

#include <exception>

#include "app/AttachmentKind.h"
#include "toolkit/win/Text.h"

namespace {
// The system's list of extensions it runs, added to the usual ones: a list someone shortened
// still leaves those asked about.
std::string ProgramExtensions() {
  std::string list(DefaultProgramExtensions);
  const DWORD size = GetEnvironmentVariableW(L"PATHEXT", nullptr, 0);
  if (size == 0) return list;
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(L"PATHEXT", value.data(), size);
  if (length == 0 || length >= size) return list;
  value.resize(length);
  return list + ";" + ToUtf8(value);
}

// The file the shell would start, with its full path where the name alone does not give it
// (a bare "cmd.exe", a path relative to the current folder); the text itself otherwise.
std::string FullPathOf(const std::string& target) {
  const std::wstring name = ToWide(target);
  wchar_t found[MAX_PATH];
  const DWORD length = SearchPathW(nullptr, name.c_str(), nullptr, MAX_PATH, found, nullptr);
  return length > 0 && length < MAX_PATH ? ToUtf8(found) : target;
}
}  // namespace

bool AttachmentMayOpen(const std::string& target, TApplication& app) {
  if (!RunsAsProgram(target, ProgramExtensions())) return true;
  try {
    return app.MessageBox("This attachment is a program or a script, and opening it runs it:\n" + FullPathOf(target) +
                              "\n\nRun it only if you know where it comes from. Run it now?",
                          app.Title(), MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING) == IDYES;
  } catch (const std::exception&) {
    return false;  // a question that could not be asked was not answered yes
  }
}
