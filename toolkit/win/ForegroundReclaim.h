// Wine on X shows a notification-area icon through a window of its own; when a notification area
// docks it, that window (and the one standing for the area's X window) takes the foreground, and
// may leave it with no window at all, while the window manager leaves the keyboard focus with us:
// keys would then reach nobody. A form that loses the foreground that way takes it back within a
// few milliseconds, for the dialog that holds it disabled if one does; a form activated while no
// window of ours has the foreground takes it. The program sets it as the forms' activation watch
// under Wine only.
#pragma once
#include <windows.h>

#include <map>

#include "toolkit/win/Forms.h"

class TForegroundReclaim final : public TActivationWatch {
 public:
  // The form lost the activation: unless another real window has the foreground now, it is
  // watched a little while, as it may pass through other windows before it settles.
  void Deactivated(HWND form) override;
  // The form was activated on its thread: a stand-in (or nobody) that kept the foreground hands
  // it over.
  void Activated(HWND form) override;
  // A timer message of the form: true when it was the watch's. While `wanted` (the form is
  // shown and not active) a stand-in in the foreground, or none, hands it back.
  bool Tick(HWND form, WPARAM timer, bool wanted) override;

 private:
  std::map<HWND, int> ticks_left_;  // of each form being watched
};
