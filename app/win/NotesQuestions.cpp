#include "app/win/NotesQuestions.h"

bool ListCanChange(const TNoteList& notes, TApplication& app) {
  if (notes.CanChange()) return true;
  app.MessageBox(notes.RefusalText(), app.Title(), MB_OK | MB_ICONWARNING);
  return false;
}

bool SaveOrConfirmLoss(TNoteList& notes, TApplication& app) {
  try {
    notes.SaveNotes();
    return true;
  } catch (const std::exception& e) {
    if (!notes.Unsaved()) return true;
    std::string reason = e.what();
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
    int answer = IDNO;
    try {
      answer = app.MessageBox(
          "Zettly could not save your notes: " + reason + ". Close anyway and lose the unsaved changes?", app.Title(),
          MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
    } catch (const std::exception&) {
      answer = IDNO;  // a question that could not be asked was not answered yes
    }
    return answer == IDYES;
  }
}
