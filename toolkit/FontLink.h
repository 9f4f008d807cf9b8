// Linked fonts: the families a face falls back to for characters it lacks, which font draws
// each character of a text, and the lines of a text drawn in several fonts.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The families of a FontLink\SystemLink value's entries ("file.ttf,Family", blanks allowed after
// the comma, scaling figures after a second comma), in the value's order; an entry that names
// only a file is left out.
std::vector<std::string> LinkedFamilies(const std::vector<std::string>& entries);

// The font of each character of a text, where has[f][i] says whether font f has character i
// (font 0 is the face's own, then its linked fonts in order). A character stays in the font of
// the one before it while that font has it, so blanks and punctuation split no run; else it takes
// the first font that has it, else the own font.
std::vector<int> FontOfEachCharacter(const std::vector<std::vector<bool>>& has);

struct TTextLine {
  size_t Begin = 0, End = 0;  // the characters drawn, without the blanks and break that end it
  int Width = 0;
};

// The lines of a text whose characters advance by `advance` each. A line ends at a line break
// (CR, LF or CR LF); with `wrap`, also where the next word would pass `width`: after a blank, or
// beside an ideograph, and a word longer than a line breaks after its last character that fits
// (at least one, never inside a surrogate pair or before a mark that does not advance). The
// blanks at a soft break belong to no line.
std::vector<TTextLine> BreakLines(const std::wstring& text, const std::vector<int>& advance, int width, bool wrap);

// The glyph of a character beyond the first 65,536 in a font's 'cmap' table (its Unicode
// subtable of format 12); 0 when the font has none.
uint16_t GlyphBeyondBmp(const std::vector<uint8_t>& cmap, uint32_t codePoint);
