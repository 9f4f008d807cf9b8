// The note window: the program's main window, showing one note at a time with its counter,
// stepping and cycling through the list, and keeping the window's place and switches.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/Notes.h"
#include "app/Notice.h"
#include "app/Settings.h"
#include "app/win/ConflictCopies.h"
#include "app/win/EditorForm.h"
#include "components/ledclock/win/DigitClock.h"
#include "components/tray/win/SysTrayIcon.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/FolderWatch.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/IdleTask.h"
#include "toolkit/win/Image.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/StdCtrls.h"
#include "toolkit/win/Timer.h"

class TStickForm : public TForm {
 public:
  // The list is the program's, handed in by the entry point; not owned, it MUST outlive the window.
  TStickForm(TComponent* owner, TNoteList& notes);
  ~TStickForm() override;

  // Controls and components, all owned by the form.
  TPanel* NotePanel;
  TLabel* NoteLabel;
  TImage* ExitImage;
  TDigitClock* DigitalClock;
  TSpeedButton* AboutSpeedButton;
  TSpeedButton* HelpButton;
  TSpeedButton* CycleButton;
  TSpeedButton* AttachmentButton;
  TSpeedButton* EditSpeedBtn;
  TSpeedButton* TrashSpeedBtn;
  TSpeedButton* NewSpeedBtn;
  TLabel* CounterLabel;
  TSpeedButton* BackSpeedBtn;
  TSpeedButton* ForwardSpeedBtn;
  TTimer* CycleTimer;
  TPopupMenu* TrayPopupMenu;
  TMenuItem *ShowWindowItem, *HideItem, *TrashAllItem, *AlwaysOnTopItem, *ClockItem, *AutorunItem, *AboutItem,
      *ExitItem;
  TSysTrayIcon* TrayIcon;

  // Where a mouse button went down on the note text, in the label's coordinates.
  int DragStartX = 0;
  int DragStartY = 0;

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
  void ClearDisplay();
  // The note the next forward step shows: 1 at start; the note on display is the one before.
  int32_t NextNote() const { return next_note_; }

  // The window's commands, whichever way they come: its buttons, the menu, the keys.
  enum class TCommand {
    Forward, Back, New, Edit, Trash, Attachment, Cycle, About, Help,
    ShowWindow, HideWindow, TrashAll, AlwaysOnTop, Clock, Autorun, Exit
  };
  // The one way in for a command. One that must not act under an open dialog of the program (a
  // second editor, a list emptied under the one open) brings that dialog forward instead.
  void Run(TCommand command);

  // The list's unsaved changes, raising what the save raises; then the settings, whose failure
  // holds nothing up.
  void SaveAll();
  // The six settings; raises "Failed to set data for '%s'".
  void SaveSettings();
  // The place and switches as the window has them now, as SaveSettings stores them.
  TSettings CurrentSettings() const;
  // True when nothing is unsaved any more: saved now, or the user agreed to lose the changes.
  bool SaveOrConfirmLoss();
  // The modal window of the program that is up now (the editor, the About box, a message box),
  // brought to the front; false when there is none.
  bool BringModalForward();
  // The notes file changed in the program's folder: reload it unless changes are unsaved.
  void NotesFolderChanged();
  void ToggleAlwaysOnTop();
  void ShowClock();
  void HideClock();
  bool ClockShown() const;
  // Under the current user's Run key. Raises "Failed to set data for 'Zettly'" when the key
  // refuses; the item is then unticked.
  void EnableAutorun();
  // Removes the entry there, and one an older version left under the machine's key where that
  // is permitted.
  void DisableAutorun();

  // Loads the notes and applies the stored switches; the first activation runs it, once.
  void ActivationStep();
  bool ActivationDone() const { return activated_; }
  // Back on the screen and in front, wherever the window was (hidden, minimised, behind).
  void BringNoteWindowToFront();

