// The note window's settings and switches: the placement and the four switches in the user's
// registry, the start with the system under the user's Run key, and SaveAll.
// Every change of a switch is stored at once.
#include "app/Settings.h"
#include "app/win/StickForm.h"
#include "toolkit/ScopeExit.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Registry.h"
#include "toolkit/win/System.h"
#include "toolkit/win/Text.h"

namespace {
std::string Str(std::string_view v) { return std::string(v); }

// The settings key of the current user as the portable rules read and write it.
class TRegistrySettings final : public TSettingsSource {
 public:
  // Without canCreate a missing key reads as one without values; with it, a key that cannot be
  // made is reported by the first write.
  explicit TRegistrySettings(bool canCreate) { reg_.OpenKey(Str(SettingsKey), canCreate); }
  std::optional<int32_t> ReadInteger(const std::string& name) override {
    if (!reg_.ValueExists(name)) return std::nullopt;
    return reg_.ReadInteger(name);
  }
  void WriteInteger(const std::string& name, int32_t value) override { reg_.WriteInteger(name, value); }

 private:
  TRegistry reg_;
};
}  // namespace

void TStickForm::ReadPlacement() {
  TSettings stored = DefaultSettings();
  // What was read before a value of the wrong type still places the window.
  const ScopeExit apply([&] {
    SetTop(stored.Top);
    SetLeft(stored.Left);
    if (stored.Stay) ToggleAlwaysOnTop();
  });
  TRegistrySettings source(false);
  ReadSettings(source, TSettingsMoment::Creation, stored);
}

void TStickForm::ApplySwitches() {
  TSettings stored = DefaultSettings();
  TRegistrySettings source(false);
  ReadSettings(source, TSettingsMoment::Activation, stored);
  if (stored.Cycling) {
    CycleButton->SetDown(true);
    ApplyCycling();
  } else {
    ShowNote(1);
  }
  if (stored.Clock) ShowClock();
  else HideClock();
  try {
    if (stored.Autorun) EnableAutorun();
    else DisableAutorun();
  } catch (const std::exception&) {
    // The item's tick already says what happened; no box at start.
  }
}

void TStickForm::SaveAll() {
  notes_.SaveNotes();
  try {
    SaveSettings();
  } catch (const std::exception&) {
    // The notes are what matters here; a switch that changes tries the settings again.
  }
}

TSettings TStickForm::CurrentSettings() const {
  TSettings now;
  // The restored place of a minimised window, not where the system parks it.
  now.Top = Top();
  now.Left = Left();
  WINDOWPLACEMENT placement{sizeof placement};
  if (HandleAllocated() && IsIconic(hwnd_) && GetWindowPlacement(hwnd_, &placement)) {
    now.Top = placement.rcNormalPosition.top;
    now.Left = placement.rcNormalPosition.left;
  }
  now.Cycling = CycleButton->Down();
  now.Stay = AlwaysOnTopItem->Checked();
  now.Clock = ClockShown();
  now.Autorun = AutorunItem->Checked();
  return now;
}

void TStickForm::SaveSettings() {
  TRegistrySettings target(true);
  WriteSettings(target, CurrentSettings());
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
