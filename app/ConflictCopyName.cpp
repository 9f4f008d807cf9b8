#include "app/ConflictCopyName.h"

#include <algorithm>

namespace {
// A small cursor over the tag: each step consumes what it matched or reports false.
class TTag {
 public:
  explicit TTag(std::string_view s) : s_(s) {}
  bool Done() const { return s_.empty(); }
  bool Literal(std::string_view lit) {
    if (s_.substr(0, lit.size()) != lit) return false;
    s_.remove_prefix(lit.size());
    return true;
  }
  bool Digits(size_t n) {
    if (s_.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
      if (s_[i] < '0' || s_[i] > '9') return false;
    s_.remove_prefix(n);
    return true;
  }
  // One or more digits.
  bool Number() {
    size_t n = 0;
    while (n < s_.size() && s_[n] >= '0' && s_[n] <= '9') ++n;
    return n > 0 && Digits(n);
  }
  // Syncthing's short device id: seven letters or digits of its base32 alphabet.
  bool ShortDeviceId() {
    if (s_.size() < 7) return false;
    for (size_t i = 0; i < 7; ++i) {
      const char c = s_[i];
      if (!((c >= 'A' && c <= 'Z') || (c >= '2' && c <= '7'))) return false;
    }
    s_.remove_prefix(7);
    return true;
  }
  std::string_view Rest() const { return s_; }
  void Skip(size_t n) { s_.remove_prefix(n); }

 private:
  std::string_view s_;
};

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c == '/' ? '\\' : c; }

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

bool SyncthingTag(std::string_view tag) {
  TTag t(tag);
  if (!t.Literal(".sync-conflict-") || !t.Digits(8) || !t.Literal("-") || !t.Digits(6)) return false;
  if (t.Done()) return true;  // versions before the device id was added
  return t.Literal("-") && t.ShortDeviceId() && t.Done();
}

bool OwnCloudTag(std::string_view tag) {
  TTag t(tag);
  return t.Literal("_conflict-") && t.Digits(8) && t.Literal("-") && t.Digits(6) && t.Done();
}

bool DashedDate(TTag& t) {
  return t.Digits(4) && t.Literal("-") && t.Digits(2) && t.Literal("-") && t.Digits(2);
}

// Nextcloud (and ownCloud since 2.5): the user's name, when given, holds no parentheses.
bool NextcloudTag(std::string_view tag) {
  TTag t(tag);
  if (!t.Literal(" (conflicted copy ")) return false;
  const std::string_view rest = t.Rest();
  // "YYYY-MM-DD HHMMSS)" closes the tag; what stands before it is the user's name and a blank.
  constexpr size_t kStamp = 18;
  if (rest.size() < kStamp) return false;
  const std::string_view user = rest.substr(0, rest.size() - kStamp);
  if (user.find_first_of("()") != std::string_view::npos) return false;
  if (!user.empty() && (user.size() < 2 || user.back() != ' ')) return false;
  t.Skip(user.size());
  return DashedDate(t) && t.Literal(" ") && t.Digits(6) && t.Literal(")") && t.Done();
}

// Dropbox: "(Jane's conflicted copy 2026-12-08)", a second one the same day "... (1))".
bool DropboxTag(std::string_view tag) {
  TTag t(tag);
  if (!t.Literal(" (")) return false;
  const std::string_view rest = t.Rest();
  const size_t marker = rest.find("conflicted copy ");
  if (marker == std::string_view::npos) return false;
  const std::string_view who = rest.substr(0, marker);
  if (who.size() < 4 || who.substr(who.size() - 3) != "'s " || who.find_first_of("()") != std::string_view::npos)
    return false;
  t.Skip(marker);
  if (!t.Literal("conflicted copy ") || !DashedDate(t)) return false;
  if (t.Literal(" (") && !(t.Number() && t.Literal(")"))) return false;
  return t.Literal(")") && t.Done();
}

// OneDrive: "-PCNAME", a second one "-PCNAME-1". A computer name may hold "-" itself, so any
// run of letters, digits and dashes that starts with a letter or digit does.
bool OneDriveTag(std::string_view tag) {
  if (tag.size() < 2 || tag.size() > 1 + 15 + 4 || tag[0] != '-') return false;
  tag.remove_prefix(1);
  const auto alnum = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); };
  return alnum(tag.front()) && alnum(tag.back()) &&
         std::all_of(tag.begin(), tag.end(), [&](char c) { return alnum(c) || c == '-'; });
}
}  // namespace

bool IsInOneDriveFolder(std::string_view folder, const std::vector<std::string>& oneDriveFolders) {
  for (std::string_view root : oneDriveFolders) {
    while (!root.empty() && (root.back() == '\\' || root.back() == '/')) root.remove_suffix(1);
    if (root.empty() || folder.size() < root.size() || !SameIgnoringAsciiCase(folder.substr(0, root.size()), root))
      continue;
    if (folder.size() == root.size() || folder[root.size()] == '\\' || folder[root.size()] == '/') return true;
  }
  return false;
}

bool IsConflictCopyName(std::string_view notesFile, std::string_view name, bool inOneDrive) {
  const size_t dot = notesFile.rfind('.');
  const std::string_view base = notesFile.substr(0, dot);
  const std::string_view ext = dot == std::string_view::npos ? std::string_view() : notesFile.substr(dot);
  if (name.size() <= base.size() + ext.size()) return false;
  if (!SameIgnoringAsciiCase(name.substr(0, base.size()), base) ||
      !SameIgnoringAsciiCase(name.substr(name.size() - ext.size()), ext))
    return false;
  const std::string_view tag = name.substr(base.size(), name.size() - base.size() - ext.size());
  return SyncthingTag(tag) || OwnCloudTag(tag) || NextcloudTag(tag) || DropboxTag(tag) ||
         (inOneDrive && OneDriveTag(tag));
}

std::vector<std::string> ConflictCopyNames(std::string_view notesFile, const std::vector<std::string>& names,
                                           bool inOneDrive) {
  std::vector<std::string> copies;
  for (const std::string& name : names)
    if (IsConflictCopyName(notesFile, name, inOneDrive)) copies.push_back(name);
  std::sort(copies.begin(), copies.end());
  copies.erase(std::unique(copies.begin(), copies.end()), copies.end());
  return copies;
}
