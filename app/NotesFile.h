// The notes file's layout: [General] N=count, then [Note1]..[NoteN] with Content, Attach and
// Exposure in that order. Only these keys are touched; everything else in the document stays.
// Where the notes are shared between computers, each note section also holds the note's Id and
// Version (a check of the note as written, then its version: NoteVersion.h), and the section
// [Trashed] lists trashed notes, one "Id=day version" a line. Older versions of the program
// read such a file as any other and keep those keys and that section.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/NoteMerge.h"
#include "app/Notice.h"
#include "toolkit/IniDocument.h"

inline constexpr std::string_view NoteCountSection = "General", NoteCountKey = "N";
inline constexpr std::string_view TrashSection = "Trashed";
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
// no attachment and DefaultExposure. Every note comes out with an Id, alike on every computer
// reading the same file: a note without one (an older version's, a hand edit's) is named after
// its text and how many equal notes without one come before it, with an empty version; so is a
// section copied by hand with its Id (a form of the note that an earlier one has seen). A note
// whose check fails (changed by a program that kept its Id but not its Version), or that the
// file's own trash record covers (put back by hand), counts as changed once more, by a tag
// made from its text.
void ReadNoteTable(const TIniDocument& doc, int32_t count, TNoteTable& notes);

// With identities, each note's Id and Version are written after its other keys.
void WriteNoteTable(const TNoteTable& notes, int32_t count, TIniDocument& doc, bool identities = false);

// The trash record; lines that are not entries are passed over.
TTrash ReadTrash(const TIniDocument& doc);
// False for a file cut off while it was written: its last line has no line end, or a note
// section up to count is missing or has no Content. Such a copy is merged only once it is whole.
bool HoldsWholeNotes(std::string_view bytes, const TIniDocument& doc, int32_t count);
// Places 1..count and the trash record, as a merge takes them (NoteMerge.h).
TNoteSet ReadNoteSet(const TIniDocument& doc, int32_t count);
// The document with its trash section (every section of that name) replaced by this record, at
// the end.
void WriteTrash(const TTrash& trash, TIniDocument& doc);

// The document's text without the sections of notes above count, so that a deleted note's text
// does not linger in the file.
std::string DropNoteSectionsAbove(std::string_view text, int32_t count);
