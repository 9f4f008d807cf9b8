// Rules of the hand-off to a Linux desktop's opener when the program runs under Wine: which
// targets go there, how they are put on a command line, and what the opener answered.
#pragma once
#include <string>
#include <string_view>

// True for a web or mail address ("https://...", "mailto:..."): a scheme of two or more
// characters before the colon, so "C:\..." stays a path.
bool IsAddress(std::string_view target);

// True for a file that Windows runs rather than opens (a program, a script, a shortcut, an
// installer): it stays with Wine, whose shell runs it, and never reaches the desktop's opener.
bool IsWindowsProgram(std::string_view path);

// One argument quoted for a Windows command line, so that the receiving side's parsing gives it
// back unchanged whatever it holds (blanks, quotes, backslashes, % signs).
std::string QuoteArgument(std::string_view argument);

// What the opener wrote to its answer file: one line, "0" when the target went to a program,
// else the opener's exit status, a blank and why it failed.
struct TOpenerAnswer {
  bool Complete = false;  // the whole line is there
  bool Opened = false;
  std::string Reason;  // when not Opened
};
TOpenerAnswer ReadOpenerAnswer(std::string_view text);
