// The files of a folder by a wildcard, and removing one: what a program needs to tidy files that
// other programs leave beside its own.
#pragma once
#include <string>
#include <vector>

// Names (not paths) of the files in folder (with its trailing separator) that match pattern, a
// system wildcard such as "notices*.msg"; folders are left out, and so is everything when the
// folder cannot be listed.
std::vector<std::string> FileNamesIn(const std::string& folder, const std::string& pattern);

// Deletes the file; false when it could not be deleted (it is then untouched).
bool DeleteFileAt(const std::string& path);
