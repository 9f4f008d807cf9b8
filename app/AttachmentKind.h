// What opening a note's attachment would do, so that starting a program gets the care it
// deserves: anyone who can write the notes file (a synced folder, an outside edit) chooses what
// an attachment names, and how it is spelt. Each target is judged by the name the shell, or the
// desktop's opener under Wine, will actually open, not by how it is written.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The extensions the system itself runs without asking, as the PATHEXT variable lists them.
inline constexpr std::string_view DefaultProgramExtensions = ".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH;.MSC";

enum class TAttachmentKind {
  Document,  // a document, a folder, a web or mail address: opens in the program for it
  Program,   // a file the shell runs or may run: programs, scripts, shortcuts, installers, disk images...
  Link,      // an address of another scheme ("ms-msdt:", "search-ms:", "shell:"...): it starts
             // whatever program the system has for that scheme
};

// Program for a file whose extension is in programExtensions (a PATHEXT-style list,
// ";"-separated, the dots optional) or is one of the other kinds the shell starts, named by path,
// in quotes, as a "file:" URL, or bare as a program is given ("cmd", searched for with those
// extensions). The name is read as the shell reads it: separators either way, "." and ".." steps
// taken, trailing separators, dots and blanks dropped; a name holding a colon counts both as a
// stream of the name before it (Windows) and whole (a Linux file name); a "file:" URL with its
// %-escapes decoded, and with the escapes that the desktop's opener decodes as well ("\x2e").
// Any of these readings that runs makes it a Program. Case makes no difference. Web (http, https)
// and mail addresses are Documents; every other scheme is a Link.
TAttachmentKind KindOfAttachment(std::string_view target, std::string_view programExtensions = DefaultProgramExtensions);

// The scheme of an address, as the user should see it ("ms-msdt" for "ms-msdt:/id x"); empty
// for a path (one letter before the colon is a drive).
std::string AddressScheme(std::string_view target);

// The files target may open as the readings above give them (for a path one, for a "file:" URL
// each decoding), each with whether its name has an extension. Empty for other addresses.
struct TShellFileName {
  std::string Path;  // a Windows path, or a Linux one ("/home/...") where a "file:" URL gives one
  bool HasExtension = false;
};
std::vector<TShellFileName> ShellFileNames(std::string_view target);
