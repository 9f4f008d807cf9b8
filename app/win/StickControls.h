// The note window's controls and its menu: what they are and how each is made.
// All are owned by the form that makes them.
#pragma once
#include <functional>

#include "app/Commands.h"
#include "components/ledclock/win/DigitClock.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Image.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/StdCtrls.h"
#include "toolkit/win/Timer.h"

struct TStickControls {
  TPanel* NotePanel = nullptr;
  TLabel* NoteLabel = nullptr;
  TImage* ExitImage = nullptr;
  TDigitClock* DigitalClock = nullptr;
  TSpeedButton* AboutSpeedButton = nullptr;
  TSpeedButton* HelpButton = nullptr;
  TSpeedButton* CycleButton = nullptr;
  TSpeedButton* AttachmentButton = nullptr;
  TSpeedButton* EditSpeedBtn = nullptr;
  TSpeedButton* TrashSpeedBtn = nullptr;
  TSpeedButton* NewSpeedBtn = nullptr;
  TLabel* CounterLabel = nullptr;
  TSpeedButton* BackSpeedBtn = nullptr;
  TSpeedButton* ForwardSpeedBtn = nullptr;
  TTimer* CycleTimer = nullptr;
  TPopupMenu* TrayPopupMenu = nullptr;
  TMenuItem *ShowWindowItem = nullptr, *HideItem = nullptr, *TrashAllItem = nullptr, *AlwaysOnTopItem = nullptr,
            *ClockItem = nullptr, *AutorunItem = nullptr, *AboutItem = nullptr, *ExitItem = nullptr;

  using TRun = std::function<void(TStickCommand)>;
  // Makes them on `form`, each button, image and item running its command through `run`.
  void CreateControls(TForm& form, const TRun& run);
  void CreateMenu(TForm& form, const TRun& run);
 private:
  TSpeedButton* MakeSpeedButton(TForm& form, int left, int top, int width, const wchar_t* glyph, TStickCommand command,
                                const TRun& run);
  void MakePanelAndLabels(TForm& form);
  void MakeExitImage(TForm& form, const TRun& run);
  void MakeClock(TForm& form);
};
