#include "app/ConflictMerge.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <optional>

#include "app/ConflictCopyName.h"
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

void TConflictMerge::Tell(TOutcome& outcome, const std::string& copy, std::string message) {
  if (told_.insert(copy).second) outcome.Messages.push_back(std::move(message));
}

TConflictMerge::TOutcome TConflictMerge::MergeCopies(TNoteList& list, TCopyFolder& folder) {
  TOutcome outcome;
  if (list.FileState() == TNoteList::TFileState::Unread || list.NotesPath().empty()) return outcome;
  try {
    const std::vector<std::string> copies = ConflictCopyNames(NotesFileName, folder.FileNames());
    for (auto it = told_.begin(); it != told_.end();)
      it = std::binary_search(copies.begin(), copies.end(), *it) ? std::next(it) : told_.erase(it);
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
      const std::optional<TIniDocument> read = TIniDocument::FromBytes(bytes);
      const TIniDocument doc = read.value_or(TIniDocument::FromText(""));
      const TNoteCount counted = CountNotes(doc);
      if (const std::string why = read ? NotNotes(doc, counted) : "it does not hold text Zettly can read"; !why.empty()) {
        Tell(outcome, name, "The conflict copy " + name + " is not a notes file Zettly can merge: " + why + kept + ".");
        continue;
      }
      TNoteTable notes{};
      ReadNoteTable(doc, counted.Count, notes);
      int32_t added = 0;
      const auto merged = list.MergeCopy(notes, counted.Count, added);
      if (merged == TNoteList::TMergeResult::Refused) break;
      if (merged == TNoteList::TMergeResult::NoRoom) {
        Tell(outcome, name, "The notes of the conflict copy " + name + " were not added: with them there would be more than " +
                                std::to_string(MaxNotes) + " notes. The copy is kept; after you delete some notes it is merged.");
        continue;
      }
      if (added > 0) {
        outcome.Changed = true;
        list.SaveNotes();
      }
      folder.RemoveFile(name);  // one that stays is merged again, adding nothing, and removed then
      told_.erase(name);
    }
  } catch (const std::exception& e) {
    // A save that failed keeps the copy and the added notes unsaved; the next change saves them.
    outcome.Messages.push_back(e.what());
  }
  return outcome;
}
