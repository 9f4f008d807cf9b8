// The note window's settings in the user's registry, and its start with the system under the
// user's Run key.
#pragma once
#include <string>

#include "app/Settings.h"

// The settings key of the current user. A read of a missing key finds no values; a write makes
// the key, and one that cannot be made is reported by the write.
class TRegistrySettings final : public TSettingsSource {
 public:
  std::optional<int32_t> ReadInteger(const std::string& name) override;
  void WriteInteger(const std::string& name, int32_t value) override;
};

// The command that starts `exePath` under the current user's Run key.
class TRegistryAutorun final : public TAutorunEntry {
 public:
  explicit TRegistryAutorun(std::string exePath) : exe_(std::move(exePath)) {}
  // Raises "Failed to set data for 'Zettly'" when the key refuses; says why no entry is written
  // for a copy run from inside its zip (from a temporary folder Windows empties), and how to turn
  // Zettly on in Windows' own start-up switch when that keeps the entry from running (the entry
  // is written all the same, for when the user does).
  void Register() override;
  // Removes the entry there, and one an older version left under the machine's key where that
  // is permitted.
  void Unregister() override;

 private:
  std::string exe_;
};

// Whether Windows' own start-up switch lets our Run entry start us (the user may have turned
// Zettly off in Settings or Task Manager; writing the entry again does not turn it back on).
bool AutorunApprovedByWindows();

// Whether the user was already told where the note goes when it goes to the tray; told once.
bool TrayNoticeGiven();
// Raises "Failed to set data for 'TrayNotice'" when the key refuses.
void RememberTrayNotice();
