// Opening the help file, and what Windows knows about it that decides whether its viewer shows it.
#pragma once
#include <string>

class TApplication;

// Opens help.chm at `path` with the shell, or, where Windows' viewer would show only an empty
// page, says why and what to do instead.
void OpenHelpFile(TApplication& app, const std::string& path);

// The zone of the file's mark of the web (its Zone.Identifier stream); -1 without one.
int HelpFileZone(const std::wstring& path);
// Whether the file lies on a drive letter that names a network share (a share named by its
// \\server path HelpFileProblem sees itself).
bool OnNetworkDrive(const std::wstring& path);
