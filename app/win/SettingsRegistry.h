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
// Whether Windows' own start-up switch lets our Run entry start us (the user may have turned
// Zettly off in Settings or Task Manager; writing the entry again does not turn it back on).
bool AutorunApprovedByWindows();

// Whether the user was already told where the note goes when it goes to the tray; told once.
bool TrayNoticeGiven();
// Raises "Failed to set data for 'TrayNotice'" when the key refuses.
void RememberTrayNotice();
