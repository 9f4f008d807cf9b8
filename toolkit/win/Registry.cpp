#include "toolkit/win/Registry.h"

#include <vector>

#include "toolkit/Exception.h"
#include "toolkit/win/Text.h"

namespace {
TRegistryAccess real_access;
TRegistryAccess* current_access = &real_access;

[[noreturn]] void RaiseFor(const char* pattern, const std::string& name) { RaiseFmt(pattern, {name}); }
}  // namespace

LSTATUS TRegistryAccess::OpenKey(HKEY root, const std::wstring& path, bool create, REGSAM access, HKEY* key) {
  *key = nullptr;
  if (create) {
    return RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key, nullptr);
  }
  return RegOpenKeyExW(root, path.c_str(), 0, access, key);
}

TRegistryAccess& RegistryAccess() { return *current_access; }

ScopedRegistryAccess::ScopedRegistryAccess(TRegistryAccess* access) : previous_(current_access) {
  current_access = access ? access : &real_access;
}

ScopedRegistryAccess::~ScopedRegistryAccess() { current_access = previous_; }

void TRegistry::SetRootKey(HKEY root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
  std::wstring wanted = ToWide(path);
  const bool absolute = !wanted.empty() && wanted.front() == L'\\';
  while (!wanted.empty() && wanted.front() == L'\\') wanted.erase(0, 1);
  while (!wanted.empty() && wanted.back() == L'\\') wanted.pop_back();
  if (!absolute && key_.Get() && !path_.empty()) wanted = wanted.empty() ? path_ : path_ + L"\\" + wanted;
  HKEY opened = nullptr;
  const LSTATUS status = RegistryAccess().OpenKey(root_, wanted, canCreate, access_, &opened);
  CloseKey();
  if (status != ERROR_SUCCESS || !opened) return false;
  key_.Reset(opened);
  path_ = wanted;
  return true;
}

void TRegistry::CloseKey() {
  key_ = UniqueKey();
  path_.clear();
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!key_.Get()) return false;
  return RegQueryValueExW(key_.Get(), ToWide(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
  DWORD type = 0;
  DWORD size = 0;
  const std::wstring wname = ToWide(name);
  if (!key_.Get() || RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    RaiseFor("Failed to get data for '%s'", name);
  if (type != REG_DWORD || size != sizeof(DWORD)) RaiseFor("Invalid data type for '%s'", name);
  DWORD value = 0;
  size = sizeof value;
  if (RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
      ERROR_SUCCESS)
    RaiseFor("Failed to get data for '%s'", name);
  if (type != REG_DWORD) RaiseFor("Invalid data type for '%s'", name);
  return static_cast<int32_t>(value);
}

std::string TRegistry::ReadString(const std::string& name) const {
  const std::wstring wname = ToWide(name);
  DWORD type = 0;
  DWORD size = 0;
  if (!key_.Get() || RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    RaiseFor("Failed to get data for '%s'", name);
  if (type != REG_SZ && type != REG_EXPAND_SZ) RaiseFor("Invalid data type for '%s'", name);
  // The value may change between the two calls; ask again until it fits.
  for (;;) {
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (status == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (status != ERROR_SUCCESS) RaiseFor("Failed to get data for '%s'", name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) RaiseFor("Invalid data type for '%s'", name);
    std::wstring text(buffer.data(), got / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return ToUtf8(text);
  }
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  const DWORD data = static_cast<DWORD>(value);
  if (!key_.Get() || RegSetValueExW(key_.Get(), ToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                              sizeof data) != ERROR_SUCCESS)
    RaiseFor("Failed to set data for '%s'", name);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  const std::wstring data = ToWide(value);
  const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  if (!key_.Get() || RegSetValueExW(key_.Get(), ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                              bytes) != ERROR_SUCCESS)
    RaiseFor("Failed to set data for '%s'", name);
}

bool TRegistry::DeleteValue(const std::string& name) {
  return key_.Get() && RegDeleteValueW(key_.Get(), ToWide(name).c_str()) == ERROR_SUCCESS;
}
