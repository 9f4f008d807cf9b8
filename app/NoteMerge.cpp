#include "app/NoteMerge.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>

namespace {
// The forms of one note that stay (see NoteMerge.h), in an order that depends only on them.
std::vector<TNotice> Resolve(std::vector<TNotice> forms, const TTrashEntry* trashed) {
  if (trashed) std::erase_if(forms, [&](const TNotice& f) { return f.Version.Below(trashed->Version); });
  for (size_t i = 0; i < forms.size(); ++i) {
    for (size_t j = i + 1; j < forms.size();) {
      if (!SameText(forms[i], forms[j])) {
        ++j;
        continue;
      }
      forms[i].Version = TVersion::Join(forms[i].Version, forms[j].Version);
      forms.erase(forms.begin() + static_cast<std::ptrdiff_t>(j));
    }
  }
  std::vector<TNotice> kept;
  for (const TNotice& f : forms) {
    const bool seen = std::any_of(forms.begin(), forms.end(), [&](const TNotice& g) {
      return f.Version != g.Version && f.Version.Below(g.Version);
    });
    if (!seen) kept.push_back(f);
  }
  std::sort(kept.begin(), kept.end(), [](const TNotice& x, const TNotice& y) {
    return std::make_tuple(x.Version.ToText(), x.Content, x.Attach, x.Exposure) <
           std::make_tuple(y.Version.ToText(), y.Content, y.Attach, y.Exposure);
  });
  return kept;
}

// The Ids of the notes in their first places, those that stay only.
std::vector<std::string> IdsInOrder(const std::vector<TNotice>& notes, const std::map<std::string, std::vector<TNotice>>& kept) {
  std::vector<std::string> ids;
  std::set<std::string> seen;
  for (const TNotice& n : notes)
    if (kept.count(n.Id) && seen.insert(n.Id).second) ids.push_back(n.Id);
  return ids;
}

// Two runs of new notes at one place, each in its own order, interleaved by their Ids.
std::vector<std::string> Interleave(const std::vector<std::string>& x, const std::vector<std::string>& y) {
  std::vector<std::string> out;
  size_t i = 0, j = 0;
  while (i < x.size() || j < y.size())
    out.push_back(j == y.size() || (i < x.size() && x[i] < y[j]) ? x[i++] : y[j++]);
  return out;
}

// The Ids in the merged order: the notes both hold in the order of either (the smaller when they
// disagree), each followed by the notes that one copy alone holds after it.
std::vector<std::string> MergedOrder(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  const std::set<std::string> inA(a.begin(), a.end()), inB(b.begin(), b.end());
  std::vector<std::string> commonA, commonB;
  for (const std::string& id : a)
    if (inB.count(id)) commonA.push_back(id);
  for (const std::string& id : b)
    if (inA.count(id)) commonB.push_back(id);
  // The runs that follow each common note ("" for the start), from each copy.
  std::map<std::string, std::vector<std::string>> afterA, afterB;
  const auto runs = [](const std::vector<std::string>& ids, const std::set<std::string>& other,
                       std::map<std::string, std::vector<std::string>>& after) {
    std::string anchor;
    for (const std::string& id : ids) {
      if (other.count(id)) anchor = id;
      else after[anchor].push_back(id);
    }
  };
  runs(a, inB, afterA);
  runs(b, inA, afterB);
  std::vector<std::string> order;
  const auto place = [&](const std::string& anchor) {
    for (const std::string& id : Interleave(afterA[anchor], afterB[anchor])) order.push_back(id);
  };
  place("");
  for (const std::string& id : std::min(commonA, commonB)) {
    order.push_back(id);
    place(id);
  }
  return order;
}
}  // namespace

TNoteSet MergeNoteSets(const TNoteSet& a, const TNoteSet& b) {
  TNoteSet merged;
  merged.Trash = a.Trash;
  for (const TTrashEntry& e : b.Trash) AddToTrash(merged.Trash, e);
  BoundTrash(merged.Trash);
  std::map<std::string, std::vector<TNotice>> forms;
  for (const TNoteSet* set : {&a, &b})
    for (const TNotice& n : set->Notes) forms[n.Id].push_back(n);
  std::map<std::string, std::vector<TNotice>> kept;
  for (auto& [id, f] : forms)
    if (std::vector<TNotice> k = Resolve(std::move(f), FindInTrash(merged.Trash, id)); !k.empty()) kept[id] = std::move(k);
  for (const std::string& id : MergedOrder(IdsInOrder(a.Notes, kept), IdsInOrder(b.Notes, kept)))
    for (const TNotice& n : kept[id]) merged.Notes.push_back(n);
  return merged;
}
