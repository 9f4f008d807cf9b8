#include "app/win/SettingsRegistry.h"

#include <cstdint>
#include <exception>
#include <vector>

#include "app/StartupApproval.h"
#include "toolkit/Exception.h"
#include "toolkit/win/ProgramFolder.h"
#include "toolkit/win/Registry.h"
#include "toolkit/win/Text.h"

namespace {
std::string Str(std::string_view v) { return std::string(v); }
constexpr char kTrayNoticeValue[] = "TrayNotice";
}  // namespace

std::optional<int32_t> TRegistrySettings::ReadInteger(const std::string& name) {
  TRegistry reg;
  if (!reg.OpenKey(Str(SettingsKey), false) || !reg.ValueExists(name)) return std::nullopt;
  return reg.ReadInteger(name);
}

void TRegistrySettings::WriteInteger(const std::string& name, int32_t value) {
  TRegistry reg;
  reg.OpenKey(Str(SettingsKey), true);  // a key that cannot be made: the write says so
  reg.WriteInteger(name, value);
}

void TRegistryAutorun::Register() {
  if (InOpenedArchive(exe_.substr(0, exe_.find_last_of("\\/") + 1)))
    throw Exception("Auto Run is not set up for a Zettly started from inside its zip file: Windows empties the "
                    "temporary folder it runs from. Extract the zip into a folder such as Documents, or install "
                    "Zettly with Zettly.msi.");
  TRegistry reg;
  reg.OpenKey(Str(RunKey), true);  // the user's own key; when it refuses, the write below says so
  reg.WriteString(Str(AutorunEntry), AutorunCommand(exe_));
  if (!AutorunApprovedByWindows())
    throw Exception(
        "Windows is set not to start Zettly when you log on. To have it started, turn Zettly on "
        "under Settings > Apps > Startup, or in the Startup tab of the Task Manager.");
}

void TRegistryAutorun::Unregister() {
  TRegistry reg;
  if (reg.OpenKey(Str(RunKey), false) && reg.ValueExists(Str(AutorunEntry))) reg.DeleteValue(Str(AutorunEntry));
  // An older version wrote the machine's key; take that away too where we may.
  TRegistry machine;
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  if (machine.OpenKey(Str(RunKey), false) && machine.ValueExists(Str(AutorunEntry)))
    machine.DeleteValue(Str(AutorunEntry));
}

bool AutorunApprovedByWindows() {
  TRegistry reg;
  reg.SetAccess(KEY_READ);
  if (!reg.OpenKey(Str(StartupApprovedKey), false)) return true;
  const std::wstring name = ToWide(Str(AutorunEntry));
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(reg.CurrentKey(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_BINARY)
    return true;
  std::vector<uint8_t> value(size);
  if (size && RegQueryValueExW(reg.CurrentKey(), name.c_str(), nullptr, &type, value.data(), &size) != ERROR_SUCCESS)
    return true;
  value.resize(size);
  return StartupApproved(value);
}

bool TrayNoticeGiven() {
  TRegistry reg;
  reg.SetAccess(KEY_READ);
  if (!reg.OpenKey(Str(SettingsKey), false) || !reg.ValueExists(kTrayNoticeValue)) return false;
  try {
    return reg.ReadInteger(kTrayNoticeValue) != 0;
  } catch (const std::exception&) {
    return false;  // not ours to judge: told again, and the value written anew
  }
}

void RememberTrayNotice() {
  TRegistry reg;
  reg.OpenKey(Str(SettingsKey), true);
  reg.WriteInteger(kTrayNoticeValue, 1);
}
