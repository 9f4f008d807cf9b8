// UTF-8 (how text is held everywhere inside the program) <-> UTF-16 (what Win32 and the edit
// controls count in). Invalid input never throws: bad sequences become U+FFFD.
#pragma once
#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);
// Length in UTF-16 code units: a "character" as the platform's edit controls count it.
size_t Utf16Length(std::string_view utf8);
