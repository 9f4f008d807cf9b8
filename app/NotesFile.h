// The notes file's layout: [General] N=count, then [Note1]..[NoteN] with Content, Attach and
// Exposure in that order. Only these keys are touched; everything else in the document stays.
#pragma once
#include <cstdint>
#include <string>

#include "app/Notice.h"
#include "toolkit/IniDocument.h"

std::string NoteSection(int k);  // "Note" + k

// Fills places 1..count and clears the rest. count is N of General, kept within 0..MaxNotes
// (a negative or unreadable N is 0); missing keys give an empty text, no attachment and
// DefaultExposure.
int32_t ReadNoteTable(const TIniDocument& doc, TNoteTable& notes);

void WriteNoteTable(const TNoteTable& notes, int32_t count, TIniDocument& doc);

// True when N of General is there but not a count (not a number, or negative) while note
// sections stand in the file: its notes cannot be counted, so it must not be read as empty.
bool NoteCountUnreadable(const TIniDocument& doc);

// The document's text without the sections of notes above count, so that a deleted note's text
// does not linger in the file.
std::string DropNoteSectionsAbove(std::string_view text, int32_t count);
