// Whether a note's attachment is something the shell would run as a program rather than open as
// a document, so that opening it can be treated with the care starting a program deserves.
#pragma once
#include <string_view>

// The extensions the system itself runs without asking, as the PATHEXT variable lists them.
inline constexpr std::string_view DefaultProgramExtensions = ".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH;.MSC";

// True for a target the shell would run: a file whose extension is in programExtensions (a
// PATHEXT-style list, ";"-separated, the dots optional) or one of the other kinds the shell
// starts (shortcuts, installers, screen savers, HTML applications, PowerShell scripts, control
// panel items, registry files, Java archives...), named by path, in quotes, as a "file:" URL, or
// bare as a program is given ("cmd", searched for with those extensions). Case, and the trailing
// dots and blanks the system drops from a name, make no difference. Documents, folders and web
// links are false.
bool RunsAsProgram(std::string_view target, std::string_view programExtensions = DefaultProgramExtensions);