  // Event handlers; a command's handler runs it through Run.
  void FormCreate(TObject* sender);
  void FormActivate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  void ForwardSpeedBtnClick(TObject*) { Run(TCommand::Forward); }
  void BackSpeedBtnClick(TObject*) { Run(TCommand::Back); }
  void CycleTimerTimer(TObject* sender);
  void CycleButtonClick(TObject*) { Run(TCommand::Cycle); }
  void TrashSpeedBtnClick(TObject*) { Run(TCommand::Trash); }
  void AttachmentButtonClick(TObject*) { Run(TCommand::Attachment); }
  void NewSpeedBtnClick(TObject*) { Run(TCommand::New); }
  void EditSpeedBtnClick(TObject*) { Run(TCommand::Edit); }
  void ExitImageClick(TObject*) { Run(TCommand::Exit); }
  void NoteLabelMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void NoteLabelMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void DigitalClockMouseMove(TObject* sender, TShiftState shift, int x, int y);
  void AboutSpeedButtonClick(TObject*) { Run(TCommand::About); }
  void HelpButtonClick(TObject*) { Run(TCommand::Help); }
  void ShowWindowItemClick(TObject*) { Run(TCommand::ShowWindow); }
  void HideItemClick(TObject*) { Run(TCommand::HideWindow); }
  void TrashAllItemClick(TObject*) { Run(TCommand::TrashAll); }
  void AlwaysOnTopItemClick(TObject*) { Run(TCommand::AlwaysOnTop); }
  void ClockItemClick(TObject*) { Run(TCommand::Clock); }
  void AutorunItemClick(TObject*) { Run(TCommand::Autorun); }
  void AboutItemClick(TObject*) { Run(TCommand::About); }
  void ExitItemClick(TObject*) { Run(TCommand::Exit); }

  void WndProc(TMessage& m) override;
  // Has the cycling and attachment buttons and the clock tell a screen reader what they are.
  void DescribeForScreenReaders();
  // The time the clock shows, "12:34:56"; empty while it shows none.
  std::string ClockText() const;

 protected:
  // The rounded corners follow the window's size at every DPI.
  void Resize() override;

 private:
  void CreateControls();
  void CreateMenu();
  void ShowNoteText(const TNotice& note);
  void CreateTrayIcon();
  void ReadPlacement();
  void KeepOnScreen();
  void RoundCorners();
  bool QueryEndSession();
  // True when a dialog that holds the user's work keeps the program from closing.
  bool CloseHeldByDialog();
  void ApplyCycling();
  void ApplySwitches();
  // The bodies of the commands Run does not do in a line.
  void StepBack();
  void ToggleCycling();
  void TrashShownNote();
  void OpenAttachment();
  void TrashAll();
  void ToggleClock();
  void ToggleAutorun();
  // Says why the notes cannot be changed; true when they can.
  bool ListCanChange();
  // Saves the list after a change, showing the error when that fails (the change stays unsaved).
  void SaveChange();
  void SaveSettingsOrSay();
  void WatchNotesFolder();
  void OpenWithShell(const std::string& target, const char* what);
  TPanel* MakeNotePanel();
  TLabel* MakeNoteLabel();
  TImage* MakeExitImage();
  TDigitClock* MakeClock();
  TLabel* MakeCounterLabel();
  TSpeedButton* MakeSpeedButton(int left, int top, int width, const wchar_t* glyph, const char* hint,
                                void (TStickForm::*click)(TObject*));

  TNoteList& notes_;       // not owned
  int32_t next_note_ = 1;  // the note the next forward step shows
  bool activated_ = false;
  // The icon goes into the notification area a moment after the start is on the screen: the
  // shell's work for it (tens of milliseconds) would otherwise compete with the first sight of
  // the notes. The pause is a one-shot timer, armed only once the loop has been idle.
  TTimer* tray_delay_ = nullptr;
  TIdleTask show_tray_icon_{[this] { tray_delay_->SetEnabled(true); }};
  bool ready_ = false;           // the notes are loaded: a second start may hand over
  bool show_requested_ = false;  // a hand-over came before that and waits for it
  bool session_blocked_ = false;  // the end of the session is held up with a reason
  bool asking_trash_all_ = false;     // the Trash-all question is up
  bool trash_all_dismissed_ = false;  // and the program closed under it
  TEditorForm* editor_ = nullptr;  // not owned
  TForm* about_ = nullptr;         // not owned
  std::unique_ptr<TFolderWatch> folder_watch_;  // on the program's folder
  TConflictCopies conflict_copies_;
};

// The date the clock's hint shows: the user's short date, always with a four-digit year.
std::string ShortDateText(const SYSTEMTIME& date);
