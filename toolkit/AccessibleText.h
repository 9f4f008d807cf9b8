// The words a control gives a screen reader, made from what it shows the sighted user: its
// caption, or its hint with the keyboard shortcut that the hint names in brackets at its end.
#pragma once
#include <string>
#include <string_view>

struct TAccessibleText {
  std::string Name;      // what the control is called, without "..." or an accelerator mark
  std::string Shortcut;  // e.g. "Ctrl+B"; empty when none is named
};

// "About... (Ctrl+B)" gives "About" and "Ctrl+B"; a caption, when there is one, is the name and
// the hint names only the shortcut. With stripAccel, "&Close" reads "Close" and "&&" reads "&".
TAccessibleText AccessibleTextOf(std::string_view caption, std::string_view hint, bool stripAccel);
