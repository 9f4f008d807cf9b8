// The note window: the program's main window, showing one note at a time with its counter,
// stepping and cycling through the list, and keeping the window's place and switches.
#pragma once
#include <windows.h>

#include <cstdint>

#include "components/ledclock/win/DigitClock.h"
#include "app/Notice.h"
#include "components/tray/win/SysTrayIcon.h"
#include "toolkit/win/Accessible.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Image.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/StdCtrls.h"
#include "toolkit/win/Timer.h"

class TStickForm : public TForm, public TAccessibleDescriber {
 public:
  explicit TStickForm(TComponent* owner);
  ~TStickForm() override;

  // Controls and components, all owned by the form.
  TPanel* Panel1;
  TLabel* NoteLabel;
  TImage* Image1;
  TDigitClock* DigitalClock;
  TSpeedButton* AboutSpeedButton;
  TSpeedButton* SpeedButton6;
  TSpeedButton* TimeOnSpeedButton;
  TSpeedButton* AttacheBtn;
  TSpeedButton* EditSpeedBtn;
  TSpeedButton* TrashSpeedBtn;
  TSpeedButton* NewSpeedBtn;
  TLabel* CounterLabel;
  TSpeedButton* BackSpeedBtn;
  TSpeedButton* ForwardSpeedBtn;
  TTimer* DefileTimer;
  TPopupMenu* TrayPopupMenu;
  TMenuItem *Showwindow1, *h1, *N4, *rashallnotes1, *N3, *Alwaysontop1, *Clock1, *Autorun1, *N2, *About1,
      *N1, *Exit1;
  TSysTrayIcon* TrayIcon1;

  // Where a mouse button went down on the note text, in the label's coordinates.
  int DragStartX = 0;
  int DragStartY = 0;

  // Shows note k, wrapping below 1 to the last note and above the count to the first, restarts
  // a running cycle with the note's own exposure and rewrites the counter.
  void ShowNote(int32_t k);
  // Shows note k's stored text and attachment again when it is the note on display; the
  // countdown of a running cycle goes on untouched.
  void RefreshNote(int32_t k);
  void UpdateCounter();
  void ClearDisplay();

  // The notes file, then the six settings. Raises what the first failing write raises; the
  // settings are not written when the notes file could not be.
  void SaveAll();
  void ToggleAlwaysOnTop();
  void ShowClock();
  void HideClock();
  bool ClockShown() const;
  // Raises "Failed to set data for 'Zettly'" when the machine-wide key refuses.
  void EnableAutorun();
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
  void FormKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
  void ForwardSpeedBtnClick(TObject* sender);
  void BackSpeedBtnClick(TObject* sender);
  void DefileTimerTimer(TObject* sender);
  void TimeOnSpeedButtonClick(TObject* sender);
  void TrashSpeedBtnClick(TObject* sender);
  void AttacheBtnClick(TObject* sender);
  void NewSpeedBtnClick(TObject* sender);
  void EditSpeedBtnClick(TObject* sender);
  void Image1Click(TObject* sender);
  void NoteLabelMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void NoteLabelMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void DigitalClockMouseMove(TObject* sender, TShiftState shift, int x, int y);
  void AboutSpeedButtonClick(TObject* sender);
  void SpeedButton6Click(TObject* sender);
  void Showwindow1Click(TObject* sender);
  void h1Click(TObject* sender);
  void rashallnotes1Click(TObject* sender);
  void Alwaysontop1Click(TObject* sender);
  void Clock1Click(TObject* sender);
  void Autorun1Click(TObject* sender);
  void About1Click(TObject* sender);
  void Exit1Click(TObject* sender);

  void WndProc(TMessage& m) override;
  // What the cycling and attachment buttons and the clock tell a screen reader.
  void DescribeAccessible(const TControl& control, TAccessibleInfo& info) const override;
  // The time the clock shows, "12:34:56"; empty while it shows none.
  std::string ClockText() const;

 protected:
  void HandleCreated() override;

 private:
  void CreateControls();
  void CreateMenu();
  void ShowNoteText(const TNotice& note);
  void CreateTrayIcon();
  void ReadPlacement();
  void KeepOnScreen();
  bool QueryEndSession();
  TSpeedButton* MakeSpeedButton(int left, int top, int width, const wchar_t* glyph, const char* hint,
                                void (TStickForm::*click)(TObject*));

  bool activated_ = false;
  bool session_saved_ = false;  // the notes and settings went out when the session ending was announced
};

// The program's note window (created by the entry point, alive for the whole run).
extern TStickForm* StickForm;

// The date the clock's hint shows: the user's short date, always with a four-digit year.
std::string ShortDateText(const SYSTEMTIME& date);
