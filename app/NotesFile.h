// The notes file's layout: [General] N=count, then [Note1]..[NoteN] with Content, Attach and
// Exposure in that order. Only these keys are touched; everything else in the document stays.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/Notice.h"
#include "toolkit/IniDocument.h"

inline constexpr std::string_view NoteCountSection = "General", NoteCountKey = "N";
std::string NoteSection(int k);  // "Note" + k

// The count as the file states it, for messages; nullopt when there is none.
std::optional<std::string> StatedNoteCount(const TIniDocument& doc);

// What N of General means for the table. Within 0..MaxNotes it is the count, a missing section
// reading as an empty note as the platform's reader gives it. Above MaxNotes only the sections
// present count: when every note section numbered up to N lies within the table, the list ends
// at the highest of them (the places between it and N exist only in the count); when one lies
// above, the file holds more notes than the table and cannot be read in full.
struct TNoteCount {
  enum class TKind { Fits, Uncountable, TooMany };
  TKind Kind = TKind::Fits;
  int32_t Count = 0;  // the places to read: all of them for Fits, the first MaxNotes for TooMany
};
TNoteCount CountNotes(const TIniDocument& doc);

// Fills places 1..count (at most MaxNotes) and clears the rest; missing keys give an empty text,
// no attachment and DefaultExposure.
void ReadNoteTable(const TIniDocument& doc, int32_t count, TNoteTable& notes);

void WriteNoteTable(const TNoteTable& notes, int32_t count, TIniDocument& doc);

// The document's text without the sections of notes above count, so that a deleted note's text
// does not linger in the file.
std::string DropNoteSectionsAbove(std::string_view text, int32_t count);
