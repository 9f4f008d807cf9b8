// The note window's settings and switches: the placement and the four switches in the user's
// registry, the start with the system under the user's Run key, SaveAll, and the menu commands.
// Every change of a switch is stored at once.
#include "app/Notes.h"
#include "app/Settings.h"
#include "app/win/Unit1.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Registry.h"
#include "toolkit/win/Screen.h"
#include "toolkit/win/System.h"
#include "toolkit/win/Text.h"

namespace {
std::string Str(std::string_view v) { return std::string(v); }
}  // namespace

void TStickForm::ReadPlacement() {
  TRegistry reg;
  reg.OpenKey(Str(SettingsKey), false);  // a missing key reads as one without values
  SetTop(reg.ValueExists(Str(TopValue)) ? reg.ReadInteger(Str(TopValue)) : DefaultTop);
  SetLeft(reg.ValueExists(Str(LeftValue)) ? reg.ReadInteger(Str(LeftValue)) : DefaultLeft);
  if (reg.ValueExists(Str(StayValue)) && reg.ReadInteger(Str(StayValue)) != 0) ToggleAlwaysOnTop();
}

void TStickForm::SaveAll() {
  NoteList().SaveNotes();
  try {
    SaveSettings();
  } catch (const std::exception&) {
    // The notes are what matters here; a switch that changes tries the settings again.
  }
}

void TStickForm::SaveSettings() {
  // The restored place of a minimised window, not where the system parks it.
  int top = Top(), left = Left();
  WINDOWPLACEMENT placement{sizeof placement};
  if (HandleAllocated() && IsIconic(hwnd_) && GetWindowPlacement(hwnd_, &placement)) {
    top = placement.rcNormalPosition.top;
    left = placement.rcNormalPosition.left;
  }
  TRegistry reg;
  reg.OpenKey(Str(SettingsKey), true);  // when it cannot be made, the first write says so
  reg.WriteInteger(Str(TopValue), top);
  reg.WriteInteger(Str(LeftValue), left);
  reg.WriteInteger(Str(CyclingValue), TimeOnSpeedButton->Down() ? 1 : 0);
  reg.WriteInteger(Str(StayValue), Alwaysontop1->Checked() ? 1 : 0);
  reg.WriteInteger(Str(ClockValue), ClockShown() ? 1 : 0);
  reg.WriteInteger(Str(AutorunValue), Autorun1->Checked() ? 1 : 0);
  reg.CloseKey();
}

void TStickForm::SaveSettingsOrSay() {
  try {
    SaveSettings();
  } catch (const std::exception& e) {
    Application->HandleException(e);
  }
}

void TStickForm::ToggleAlwaysOnTop() {
  Alwaysontop1->SetChecked(!Alwaysontop1->Checked());
  SetFormStyle(Alwaysontop1->Checked() ? TFormStyle::fsStayOnTop : TFormStyle::fsNormal);
}

bool TStickForm::ClockShown() const { return DigitalClock->Visible(); }

void TStickForm::ShowClock() {
  DigitalClock->SetVisible(true);
  Clock1->SetChecked(true);
}

void TStickForm::HideClock() {
  DigitalClock->SetVisible(false);
  Clock1->SetChecked(false);
}

void TStickForm::EnableAutorun() {
  TRegistry reg;
  try {
    reg.OpenKey(Str(RunKey), true);  // the user's own key; when it refuses, the write below says so
    reg.WriteString(Str(AutorunEntry), AutorunCommand(Application->ExeName()));
  } catch (...) {
    Autorun1->SetChecked(false);
    throw;
  }
  Autorun1->SetChecked(true);
}

void TStickForm::DisableAutorun() {
  TRegistry reg;
  if (reg.OpenKey(Str(RunKey), false) && reg.ValueExists(Str(AutorunEntry))) reg.DeleteValue(Str(AutorunEntry));
  // An older version wrote the machine's key; take that away too where we may.
  TRegistry machine;
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  if (machine.OpenKey(Str(RunKey), false) && machine.ValueExists(Str(AutorunEntry)))
    machine.DeleteValue(Str(AutorunEntry));
  Autorun1->SetChecked(false);
}

void TStickForm::AboutSpeedButtonClick(TObject*) {
  if (about_ && !BringModalForward()) about_->ShowModal();
}

void TStickForm::SpeedButton6Click(TObject*) { OpenWithShell(NoteList().ProgramFolder() + "help.chm", "help file"); }

void TStickForm::Showwindow1Click(TObject*) {
  if (!BringModalForward()) TrayIcon1->ShowMainWindow();
}

void TStickForm::h1Click(TObject*) {
  if (BringModalForward()) return;  // the dialog in front stays where the user can see it
  Application->Minimize();
  TrayIcon1->HideMainWindow();
}

void TStickForm::rashallnotes1Click(TObject*) {
  TNoteList& list = NoteList();
  if (BringModalForward() || list.NoteCount() == 0 || !ListCanChange()) return;
  int answer = IDNO;
  try {
    answer = Application->MessageBox(
        "Are you sure you want to delete all the " + std::to_string(list.NoteCount()) + " notes?",
        "Delete all notes?", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);  // a stray Enter keeps them
  } catch (const std::exception&) {
    answer = IDNO;  // a question that could not be asked was not answered yes
  }
  if (answer != IDYES) return;
  const int cursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  try {
    list.DeleteAllNotes();
    ShowNote(1);
  } catch (...) {
    Screen->SetCursor(cursor);
    throw;
  }
  Screen->SetCursor(cursor);
  SaveChange();
}

void TStickForm::Alwaysontop1Click(TObject*) {
  ToggleAlwaysOnTop();
  SaveSettingsOrSay();
}

void TStickForm::Clock1Click(TObject*) {
  Clock1->SetChecked(!Clock1->Checked());
  if (Clock1->Checked()) ShowClock();
  else HideClock();
  SaveSettingsOrSay();
}

void TStickForm::Autorun1Click(TObject*) {
  Autorun1->SetChecked(!Autorun1->Checked());
  if (Autorun1->Checked()) EnableAutorun();  // a refusal unticks the item and reaches the error box
  else DisableAutorun();
  SaveSettingsOrSay();
}

void TStickForm::About1Click(TObject* sender) { AboutSpeedButtonClick(sender); }

void TStickForm::Exit1Click(TObject*) { Close(); }
