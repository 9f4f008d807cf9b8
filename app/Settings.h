// Where the note window keeps its settings and its start with the system, and the rules for the
// values stored there.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Types.h"

// Under the current user; the leading separator makes it absolute under the root.
inline constexpr std::string_view SettingsKey = "\\Software\\Quorvel\\Pinnote\\Setup";
inline constexpr std::string_view TopValue = "top", LeftValue = "left", CyclingValue = "On",
                                  StayValue = "Stay", ClockValue = "Clock", AutorunValue = "Run";

// The note window's place and its four switches as they are stored.
struct TSettings {
  int32_t Top = 0, Left = 0;
  bool Cycling = false, Stay = false, Clock = false, Autorun = false;
};

// Where the settings are kept: the registry key in the program, a map in tests.
class TSettingsSource {
 public:
  virtual ~TSettingsSource() = default;
  // The value, nullopt when there is none. MUST raise "Invalid data type for '%s'" for a value
  // that is not a 32-bit integer.
  virtual std::optional<int32_t> ReadInteger(const std::string& name) = 0;
  // MUST raise "Failed to set data for '%s'" when the value cannot be written.
  virtual void WriteInteger(const std::string& name, int32_t value) = 0;
};

// When a setting is read: the place and "Stay" as the window is made, "On", "Clock" and "Run"
// at its first activation.
enum class TSettingsMoment { Creation, Activation };

// Every setting at its default: 15, 15, cycling, not on top, clock shown, autorun.
TSettings DefaultSettings();

// Reads the settings of that moment into `settings`, in their stored order; a missing value
// gives the default. A failed read (a value of the wrong type) gives that setting its default
// and the others are still read; at creation it then raises, one line for each value not read.
void ReadSettings(TSettingsSource& source, TSettingsMoment moment, TSettings& settings);

// Writes all six in their stored order, top, left, On, Stay, Clock, Run, the switches as 1 or 0;
// a failed write raises and ends it there.
void WriteSettings(TSettingsSource& source, const TSettings& settings);
// Writes only the named values, in their stored order: a change writes what changed.
void WriteSettings(TSettingsSource& source, const TSettings& settings, std::initializer_list<std::string_view> names);

// Under the current user (a standard user cannot write the machine's); the string value named
// AutorunEntry holds the command that starts us.
inline constexpr std::string_view RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view AutorunEntry = "Zettly";

// The command line the system runs at logon. Unquoted, "C:\Program Files\Zettly\Zettly.exe"
// would start C:\Program.exe if one existed, so a path with a blank is quoted; one without
// stays as it is.
std::string AutorunCommand(std::string_view exePath);

// The program's start with the user's session: the registry's Run entry in the program, a flag
// in tests.
class TAutorunEntry {
 public:
  virtual ~TAutorunEntry() = default;
  // MUST raise "Failed to set data for '%s'" when the entry cannot be written.
  virtual void Register() = 0;
  virtual void Unregister() = 0;
};

// The top-left corner that puts a window of the given bounds inside a work area: as near to
// where it was as the area allows, the top-left corner winning when the window is larger.
TPoint KeepInsideWorkArea(const TRect& window, const TRect& workArea);

// True while a person can still grab the window: at least a MinReachable x MinReachable part
// of its drag area (screen coordinates) lies in one monitor's work area.
inline constexpr int MinReachable = 40;
bool DragAreaReachable(const TRect& dragArea, const std::vector<TRect>& workAreas);
