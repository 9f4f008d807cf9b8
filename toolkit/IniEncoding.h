// Bytes of an INI file <-> the UTF-8 text the INI document works on.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/AnsiCodePage.h"

// The text of an INI file, or nullopt for bytes that are no text. A UTF-16 byte-order mark (LE or
// BE) means UTF-16, as does UTF-16 without a mark that shows its shape (UnmarkedUtf16Order); the
// UTF-8 mark or valid UTF-8 means UTF-8. Other bytes are in the system's ANSI code page (files
// written by older versions, as the platform's own profile functions read them) unless they hold
// NULs or control characters no text file holds; in a file that is mostly UTF-8 (more UTF-8
// sequences than bytes outside one) only the stray bytes are, so that one byte another program
// put in does not garble every other note. The result is always valid UTF-8; bad UTF-16 becomes
// U+FFFD.
std::optional<std::string> DecodeIniBytes(std::string_view bytes, const TAnsiCodePage& ansi = {});

// UTF-16 without a byte-order mark, recognised by its shape: an even length, no NUL character
// and no control character but blanks in the byte order taken, and a first line that starts in
// ASCII (a section header, a key), which puts a NUL in every other byte there.
enum class TUtf16Order { None, LittleEndian, BigEndian };
TUtf16Order UnmarkedUtf16Order(std::string_view bytes);

// Plain ASCII (without NUL) stays as it is; any other text becomes UTF-16LE with a byte-order mark, which the
// platform's own profile functions read exactly (the ANSI code page cannot hold every note).
std::string EncodeIniText(std::string_view utf8);

bool IsValidUtf8(std::string_view s);
