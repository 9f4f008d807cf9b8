// The note window: the program's main window, showing one note at a time with its counter,
// stepping and cycling through the list, and keeping the window's place and switches.
// Its parts: the view of the list (NoteView.h), the commands (StickCommand.h), the controls
// (StickControls.h), the dialogs it meets (StickDialogs.h) and the settings (TSettings, held
// here and shown by the menu's ticks and the cycling button).
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/NoteView.h"
#include "app/Notes.h"
#include "app/Settings.h"
#include "app/win/ConflictCopies.h"
#include "app/win/EditorForm.h"
#include "app/win/FormContext.h"
#include "app/win/ShutdownBlock.h"
#include "app/win/StickCommand.h"
#include "app/win/StickControls.h"
#include "app/win/StickDialogs.h"
#include "toolkit/win/FolderWatch.h"
#include "toolkit/win/Forms.h"

class TStickForm : public TForm, private TStickControls {
 public:
  using TCommand = TStickCommand;

  // The list is the program's, its notes path set, handed in by the entry point; not owned, it
  // MUST outlive the window, as MUST the context's objects.
  TStickForm(TComponent* owner, TNoteList& notes, const TFormContext& context);
  ~TStickForm() override;

  // The dialogs the window opens (not owned); unset, New, Edit and About do nothing. A note the
  // editor stores is shown and saved here.
  void SetDialogs(TEditorForm* editor, TForm* about);

  // Shows note k, wrapping below 1 to the last note and above the count to the first, restarts
  // a running cycle with the note's own exposure and rewrites the counter.
  void ShowNote(int32_t k);
  // Shows note k's stored text and attachment again when it is the note on display; a running
  // countdown goes on untouched.
  void RefreshNote(int32_t k);
  void UpdateCounter();
  // The number of the note on display; 0 while none is.
  int32_t ShownNote() const { return view_.Shown(); }

  // The one way in for a command, whichever way it comes: its button, the menu, its key. One
  // that must not act under an open dialog of the program (a second editor, a list emptied
  // under the one open) brings that dialog forward instead.
  void Run(TCommand command);

  // The list's unsaved changes, raising what the save raises; then the settings, whose failure
  // holds nothing up.
  void SaveAll();
  // The six settings; raises "Failed to set data for '%s'".
  void SaveSettings();
  // The switches as they stand and the window's place, as SaveSettings stores them.
  TSettings CurrentSettings() const;
  bool ClockShown() const { return settings_.Clock; }
  // The notes file changed in the program's folder: reload it unless changes are unsaved.
  void NotesFolderChanged();
  bool ActivationDone() const { return activated_; }

 protected:
  // The rounded corners follow the window's size at every DPI.
  void Resize() override;
  void WndProc(TMessage& m) override;

 private:
  friend struct TStickFormSeam;  // the tests' way to the controls

  void FormCreate();
  void FormActivate();
  void FormShow();
  void FormClose(TCloseAction& action);
  void FormKeyDown(uint16_t& key, TShiftState shift);
  void NoteLabelMouseDown(int x, int y);
  void NoteLabelMouseUp(int x, int y);

  // Loads the notes and applies the stored switches; the first activation runs it, once.
  void ActivationStep();
  // Back on the screen and in front, wherever the window was (hidden, minimised, behind).
  void BringNoteWindowToFront();
  bool QueryEndSession();
  void KeepOnScreen();
  void RoundCorners();
  void WatchNotesFolder();

  void ShowNoteText(const TNotice& note);
  void ClearDisplay();
  void TrashShownNote();
  void OpenAttachment();
  void TrashAll();
  // Saves the list after a change, showing the error when that fails (the change stays unsaved).
  void SaveChange();

  // The settings: read, shown by the controls, switched, stored.
  void ReadPlacement();
  void ApplySwitches();
  void ShowSettings();
  void ShowCyclingHint();
  void ToggleCycling();
  void ToggleAlwaysOnTop();
  void ToggleClock();
  void ToggleAutorun();
  // The entry under the current user's Run key written or removed; a refusal to write leaves
  // Auto Run off and is raised.
  void ApplyAutorun(bool on);
  void SaveSettingsOrSay();
  void SaveSettingsQuietly();

  // Has the cycling and attachment buttons and the clock tell a screen reader what they are.
  void DescribeForScreenReaders();

  TNoteList& notes_;  // not owned
  TFormContext ctx_;
  TNoteView view_{notes_};
  // The switches as the user left them; the place is the window's own.
  TSettings settings_;
  TStickDialogs dialogs_{ctx_.App};
  // Where a mouse button went down on the note text, in the label's coordinates.
  int DragStartX = 0;
  int DragStartY = 0;
  bool activated_ = false;
  bool ready_ = false;           // the notes are loaded: a second start may hand over
  bool show_requested_ = false;  // a hand-over came before that and waits for it
  TShutdownBlock session_block_;  // the end of the session held up while notes are unsaved
  std::unique_ptr<TFolderWatch> folder_watch_;  // on the program's folder
  TConflictCopies conflict_copies_;
};

// The date the clock's hint shows: the user's short date, always with a four-digit year.
std::string ShortDateText(const SYSTEMTIME& date);
// Today's date as the clock's hint; the old hint stays when it cannot be formatted.
void ShowDateHint(TDigitClock& clock);
