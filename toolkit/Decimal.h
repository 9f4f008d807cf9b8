// Signed decimal whole numbers as people type them and INI files hold them.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// An optional + or - and at least one digit 0-9, nothing else (callers strip their own blanks);
// nullopt for anything else or a number outside the signed 32 bits.
std::optional<int32_t> ParseDecimal(std::string_view text);
