#include "app/win/EditorForm.h"

#include <exception>

#include "app/Exposure.h"
#include "toolkit/Exception.h"

namespace {
constexpr char kEditCaption[] = "Edit note N\xC2\xB0 ";  // with the degree sign
}  // namespace

std::string CharCountText(int count) { return std::to_string(count) + " characters"; }

TEditorForm::TEditorForm(TComponent* owner, const TFormContext& context) : TForm(owner), ctx_(context) {
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

void TEditorForm::ShowNumber(int32_t number) {
  number_ = number;
  SetCaption(number ? kEditCaption + std::to_string(number) : "Create new note");
  StickBtn->SetCaption(number ? "Change" : "Stick it");
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

void TEditorForm::Open(const TNotice& note, int32_t number, TStick stick) {
  stick_ = std::move(stick);
  ShowNumber(number);
  NoteEdit->SetText(note.Content);
  AttachmentEdit->SetText(note.Attach);
  ExposureEdit->SetValue(number ? note.Exposure / 1000 : MinExposureSeconds);
  NoteEditChange(NoteEdit);  // the count of the text the dialog opens with, changed or not
  ShowDialog();
}

void TEditorForm::Stick() {
  // The exposure field's text as typed (0 to 99), not yet brought into its bounds.
  const int64_t ms = static_cast<int64_t>(ExposureEdit->Value()) * 1000;
  const int32_t exposure = ms > INT32_MAX ? INT32_MAX : ms < INT32_MIN ? INT32_MIN : static_cast<int32_t>(ms);
  if (!stick_) throw Exception("The note window is not there");
  const TAnswer answer = stick_({.Content = NoteEdit->Text(), .Attach = AttachmentEdit->Text(), .Exposure = exposure});
  if (!answer.Close) {
    ShowNumber(answer.Number);
    return;
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
