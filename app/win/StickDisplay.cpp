// The note window's display: showing a note, the counter, stepping and cycling, deleting the shown
// note, its attachment, the keys, dragging the window by the note text, and the clock's hint.
#include "app/NoteDisplay.h"
#include "app/win/StickForm.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/System.h"
#include "toolkit/win/ShellOpen.h"
#include "toolkit/win/Text.h"

void TStickForm::ShowNote(int32_t k) {
  const TNoteList& list = notes_;
  k = WrapNoteNumber(k, list.NoteCount());
  if (k >= 1) {
    const TNotice& note = list.Notes(k);
    if (note.Used) {
      ShowNoteText(note);
      // Stopping and restarting makes a running countdown start afresh for this note. A single
      // note would only be shown again: no countdown then (an interval of 0 arms nothing).
      const bool running = CycleTimer->Enabled();
      CycleTimer->SetEnabled(false);
      CycleTimer->SetInterval(list.NoteCount() >= 2 ? ExposureInterval(note.Exposure) : 0);
      CycleTimer->SetEnabled(running);
      ++k;
    } else {
      k = 1;
      CycleTimer->SetInterval(0);  // an empty list: nothing to cycle through
    }
  } else {
    CycleTimer->SetInterval(0);  // nothing to cycle through
  }
  next_note_ = k;
  UpdateCounter();
}

void TStickForm::ShowNoteText(const TNotice& note) {
  NoteLabel->SetCaption(note.Content);
  AttachmentButton->SetVisible(!note.Attach.empty());
  AttachmentButton->SetHint(note.Attach);
}

void TStickForm::RefreshNote(int32_t k) {
  if (k < 1 || k > notes_.NoteCount() || k != next_note_ - 1 || !notes_.Notes(k).Used) return;
  ShowNoteText(notes_.Notes(k));
}

void TStickForm::UpdateCounter() {
  if (notes_.NoteCount() == 0) {
    ClearDisplay();
    return;
  }
  CounterLabel->SetCaption(CounterText(next_note_, notes_.NoteCount()));
}

void TStickForm::ClearDisplay() {
  CounterLabel->SetCaption("0 / 0");
  NoteLabel->SetCaption("");
  AttachmentButton->SetVisible(false);
}

void TStickForm::StepBack() { ShowNote(next_note_ - 2); }

void TStickForm::CycleTimerTimer(TObject*) { ShowNote(next_note_); }

void TStickForm::ApplyCycling() {
  CycleTimer->SetEnabled(CycleButton->Down());
  CycleButton->SetHint(CycleTimer->Enabled() ? "Scrolling is ON (Ctrl+Space)" : "Scrolling is OFF (Ctrl+Space)");
}

void TStickForm::ToggleCycling() {
  ApplyCycling();
  SaveSettingsOrSay();
}

bool TStickForm::ListCanChange() {
  if (notes_.CanChange()) return true;
  Application->MessageBox(notes_.RefusalText(), Application->Title(), MB_OK | MB_ICONWARNING);
  return false;
}

void TStickForm::SaveChange() {
  try {
    notes_.SaveNotes();
    UpdateCounter();  // the save may have taken in notes added from outside
  } catch (const std::exception& e) {
    // The change stays in the list, unsaved: the next save or the close tries again.
    Application->HandleException(e);
  }
}

void TStickForm::TrashShownNote() {
  const int32_t k = next_note_ - 1;
  // A refused file says so even with no note on display: its list may be empty.
  if (!ListCanChange() || k < 1 || k > notes_.NoteCount()) return;
  const bool running = CycleTimer->Enabled();
  CycleTimer->SetEnabled(false);
  NoteLabel->SetCaption("");
  notes_.DeleteNote(k);
  CycleTimer->SetEnabled(running);
  ShowNote(k);
  SaveChange();
}

