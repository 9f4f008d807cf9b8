// Windows' own switch for the programs that start with it (Settings > Apps > Startup, Task
// Manager's Startup tab). It never touches the Run entry: it keeps its word in a binary value of
// the same name under StartupApprovedKey, so an entry may be there while Windows never runs it.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

inline constexpr std::string_view StartupApprovedKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// Whether Windows runs the entry, given that value's bytes (none: no value). The first byte is
// even (2, 6) while the entry is on, odd (3, 7) once the user turned it off; no value or a value
// too short to say counts as on, as Windows takes it.
bool StartupApproved(const std::vector<uint8_t>& value);
