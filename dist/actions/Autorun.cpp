// The autorun value that Zettly's Auto Run switch writes names the program's own path. Once the
// program is uninstalled, a value that names it would start nothing at every sign-in, so the
// uninstallation takes it away; a value that names any other program (a copy from the zip
// elsewhere) is not ours to touch. A newer version installs by first uninstalling the older
// one, whose value it must keep: Windows tells that uninstallation it is part of an upgrade,
// Wine does not, so the newer package notes the value before and puts it back after.
#include "dist/actions/Session.h"

#include <memory>

namespace {

constexpr const wchar_t* RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* AutorunEntry = L"Zettly";

struct TKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using TKey = std::unique_ptr<std::remove_pointer_t<HKEY>, TKeyCloser>;

TKey OpenRunKey(REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, RunKey, 0, access, &key) != ERROR_SUCCESS) return nullptr;
  return TKey(key);
}

std::wstring AutorunValue(HKEY key) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, AutorunEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return L"";
  if (type != REG_SZ && type != REG_EXPAND_SZ) return L"";
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, AutorunEntry, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS)
    return L"";
  value.resize(wcsnlen(value.c_str(), size / sizeof(wchar_t)));
  return value;
}

// The program writes its path alone, in quotes when it has a blank.
bool NamesProgram(std::wstring command, const std::wstring& exe) {
  if (command.size() >= 2 && command.front() == L'"' && command.back() == L'"') command = command.substr(1, command.size() - 2);
  return !exe.empty() && SamePath(command, exe);
}

// A private property: one given on the command line could not make us write a value of its own.
constexpr const wchar_t* KeptAutorun = L"ZettlyKeptAutorun";

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall NoteAutorun(MSIHANDLE session) {
  TKey key = OpenRunKey(KEY_QUERY_VALUE);
  if (!key) return ERROR_SUCCESS;
  const std::wstring command = AutorunValue(key.get());
  if (NamesProgram(command, InstalledProgram(session))) SetProperty(session, KeptAutorun, command);
  return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall RestoreAutorun(MSIHANDLE session) {
  const std::wstring command = Property(session, KeptAutorun);
  if (!NamesProgram(command, InstalledProgram(session))) return ERROR_SUCCESS;
  TKey key = OpenRunKey(KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (!key || !AutorunValue(key.get()).empty()) return ERROR_SUCCESS;
  const auto bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
  if (RegSetValueExW(key.get(), AutorunEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()), bytes) == ERROR_SUCCESS)
    Log(session, L"Put back the autorun value " + command + L" that the older version's removal took away.");
  return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall RemoveAutorun(MSIHANDLE session) {
  const std::wstring exe = InstalledProgram(session);
  TKey key = OpenRunKey(KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (!key) return ERROR_SUCCESS;
  const std::wstring command = AutorunValue(key.get());
  if (!NamesProgram(command, exe)) return ERROR_SUCCESS;
  if (RegDeleteValueW(key.get(), AutorunEntry) == ERROR_SUCCESS)
    Log(session, L"Removed the autorun value " + command + L".");
  return ERROR_SUCCESS;
}