void TStickForm::OpenWithShell(const std::string& target, const char* what) {
  const std::wstring file = ToWide(target);
  // The shell takes paths up to MAX_PATH; a longer one has crashed it.
  if (file.size() >= MAX_PATH) {
    Application->MessageBox(std::string("The ") + what + " cannot be opened: its path is " + std::to_string(file.size()) +
                                " characters long, more than the " + std::to_string(MAX_PATH - 1) +
                                " the system accepts.",
                            Application->Title(), MB_OK | MB_ICONWARNING);
    return;
  }
  const TShellOpenResult opened = ShellOpen(Application->Handle(), target);
  if (opened.Opened) return;
  Application->MessageBox("Unable to open " + target + "\n" + opened.Reason, Application->Title(),
                          MB_OK | MB_ICONWARNING);
}

void TStickForm::OpenAttachment() {
  const int32_t k = next_note_ - 1;
  if (k < 1 || k > notes_.NoteCount()) return;
  const std::string& attach = notes_.Notes(k).Attach;
  if (attach.empty()) return;
  OpenWithShell(attach, "attachment");
}

void TStickForm::FormKeyDown(TObject*, uint16_t& key, TShiftState shift) {
  // On the press, as accelerators act: whichever of Ctrl and the letter is let go first. Once
  // per press: a held key's repeats do nothing.
  if (KeyRepeat()) return;
  try {
    if (key == VK_F1 && !shift.Has(TShift::Ctrl) && !shift.Has(TShift::Alt)) {
      HelpButtonClick(HelpButton);
      return;
    }
    if (!shift.Has(TShift::Ctrl)) return;
    switch (key) {
      case VK_RIGHT: ForwardSpeedBtnClick(ForwardSpeedBtn); break;
      case VK_LEFT: BackSpeedBtnClick(BackSpeedBtn); break;
      case 'N': NewSpeedBtnClick(NewSpeedBtn); break;
      case 'T': TrashSpeedBtnClick(TrashSpeedBtn); break;
      case 'E': EditSpeedBtnClick(EditSpeedBtn); break;
      case 'A': AttachmentButtonClick(AttachmentButton); break;
      case 'X': Close(); break;
      case VK_SPACE: CycleButton->Click(); break;  // the button's own toggle, hint and all
      case 'B': AboutSpeedButtonClick(AboutSpeedButton); break;
      default: break;
    }
  } catch (const std::exception&) {
    // A key never brings up an error box.
  }
}

void TStickForm::NoteLabelMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
  DragStartX = x;
  DragStartY = y;
}

void TStickForm::NoteLabelMouseUp(TObject*, TMouseButton, TShiftState, int x, int y) {
  if (x == DragStartX && y == DragStartY) return;
  SetBounds(Left() + (x - DragStartX), Top() + (y - DragStartY), Width(), Height());
  try {
    SaveSettings();  // the new place survives a crash too
  } catch (const std::exception&) {
    // A place that cannot be stored is not worth a box; the close tries again.
  }
}

std::string ShortDateText(const SYSTEMTIME& date) {
  wchar_t pattern[80] = L"";
  if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 80)) lstrcpyW(pattern, L"dd.MM.yyyy");
  std::wstring picture = pattern;
  // A short year reads ambiguously: the year is always shown with four digits.
  const size_t y = picture.find(L'y');
  if (y == std::wstring::npos) {
    picture += L" yyyy";
  } else {
    const size_t end = picture.find_first_not_of(L'y', y);
    picture.replace(y, (end == std::wstring::npos ? picture.size() : end) - y, L"yyyy");
  }
  wchar_t text[80];
  if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &date, picture.c_str(), text, 80, nullptr))
    throw std::runtime_error("The date cannot be formatted");
  return ToUtf8(text);
}

void TStickForm::DigitalClockMouseMove(TObject*, TShiftState, int, int) {
  try {
    DigitalClock->SetHint(ShortDateText(Sys().LocalTime()));
  } catch (const std::exception&) {
    // The old hint stays.
  }
}
