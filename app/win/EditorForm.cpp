#include "app/win/EditorForm.h"

#include <exception>

#include "app/Exposure.h"
#include "app/Notes.h"
#include "toolkit/Exception.h"

const char* const FullListMessage =
    "The list already holds 99 notes, as many as it can. Delete a note before you stick a new one.";

namespace {
constexpr char kEditCaption[] = "Edit note N\xC2\xB0 ";  // with the degree sign
}  // namespace

std::string CharCountText(int count) { return std::to_string(count) + " characters"; }

TEditorForm::TEditorForm(TComponent* owner, TNoteList& notes, const TFormContext& context)
    : TForm(owner), notes_(notes), ctx_(context) {
  SetName("EditorForm");
  SetCaption("Create new note");
  SetBorderStyle(TBorderStyle::bsToolWindow);
  SetBorderIcons(biSystemMenu);
  SetColor(clBtnFace);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  Font().SetStyle(0);
  SetKeyPreview(true);
  SetPosition(TPosition::poScreenCenter);
  SetClientSize(225, 235);
  OnKeyUp = [this](TObject* s, uint16_t& key, TShiftState shift) { FormKeyUp(s, key, shift); };
  CreateControls();
  FinishCreate();
}

void TEditorForm::SwitchToCreateMode() {
  EditMode = false;
  SetCaption("Create new note");
  StickBtn->SetCaption("Stick it");
}

void TEditorForm::ShowDialog() {
  enter_pressed_ = escape_pressed_ = false;
  // Every opening starts in the note's text, after what it holds, wherever the keyboard was
  // when the dialog last closed.
  FocusChild(nullptr);
  SetActiveControl(NoteEdit);
  NoteEdit->MoveCaretToEnd();
  ShowModal();
}

void TEditorForm::NewNote() {
  SwitchToCreateMode();
  NoteEdit->Clear();
  AttachmentEdit->SetText("");
  ExposureEdit->SetValue(MinExposureSeconds);
  NoteEditChange(NoteEdit);  // the count of the text the dialog opens with, changed or not
  ShowDialog();
}

void TEditorForm::EditNote(int32_t k) {
  const TNoteList& list = Notes();
  if (list.NoteCount() == 0) return;
  EditMode = true;
  if (k < 1 || k > MaxNotes) k = 1;
  EditedNote = k;
  if (k > list.NoteCount() || !list.Notes(k).Used) return;
  const TNotice& note = list.Notes(k);
  edited_text_ = note.Content;
  SetCaption(kEditCaption + std::to_string(k));
  StickBtn->SetCaption("Change");
  NoteEdit->SetText(note.Content);
  AttachmentEdit->SetText(note.Attach);
  ExposureEdit->SetValue(note.Exposure / 1000);
  NoteEditChange(NoteEdit);
  ShowDialog();
}

void TEditorForm::Stick() {
  TNoteList& list = Notes();
  // The exposure field's text as typed (0 to 99), not yet brought into its bounds.
  const int64_t ms = static_cast<int64_t>(ExposureEdit->Value()) * 1000;
  const int32_t exposure = ms > INT32_MAX ? INT32_MAX : ms < INT32_MIN ? INT32_MIN : static_cast<int32_t>(ms);
  const TNotice note{.Content = NoteEdit->Text(), .Attach = AttachmentEdit->Text(), .Exposure = exposure};
  if (!OnNoteStored || !OnSaveNotes) throw Exception("The note window is not there");
  if (!list.CanChange()) throw Exception(list.RefusalText());
  if (!EditMode) {
    // A full table takes no more: say so and keep the dialog, and what was typed, open.
    if (!list.AppendNote(note)) {
      ctx_.App.MessageBox(FullListMessage, ctx_.App.Title(), MB_OK | MB_ICONWARNING);
      return;
    }
    OnNoteStored(list.NoteCount(), true);
  } else {
    // The list may have changed under the dialog (reloaded after an outside change): the note is
    // the one that still holds the text it opened with.
    const int32_t k = list.FindNote(EditedNote, edited_text_);
    if (k == 0 || !list.ReplaceNote(k, note)) {
      // Gone: the text stays here, and the next "Stick it" adds it as a new note.
      const int32_t gone = EditedNote;
      SwitchToCreateMode();
      throw Exception("Note N\xC2\xB0 " + std::to_string(gone) +
                      " is no longer in the list. Your text is still here: \"Stick it\" adds it as a new note.");
    }
    EditedNote = k;
    edited_text_ = list.Notes(k).Content;
    OnNoteStored(k, false);
  }
  try {
    OnSaveNotes();
  } catch (...) {
    // The new note is in the list now: a second "Stick it" must change it, not add it again.
    if (!EditMode) {
      EditMode = true;
      EditedNote = list.NoteCount();
      edited_text_ = list.Notes(EditedNote).Content;
      SetCaption(kEditCaption + std::to_string(EditedNote));
      StickBtn->SetCaption("Change");
    }
    throw;
  }
  if (Modal()) SetModalResult(mrOk);
  else Hide();
}

void TEditorForm::StickBtnClick(TObject*) {
  // The standard error box, from here rather than from the window procedure, so that the
  // button's own release still runs and it comes back up.
  try {
    Stick();
  } catch (const std::exception& e) {
    ctx_.App.HandleException(e);
  }
}

void TEditorForm::CancelBtnClick(TObject*) { Close(); }

void TEditorForm::BrowseButtonClick(TObject*) {
  if (AttachmentDialog->Execute()) AttachmentEdit->SetText(AttachmentDialog->FileName());
}

void TEditorForm::EstimateButtonClick(TObject*) {
  ExposureEdit->SetValue(EstimateExposure(NoteEdit->Text(), AttachmentEdit->Text()));
}

void TEditorForm::NoteEditChange(TObject*) {
  CharCountLabel->SetCaption(CharCountText(NoteEdit->TextLength()));
}

void TEditorForm::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == 'E' && shift.Has(TShift::Alt) && !shift.Has(TShift::Ctrl)) {
    EstimateButtonClick(EstimateButton);
    key = 0;  // no system beep for an accelerator nobody else has
    return;
  }
  if (key == VK_RETURN) enter_pressed_ = true;
  if (key == VK_ESCAPE) escape_pressed_ = true;
  TForm::KeyDown(key, shift);
}

void TEditorForm::FormKeyUp(TObject*, uint16_t& key, TShiftState) {
  try {
    if (key == VK_ESCAPE && escape_pressed_) {
      escape_pressed_ = false;
      CancelBtnClick(CancelBtn);
    } else if (key == VK_RETURN && enter_pressed_) {
      enter_pressed_ = false;
      Stick();
    }
  } catch (const std::exception& e) {
    // A note that could not be stored is said so, whichever way it was confirmed; the dialog
    // and its text stay.
    ctx_.App.HandleException(e);
  }
}

void TEditorForm::StickBtnMouseDown(TObject*, TMouseButton, TShiftState, int, int) { StickBtn->SetDown(true); }

void TEditorForm::StickBtnMouseUp(TObject*, TMouseButton, TShiftState, int, int) { StickBtn->SetDown(false); }

void TEditorForm::CancelBtnMouseDown(TObject*, TMouseButton, TShiftState, int, int) { CancelBtn->SetDown(true); }

void TEditorForm::CancelBtnMouseUp(TObject*, TMouseButton, TShiftState, int, int) { CancelBtn->SetDown(false); }
