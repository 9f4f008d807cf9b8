// How long a note stays up: the editor's exposure field takes whole seconds within these bounds,
// and its "Estimate" button proposes a time from the amount of text to read.
#pragma once
#include <cstdint>
#include <string_view>

inline constexpr int MinExposureSeconds = 3;
inline constexpr int MaxExposureSeconds = 60;

// The characters that take reading time: ASCII letters and digits. Blanks, punctuation, path
// separators and everything outside ASCII do not count. Text is UTF-8.
int64_t ReadableCharacters(std::string_view text);

// Seconds for c readable characters: c x 1.7 / 13 rounded to the nearest integer, an exact half
// going to the even neighbour. Not bounded.
int64_t SecondsToRead(int64_t characters);

// The estimate for a note's text and its attachment, brought into the field's bounds.
int EstimateExposure(std::string_view noteText, std::string_view attach);
