#include "app/NotesFile.h"

#include <algorithm>

std::string NoteSection(int k) { return "Note" + std::to_string(k); }

int32_t ReadNoteTable(const TIniDocument& doc, TNoteTable& notes) {
  const int32_t count = std::clamp<int32_t>(doc.ReadInteger("General", "N", 0), 0, MaxNotes);
  for (int k = 1; k <= MaxNotes; ++k) {
    TNotice& note = notes[k - 1];
    if (k > count) {
      note = TNotice{};
      continue;
    }
    const std::string section = NoteSection(k);
    note.Content = doc.ReadString(section, "Content", "");
    note.Used = true;
    note.Attach = doc.ReadString(section, "Attach", "");
    note.Exposure = doc.ReadInteger(section, "Exposure", DefaultExposure);
  }
  return count;
}

void WriteNoteTable(const TNoteTable& notes, int32_t count, TIniDocument& doc) {
  count = std::clamp<int32_t>(count, 0, MaxNotes);
  doc.WriteInteger("General", "N", count);
  for (int k = 1; k <= count; ++k) {
    const TNotice& note = notes[k - 1];
    const std::string section = NoteSection(k);
    doc.WriteString(section, "Content", note.Content);
    doc.WriteString(section, "Attach", note.Attach);
    doc.WriteInteger(section, "Exposure", note.Exposure);
  }
}
