// The note window's display: showing a note, the counter, deleting the shown note, its
// attachment, the keys, dragging the window by the note text, and the clock's hint.
#include "app/win/AttachmentQuestion.h"
#include "app/win/NotesQuestions.h"
#include "app/win/ShellOpen.h"
#include "app/win/StickForm.h"
#include "toolkit/win/System.h"
#include "toolkit/win/Text.h"

void TStickForm::ShowNote(int32_t k) {
  if (const TNotice* note = view_.Show(k)) {
    ShowNoteText(*note);
    // Stopping and restarting makes a running countdown start afresh for this note. A single
    // note would only be shown again: no countdown then (an interval of 0 arms nothing).
    const bool running = CycleTimer->Enabled();
    CycleTimer->SetEnabled(false);
    CycleTimer->SetInterval(view_.CycleInterval());
    CycleTimer->SetEnabled(running);
  } else {
    CycleTimer->SetInterval(0);  // an empty list: nothing to cycle through
  }
  UpdateCounter();
}

void TStickForm::ShowNoteText(const TNotice& note) {
  NoteLabel->SetCaption(note.Content);
  AttachmentButton->SetVisible(!note.Attach.empty());
  AttachmentButton->SetHint(note.Attach);
}

void TStickForm::RefreshNote(int32_t k) {
  if (k != view_.Shown()) return;
  if (const TNotice* note = view_.ShownNote()) ShowNoteText(*note);
}

void TStickForm::UpdateCounter() {
  if (notes_.NoteCount() == 0) {
    ClearDisplay();
    return;
  }
  CounterLabel->SetCaption(view_.CounterText());
}

void TStickForm::ClearDisplay() {
  CounterLabel->SetCaption(view_.CounterText());
  NoteLabel->SetCaption("");
  AttachmentButton->SetVisible(false);
}

void TStickForm::SaveChange() {
  try {
    notes_.SaveNotes();
    UpdateCounter();  // the save may have taken in notes added from outside
  } catch (const std::exception& e) {
    // The change stays in the list, unsaved: the next save or the close tries again.
    ctx_.App.HandleException(e);
  }
}

void TStickForm::TrashShownNote() {
  const int32_t k = view_.Shown();
  // A refused file says so even with no note on display: its list may be empty.
  if (!ListCanChange(notes_, ctx_.App) || !view_.ShownNote()) return;
  const bool running = CycleTimer->Enabled();
  CycleTimer->SetEnabled(false);
  NoteLabel->SetCaption("");
  notes_.DeleteNote(k);
  CycleTimer->SetEnabled(running);
  ShowNote(k);
  SaveChange();
}

void TStickForm::OpenAttachment() {
  const TNotice* note = view_.ShownNote();
  if (!note || note->Attach.empty()) return;
  if (!AttachmentMayOpen(note->Attach, ctx_.App)) return;
  OpenWithShell(ctx_.App, note->Attach, "attachment");
}

void TStickForm::FormKeyDown(uint16_t& key, TShiftState shift) {
  // On the press, as accelerators act: whichever of Ctrl and the letter is let go first. Once
  // per press: a held key's repeats do nothing.
  if (KeyRepeat()) return;
  try {
    if (const TStickCommandRow* row = CommandForKey(key, shift.Has(TShift::Ctrl), shift.Has(TShift::Alt)))
      Run(row->Command);
  } catch (const std::exception&) {
    // A key never brings up an error box.
  }
}

void TStickForm::NoteLabelMouseDown(int x, int y) {
  DragStartX = x;
  DragStartY = y;
}

void TStickForm::NoteLabelMouseUp(int x, int y) {
  if (x == DragStartX && y == DragStartY) return;
  SetBounds(Left() + (x - DragStartX), Top() + (y - DragStartY), Width(), Height());
  SaveSettingsQuietly();  // the new place survives a crash too
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

void ShowDateHint(TDigitClock& clock) {
  try {
    clock.SetHint(ShortDateText(Sys().LocalTime()));
  } catch (const std::exception&) {
    // The old hint stays.
  }
}
