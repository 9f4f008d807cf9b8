// Where the note window keeps its settings and its start with the system, and the rules for the
// values stored there.
#pragma once
#include <string>
#include <vector>
#include <string_view>

#include "toolkit/Types.h"

// Under the current user; the leading separator makes it absolute under the root.
inline constexpr std::string_view SettingsKey = "\\Software\\Quorvel\\Pinnote\\Setup";
inline constexpr std::string_view TopValue = "top", LeftValue = "left", CyclingValue = "On",
                                  StayValue = "Stay", ClockValue = "Clock", AutorunValue = "Run";
inline constexpr int DefaultTop = 15, DefaultLeft = 15;

// Under the current user (a standard user cannot write the machine's); the string value named
// AutorunEntry holds the command that starts us.
inline constexpr std::string_view RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view AutorunEntry = "Zettly";

// The command line the system runs at logon. Unquoted, "C:\Program Files\Zettly\Zettly.exe"
// would start C:\Program.exe if one existed, so a path with a blank is quoted; one without
// stays as it is.
std::string AutorunCommand(std::string_view exePath);

// The top-left corner that puts a window of the given bounds inside a work area: as near to
// where it was as the area allows, the top-left corner winning when the window is larger.
TPoint KeepInsideWorkArea(const TRect& window, const TRect& workArea);

// True while a person can still grab the window: at least a MinReachable x MinReachable part
// of its drag area (screen coordinates) lies in one monitor's work area.
inline constexpr int MinReachable = 40;
bool DragAreaReachable(const TRect& dragArea, const std::vector<TRect>& workAreas);
