// The note window's settings and switches: the placement and the four switches in the user's
// registry, the start with the system under the user's Run key, and SaveAll.
// Every change of a switch is stored at once.
#include "app/Settings.h"
#include "app/win/StickForm.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Registry.h"
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
  notes_.SaveNotes();
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
  reg.WriteInteger(Str(CyclingValue), CycleButton->Down() ? 1 : 0);
  reg.WriteInteger(Str(StayValue), AlwaysOnTopItem->Checked() ? 1 : 0);
  reg.WriteInteger(Str(ClockValue), ClockShown() ? 1 : 0);
  reg.WriteInteger(Str(AutorunValue), AutorunItem->Checked() ? 1 : 0);
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
  AlwaysOnTopItem->SetChecked(!AlwaysOnTopItem->Checked());
  SetFormStyle(AlwaysOnTopItem->Checked() ? TFormStyle::fsStayOnTop : TFormStyle::fsNormal);
}

bool TStickForm::ClockShown() const { return DigitalClock->Visible(); }

void TStickForm::ShowClock() {
  DigitalClock->SetVisible(true);
  ClockItem->SetChecked(true);
}

void TStickForm::HideClock() {
  DigitalClock->SetVisible(false);
  ClockItem->SetChecked(false);
}

void TStickForm::EnableAutorun() {
  TRegistry reg;
  try {
    reg.OpenKey(Str(RunKey), true);  // the user's own key; when it refuses, the write below says so
    reg.WriteString(Str(AutorunEntry), AutorunCommand(Application->ExeName()));
  } catch (...) {
    AutorunItem->SetChecked(false);
    throw;
  }
  AutorunItem->SetChecked(true);
}

void TStickForm::DisableAutorun() {
  TRegistry reg;
  if (reg.OpenKey(Str(RunKey), false) && reg.ValueExists(Str(AutorunEntry))) reg.DeleteValue(Str(AutorunEntry));
  // An older version wrote the machine's key; take that away too where we may.
  TRegistry machine;
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  if (machine.OpenKey(Str(RunKey), false) && machine.ValueExists(Str(AutorunEntry)))
    machine.DeleteValue(Str(AutorunEntry));
  AutorunItem->SetChecked(false);
}
