#include "app/NotesFile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
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

constexpr std::string_view kIdKey = "Id", kVersionKey = "Version";

bool IsNoteId(std::string_view id) {
  return !id.empty() && id.size() <= 40 && std::all_of(id.begin(), id.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
  });
}

std::string TextOf(const TNotice& note) { return note.Content + '\x1f' + note.Attach + '\x1f' + std::to_string(note.Exposure); }

// The check written before a version: a program that changes the note without knowing about
// versions leaves a check that no longer fits.
std::string Check(const TNotice& note, const std::string& counts) {
  return Hex(TextHash({TextOf(note), note.Id, counts}), 8);
}

// Reads the note's Id and Version; leaves the Id empty when there is none.
void ReadIdentity(const TIniDocument& doc, std::string_view section, TNotice& note) {
  const std::string id = doc.ReadString(section, kIdKey, "");
  if (!IsNoteId(id)) return;
  note.Id = id;
  const std::string value = doc.ReadString(section, kVersionKey, "");
  const size_t blank = std::min(value.find(' '), value.size());
  const std::optional<TVersion> version = TVersion::FromText(std::string_view(value).substr(blank));
  note.Version = version.value_or(TVersion{});
  if (!version || value.substr(0, blank) != Check(note, version->ToText()))
    note.Version = note.Version.Bumped("h" + Hex(TextHash({TextOf(note)}), 10));
}

// Ids for the notes without one, then the changes nobody recorded (see ReadNoteTable).
void CompleteIdentities(const TTrash& trash, int32_t count, TNoteTable& notes) {
  std::map<std::string, int> earlier;  // notes without an Id so far, by their text
  std::map<std::string, std::vector<TVersion>> forms;  // the versions of each Id so far
  for (int32_t k = 1; k <= count; ++k) {
    TNotice& note = notes[k - 1];
    const std::string text = TextOf(note);
    // Two forms of one note in a file are ones neither side had seen; one that another has seen
    // was copied by hand, section and all, and is a note of its own.
    if (!note.Id.empty()) {
      std::vector<TVersion>& seen = forms[note.Id];
      if (std::any_of(seen.begin(), seen.end(), [&](const TVersion& v) { return v.Below(note.Version) || note.Version.Below(v); })) {
        note.Id.clear();
        note.Version = {};
      } else {
        seen.push_back(note.Version);
      }
    }
    if (note.Id.empty()) note.Id = "d" + Hex(TextHash({text, std::to_string(earlier[text]++)}), 16);
    const TTrashEntry* trashed = FindInTrash(trash, note.Id);
    if (trashed && note.Version.Below(trashed->Version)) note.Version = note.Version.Bumped("h" + Hex(TextHash({text}), 10));
  }
}
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
    ReadIdentity(doc, section, note);
    note.Used = true;
  }
  CompleteIdentities(ReadTrash(doc), count, notes);
}

void WriteNoteTable(const TNoteTable& notes, int32_t count, TIniDocument& doc, bool identities) {
  count = std::clamp<int32_t>(count, 0, MaxNotes);
  doc.WriteInteger(NoteCountSection, NoteCountKey, count);
  for (int k = 1; k <= count; ++k) {
    const std::string section = NoteSection(k);
    const TNotice& note = notes[k - 1];
    for (const TNoteKey& key : kNoteKeys) key.Write(note, section, key.Name, doc);
    if (!identities) continue;
    doc.WriteString(section, kIdKey, note.Id);
    const std::string counts = note.Version.ToText();
    doc.WriteString(section, kVersionKey, Check(note, counts) + (counts.empty() ? "" : " " + counts));
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

// True for a header of the section of that name (ASCII case ignored, as the reader does).
bool IsHeaderOf(std::string_view line, std::string_view name) {
  if (!IsSectionHeader(line)) return false;
  line = TrimIniBlanks(line);
  const std::string_view inner = TrimIniBlanks(line.substr(1, line.rfind(']') - 1));
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return inner.size() == name.size() &&
         std::equal(inner.begin(), inner.end(), name.begin(), [&](char a, char b) { return lower(a) == lower(b); });
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

TTrash ReadTrash(const TIniDocument& doc) {
  TTrash trash;
  int section = 0;  // 0 before the trash section, 1 in it, 2 after: the reader finds only the first
  ForEachLine(doc.ToText(), [&](std::string_view line, std::string_view) {
    if (IsSectionHeader(line)) section = section == 0 && IsHeaderOf(line, TrashSection) ? 1 : section == 1 ? 2 : section;
    if (section != 1) return;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    const std::string_view id = TrimIniBlanks(line.substr(0, eq)), value = TrimIniBlanks(line.substr(eq + 1));
    const size_t blank = std::min(value.find(' '), value.size());
    int32_t day = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + blank, day);
    const std::optional<TVersion> version = TVersion::FromText(value.substr(blank));
    if (IsNoteId(id) && ec == std::errc() && end == value.data() + blank && version)
      AddToTrash(trash, {std::string(id), *version, day});
  });
  return trash;
}

void WriteTrash(const TTrash& trash, TIniDocument& doc) {
  std::string text;
  bool dropping = false;
  ForEachLine(doc.ToText(), [&](std::string_view line, std::string_view whole) {
    if (IsSectionHeader(line)) dropping = IsHeaderOf(line, TrashSection);
    if (!dropping) text.append(whole);
  });
  doc = TIniDocument::FromText(text);
  for (const TTrashEntry& e : trash) {
    const std::string counts = e.Version.ToText();
    doc.WriteString(TrashSection, e.Id, std::to_string(e.Day) + (counts.empty() ? "" : " " + counts));
  }
}

TNoteSet ReadNoteSet(const TIniDocument& doc, int32_t count) {
  count = std::clamp<int32_t>(count, 0, MaxNotes);
  TNoteTable notes{};
  ReadNoteTable(doc, count, notes);
  return {{notes.begin(), notes.begin() + count}, ReadTrash(doc)};
}

bool HoldsWholeNotes(std::string_view bytes, const TIniDocument& doc, int32_t count) {
  // The last character that is not a NUL (UTF-16 puts one beside each ASCII one) ends a line.
  const size_t last = bytes.find_last_not_of('\0');
  if (last == std::string_view::npos || (bytes[last] != '\n' && bytes[last] != '\r')) return false;
  for (int32_t k = 1; k <= std::clamp<int32_t>(count, 0, MaxNotes); ++k)
    if (!doc.FindString(NoteSection(k), "Content")) return false;
  return true;
}
