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
