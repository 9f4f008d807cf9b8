#include "app/ConflictMerge.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "app/ConflictCopyName.h"
#include "app/NoteVersion.h"
#include "app/NotesFile.h"
#include "toolkit/IniDocument.h"

namespace {
// Why the copy's bytes are not a list of notes we can take whole; empty when they are.
std::string NotNotes(const TIniDocument& doc, const TNoteCount& counted) {
  if (!StatedNoteCount(doc)) return "it holds no notes count";
  if (counted.Kind == TNoteCount::TKind::Uncountable) return "its notes cannot be counted";
  if (counted.Kind == TNoteCount::TKind::TooMany) return "it holds more notes than Zettly can keep";
  return {};
}
}  // namespace

std::string OneMessage(const std::vector<std::string>& messages) {
  if (messages.size() <= 1) return messages.empty() ? std::string() : messages[0];
  constexpr size_t kNamed = 5;
  std::string text = "Some conflict copies were not merged:";
  for (size_t i = 0; i < std::min(messages.size(), kNamed); ++i) text += "\n\n" + messages[i];
  if (messages.size() > kNamed) text += "\n\n... and " + std::to_string(messages.size() - kNamed) + " more.";
  return text;
}

void TConflictMerge::Tell(TOutcome& outcome, const std::string& copy, std::string message) {
  if (told_.insert(copy).second) outcome.Messages.push_back(std::move(message));
}

TConflictMerge::TOutcome TConflictMerge::MergeCopies(TNoteList& list, TCopyFolder& folder) {
  TOutcome outcome;
  if (list.FileState() == TNoteList::TFileState::Unread || list.NotesPath().empty()) return outcome;
  try {
    const std::vector<std::string> copies = ConflictCopyNames(NotesFileName, folder.FileNames(), folder.InOneDrive());
    const auto present = [&](const std::string& name) { return std::binary_search(copies.begin(), copies.end(), name); };
    std::erase_if(told_, [&](const std::string& name) { return !present(name); });
    std::erase_if(unremovable_, [&](const auto& entry) { return !present(entry.first); });
    std::erase_if(cut_, [&](const auto& entry) { return !present(entry.first); });
    TFileStore& store = list.Store();
    const std::string dir = list.Folder();
    for (const std::string& name : copies) {
      if (list.Unsaved()) break;
      if (list.ReloadIfChanged()) outcome.Changed = true;  // the copy goes into the file as it stands now
      if (list.FileState() != TNoteList::TFileState::Read) break;
      if (list.FileMissing()) break;
      std::string bytes;
      const std::string kept = "; it is left as it is";
      TFileStore::TFailure failure;
      switch (store.ReadWholeFile(dir + name, MaxNotesFileBytes, bytes, failure)) {
        case TFileStore::TReadResult::NotFound: continue;  // merged and removed elsewhere meanwhile
        case TFileStore::TReadResult::TooLarge:
          Tell(outcome, name, "The conflict copy " + name + " is too large to be a notes file" + kept + ".");
          continue;
        case TFileStore::TReadResult::Failed:
          Tell(outcome, name, "The conflict copy " + name + " could not be read" +
                                  (failure.Reason.empty() ? "" : " (" + failure.Reason + ")") + kept +
                                  " and is merged once it can be read.");
          continue;
        case TFileStore::TReadResult::Ok:
          break;
      }
      if (bytes.empty()) continue;  // still being written by a tool that does not rename it into place
      const std::string hash = Hex(TextHash({bytes}), 16);
      if (const auto it = unremovable_.find(name); it != unremovable_.end() && it->second == hash) continue;
      const std::optional<TIniDocument> read = TIniDocument::FromBytes(bytes, store.TextCodePage());
      const TIniDocument doc = read.value_or(TIniDocument::FromText(""));
      const TNoteCount counted = CountNotes(doc);
      if (const std::string why = read ? NotNotes(doc, counted) : "it does not hold text Zettly can read"; !why.empty()) {
        Tell(outcome, name, "The conflict copy " + name + " is not a notes file Zettly can merge: " + why + kept + ".");
        continue;
      }
      if (!HoldsWholeNotes(bytes, doc, counted.Count)) {
        if (cut_[name] == hash)
          Tell(outcome, name, "The conflict copy " + name + " ends in the middle of a note" + kept + " and is merged once it is whole.");
        cut_[name] = hash;
        continue;
      }
      bool changed = false;
      const auto merged = list.MergeCopy(ReadNoteSet(doc, counted.Count), changed);
      if (merged == TNoteList::TMergeResult::Refused) break;
      if (merged == TNoteList::TMergeResult::NoRoom) {
        Tell(outcome, name, "The notes of the conflict copy " + name + " were not added: with them there would be more than " +
                                std::to_string(MaxNotes) + " notes. The copy is kept; after you delete some notes it is merged.");
        continue;
      }
      if (changed) {
        outcome.Changed = true;
        list.SaveNotes();
      }
      if (folder.RemoveFile(name)) {
        told_.erase(name);
        continue;
      }
      // Merged, and nothing it holds comes back while it stays as it is: notes trashed or edited
      // here since have versions it has not seen.
      unremovable_[name] = hash;
      Tell(outcome, name, "The conflict copy " + name + " was merged but could not be deleted (it may be read-only)" +
                              kept + ". Delete it yourself.");
    }
  } catch (const std::exception& e) {
    // A save that failed keeps the copy and the added notes unsaved; the next change saves them.
    outcome.Messages.push_back(e.what());
  }
  return outcome;
}
