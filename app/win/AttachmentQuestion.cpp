#include "app/win/AttachmentQuestion.h"

#include <shlwapi.h>

#include <exception>

#include "app/AttachmentKind.h"
#include "toolkit/win/ShellOpen.h"
#include "toolkit/win/SystemLibrary.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WineFileMode.h"

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

// The program the system starts for a scheme's links; empty when it has none or cannot say.
std::string ProgramForScheme(const std::string& scheme) {
  static const auto assocQuery = SystemFunction<decltype(&::AssocQueryStringW)>(L"shlwapi.dll", "AssocQueryStringW");
  if (!assocQuery || scheme.empty()) return {};
  wchar_t program[MAX_PATH];
  DWORD size = MAX_PATH;
  if (assocQuery(ASSOCF_INIT_IGNOREUNKNOWN, ASSOCSTR_EXECUTABLE, ToWide(scheme).c_str(), L"open", program, &size) != S_OK)
    return {};
  return ToUtf8(program);
}

// Under Wine on a Linux desktop, an executable file without an extension: the desktop's opener
// tells it by its content, and a script or program may be run.
bool ExecutableOnLinux(const TShellFileName& name) {
  if (name.HasExtension) return false;
  const std::wstring path = ToWide(name.Path);
  wchar_t full[MAX_PATH];
  const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  const std::optional<TUnixFile> file =
      name.Path.starts_with("/") ? WineUnixFileAt(name.Path, true)
                                 : WineUnixFile(length > 0 && length < MAX_PATH ? full : path, true);
  return file && file->Kind == TUnixFileKind::Regular && (file->Permissions & 0111) != 0;
}

bool Asked(TApplication& app, const std::string& question) {
  try {
    return app.MessageBox(question, app.Title(), MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING) == IDYES;
  } catch (const std::exception&) {
    return false;  // a question that could not be asked was not answered yes
  }
}
}  // namespace

bool AttachmentMayOpen(const std::string& target, TApplication& app) {
  const TAttachmentKind kind = KindOfAttachment(target, ProgramExtensions());
  const bool desktop = HandedToDesktop(target);
  if (kind == TAttachmentKind::Link) {
    const std::string scheme = AddressScheme(target);
    const std::string program = desktop ? std::string() : ProgramForScheme(scheme);
    const std::string starts = desktop           ? "the program your desktop has for such links"
                               : program.empty() ? "whatever program this system has for such links"
                                                 : program;
    return Asked(app, "This attachment is a \"" + scheme + ":\" link, and opening it starts " + starts + ":\n" + target +
                          "\n\nOpen it only if you know where it comes from. Open it now?");
  }
  bool program = kind == TAttachmentKind::Program;
  if (!program && desktop)
    for (const TShellFileName& name : ShellFileNames(target)) program = program || ExecutableOnLinux(name);
  if (!program) return true;
  const std::string how = desktop ? "It goes to your desktop's opener, which may run it or open it with the program "
                                    "your desktop has for it:\n"
                                  : "Opening it runs it:\n";
  return Asked(app, "This attachment is a program or a script. " + how + FullPathOf(target) +
                        "\n\nRun it only if you know where it comes from. Run it now?");
}
