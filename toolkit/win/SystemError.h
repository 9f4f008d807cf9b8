// The system's own words for what went wrong, to put on the second line of an error box.
#pragma once
#include <windows.h>

#include <string>

// The text of a Win32 error code, on one line; "System error N." when the system has none.
std::string SystemErrorText(DWORD code);

// The reason for a ShellExecute result of 32 or less (its codes are not all Win32 codes).
std::string ShellErrorText(INT_PTR code);
