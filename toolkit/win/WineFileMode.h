// Under Wine a file's Unix mode is what keeps it private, and Wine turns Windows access rules
// into a mode that gives the group whatever the owner has (a 0600 file's own rules, put on a
// new file, make it 0770). A save that replaces a file copies the mode itself, with the kernel's
// own calls.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// Whether this process runs under Wine (on any host).
bool UnderWine();

// Gives `to` the Unix mode of `from`. Does nothing (true) on Windows, or when `from` has no mode
// to read; false with the system's error when the mode could not be set.
bool CopyWineFileMode(const std::wstring& from, const std::wstring& to, DWORD& error);

// What a path names on the Linux side under Wine. Wine follows a symbolic link in every Windows
// call, deleting included (DeleteFileW on a link removes the file it leads to), so whoever must
// not act through a link asks here first.
enum class TUnixFileKind { Regular, Link, Other };
// The kind of the name itself (lstat), or with followLinks of what it leads to (stat), with its
// permission bits; nullopt on Windows, on another host, and when nothing answers to the name.
struct TUnixFile {
  TUnixFileKind Kind = TUnixFileKind::Other;
  uint32_t Permissions = 0;  // rwx bits, 07777
};
std::optional<TUnixFile> WineUnixFile(const std::wstring& path, bool followLinks);
// The same for a Linux path ("/home/...").
std::optional<TUnixFile> WineUnixFileAt(const std::string& unixPath, bool followLinks);

// Whether Linux can tell this process what a path names (Wine on Linux, x86-64).
bool WineUnixFilesKnown();

// Whether path is, under Wine, a symbolic link whose target is not there. Wine shows such a link
// to no Windows call (it is not even listed in its folder), yet a rename onto its name replaces it.
bool WineLinkToNothing(const std::wstring& path);

// Gives `to` the group and the extended attributes (among them its POSIX ACL) of `from`, as far
// as the system lets an unprivileged user; what it refuses stays as it was.
void CopyWineFileExtras(const std::wstring& from, const std::wstring& to);
