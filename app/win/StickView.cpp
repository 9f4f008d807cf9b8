// What the note window shows of the session and does for it: the note and its counter, the
// switches, the questions and dialogs the session asks for, the keys, dragging the window by the
// note text, and what the controls tell a screen reader.
#include "app/win/AttachmentQuestion.h"
#include "app/win/HelpFileMark.h"
#include "app/win/ShellOpen.h"
#include "app/win/StickForm.h"
#include "components/tray/win/SysTrayIcon.h"
#include "toolkit/win/Accessible.h"
#include "toolkit/win/System.h"
#include "toolkit/win/Text.h"

void TStickForm::ShowNote(const TNotice* note, const std::string& counter, uint32_t interval) {
  if (note) {
    ShowNoteText(note);
    // Stopping and restarting makes a running countdown start afresh for this note. A single
    // note would only be shown again: no countdown then (an interval of 0 arms nothing).
    const bool running = CycleTimer->Enabled();
    CycleTimer->SetEnabled(false);
    CycleTimer->SetInterval(interval);
    CycleTimer->SetEnabled(running);
    // Read out as it comes up (a step, the cycling): the reader's focus stays where it was.
    if (HandleAllocated() && IsWindowVisible(hwnd_)) AnnounceControl(*NoteLabel);
  } else {
    CycleTimer->SetInterval(0);  // an empty list: nothing to cycle through
  }
  RefreshNote(note, counter);
}

void TStickForm::RefreshNote(const TNotice* note, const std::string& counter) {
  if (session_.Notes().NoteCount() == 0) ShowNoteText(nullptr);
  else if (note) ShowNoteText(note);
  CounterLabel->SetCaption(counter);
}

void TStickForm::ShowNoteText(const TNotice* note) {
  NoteLabel->SetCaption(note ? note->Content : "");
  AttachmentButton->SetVisible(note && !note->Attach.empty());
  AttachmentButton->SetHint(note ? note->Attach : "");
}

void TStickForm::ShowSettings(const TSettings& settings, const std::string& cyclingHint) {
  SetFormStyle(settings.Stay ? TFormStyle::fsStayOnTop : TFormStyle::fsNormal);
  AlwaysOnTopItem->SetChecked(settings.Stay);
  DigitalClock->SetVisible(settings.Clock);
  ClockItem->SetChecked(settings.Clock);
  AutorunItem->SetChecked(settings.Autorun);
  CycleButton->SetDown(settings.Cycling);
  CycleTimer->SetEnabled(settings.Cycling);
  if (!cyclingHint.empty()) CycleButton->SetHint(cyclingHint);
}

void TStickForm::Warn(const std::string& message) {
  ctx_.App.MessageBox(message, ctx_.App.Title(), MB_OK | MB_ICONWARNING);
}

void TStickForm::Fail(const std::exception& error) {
  ctx_.App.HandleException(error);
  // A change the disk refused waits in the list: tried again until it is saved.
  if (session_.Notes().Unsaved()) save_retry_->SetEnabled(true);
}

bool TStickForm::ConfirmTrashAll(int count) { return dialogs_.ConfirmTrashAll(count); }

bool TStickForm::ConfirmLoss(const std::string& question) {
  try {
    return ctx_.App.MessageBox(question, ctx_.App.Title(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
  } catch (const std::exception&) {
    return false;  // a question that could not be asked was not answered yes
  }
}

bool TStickForm::BringDialogForward() { return dialogs_.BringModalForward(); }

void TStickForm::EditNote(const TNotice& note, int32_t number) {
  if (TEditorForm* editor = dialogs_.Editor())
    editor->Open(note, number, [this](const TNotice& value) {
      const auto result = session_.StickNote(value);
      return TEditorForm::TAnswer{result == TNoteSession::TStickResult::Closed, session_.EditingNote()};
    });
}

void TStickForm::RunWindowCommand(TStickCommand command, const std::string& target) {
  switch (command) {
    case TCommand::Attachment:
      if (AttachmentMayOpen(target, ctx_.App)) OpenWithShell(ctx_.App, target, "attachment");
      break;
    case TCommand::About:
      if (dialogs_.About()) dialogs_.About()->ShowModal();
      break;
    case TCommand::Help: OpenHelpFile(ctx_.App, session_.Notes().Folder() + "help.chm"); break;
    case TCommand::ShowWindow:
      if (tray_icon_) tray_icon_->ShowMainWindow();
      else BringToFront();
      break;
    case TCommand::HideWindow:
      ctx_.App.Minimize();
      // Until the shell has taken the icon, the taskbar button is the way back: it stays.
      if (tray_icon_ && tray_icon_->Docked()) tray_icon_->HideMainWindow();
      break;
    case TCommand::Exit: Close(); break;
    default: break;
  }
}

void TStickForm::Busy(bool busy) {
  if (busy) {
    busy_cursor_ = ctx_.Screen.Cursor();
    ctx_.Screen.SetCursor(crHourGlass);
  } else {
    ctx_.Screen.SetCursor(busy_cursor_);
  }
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
  session_.Moved(Left(), Top());
}

namespace {
// The time a clock shows, "12:34:56"; empty while it shows none.
std::string ClockReading(const TDigitClock& clock) {
  // Hours, minutes and seconds cells; the separator blinks and is not read.
  static constexpr int kDigitCells[] = {1, 2, 4, 5, 6, 7};
  std::string text;
  for (int n : kDigitCells) {
    if (n == 6 && !clock.ShowSeconds()) break;
    const TChar c = clock.Cells(n)->Char();
    if (n == 1 && c == chBlank) continue;  // hours below ten
    if (c < 0 || c > 9) return "";
    if (n == 4 || n == 6) text += ':';
    text += static_cast<char>('0' + c);
  }
  return text;
}
}  // namespace

void TStickForm::DescribeForScreenReaders() {
  CycleButton->OnDescribeAccessible = [](const TControl&, TAccessibleInfo& info) {
    info.Text.Name = "Cycling";  // its hint says ON or OFF, which the pressed state tells already
    info.Text.Shortcut = CommandKeys(TStickCommand::Cycle);
  };
  AttachmentButton->OnDescribeAccessible = [](const TControl& button, TAccessibleInfo& info) {
    info.Text.Name = "Attachment";
    info.Text.Description = button.Hint();
    info.Text.Shortcut = CommandKeys(TStickCommand::Attachment);
  };
  DigitalClock->OnDescribeAccessible = [clock = DigitalClock](const TControl&, TAccessibleInfo& info) {
    info.Text.Name = ClockReading(*clock);
    info.Text.Description = clock->Hint();  // the date
    info.Role = TAccessibleRole::StaticText;
  };
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
