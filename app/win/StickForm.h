// The note window: the program's main window, showing one note at a time with its counter,
// stepping and cycling through the list, and keeping the window's place and switches.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/Notice.h"
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

class TStickForm : public TForm, public TNoteView {
 public:
  explicit TStickForm(TComponent* owner);
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

  // The dialogs the window opens (not owned); unset, New, Edit and About do nothing.
  void SetDialogs(TEditorForm* editor, TForm* about) {
    editor_ = editor;
    about_ = about;
  }

  // Shows note k, wrapping below 1 to the last note and above the count to the first, restarts
  // a running cycle with the note's own exposure and rewrites the counter.
  void ShowNote(int32_t k) override;
  void RefreshNote(int32_t k) override;
  void UpdateCounter() override;
  void ClearDisplay();

  // The list's unsaved changes, raising what the save raises; then the settings, whose failure
  // holds nothing up.
  void SaveAll() override;
  // The six settings; raises "Failed to set data for '%s'".
  void SaveSettings();
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

  // Event handlers.
  void FormCreate(TObject* sender);
  void FormActivate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  void ForwardSpeedBtnClick(TObject* sender);
  void BackSpeedBtnClick(TObject* sender);
  void CycleTimerTimer(TObject* sender);
  void CycleButtonClick(TObject* sender);
  void TrashSpeedBtnClick(TObject* sender);
  void AttachmentButtonClick(TObject* sender);
  void NewSpeedBtnClick(TObject* sender);
  void EditSpeedBtnClick(TObject* sender);
  void ExitImageClick(TObject* sender);
  void NoteLabelMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void NoteLabelMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void DigitalClockMouseMove(TObject* sender, TShiftState shift, int x, int y);
  void AboutSpeedButtonClick(TObject* sender);
  void HelpButtonClick(TObject* sender);
  void ShowWindowItemClick(TObject* sender);
  void HideItemClick(TObject* sender);
  void TrashAllItemClick(TObject* sender);
  void AlwaysOnTopItemClick(TObject* sender);
  void ClockItemClick(TObject* sender);
  void AutorunItemClick(TObject* sender);
  void AboutItemClick(TObject* sender);
  void ExitItemClick(TObject* sender);

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
  void ApplyCycling();
  void ApplySwitches();
  // Says why the notes cannot be changed; true when they can.
  bool ListCanChange();
  // Saves the list after a change, showing the error when that fails (the change stays unsaved).
  void SaveChange();
  void SaveSettingsOrSay();
  void WatchNotesFolder();
  void OpenWithShell(const std::string& target, const char* what);
  TSpeedButton* MakeSpeedButton(int left, int top, int width, const wchar_t* glyph, const char* hint,
                                void (TStickForm::*click)(TObject*));

  bool activated_ = false;
  // The icon goes into the notification area a moment after the start is on the screen: the
  // shell's work for it (tens of milliseconds) would otherwise compete with the first sight of
  // the notes. The pause is a one-shot timer, armed only once the loop has been idle.
  TTimer* tray_delay_ = nullptr;
  TIdleTask show_tray_icon_{[this] { tray_delay_->SetEnabled(true); }};
  bool ready_ = false;           // the notes are loaded: a second start may hand over
  bool show_requested_ = false;  // a hand-over came before that and waits for it
  bool session_blocked_ = false;  // the end of the session is held up with a reason
  TEditorForm* editor_ = nullptr;  // not owned
  TForm* about_ = nullptr;         // not owned
  std::unique_ptr<TFolderWatch> folder_watch_;  // on the program's folder
};

// The date the clock's hint shows: the user's short date, always with a four-digit year.
std::string ShortDateText(const SYSTEMTIME& date);
