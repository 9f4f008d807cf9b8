// Where a window's mouse input goes among its windowless children, apart from any window: which
// child holds the mouse while the left button is down, whether a release makes a click, and
// which child the pointer entered or left. The window side asks here, then calls the controls.
#pragma once
#include "toolkit/Types.h"

// C is the control type; it is only handled by pointer and never called from here.
template <typename C>
class TMouseState {
 public:
  // The pointer moved from one control to another (either may be null: outside every control).
  struct Crossing {
    C* leave = nullptr;
    C* enter = nullptr;
    bool changed = false;
  };
  struct Press {
    bool double_click = false;  // DblClick first, then the press with TShift::Double
    bool capture = false;       // the window takes the mouse until the release
  };
  struct Release {
    C* target = nullptr;  // who gets MouseUp
    bool click = false;   // Click comes first
    bool release_capture = false;
  };

  // The pointer is over `over` now (null: it left the window).
  Crossing PointerAt(C* over) {
    if (over == hovered_) return {};
    Crossing c{hovered_, over, true};
    hovered_ = over;
    return c;
  }
  C* Hovered() const { return hovered_; }
  // A move goes to the control holding the mouse, else to the one under the pointer.
  C* MoveTarget(C* over) const { return captured_ ? captured_ : over; }

  Press Pressed(TMouseButton button, bool double_click, C* over) {
    Press p;
    if (double_click) {
      p.double_click = true;
      swallow_click_ = true;  // the release that ends a double click brings no click
    }
    if (button == TMouseButton::mbLeft) {
      captured_ = over;
      p.capture = true;
    }
    return p;
  }

  // `over` is the control under the pointer; `inside(target)` answers whether the release lies
  // within the target's own rectangle. `makes_clicks` is false where the window reports its
  // clicks itself (a system control).
  template <typename Inside>
  Release Released(TMouseButton button, C* over, bool makes_clicks, Inside&& inside) {
    Release r{over, false, false};
    if (button != TMouseButton::mbLeft) return r;
    const bool had_capture = captured_ != nullptr;
    if (had_capture) r.target = captured_;
    r.click = makes_clicks && had_capture && !swallow_click_ && inside(r.target);
    r.release_capture = true;
    captured_ = nullptr;
    swallow_click_ = false;
    return r;
  }

  // The window lost the mouse to another window: no release will come.
  void CaptureLost() { captured_ = nullptr; }
  // A control went away: nothing may point at it any more.
  void Forget(const C* c) {
    if (captured_ == c) captured_ = nullptr;
    if (hovered_ == c) hovered_ = nullptr;
  }
  C* Captured() const { return captured_; }

 private:
  C* captured_ = nullptr;  // not owned
  C* hovered_ = nullptr;   // not owned
  bool swallow_click_ = false;
};
