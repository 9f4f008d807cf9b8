// The note window's commands: the one gate every button, menu item and key goes through, the
// menu's commands, and the program's dialogs as the window meets them (brought forward, or
// ended when the program closes under them).
#include "app/win/StickForm.h"
#include "toolkit/ScopeExit.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Screen.h"

namespace {
// True for a command that must wait while a dialog of the program is up: it would open a second
// dialog, change the list under the editor, or hide the window the dialog belongs to.
bool WaitsForDialogs(TStickForm::TCommand command) {
  using C = TStickForm::TCommand;
  switch (command) {
    case C::New: case C::Edit: case C::About: case C::ShowWindow: case C::HideWindow: case C::TrashAll:
      return true;
    case C::Forward: case C::Back: case C::Trash: case C::Attachment: case C::Cycle: case C::Help:
    case C::AlwaysOnTop: case C::Clock: case C::Autorun: case C::Exit:
      return false;  // Exit: closing decides (FormClose)
  }
  return true;
}
}  // namespace

void TStickForm::SetDialogs(TEditorForm* editor, TForm* about) {
  if (editor_ && editor_ != editor) {
    editor_->OnNoteStored = nullptr;
    editor_->OnSaveNotes = nullptr;
  }
  editor_ = editor;
  about_ = about;
  if (!editor_) return;
  editor_->OnNoteStored = [this](int32_t k, bool added) {
    if (added) ShowNote(k);
    else RefreshNote(k);
  };
  editor_->OnSaveNotes = [this] {
    SaveAll();
    UpdateCounter();  // the save may have taken in notes added from outside
  };
}

void TStickForm::Run(TCommand command) {
  if (WaitsForDialogs(command) && BringModalForward()) return;
  switch (command) {
    case TCommand::Forward: ShowNote(next_note_); break;
    case TCommand::Back: StepBack(); break;
    case TCommand::Trash: TrashShownNote(); break;
    case TCommand::Attachment: OpenAttachment(); break;
    case TCommand::Cycle: ToggleCycling(); break;
    case TCommand::New:
      if (editor_ && ListCanChange()) editor_->NewNote();
      break;
    case TCommand::Edit:
      if (editor_ && ListCanChange()) editor_->EditNote(next_note_ - 1);
      break;
    case TCommand::About:
      if (about_) about_->ShowModal();
      break;
    case TCommand::Help: OpenWithShell(notes_.ProgramFolder() + "help.chm", "help file"); break;
    case TCommand::ShowWindow: TrayIcon->ShowMainWindow(); break;
    case TCommand::HideWindow:
      Application->Minimize();
      TrayIcon->HideMainWindow();
      break;
    case TCommand::TrashAll: TrashAll(); break;
    case TCommand::AlwaysOnTop:
      ToggleAlwaysOnTop();
      SaveSettingsOrSay();
      break;
    case TCommand::Clock: ToggleClock(); break;
    case TCommand::Autorun: ToggleAutorun(); break;
    case TCommand::Exit: Close(); break;
  }
}

void TStickForm::TrashAll() {
  if (!ListCanChange() || notes_.NoteCount() == 0) return;
  int answer = IDNO;
  asking_trash_all_ = true;
  trash_all_dismissed_ = false;
  try {
    answer = Application->MessageBox(
        "Are you sure you want to delete all the " + std::to_string(notes_.NoteCount()) + " notes?",
        "Delete all notes?", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);  // a stray Enter keeps them
  } catch (const std::exception&) {
    answer = IDNO;  // a question that could not be asked was not answered yes
  }
  asking_trash_all_ = false;
  if (answer != IDYES || trash_all_dismissed_) return;
  {
    const int cursor = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    const ScopeExit restore([&] { Screen->SetCursor(cursor); });
    notes_.DeleteAllNotes();
    ShowNote(1);
  }
  SaveChange();
}

void TStickForm::ToggleClock() {
  ClockItem->SetChecked(!ClockItem->Checked());
  if (ClockItem->Checked()) ShowClock();
  else HideClock();
  SaveSettingsOrSay();
}

void TStickForm::ToggleAutorun() {
  AutorunItem->SetChecked(!AutorunItem->Checked());
  if (AutorunItem->Checked()) EnableAutorun();  // a refusal unticks the item and reaches the error box
  else DisableAutorun();
  SaveSettingsOrSay();
}

bool TStickForm::CloseHeldByDialog() {
  // The editor holds what the user is typing, and a message may ask what to do about it: they
  // come forward and the program stays.
  const bool editing = editor_ && editor_->Modal();
  if (!editing && Application->MessageBoxesShown() <= (asking_trash_all_ ? 1 : 0)) return false;
  return BringModalForward();
}

bool TStickForm::BringModalForward() {
  HWND modal = nullptr;
  for (TForm* f : {static_cast<TForm*>(editor_), about_})
    if (f && f->Modal() && f->HandleAllocated()) modal = f->Handle();
  if (!modal && Application->MessageBoxesShown() > 0) {
    HWND popup = GetLastActivePopup(Application->Handle());
    modal = popup && popup != Application->Handle() ? popup : Application->Handle();
  }
  if (!modal) return false;
  if (Application->IsMinimized()) Application->Restore();
  if (!IsWindowVisible(modal)) ShowWindow(modal, SW_SHOW);
  SetForegroundWindow(modal);
  return true;
}

