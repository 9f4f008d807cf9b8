// The note window's settings: the place and the four switches, held by the window, shown by its
// menu's ticks, the clock and the cycling button, and stored in the registry at every change.
#include "app/win/SettingsRegistry.h"
#include "app/win/StickForm.h"
#include "toolkit/ScopeExit.h"

void TStickForm::ReadPlacement() {
  TSettings stored = DefaultSettings();
  // What was read before a value of the wrong type still places the window.
  const ScopeExit apply([&] {
    SetTop(stored.Top);
    SetLeft(stored.Left);
    settings_.Stay = stored.Stay;
    ShowSettings();
  });
  ReadStoredSettings(TSettingsMoment::Creation, stored);
}

void TStickForm::ApplySwitches() {
  TSettings stored = DefaultSettings();
  ReadStoredSettings(TSettingsMoment::Activation, stored);
  settings_.Cycling = stored.Cycling;
  settings_.Clock = stored.Clock;
  // Cycling shows the first note at its first tick; otherwise it is shown now. The cycling
  // button's hint comes with the first time cycling runs.
  if (stored.Cycling) ShowCyclingHint();
  else ShowNote(1);
  ShowSettings();
  try {
    ApplyAutorun(stored.Autorun);
  } catch (const std::exception&) {
    // Auto Run is shown off: that says what happened; no box at start.
  }
}

void TStickForm::ShowSettings() {
  SetFormStyle(settings_.Stay ? TFormStyle::fsStayOnTop : TFormStyle::fsNormal);
  AlwaysOnTopItem->SetChecked(settings_.Stay);
  DigitalClock->SetVisible(settings_.Clock);
  ClockItem->SetChecked(settings_.Clock);
  AutorunItem->SetChecked(settings_.Autorun);
  CycleButton->SetDown(settings_.Cycling);
  CycleTimer->SetEnabled(settings_.Cycling);
}

void TStickForm::ShowCyclingHint() {
  CycleButton->SetHint(std::string(settings_.Cycling ? "Scrolling is ON (" : "Scrolling is OFF (") +
                       CommandRow(TStickCommand::Cycle)->Keys + ")");
}

void TStickForm::SaveAll() {
  notes_.SaveNotes();
  SaveSettingsQuietly();
}

TSettings TStickForm::CurrentSettings() const {
  TSettings now = settings_;
  // The restored place of a minimised window, not where the system parks it.
  WINDOWPLACEMENT placement{sizeof placement};
  const bool parked = HandleAllocated() && IsIconic(hwnd_) && GetWindowPlacement(hwnd_, &placement);
  now.Top = parked ? placement.rcNormalPosition.top : Top();
  now.Left = parked ? placement.rcNormalPosition.left : Left();
  return now;
}

void TStickForm::SaveSettings() { StoreSettings(CurrentSettings()); }

void TStickForm::SaveSettingsQuietly() {
  try {
    SaveSettings();
  } catch (const std::exception&) {
    // Settings never hold up the notes or the end: the next change or the close tries again.
  }
}

void TStickForm::SaveSettingsOrSay() {
  try {
    SaveSettings();
  } catch (const std::exception& e) {
    ctx_.App.HandleException(e);
  }
}

void TStickForm::ToggleCycling() {
  settings_.Cycling = !settings_.Cycling;
  ShowSettings();
  ShowCyclingHint();
  SaveSettingsOrSay();
}

void TStickForm::ToggleAlwaysOnTop() {
  settings_.Stay = !settings_.Stay;
  ShowSettings();
}

void TStickForm::ToggleClock() {
  settings_.Clock = !settings_.Clock;
  ShowSettings();
  SaveSettingsOrSay();
}

void TStickForm::ToggleAutorun() {
  ApplyAutorun(!settings_.Autorun);  // a refusal leaves it off and reaches the error box
  SaveSettingsOrSay();
}

void TStickForm::ApplyAutorun(bool on) {
  const ScopeExit show([this] { ShowSettings(); });
  if (on) {
    settings_.Autorun = false;  // until the entry is there
    RegisterAutorun(ctx_.App.ExeName());
  } else {
    UnregisterAutorun();
  }
  settings_.Autorun = on;
}
