#include "app/NoteVersion.h"

#include <algorithm>
#include <charconv>

#include "toolkit/IniValue.h"

bool TVersion::Below(const TVersion& other) const {
  return std::all_of(Counts.begin(), Counts.end(), [&](const auto& c) { return c.second <= other.Count(c.first); });
}

uint32_t TVersion::Count(std::string_view tag) const {
  const auto it = std::lower_bound(Counts.begin(), Counts.end(), tag,
                                   [](const auto& c, std::string_view t) { return c.first < t; });
  return it != Counts.end() && it->first == tag ? it->second : 0;
}

TVersion TVersion::Bumped(std::string_view tag) const {
  TVersion next = *this;
  const auto it = std::lower_bound(next.Counts.begin(), next.Counts.end(), tag,
                                   [](const auto& c, std::string_view t) { return c.first < t; });
  if (it != next.Counts.end() && it->first == tag) ++it->second;
  else next.Counts.insert(it, {std::string(tag), 1});
  return next;
}

TVersion TVersion::Join(const TVersion& a, const TVersion& b) {
  TVersion joined;
  auto i = a.Counts.begin(), j = b.Counts.begin();
  while (i != a.Counts.end() || j != b.Counts.end()) {
    if (j == b.Counts.end() || (i != a.Counts.end() && i->first < j->first)) joined.Counts.push_back(*i++);
    else if (i == a.Counts.end() || j->first < i->first) joined.Counts.push_back(*j++);
    else joined.Counts.push_back({i->first, std::max(i++->second, j++->second)});
  }
  return joined;
}

std::string TVersion::ToText() const {
  std::string text;
  for (const auto& [tag, count] : Counts) text += (text.empty() ? "" : " ") + tag + ":" + std::to_string(count);
  return text;
}

std::optional<TVersion> TVersion::FromText(std::string_view text) {
  TVersion v;
  text = TrimIniBlanks(text);
  while (!text.empty()) {
    const size_t end = std::min(text.find(' '), text.size());
    const std::string_view item = text.substr(0, end);
    text = TrimIniBlanks(text.substr(end));
    const size_t colon = item.find(':');
    if (colon == std::string_view::npos || !IsDeviceTag(item.substr(0, colon))) return std::nullopt;
    uint32_t count = 0;
    const char* last = item.data() + item.size();
    const auto [ptr, ec] = std::from_chars(item.data() + colon + 1, last, count);
    if (ec != std::errc() || ptr != last || count == 0) return std::nullopt;
    if (!v.Counts.empty() && v.Counts.back().first >= item.substr(0, colon)) return std::nullopt;
    v.Counts.push_back({std::string(item.substr(0, colon)), count});
  }
  return v;
}

bool IsDeviceTag(std::string_view tag) {
  return !tag.empty() && tag.size() <= 16 &&
         std::all_of(tag.begin(), tag.end(), [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

uint64_t TextHash(std::initializer_list<std::string_view> parts) {
  uint64_t h = 14695981039346656037ull;
  const auto mix = [&h](unsigned char c) { h = (h ^ c) * 1099511628211ull; };
  for (std::string_view part : parts) {
    for (char c : part) mix(static_cast<unsigned char>(c));
    mix(0x1F);
  }
  return h;
}

std::string Hex(uint64_t value, int digits) {
  std::string s(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) s[static_cast<size_t>(i)] = "0123456789abcdef"[value & 15];
  return s;
}

namespace {
// Where the Id's entry is or would go (a TTrash or a const one).
template <typename Trash>
auto TrashSlot(Trash& trash, std::string_view id) {
  return std::lower_bound(trash.begin(), trash.end(), id, [](const TTrashEntry& e, std::string_view i) { return std::string_view(e.Id) < i; });
}
}  // namespace

void AddToTrash(TTrash& trash, const TTrashEntry& entry) {
  const auto it = TrashSlot(trash, entry.Id);
  if (it == trash.end() || it->Id != entry.Id) {
    trash.insert(it, entry);
    return;
  }
  it->Version = TVersion::Join(it->Version, entry.Version);
  it->Day = std::max(it->Day, entry.Day);
}

const TTrashEntry* FindInTrash(const TTrash& trash, std::string_view id) {
  const auto it = TrashSlot(trash, id);
  return it != trash.end() && it->Id == id ? &*it : nullptr;
}

void BoundTrash(TTrash& trash, std::optional<int32_t> today) {
  if (today) std::erase_if(trash, [&](const TTrashEntry& e) { return e.Day < *today - TrashDays; });
  if (trash.size() <= MaxTrashEntries) return;
  std::vector<const TTrashEntry*> latest;
  for (const TTrashEntry& e : trash) latest.push_back(&e);
  std::stable_sort(latest.begin(), latest.end(), [](const TTrashEntry* a, const TTrashEntry* b) { return a->Day > b->Day; });
  latest.resize(MaxTrashEntries);
  std::sort(latest.begin(), latest.end(), [](const TTrashEntry* a, const TTrashEntry* b) { return a->Id < b->Id; });
  TTrash kept;
  for (const TTrashEntry* e : latest) kept.push_back(*e);
  trash = std::move(kept);
}
