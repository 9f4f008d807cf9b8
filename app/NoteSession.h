// The note session: what the program does, apart from the windows that show it. It owns the
// note list, which note is shown, the switches, the merge of conflict copies and every command;
// the windows pass input to it and it tells them what changed (TSessionView) and asks them for
// what only they can do (TSessionHost). Host tests drive it with recording fakes.
#pragma once
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "app/Commands.h"
#include "app/ConflictMerge.h"
#include "app/NoteView.h"
#include "app/Notes.h"
#include "app/Settings.h"

// What New and "Stick it" say when the list is full.
inline constexpr const char* FullListMessage =
    "The list already holds 99 notes, as many as it can. Delete a note before you stick a new one.";

// What the windows show of the session. Each call says the state as it is now.
class TSessionView {
 public:
  virtual ~TSessionView() = default;
  // A note came up (null: none), with the counter's text; a running cycle MUST start afresh
  // with `interval` (0: nothing to cycle to).
  virtual void ShowNote(const TNotice* note, const std::string& counter, uint32_t interval) = 0;
  // The shown note's text changed, or the counter did; a running countdown goes on.
  virtual void RefreshNote(const TNotice* note, const std::string& counter) = 0;
  // The switches as they stand; `cyclingHint` is the cycling button's new hint, empty to keep
  // the one it has.
  virtual void ShowSettings(const TSettings& settings, const std::string& cyclingHint) = 0;
};

// What the session needs of the program's windows and dialogs.
class TSessionHost {
 public:
  virtual ~TSessionHost() = default;
  // A warning, or an error that ended a command, in a message box.
  virtual void Warn(const std::string& message) = 0;
  virtual void Fail(const std::exception& error) = 0;
  // True for Yes; MUST be false when the question could not be asked or the program closed
  // under it.
  virtual bool ConfirmTrashAll(int count) = 0;
  // A Yes/No warning whose default is No; the same rule.
  virtual bool ConfirmLoss(const std::string& question) = 0;
  // The open dialog of the program (the editor, the About box, a message box) brought forward;
  // false when there is none.
  virtual bool BringDialogForward() = 0;
  // The editor on one note (number 0: a new one); it hands each confirmed value to
  // TNoteSession::StickNote and returns when it closes.
  virtual void EditNote(const TNotice& note, int32_t number) = 0;
  // The other commands that belong to the windows: Attachment (with the shown note's target),
  // About, Help, ShowWindow, HideWindow, Exit.
  virtual void RunWindowCommand(TStickCommand command, const std::string& target) = 0;
  // The pointer shows that a long change is running, until Busy(false).
  virtual void Busy(bool busy) = 0;
};

class TNoteSession {
 public:
  // The store, the settings and the folder are the program's (not owned) and MUST outlive the
  // session; the notes file is notesPath.
  TNoteSession(TFileStore& store, const std::string& notesPath, TSettingsSource& settings, TAutorunEntry& autorun,
               TCopyFolder& copies);

  // The windows (not owned), set once they exist; until then nothing is shown or asked.
  void Attach(TSessionView* view, TSessionHost* host);

  TNoteList& Notes() { return notes_; }
  const TNoteList& Notes() const { return notes_; }
  int32_t ShownNote() const { return view_.Shown(); }
  const TSettings& Settings() const { return settings_; }
  // Set once the notes have been read at the first activation.
  bool Started() const { return started_; }

  // The window is made: its place and "Stay", as stored. Raises what reading raises, with the
  // settings read so far kept.
  void ReadPlacement();
  // The first activation: reads the notes, merges conflict copies, applies the stored switches
  // and says why a refused file was not read. Once only.
  void Start();
  // The one way in for a command, whichever way it comes: its button, the menu, its key. One
  // that waits for dialogs brings an open one forward instead.
  void Run(TStickCommand command);
  // The cycle's timer elapsed: the next note.
  void CycleTick() { ShowNote(view_.Shown() + 1); }
  // Shows note k, wrapped into the list.
  void ShowNote(int32_t k);

  // The value the editor hands back for the note it was opened on. What came of it: Closed
  // when stored and saved; Kept when the editor stays open (the user was told why); Retargeted
  // when it stays open on another note, EditingNote() (a new note stored but not saved is
  // edited from now on; an edited note that is gone is added as a new one by the next try).
  enum class TStickResult { Closed, Kept, Retargeted };
  TStickResult StickNote(const TNotice& note);
  // The note the editor is on: 0 for a new note.
  int32_t EditingNote() const { return editing_.Number; }

  // The window was moved by the user to (left, top): the place is stored at once.
  void Moved(int32_t left, int32_t top);
  // The notes file's folder changed: the file reloaded unless changes are unsaved, and the
  // conflict copies merged; the note on display again, or the nearest one left.
  void FolderChanged();

  // Unsaved notes saved, or their loss agreed to by the user. False: the program stays.
  bool SaveForClose();
  // All six settings with the window's place (left, top), as the program ends; a failure holds
  // nothing up.
  void SaveAllSettings(int32_t left, int32_t top);

 private:
  void Show(const TNotice* note);
  void Refresh();
  void ShowSettings(bool withCyclingHint = false);
  void Warn(const std::string& message);
  void Fail(const std::exception& e);
  bool ListCanChange();
  bool ListHasRoom();
  // Saves the list after a change, saying when that fails (the change stays unsaved).
  void SaveChange();
  void SaveSettings(std::initializer_list<std::string_view> names);
  void Trash();
  void TrashAll();
  void ToggleCycling();
  void ToggleAlwaysOnTop();
  void ToggleClock();
  void ToggleAutorun();
  // The entry written or removed; a refusal to write leaves Auto Run off and is raised.
  void ApplyAutorun(bool on);
  void OpenEditor(int32_t number);
  // True when the list changed; each message said.
  bool MergeCopies();
  bool SaveOrConfirmLoss();

  TNoteList notes_;
  TNoteView view_{notes_};
  TSettings settings_;
  TSettingsSource& settings_source_;  // not owned
  TAutorunEntry& autorun_;             // not owned
  TCopyFolder& copies_;                // not owned
  TConflictMerge merge_;
  TSessionView* shown_on_ = nullptr;  // not owned
  TSessionHost* host_ = nullptr;      // not owned
  bool started_ = false;
  // The note the editor was opened on and its text then, to find it again after the list
  // changed under the editor.
  struct TEditing {
    int32_t Number = 0;
    std::string OpenedText;
  } editing_;
};
