// The tray icons' shared hidden window: the shell sends every icon's notifications here, and
// ProcessTrayMessage hands each to the live icon it names. Also the unit's pieces that go with
// it: the shared instance, the modifier keys and the shell's restart message.
#pragma once
#include <windows.h>

#include <cstdint>

#include "toolkit/win/HiddenWindow.h"
#include "components/tray/TrayRules.h"
#include "toolkit/Types.h"

class TTrayIconHandler {
 public:
  TTrayIconHandler();
  TTrayIconHandler(const TTrayIconHandler&) = delete;
  TTrayIconHandler& operator=(const TTrayIconHandler&) = delete;

  uint32_t IconCount() const { return icon_count_; }
  // Made when an icon is first added (or when asked for here).
  HWND WindowHandle() { return window_.Handle(); }

  // The callback message goes to the icon it names (none: dropped); the close and session-end
  // messages are answered 1 so nothing closes this window; the rest get the default handling.
  void ProcessTrayMessage(TMessage& message);

 private:
  friend void AcquireTrayHandler();
  friend void ReleaseTrayHandler();
  uint32_t icon_count_ = 0;
  THiddenWindow window_;
};

// The handler, or nullptr while no tray icon exists.
TTrayIconHandler* SharedTrayHandler();
// Every tray icon acquires the handler when made and releases it when destroyed.
void AcquireTrayHandler();
void ReleaseTrayHandler();

// Shift, Ctrl and Alt held now (through the system services, so tests can hold keys).
TShiftState ReadShiftKeys();

// The message the shell broadcasts when the taskbar is (re)created, or 0 when the common
// controls are too old for it. Looked up at the first call and fixed from then on.
UINT ShellRestartMessage();
// The common controls' file version, major << 16 | minor; 0 when it cannot be read.
uint32_t CommonControlsVersion();
// Takes the restart message when the version allows it, otherwise 0. (The first call of
// ShellRestartMessage runs it; tests call it to try another version.)
void SetUpShellRestartMessage(uint32_t comctlVersion);
