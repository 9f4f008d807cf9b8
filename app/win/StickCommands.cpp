// The note window's commands: the one gate every button, menu item and key goes through, and
// the menu's commands that take more than a line.
#include "app/win/NotesQuestions.h"
#include "app/win/ShellOpen.h"
#include "app/win/StickForm.h"
#include "toolkit/ScopeExit.h"

namespace {
// A full list is said before the editor opens: the editor is modal, and the user could not
// delete a note without losing what they had typed.
bool ListHasRoom(const TNoteList& notes, TApplication& app) {
  if (notes.NoteCount() < MaxNotes) return true;
  app.MessageBox(FullListMessage, app.Title(), MB_OK | MB_ICONWARNING);
  return false;
}
}  // namespace

void TStickForm::SetDialogs(TEditorForm* editor, TForm* about) {
  if (TEditorForm* old = dialogs_.Editor(); old && old != editor) {
    old->OnNoteStored = nullptr;
    old->OnSaveNotes = nullptr;
  }
  dialogs_.Set(editor, about);
  if (!editor) return;
  editor->OnNoteStored = [this](int32_t k, bool added) {
    if (added) ShowNote(k);
    else RefreshNote(k);
  };
  editor->OnSaveNotes = [this] {
    SaveAll();
    UpdateCounter();  // the save may have taken in notes added from outside
  };
}

void TStickForm::Run(TCommand command) {
  if (WaitsForDialogs(command) && dialogs_.BringModalForward()) return;
  TEditorForm* editor = dialogs_.Editor();
  switch (command) {
    case TCommand::Forward: ShowNote(view_.Shown() + 1); break;
    case TCommand::Back: ShowNote(view_.Shown() - 1); break;
    case TCommand::Trash: TrashShownNote(); break;
    case TCommand::Attachment: OpenAttachment(); break;
    case TCommand::Cycle: ToggleCycling(); break;
    case TCommand::New:
      if (editor && ListCanChange(notes_, ctx_.App) && ListHasRoom(notes_, ctx_.App)) editor->NewNote();
      break;
    case TCommand::Edit:
      if (editor && ListCanChange(notes_, ctx_.App)) editor->EditNote(view_.Shown());
      break;
    case TCommand::About:
      if (dialogs_.About()) dialogs_.About()->ShowModal();
      break;
    case TCommand::Help: OpenWithShell(ctx_.App, notes_.ProgramFolder() + "help.chm", "help file"); break;
    case TCommand::ShowWindow: TrayIcon->ShowMainWindow(); break;
    case TCommand::HideWindow:
      ctx_.App.Minimize();
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
  if (!ListCanChange(notes_, ctx_.App) || notes_.NoteCount() == 0) return;
  if (!dialogs_.ConfirmTrashAll(notes_.NoteCount())) return;
  {
    const int cursor = ctx_.Screen.Cursor();
    ctx_.Screen.SetCursor(crHourGlass);
    const ScopeExit restore([&] { ctx_.Screen.SetCursor(cursor); });
    notes_.DeleteAllNotes();
    ShowNote(1);
  }
  SaveChange();
}
