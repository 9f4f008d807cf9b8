// Linked fonts: the families a face falls back to for characters it lacks, and which of them a
// text that must stay in one font is drawn in.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The families of a FontLink\SystemLink value's entries ("file.ttf,Family", blanks allowed after
// the comma), in the value's order; an entry that names only a file is left out.
std::vector<std::string> LinkedFamilies(const std::vector<std::string>& entries);

// The linked font for a text whose own face lacks `missing` of its characters, given how many of
// those each linked font has (in link order): the first that has them all, else the one that has
// most (the earlier on a tie); -1 when none has any, or nothing is missing.
int FontForMissing(const std::vector<size_t>& covered, size_t missing);
