// What the installer's own actions ask of the running installation: its properties, its log and
// its error box, and the program it installs.
#pragma once

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

// MUST be given the handle the installer passed to the action; returns "" for a property that is not set.
std::wstring Property(MSIHANDLE session, const wchar_t* name);
void SetProperty(MSIHANDLE session, const wchar_t* name, const std::wstring& value);

// A line in the installation's log (msiexec /l*v).
void Log(MSIHANDLE session, const std::wstring& text);

// An error the user sees (a message box with a user interface, the log without one).
void ShowError(MSIHANDLE session, const std::wstring& text);

// The full path where this package puts Zettly.exe, as the installer resolved it.
std::wstring InstalledProgram(MSIHANDLE session);

// Case as Windows ignores it in file names.
bool SamePath(const std::wstring& a, const std::wstring& b);
