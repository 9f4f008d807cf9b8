#include "app/NotesFile.h"

#include <algorithm>

#include "toolkit/IniValue.h"

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

bool NoteCountUnreadable(const TIniDocument& doc) {
  if (!doc.FindString("General", "N")) return false;
  if (doc.ReadInteger("General", "N", -1) >= 0) return false;  // a count (a negative default: none)
  for (int k = 1; k <= MaxNotes; ++k) {
    const std::string section = NoteSection(k);
    for (const char* key : {"Content", "Attach", "Exposure"})
      if (doc.FindString(section, key)) return true;
  }
  return false;
}

namespace {
// The number of a "[NoteK]" header line (any case, blanks allowed as the reader allows them), or 0.
int64_t NoteHeaderNumber(std::string_view line) {
  line = TrimIniBlanks(line);
  if (line.empty() || line.front() != '[') return 0;
  const size_t close = line.rfind(']');
  if (close == std::string_view::npos) return 0;
  std::string_view name = TrimIniBlanks(line.substr(1, close - 1));
  if (name.size() < 5 || name.size() > 12) return 0;
  for (size_t i = 0; i < 4; ++i)
    if ((name[i] | 0x20) != "note"[i]) return 0;
  name.remove_prefix(4);
  if (name.front() == '0') return 0;
  int64_t number = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}
}  // namespace

std::string DropNoteSectionsAbove(std::string_view text, int32_t count) {
  std::string out;
  out.reserve(text.size());
  bool dropping = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    size_t next = end;
    if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    const std::string_view line = text.substr(pos, end - pos);
    const std::string_view trimmed = TrimIniBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[' && trimmed.find(']') != std::string_view::npos)
      dropping = NoteHeaderNumber(line) > count;
    if (!dropping) out.append(text.substr(pos, next - pos));
    pos = next;
  }
  return out;
}
