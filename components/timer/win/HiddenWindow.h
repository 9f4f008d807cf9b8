// A hidden message window: an invisible top-level popup tool window, 0 x 0 at 0, 0, never
// shown, whose every message goes to one procedure. The simple timers and the tray icons each
// share one.
#pragma once
#include <windows.h>

#include <functional>

#include "toolkit/win/Controls.h"

class THiddenWindow {
 public:
  // The procedure sees every message from WM_NCCREATE on, until the object is destroyed, and
  // sets its Result; an exception it throws goes to the application's error box, result 0.
  using Procedure = std::function<void(TMessage&)>;

  explicit THiddenWindow(Procedure procedure);
  ~THiddenWindow();
  THiddenWindow(const THiddenWindow&) = delete;
  THiddenWindow& operator=(const THiddenWindow&) = delete;

  HWND Handle() const { return hwnd_; }

 private:
  friend LRESULT CALLBACK HiddenWindowProc(HWND, UINT, WPARAM, LPARAM);
  Procedure procedure_;
  HWND hwnd_ = nullptr;
};
