// Wine on X shows a notification-area icon through a window of its own; when a notification area
// docks it, that window (and the one standing for the area's X window) takes the foreground
// while the window manager leaves the keyboard focus with us: keys would then reach nobody. A
// form that lost the foreground to them takes it back; elsewhere this never acts.
#pragma once
#include <windows.h>

class TForegroundReclaim {
 public:
  // The form lost the activation: the foreground is watched a little while, as it passes
  // through other windows before it settles on the stand-in.
  void Watch(HWND form);
  // A timer message of the form: true when it was the watch's. While `wanted` (the form is
  // shown and not active) a stand-in in the foreground hands it back to the form.
  bool Tick(HWND form, WPARAM timer, bool wanted);

 private:
  int ticks_left_ = 0;
};
