// The platform's private-profile rules for one value: what a read gives back for the text after
// "=", and what to write so that a read gives back exactly the text we hold.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The blanks the platform strips around names and values: tab, LF, VT, FF, CR, space and the
// old end-of-file mark Ctrl+Z. Other spaces (no-break, ideographic...) are kept.
bool IsIniBlank(char c);
std::string_view TrimIniBlanks(std::string_view s);

// raw: the text after "=", blanks already trimmed. Cut at a NUL, one pair of matching quotes
// (' or ") removed. The value comes whole: the platform reads at most 2047 units, but a longer
// one cut here would be written back cut.
std::string ReadIniValue(std::string_view raw);

// Wraps the value in double quotes when a read would otherwise change it (blanks or spaces at
// either end, a quote first). The value must hold no line break or NUL.
std::string WriteIniValue(std::string_view value);
