// The files of a folder by a wildcard, and removing one: what a program needs to tidy files that
// other programs leave beside its own. Only plain files count: a folder shared with a sync tool
// may hold symbolic links to anything, and under Wine deleting a link deletes what it leads to.
#pragma once
#include <string>
#include <vector>

// Names (not paths) of the plain files in folder (with its trailing separator) that match
// pattern, a system wildcard such as "notices*.msg"; folders, links and whatever the system
// cannot tell from a link are left out, and so is everything when the folder cannot be listed.
std::vector<std::string> FileNamesIn(const std::string& folder, const std::string& pattern);

// Whether the path names a plain file itself: not a folder, not a link (nor a junction), and
// under Wine a regular file on the Linux side.
bool IsPlainFile(const std::wstring& path);

// Deletes the file when it is a plain file, read-only or not; false when it is not one or could
// not be deleted (it is then untouched, and so is anything a link leads to).
bool DeletePlainFile(const std::wstring& path);
bool DeleteFileAt(const std::string& path);
