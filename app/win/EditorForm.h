// The note editor: the modal dialog in which one note is written or changed (its text, an
// attachment and the exposure time), created once at start and reused. It edits a value and
// hands it back; what becomes of it is the caller's.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "app/Notice.h"
#include "app/win/FormContext.h"

#include "components/ovalbutton/win/OvalButton.h"
#include "toolkit/win/BitBtn.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/Dialogs.h"
#include "toolkit/win/Edits.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/RichEdit.h"
#include "toolkit/win/Spin.h"
#include "toolkit/win/StdCtrls.h"

// What the character count reads for `count` characters.
std::string CharCountText(int count);

class TEditorForm : public TForm {
 public:
  // The context's objects are not owned and MUST outlive the dialog.
  TEditorForm(TComponent* owner, const TFormContext& context);

  // Controls and components, all owned by the form.
  TLabel* NoteTextLabel;
  TRichEdit* NoteEdit;
  TLabel* CharCountLabel;
  TLabeledEdit* AttachmentEdit;
  TBitBtn* BrowseButton;
  TLabel* ExposureLabel = nullptr;
  TSpinEdit* ExposureEdit = nullptr;
  TSpeedButton* EstimateButton;
  TOvalButton* CancelBtn;
  TOvalButton* StickBtn;
  TOpenDialog* AttachmentDialog;

  // What the caller made of a confirmed value: close the dialog, or keep it open on note
  // Number (0: a new note) with what was typed.
  struct TAnswer {
    bool Close = false;
    int32_t Number = 0;
  };
  using TStick = std::function<TAnswer(const TNotice& value)>;
  // Opens the dialog on `note`, number `number` (0: a new note, the fields then empty), and
  // returns when it closes. Each confirmed value goes to `stick`.
  void Open(const TNotice& note, int32_t number, TStick stick);
  // The note the dialog is on: 0 for a new one.
  int32_t Number() const { return number_; }

  // Event handlers.
  void StickBtnClick(TObject* sender);
  void CancelBtnClick(TObject* sender);
  void BrowseButtonClick(TObject* sender);
  void EstimateButtonClick(TObject* sender);
  void NoteEditChange(TObject* sender);
  void FormKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
  void StickBtnMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void StickBtnMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void CancelBtnMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void CancelBtnMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void ChangeScale(int newDpi) override;

 protected:
  void HandleCreated() override;

 private:
  // The exposure field starts right of its label's text (a few pixels into the room its layout
  // gives the label when a wider font stands in).
  void PlaceExposureField();
  // The character count is as wide as the widest count it can show, in the font it really
  // gets, keeping its right edge.
  void PlaceCharCount();
  // The controls, one function each.
  using MouseHandler = void (TEditorForm::*)(TObject*, TMouseButton, TShiftState, int, int);
  void CreateControls();
  TLabel* MakeLabel(const char* name, int left, int top, const char* caption);
  TRichEdit* MakeNoteEdit();
  TLabel* MakeCharCountLabel();
  TLabeledEdit* MakeAttachmentEdit();
  TBitBtn* MakeBrowseButton();
  TSpinEdit* MakeExposureEdit();
  TSpeedButton* MakeEstimateButton();
  TOvalButton* MakeOvalButton(const char* name, int left, const char* caption, int tabOrder,
                              void (TEditorForm::*click)(TObject*), MouseHandler down, MouseHandler up);
  TOpenDialog* MakeAttachmentDialog();
  // The caption and the confirm button name the note the dialog is on.
  void ShowNumber(int32_t number);
  // Hands the value to the caller; closes the dialog when it says so.
  void Stick();
  void ShowDialog();

  TFormContext ctx_;
  TStick stick_;
  int32_t number_ = 0;
  // Enter and Esc act on their release only when their press came to this dialog too: the
  // release of the Enter that confirmed the file dialog or closed a message box is not ours.
  bool enter_pressed_ = false;
  bool escape_pressed_ = false;
};
