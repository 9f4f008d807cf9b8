// The note window's settings in the user's registry, and its start with the system under the
// user's Run key.
#pragma once
#include <string>

#include "app/Settings.h"

// The settings stored for that moment over `settings`, as ReadSettings takes them; raises what
// it raises.
void ReadStoredSettings(TSettingsMoment moment, TSettings& settings);
// All six; raises "Failed to set data for '%s'".
void StoreSettings(const TSettings& settings);

// Writes the command that starts `exePath` under the current user's Run key. Raises "Failed to
// set data for 'Zettly'" when the key refuses.
void RegisterAutorun(const std::string& exePath);
// Removes the entry there, and one an older version left under the machine's key where that is
// permitted.
void UnregisterAutorun();
