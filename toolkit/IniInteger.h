// Whole numbers in INI values. A value of more than two characters that begins with "0x" or "0X"
// is hexadecimal; anything else is a signed decimal. Blanks around the number are allowed;
// anything else (trailing junk, a sign on a hex number, a value outside 32 bits) is not a number.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Hex takes up to 32 bits and keeps them (0xFFFFFFFF is -1); decimal must fit a signed 32 bits.
std::optional<int32_t> ParseIniInteger(std::string_view text);

std::string FormatIniInteger(int32_t value);
