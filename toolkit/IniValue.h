// The platform's private-profile rules for one value: what a read gives back for the text after
// "=", and what to write so that a read gives back exactly the text we hold.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// At most this many UTF-16 units of a value are read back.
inline constexpr size_t MaxIniValueLength = 2047;

// The blanks the platform strips around names and values: tab, LF, VT, FF, CR, space and the
// old end-of-file mark Ctrl+Z. Other spaces (no-break, ideographic...) are kept.
bool IsIniBlank(char c);
std::string_view TrimIniBlanks(std::string_view s);

// raw: the text after "=", blanks already trimmed. Cut at a NUL, one pair of matching quotes
// (' or ") removed, then at most MaxIniValueLength units, never half a surrogate pair.
std::string ReadIniValue(std::string_view raw);

// Wraps the value in double quotes when a read would otherwise change it (blanks or spaces at
// either end, a quote first). The value must hold no line break or NUL.
std::string WriteIniValue(std::string_view value);
