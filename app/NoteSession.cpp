#include "app/NoteSession.h"

#include "toolkit/Exception.h"
#include "toolkit/ScopeExit.h"

namespace {
std::string CyclingHint(bool on) {
  return std::string(on ? "Scrolling is ON (" : "Scrolling is OFF (") + CommandKeys(TStickCommand::Cycle) + ")";
}
}  // namespace

TNoteSession::TNoteSession(TFileStore& store, const std::string& notesPath, TSettingsSource& settings,
                           TAutorunEntry& autorun, TCopyFolder& copies)
    : notes_(&store, notesPath), settings_(DefaultSettings()), settings_source_(settings), autorun_(autorun),
      copies_(copies) {
  settings_.Cycling = false;  // until the first activation reads the stored switch
}

void TNoteSession::Attach(TSessionView* view, TSessionHost* host) {
  shown_on_ = view;
  host_ = host;
}

void TNoteSession::Warn(const std::string& message) {
  if (host_) host_->Warn(message);
}

void TNoteSession::Fail(const std::exception& e) {
  if (host_) host_->Fail(e);
}

void TNoteSession::ReadPlacement() {
  TSettings stored = DefaultSettings();
  // What was read before a value of the wrong type still places the window.
  const ScopeExit apply([&] {
    settings_.Top = stored.Top;
    settings_.Left = stored.Left;
    settings_.Stay = stored.Stay;
    ShowSettings();
  });
  ReadSettings(settings_source_, TSettingsMoment::Creation, stored);
}

void TNoteSession::Start() {
  if (started_) return;
  started_ = true;
  try {
    notes_.LoadNotes();
  } catch (const std::exception&) {
    // No store to read through: the list stays empty and unread, so nothing is ever saved.
  }
  MergeCopies();
  TSettings stored = DefaultSettings();
  ReadSettings(settings_source_, TSettingsMoment::Activation, stored);
  settings_.Cycling = stored.Cycling;
  settings_.Clock = stored.Clock;
  // Cycling shows the first note at its first tick; otherwise it is shown now. The cycling
  // button's hint comes with the first time cycling runs.
  if (!stored.Cycling) ShowNote(1);
  ShowSettings(stored.Cycling);
  try {
    ApplyAutorun(stored.Autorun);
  } catch (const std::exception&) {
    // Auto Run is shown off: that says what happened; no box at start.
  }
  if (notes_.FileState() == TNoteList::TFileState::Refused) Warn(notes_.RefusalText());
}

void TNoteSession::ShowNote(int32_t k) { Show(view_.Show(k)); }

void TNoteSession::Show(const TNotice* note) {
  if (shown_on_) shown_on_->ShowNote(note, view_.CounterText(), note ? view_.CycleInterval() : 0);
}

void TNoteSession::Refresh() {
  if (shown_on_) shown_on_->RefreshNote(notes_.NoteCount() ? view_.ShownNote() : nullptr, view_.CounterText());
}

void TNoteSession::ShowSettings(bool withCyclingHint) {
  if (shown_on_) shown_on_->ShowSettings(settings_, withCyclingHint ? CyclingHint(settings_.Cycling) : "");
}

void TNoteSession::Run(TStickCommand command) {
  if (WaitsForDialogs(command) && host_ && host_->BringDialogForward()) return;
  using C = TStickCommand;
  switch (command) {
    case C::Forward: ShowNote(view_.Shown() + 1); break;
    case C::Back: ShowNote(view_.Shown() - 1); break;
    case C::Trash: Trash(); break;
    case C::Cycle: ToggleCycling(); break;
    case C::New:
      if (ListCanChange() && ListHasRoom()) OpenEditor(0);
      break;
    case C::Edit:
      if (ListCanChange() && notes_.NoteCount() > 0) OpenEditor(view_.Shown() >= 1 ? view_.Shown() : 1);
      break;
    case C::TrashAll: TrashAll(); break;
    case C::AlwaysOnTop: ToggleAlwaysOnTop(); break;
    case C::Clock: ToggleClock(); break;
    case C::Autorun: ToggleAutorun(); break;
    case C::Attachment: {
      const TNotice* note = view_.ShownNote();
      if (note && !note->Attach.empty() && host_) host_->RunWindowCommand(command, note->Attach);
      break;
    }
    case C::About:
    case C::Help:
    case C::ShowWindow:
    case C::HideWindow:
    case C::Exit:
      if (host_) host_->RunWindowCommand(command, "");
      break;
  }
}

bool TNoteSession::ListCanChange() {
  if (notes_.CanChange()) return true;
  Warn(notes_.RefusalText());
  return false;
}

// A full list is said before the editor opens: the editor is modal, and the user could not
// delete a note without losing what they had typed.
bool TNoteSession::ListHasRoom() {
  if (notes_.NoteCount() < MaxNotes) return true;
  Warn(FullListMessage);
  return false;
}

void TNoteSession::OpenEditor(int32_t number) {
  if (!host_) return;
  // A number outside the table opens the first note; an empty place opens nothing.
  if (number != 0 && (number < 1 || number > MaxNotes)) number = 1;
  if (number > notes_.NoteCount() || (number != 0 && !notes_.Notes(number).Used)) return;
  const TNotice note = number ? notes_.Notes(number) : TNotice{};
  editing_ = {number, note.Content};
  host_->EditNote(note, number);
}

