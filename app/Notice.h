// One note and the fixed table that holds the note list.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/NoteVersion.h"

struct TNotice {
  std::string Content;  // the note's text, one line
  std::string Attach;   // what the shell opens for the note; empty: none
  bool Used = false;    // true while the place holds a note
  int32_t Exposure = 0; // milliseconds on display while the window cycles
  // Who the note is on every computer that shares the file, and what it has been through
  // (NoteVersion.h); an empty Id: not known yet. The list keeps both; what a caller passes in
  // for them is ignored.
  std::string Id;
  TVersion Version;
};

inline constexpr int MaxNotes = 99;
inline constexpr int32_t DefaultExposure = 3000;

// Place k (1..MaxNotes) is element k - 1.
using TNoteTable = std::array<TNotice, MaxNotes>;

// A note's texts are single lines: CR LF, CR, LF and NUL each become one blank, so nothing a user
// pastes can start a new line (a new key or section) in the notes file.
std::string OneLineText(std::string_view text);

// The same text, attachment and exposure: what a person sees of a note.
inline bool SameText(const TNotice& a, const TNotice& b) {
  return a.Content == b.Content && a.Attach == b.Attach && a.Exposure == b.Exposure;
}
