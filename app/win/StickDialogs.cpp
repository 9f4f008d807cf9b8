#include "app/win/StickDialogs.h"

bool TStickDialogs::BringModalForward() {
  HWND modal = nullptr;
  for (TForm* f : {static_cast<TForm*>(editor_), about_})
    if (f && f->Modal() && f->HandleAllocated()) modal = f->Handle();
  if (!modal && app_.MessageBoxesShown() > 0) {
    HWND box = ShownDialog();
    modal = box ? box : app_.Handle();
  }
  if (!modal) return false;
  if (app_.IsMinimized()) app_.Restore();
  if (!IsWindowVisible(modal)) ShowWindow(modal, SW_SHOW);
  SetForegroundWindow(modal);
  return true;
}

bool TStickDialogs::CloseHeld() {
  // The editor holds what the user is typing, and a message may ask what to do about it: they
  // come forward and the program stays.
  const bool editing = editor_ && editor_->Modal();
  if (!editing && app_.MessageBoxesShown() <= (asking_trash_all_ ? 1 : 0)) return false;
  return BringModalForward();
}

void TStickDialogs::EndForClose() {
  // Neither holds anything to lose: they end with the program (the quit message ends the
  // question's loop), the question as "No".
  if (about_ && about_->Modal()) about_->SetModalResult(mrCancel);
  if (asking_trash_all_) trash_all_dismissed_ = true;
}

bool TStickDialogs::ConfirmTrashAll(int count) {
  int answer = IDNO;
  asking_trash_all_ = true;
  trash_all_dismissed_ = false;
  try {
    answer = app_.MessageBox("Are you sure you want to delete all the " + std::to_string(count) + " notes?",
                             "Delete all notes?", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);  // a stray Enter keeps them
  } catch (const std::exception&) {
    answer = IDNO;  // a question that could not be asked was not answered yes
  }
  asking_trash_all_ = false;
  return answer == IDYES && !trash_all_dismissed_;
}