TNoteSession::TStickResult TNoteSession::StickNote(const TNotice& note) {
  try {
    if (!notes_.CanChange()) throw Exception(notes_.RefusalText());
    if (editing_.Number == 0) {
      // A full table takes no more: the editor, and what was typed, stay.
      if (!notes_.AppendNote(note)) {
        Warn(FullListMessage);
        return TStickResult::Kept;
      }
      ShowNote(notes_.NoteCount());
    } else {
      // The list may have changed under the editor (reloaded after an outside change): the note
      // is the one that still holds the text it opened with.
      const int32_t k = notes_.FindNote(editing_.Number, editing_.OpenedText);
      if (k == 0 || !notes_.ReplaceNote(k, note)) {
        // Gone: the text stays in the editor, and the next "Stick it" adds it as a new note.
        const int32_t gone = editing_.Number;
        editing_ = {};
        Fail(Exception("Note N\xC2\xB0 " + std::to_string(gone) +
                       " is no longer in the list. Your text is still here: \"Stick it\" adds it as a new note."));
        return TStickResult::Retargeted;
      }
      editing_ = {k, notes_.Notes(k).Content};
      if (k == view_.Shown()) Refresh();
    }
  } catch (const std::exception& e) {
    Fail(e);
    return TStickResult::Kept;
  }
  try {
    notes_.SaveNotes();
    Refresh();  // the save may have taken in notes added from outside
  } catch (const std::exception& e) {
    // The note is in the list now: a second "Stick it" must change it, not add it again.
    const bool added = editing_.Number == 0;
    if (added) editing_ = {notes_.NoteCount(), notes_.Notes(notes_.NoteCount()).Content};
    Fail(e);
    return added ? TStickResult::Retargeted : TStickResult::Kept;
  }
  return TStickResult::Closed;
}

void TNoteSession::SaveChange() {
  try {
    notes_.SaveNotes();
    Refresh();  // the save may have taken in notes added from outside
  } catch (const std::exception& e) {
    // The change stays in the list, unsaved: the next save or the close tries again.
    Fail(e);
  }
}

void TNoteSession::Trash() {
  const int32_t k = view_.Shown();
  // A refused file says so even with no note on display: its list may be empty.
  if (!ListCanChange() || !view_.ShownNote()) return;
  notes_.DeleteNote(k);
  ShowNote(k);
  SaveChange();
}

void TNoteSession::TrashAll() {
  if (!ListCanChange() || notes_.NoteCount() == 0 || !host_) return;
  if (!host_->ConfirmTrashAll(notes_.NoteCount())) return;
  {
    host_->Busy(true);
    const ScopeExit restore([&] { host_->Busy(false); });
    notes_.DeleteAllNotes();
    ShowNote(1);
  }
  SaveChange();
}

void TNoteSession::SaveSettings(std::initializer_list<std::string_view> names) {
  try {
    WriteSettings(settings_source_, settings_, names);
  } catch (const std::exception& e) {
    Fail(e);
  }
}

void TNoteSession::ToggleCycling() {
  settings_.Cycling = !settings_.Cycling;
  ShowSettings(true);
  SaveSettings({CyclingValue});
}

void TNoteSession::ToggleAlwaysOnTop() {
  settings_.Stay = !settings_.Stay;
  ShowSettings();
  SaveSettings({StayValue});
}

void TNoteSession::ToggleClock() {
  settings_.Clock = !settings_.Clock;
  ShowSettings();
  SaveSettings({ClockValue});
}

void TNoteSession::ToggleAutorun() {
  try {
    ApplyAutorun(!settings_.Autorun);
  } catch (const std::exception& e) {
    Fail(e);  // a refusal leaves it off, and what is stored as it was
    return;
  }
  SaveSettings({AutorunValue});
}

void TNoteSession::ApplyAutorun(bool on) {
  const ScopeExit show([this] { ShowSettings(); });
  if (on) {
    settings_.Autorun = false;  // until the entry is there
    autorun_.Register();
  } else {
    autorun_.Unregister();
  }
  settings_.Autorun = on;
}

void TNoteSession::Moved(int32_t left, int32_t top) {
  settings_.Left = left;
  settings_.Top = top;
  try {
    WriteSettings(settings_source_, settings_, {TopValue, LeftValue});  // the new place survives a crash too
  } catch (const std::exception&) {
    // The close tries again.
  }
}

bool TNoteSession::MergeCopies() {
  const TConflictMerge::TOutcome outcome = merge_.MergeCopies(notes_, copies_);
  for (const std::string& message : outcome.Messages) Warn(message);
  return outcome.Changed;
}

void TNoteSession::FolderChanged() {
  if (!started_) return;
  const bool reloaded = notes_.ReloadIfChanged();
  if (!MergeCopies() && !reloaded) return;
  // The note on display again, or the nearest one left.
  Show(view_.ShowNearest());
}

bool TNoteSession::SaveOrConfirmLoss() {
  try {
    notes_.SaveNotes();
    return true;
  } catch (const std::exception& e) {
    if (!notes_.Unsaved() || !host_) return !notes_.Unsaved();
    std::string reason = e.what();
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
    return host_->ConfirmLoss("Zettly could not save your notes: " + reason +
                              ". Close anyway and lose the unsaved changes?");
  }
}

bool TNoteSession::SaveForClose() { return SaveOrConfirmLoss(); }

void TNoteSession::SaveAllSettings(int32_t left, int32_t top) {
  settings_.Left = left;
  settings_.Top = top;
  try {
    WriteSettings(settings_source_, settings_);
  } catch (const std::exception&) {
    // Settings never hold up the end: the next start reads what was stored before.
  }
}
