// The program's dialogs as the note window meets them: brought forward when a command or the
// close would act under them, and ended when the program closes under them.
#pragma once
#include "app/win/EditorForm.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"

class TStickDialogs {
 public:
  explicit TStickDialogs(TApplication& app) : app_(app) {}

  // Not owned; either may be null (unset, New, Edit and About do nothing).
  void Set(TEditorForm* editor, TForm* about) {
    editor_ = editor;
    about_ = about;
  }
  TEditorForm* Editor() const { return editor_; }
  TForm* About() const { return about_; }

  // The modal window of the program that is up now (the editor, the About box, a message box),
  // brought to the front; false when there is none.
  bool BringModalForward();
  // True when a dialog that holds the user's work keeps the program from closing; it comes forward.
  bool CloseHeld();
  // The program closes: the About box ends, and a Trash-all question up now counts as "No".
  void EndForClose();

  // Asks whether to delete all `count` notes: true for Yes, unless the program closed under
  // the question.
  bool ConfirmTrashAll(int count);

 private:
  TApplication& app_;
  TEditorForm* editor_ = nullptr;  // not owned
  TForm* about_ = nullptr;         // not owned
  bool asking_trash_all_ = false;     // the Trash-all question is up
  bool trash_all_dismissed_ = false;  // and the program closed under it
};
