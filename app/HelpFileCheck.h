// Why Windows would show the help file as an empty page: its HTML viewer refuses a file that
// came from the Internet (the download's mark of the web, copied onto each unpacked file), a
// file on a network share, and a path with "#" in it. What to do about it is said instead.
#pragma once
#include <string>
#include <string_view>

// The zone a file's mark of the web names (its Zone.Identifier text: "[ZoneTransfer]" then
// "ZoneId=3"); -1 when the text names none.
int MarkedZone(std::string_view zoneIdentifier);
// The Internet zone and the restricted one: the viewer shows nothing from either.
inline constexpr int kInternetZone = 3;

// What the user is told instead of an empty page, or nothing when the viewer can show the file.
// `path` is the help file's full path; `zone` what MarkedZone read (-1: no mark); `onNetwork`
// whether its drive is a network one.
std::string HelpFileProblem(std::string_view path, int zone, bool onNetwork);
