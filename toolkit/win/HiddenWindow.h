// A hidden window whose every message goes to one procedure: never shown, 0 x 0 at 0, 0. The
// toolkit's timers, the simple timers and the tray icons each share one. The window is made when
// its handle is first asked for: every window made at start delays the first sight of the
// program, and the tray's and the simple timers' are not needed until the icon is added or a
// timer armed.
#pragma once
#include <windows.h>

#include <functional>

#include "toolkit/win/Controls.h"

class THiddenWindow {
 public:
  // The procedure sees every message from WM_NCCREATE on, until the object is destroyed, and
  // sets its Result; an exception it throws goes to the application's error box, result 0.
  using Procedure = std::function<void(TMessage&)>;

  enum class TKind {
    TopLevel,     // an invisible popup tool window: it hears broadcasts (the shell's restart)
    MessageOnly,  // no broadcasts, no place among the top-level windows: enough for timers
  };

  explicit THiddenWindow(Procedure procedure, TKind kind = TKind::TopLevel);
  ~THiddenWindow();
  THiddenWindow(const THiddenWindow&) = delete;
  THiddenWindow& operator=(const THiddenWindow&) = delete;

  // Makes the window on the first call; throws when it cannot be made.
  HWND Handle();
  bool HandleAllocated() const { return hwnd_ != nullptr; }

 private:
  friend LRESULT CALLBACK HiddenWindowProc(HWND, UINT, WPARAM, LPARAM);
  Procedure procedure_;
  TKind kind_;
  HWND hwnd_ = nullptr;
};
