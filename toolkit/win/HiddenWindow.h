// A hidden window whose every message goes to one procedure: never shown, 0 x 0 at 0, 0. The
// toolkit's timers, the simple timers and the tray icons each share one.
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

  // Throws when the window cannot be made.
  explicit THiddenWindow(Procedure procedure, TKind kind = TKind::TopLevel);
  ~THiddenWindow();
  THiddenWindow(const THiddenWindow&) = delete;
  THiddenWindow& operator=(const THiddenWindow&) = delete;

  HWND Handle() const { return hwnd_; }

 private:
  friend LRESULT CALLBACK HiddenWindowProc(HWND, UINT, WPARAM, LPARAM);
  Procedure procedure_;
  HWND hwnd_ = nullptr;
};
