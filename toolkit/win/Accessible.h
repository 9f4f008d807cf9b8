// Screen readers (Microsoft Active Accessibility): what a control tells a client about itself,
// the accessible object through which a window shows its controls, windowless ones included, and
// the events that tell a client what changed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/win/Controls.h"

enum class TAccessibleRole { Client, Grouping, PushButton, StaticText, Link, Graphic };

struct TAccessibleInfo {
  std::string Name;
  std::string Description;  // more than the name says (a hint beside a caption, a file path...)
  std::string Shortcut;     // "Ctrl+B"
  TAccessibleRole Role = TAccessibleRole::Client;
  bool Pressed = false;
  bool Clickable = false;   // the default action clicks it
};

// Implemented by a control that says more about itself than its kind, caption and hint do, or by
// a form about the controls it owns.
class TAccessibleDescriber {
 public:
  // `control` is this object itself or a control it owns; info holds what was found so far.
  virtual void DescribeAccessible(const TControl& control, TAccessibleInfo& info) const = 0;

 protected:
  ~TAccessibleDescriber() = default;
};

// From the control's kind, caption and hint, then the control's own describer, then its owner's.
TAccessibleInfo DescribeControl(const TControl& control);

// What a window's accessible object lists as its children, bottom first: its controls, with the
// controls of a panel that says nothing itself (layout, not content) in the panel's place.
std::vector<TControl*> AccessibleControls(const TWinControl& window);

// Answers WM_GETOBJECT for the window's client area with its accessible object (true), and
// remembers that a client listens. Other objects are left to the default handling (false).
bool AnswerGetObject(TWinControl& window, TMessage& m);

// Tells the clients listening to the window that shows `control` that its name (a note, a count)
// changed. Nothing happens, at no cost, while no client has asked for that window.
void AccessibleNameChanged(const TControl* control);
