// Bytes of an INI file <-> the UTF-8 text the INI document works on.
#pragma once
#include <string>
#include <string_view>

// Any bytes give text: a UTF-16 byte-order mark (LE or BE) means UTF-16, the UTF-8 mark or valid
// UTF-8 means UTF-8, anything else is Windows-1252 (files written by older versions). The result
// is always valid UTF-8; bad UTF-16 becomes U+FFFD.
std::string DecodeIniBytes(std::string_view bytes);

// Plain ASCII stays as it is; any other text becomes UTF-16LE with a byte-order mark, which the
// platform's own profile functions read exactly (the ANSI code page cannot hold every note).
std::string EncodeIniText(std::string_view utf8);

bool IsValidUtf8(std::string_view s);
