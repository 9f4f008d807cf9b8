// The words a control gives a screen reader, made from what it shows the sighted user: its
// caption, or its hint with the keyboard shortcut that the hint names in brackets at its end.
#pragma once
#include <string>
#include <string_view>

struct TAccessibleText {
  std::string Name;      // what the control is called, without "..." or an accelerator mark
  std::string Shortcut;  // e.g. "Ctrl+B"; empty when none is named
  std::string Description;  // more than the name says (a hint beside a caption, a file path...)
};

enum class TAccessibleRole { Client, Grouping, PushButton, StaticText, Link, Graphic, Text, SpinButton, PageTabList };

// What a control's state tells a screen reader beyond being shown and enabled.
struct TAccessibleState {
  bool Pressed = false;
  bool Focusable = false;  // reachable with the keyboard
  bool Focused = false;
  bool Default = false;    // the dialog's button that Enter presses
};

// Everything a screen reader is told about one control.
struct TAccessibleInfo {
  TAccessibleText Text;
  TAccessibleRole Role = TAccessibleRole::Client;
  TAccessibleState State;
  // The default action clicks it.
  bool Clickable() const { return Role == TAccessibleRole::PushButton || Role == TAccessibleRole::Link; }
};

// "About... (Ctrl+B)" gives "About" and "Ctrl+B"; a caption, when there is one, is the name and
// the hint names only the shortcut and is the description. With stripAccel, "&Close" reads "Close" and "&&" reads "&".
TAccessibleText AccessibleTextOf(std::string_view caption, std::string_view hint, bool stripAccel);
