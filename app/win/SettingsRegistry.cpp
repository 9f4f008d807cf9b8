#include "app/win/SettingsRegistry.h"

#include "toolkit/win/Registry.h"

namespace {
std::string Str(std::string_view v) { return std::string(v); }
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
  TRegistry reg;
  reg.OpenKey(Str(RunKey), true);  // the user's own key; when it refuses, the write below says so
  reg.WriteString(Str(AutorunEntry), AutorunCommand(exe_));
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
