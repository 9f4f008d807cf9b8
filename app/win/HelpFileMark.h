// What Windows knows about the help file that decides whether its viewer shows it.
#pragma once
#include <string>

// The zone of the file's mark of the web (its Zone.Identifier stream); -1 without one.
int HelpFileZone(const std::wstring& path);
// Whether the file lies on a drive letter that names a network share (a share named by its
// \\server path HelpFileProblem sees itself).
bool OnNetworkDrive(const std::wstring& path);
