// What a note has been through, so that two copies of the notes file can be merged: each computer
// that changed the note counts its own changes (a version vector). One version below another
// means the note was left as it was since the other side parted from it; two versions neither
// below the other mean both sides changed it.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TVersion {
  // (computer's tag, how many changes it made), sorted by tag, each tag once, counts above 0.
  std::vector<std::pair<std::string, uint32_t>> Counts;

  bool operator==(const TVersion&) const = default;
  // True when every count here is at most the other's: the other side has seen all of this.
  bool Below(const TVersion& other) const;
  uint32_t Count(std::string_view tag) const;
  // The version after one more change by tag.
  TVersion Bumped(std::string_view tag) const;
  // Everything either has seen.
  static TVersion Join(const TVersion& a, const TVersion& b);

  // "tag:count tag:count", or "" for a note nobody has changed yet.
  std::string ToText() const;
  // nullopt for text that is not one (a hand edit, another program).
  static std::optional<TVersion> FromText(std::string_view text);
};

// A computer's tag: 1 to 16 lower-case letters and digits (blanks and colons would break a version).
bool IsDeviceTag(std::string_view tag);

// A 64-bit FNV-1a hash of the parts, each followed by a unit separator; the same on every
// computer, so that what is derived from a note's text is derived alike everywhere.
uint64_t TextHash(std::initializer_list<std::string_view> parts);
std::string Hex(uint64_t value, int digits);

// A note trashed on some computer: its Id and the version it had then, so that the same note
// arriving unchanged from another computer stays trashed, while one changed there since is kept.
// Day: days since 1970-01-01 (UTC) when it was last trashed; the record is kept for TrashDays.
struct TTrashEntry {
  std::string Id;
  TVersion Version;
  int32_t Day = 0;
  bool operator==(const TTrashEntry&) const = default;
};
// Sorted by Id, each Id once.
using TTrash = std::vector<TTrashEntry>;
inline constexpr int32_t TrashDays = 400;
inline constexpr size_t MaxTrashEntries = 1000;

// Records the entry; an Id already there keeps what both versions have seen and the later day.
void AddToTrash(TTrash& trash, const TTrashEntry& entry);
// The entry of the Id, or nullptr.
const TTrashEntry* FindInTrash(const TTrash& trash, std::string_view id);
// Keeps the MaxTrashEntries latest (on a tie, the lower Ids); with today given, also drops those
// older than TrashDays.
void BoundTrash(TTrash& trash, std::optional<int32_t> today = std::nullopt);
