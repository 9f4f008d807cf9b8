// Registry access: one open key at a time under a root, integer and string values, errors as
// exceptions carrying the value's name.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/win/Handles.h"

// Where keys come from. The default opens real keys; a test installs one that maps a root
// somewhere harmless, or one that refuses, as the machine-wide keys do for a user without rights.
// OpenKey MUST leave *key null on failure and return the Win32 status.
class TRegistryAccess {
 public:
  virtual ~TRegistryAccess() = default;
  virtual LSTATUS OpenKey(HKEY root, const std::wstring& path, bool create, REGSAM access, HKEY* key);
};

TRegistryAccess& RegistryAccess();

// Installs another access for the scope's lifetime (tests).
class ScopedRegistryAccess {
 public:
  explicit ScopedRegistryAccess(TRegistryAccess* access);
  ~ScopedRegistryAccess();
  ScopedRegistryAccess(const ScopedRegistryAccess&) = delete;
  ScopedRegistryAccess& operator=(const ScopedRegistryAccess&) = delete;

 private:
  TRegistryAccess* previous_;
};

class TRegistry {
 public:
  TRegistry() = default;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return root_; }
  void SetRootKey(HKEY root);  // closes the open key
  REGSAM Access() const { return access_; }
  void SetAccess(REGSAM access) { access_ = access; }

  // Opens a key and makes it the current one. A path with a leading separator is taken from the
  // root, one without from the current key when one is open. False when the key cannot be opened
  // (or made, with canCreate); the current key is then none.
  bool OpenKey(const std::string& path, bool canCreate);
  void CloseKey();
  HKEY CurrentKey() const { return key_.Get(); }

  // False without an open key.
  bool ValueExists(const std::string& name) const;
  // Raises "Invalid data type for '%s'" for a value that is not a REG_DWORD and "Failed to get
  // data for '%s'" when there is no such value to read.
  int32_t ReadInteger(const std::string& name) const;
  // REG_SZ or REG_EXPAND_SZ (unexpanded); otherwise as ReadInteger.
  std::string ReadString(const std::string& name) const;
  // Raise "Failed to set data for '%s'" when the key is not open or refuses the write.
  void WriteInteger(const std::string& name, int32_t value);
  void WriteString(const std::string& name, const std::string& value);
  // False when there was nothing to delete or the key refused.
  bool DeleteValue(const std::string& name);

 private:
  HKEY root_ = HKEY_CURRENT_USER;
  REGSAM access_ = KEY_READ | KEY_WRITE;
  UniqueKey key_;
  std::wstring path_;  // of the open key, from the root, without a leading separator
};
