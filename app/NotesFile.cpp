#include "app/NotesFile.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "toolkit/IniValue.h"

std::string NoteSection(int k) { return "Note" + std::to_string(k); }

namespace {
// Each key of a note section once: its name, how it is read (a missing key gives the default)
// and how it is written. The order is the written order.
struct TNoteKey {
  std::string_view Name;
  void (*Read)(const TIniDocument& doc, std::string_view section, std::string_view key, TNotice& note);
  void (*Write)(const TNotice& note, std::string_view section, std::string_view key, TIniDocument& doc);
};

template <std::string TNotice::*Field>
constexpr TNoteKey TextKey(std::string_view name) {
  return {name,
          [](const TIniDocument& doc, std::string_view section, std::string_view key, TNotice& note) {
            note.*Field = doc.ReadString(section, key, "");
          },
          [](const TNotice& note, std::string_view section, std::string_view key, TIniDocument& doc) {
            doc.WriteString(section, key, note.*Field);
          }};
}

template <int32_t TNotice::*Field, int32_t Default>
constexpr TNoteKey NumberKey(std::string_view name) {
  return {name,
          [](const TIniDocument& doc, std::string_view section, std::string_view key, TNotice& note) {
            note.*Field = doc.ReadInteger(section, key, Default);
          },
          [](const TNotice& note, std::string_view section, std::string_view key, TIniDocument& doc) {
            doc.WriteInteger(section, key, note.*Field);
          }};
}

constexpr TNoteKey kNoteKeys[] = {
    TextKey<&TNotice::Content>("Content"),
    TextKey<&TNotice::Attach>("Attach"),
    NumberKey<&TNotice::Exposure, DefaultExposure>("Exposure"),
};
}  // namespace

std::optional<std::string> StatedNoteCount(const TIniDocument& doc) {
  return doc.FindString(NoteCountSection, NoteCountKey);
}

void ReadNoteTable(const TIniDocument& doc, int32_t count, TNoteTable& notes) {
  count = std::clamp<int32_t>(count, 0, MaxNotes);
  for (int k = 1; k <= MaxNotes; ++k) {
    TNotice& note = notes[k - 1];
    note = TNotice{};
    if (k > count) continue;
    const std::string section = NoteSection(k);
    for (const TNoteKey& key : kNoteKeys) key.Read(doc, section, key.Name, note);
    note.Used = true;
  }
}

void WriteNoteTable(const TNoteTable& notes, int32_t count, TIniDocument& doc) {
  count = std::clamp<int32_t>(count, 0, MaxNotes);
  doc.WriteInteger(NoteCountSection, NoteCountKey, count);
  for (int k = 1; k <= count; ++k) {
    const std::string section = NoteSection(k);
    for (const TNoteKey& key : kNoteKeys) key.Write(notes[k - 1], section, key.Name, doc);
  }
}

namespace {
// The number of a "[NoteK]" header line (any case, blanks allowed as the reader allows them), or
// 0. Numbers too long to hold come out as the largest there is: above any count.
int64_t NoteHeaderNumber(std::string_view line) {
  line = TrimIniBlanks(line);
  if (line.empty() || line.front() != '[') return 0;
  const size_t close = line.rfind(']');
  if (close == std::string_view::npos) return 0;
  std::string_view name = TrimIniBlanks(line.substr(1, close - 1));
  if (name.size() < 5) return 0;
  for (size_t i = 0; i < 4; ++i)
    if ((name[i] | 0x20) != "note"[i]) return 0;
  name.remove_prefix(4);
  if (name.front() == '0') return 0;
  int64_t number = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return 0;
    number = number > (INT64_MAX - 9) / 10 ? INT64_MAX : number * 10 + (c - '0');
  }
  return number;
}

bool IsSectionHeader(std::string_view line) {
  const std::string_view trimmed = TrimIniBlanks(line);
  return !trimmed.empty() && trimmed.front() == '[' && trimmed.find(']') != std::string_view::npos;
}

// Calls visit(line, lineWithItsEnd) for each line of text.
template <typename F>
void ForEachLine(std::string_view text, F visit) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    size_t next = end;
    if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    visit(text.substr(pos, end - pos), text.substr(pos, next - pos));
    pos = next;
  }
}

// The highest number of a note section in the text that is at most limit; 0 when there is none.
int64_t HighestNoteSection(std::string_view text, int64_t limit) {
  int64_t highest = 0;
  ForEachLine(text, [&](std::string_view line, std::string_view) {
    const int64_t k = NoteHeaderNumber(line);
    if (k <= limit && k > highest) highest = k;
  });
  return highest;
}
}  // namespace

TNoteCount CountNotes(const TIniDocument& doc) {
  using TKind = TNoteCount::TKind;
  const int32_t n = doc.ReadInteger(NoteCountSection, NoteCountKey, -1);
  if (n < 0) {
    // Missing, not a number or negative: no notes, unless note sections stand in the file; then
    // they cannot be counted and must not be taken for an empty list.
    if (!StatedNoteCount(doc)) return {TKind::Fits, 0};
    return {HighestNoteSection(doc.ToText(), INT64_MAX) > 0 ? TKind::Uncountable : TKind::Fits, 0};
  }
  if (n <= MaxNotes) return {TKind::Fits, n};
  const int64_t highest = HighestNoteSection(doc.ToText(), n);
  if (highest > MaxNotes) return {TKind::TooMany, MaxNotes};
  return {TKind::Fits, static_cast<int32_t>(highest)};
}

std::string DropNoteSectionsAbove(std::string_view text, int32_t count) {
  std::string out;
  out.reserve(text.size());
  bool dropping = false;
  ForEachLine(text, [&](std::string_view line, std::string_view whole) {
    if (IsSectionHeader(line)) dropping = NoteHeaderNumber(line) > count;
    if (!dropping) out.append(whole);
  });
  return out;
}
