// Which files beside the notes file are conflict copies of it: the names that Syncthing,
// Nextcloud/ownCloud, Dropbox and OneDrive give the losing side when two computers changed it
// while apart. Only their exact forms count, so a user's own "notices (copy).msg" is never taken
// for one.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// True when name is notesFile ("notices.msg") with one sync tool's conflict tag before its
// extension. The file's own name and extension compare as the system does (ASCII case ignored);
// the tags are matched exactly:
//   Syncthing  notices.sync-conflict-YYYYMMDD-HHMMSS[-DEVICE7].msg
//   Nextcloud  notices (conflicted copy [user ]YYYY-MM-DD HHMMSS).msg
//   ownCloud   notices_conflict-YYYYMMDD-HHMMSS.msg
//   Dropbox    notices (who's conflicted copy YYYY-MM-DD[ (N)]).msg
//   OneDrive   notices-COMPUTER.msg, notices-COMPUTER-N.msg: only with inOneDrive (the folder lies
//              in a OneDrive folder), for elsewhere such a name is as likely the user's own file.
//              COMPUTER is a Windows computer name: letters, digits and "-", at most 15 of them.
bool IsConflictCopyName(std::string_view notesFile, std::string_view name, bool inOneDrive = false);

// The conflict copies among the names, sorted by their bytes: every computer that sees the same
// copies takes them in the same order and so writes the same file.
std::vector<std::string> ConflictCopyNames(std::string_view notesFile, const std::vector<std::string>& names,
                                           bool inOneDrive = false);

// True when folder lies in (or is) one of the OneDrive folders, given as the OneDrive,
// OneDriveConsumer and OneDriveCommercial environment variables hold them (unset ones empty).
// Paths compare as the system does: ASCII case ignored, "/" and "\" alike.
bool IsInOneDriveFolder(std::string_view folder, const std::vector<std::string>& oneDriveFolders);
