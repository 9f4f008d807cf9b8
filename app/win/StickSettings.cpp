// The note window's settings and switches: the placement and the four switches in the user's
// registry, the start with the system under the machine's Run key, SaveAll, and the menu
// commands that switch them.
#include "app/Notes.h"
#include "app/Settings.h"
#include "app/win/InfoUnit.h"
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
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  reg.OpenKey(Str(RunKey), true);  // without the right to, the write below fails
  reg.WriteString(Str(AutorunEntry), AutorunCommand(Application->ExeName()));
  Autorun1->SetChecked(true);
}

void TStickForm::DisableAutorun() {
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  if (reg.OpenKey(Str(RunKey), false) && reg.ValueExists(Str(AutorunEntry))) reg.DeleteValue(Str(AutorunEntry));
  Autorun1->SetChecked(false);
}

void TStickForm::AboutSpeedButtonClick(TObject*) {
  if (InfoForm) InfoForm->ShowModal();
}

void TStickForm::SpeedButton6Click(TObject*) {
  Sys().ShellExecute(Application->Handle(), L"open", W(NoteList().ProgramFolder() + "help.chm"), L"", L"",
                     SW_SHOWNORMAL);
}

void TStickForm::Showwindow1Click(TObject*) { TrayIcon1->ShowMainWindow(); }

void TStickForm::h1Click(TObject*) {
  Application->Minimize();
  TrayIcon1->HideMainWindow();
}

void TStickForm::rashallnotes1Click(TObject*) {
  TNoteList& list = NoteList();
  if (list.NoteCount() == 0) return;
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
}

void TStickForm::Alwaysontop1Click(TObject*) { ToggleAlwaysOnTop(); }

void TStickForm::Clock1Click(TObject*) {
  Clock1->SetChecked(!Clock1->Checked());
  if (Clock1->Checked()) ShowClock();
  else HideClock();
}

void TStickForm::Autorun1Click(TObject*) {
  Autorun1->SetChecked(!Autorun1->Checked());
  if (Autorun1->Checked()) EnableAutorun();
  else DisableAutorun();
}

void TStickForm::About1Click(TObject*) {
  if (InfoForm) InfoForm->ShowModal();
}

void TStickForm::Exit1Click(TObject*) { Close(); }
