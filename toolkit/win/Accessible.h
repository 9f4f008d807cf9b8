// Screen readers (Microsoft Active Accessibility): the rules by which a window shows its controls,
// windowless ones included, to a client, and the service that answers the client and tells it
// what changed. Controls describe themselves (TControl's accessible role, name and state); the
// service reaches the base layer only through its hooks.
#pragma once
#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>
#include <vector>

#include "toolkit/win/Controls.h"

// The control's own description, then its owner's word on it (OnDescribeAccessible).
TAccessibleInfo DescribeControl(const TControl& control);

// A system control (edit box, tab control...): it has an accessible object of its own.
bool IsSystemControl(const TControl& control);

// What a window's accessible object lists as its children, bottom first: its controls, with the
// controls of a panel that says nothing itself (layout, not content) in the panel's place.
std::vector<TControl*> AccessibleControls(const TWinControl& window);

// The role and state codes a client reads.
LONG AccessibleRoleCode(TAccessibleRole role);
LONG AccessibleStateCode(const TControl& control, const TAccessibleInfo& info);

// The window's object while its window lives: the link goes with the window, so an accessible
// object a client still holds never reaches a freed control.
TWinControl* LiveControl(HWND hwnd, TWinControl* control);

// Clicks a control of the window later, from the message loop, if both are still there then.
bool PostAccessibleClick(HWND hwnd, TWinControl& window, TControl& target);

// A string for a client: S_FALSE with no string when it is empty.
HRESULT TextAnswer(const std::string& text, BSTR* out);

// Wraps a system control's standard accessible object so that it is called what DescribeControl
// says (its label's text) and has the role it says; takes over the reference to `standard`.
// With `part`, `standard` is the object of a system window inside the control (hwnd is still the
// control's), called what the control is, with the role `part`.
IAccessible* NamedNativeObject(TWinControl& control, HWND hwnd, IAccessible* standard,
                               std::optional<TAccessibleRole> part = std::nullopt);

// Plugs the service into the toolkit's hooks: windows of ours answer WM_GETOBJECT with their
// accessible object, and a listening client hears of name, state and focus changes. Call once at
// start.
void InstallAccessibility();

// Tells a listening client that the control now shows something to be read out at once (a note
// that came up by itself): an alert for the control, whose name the reader then speaks.
void AnnounceControl(const TControl& control);
