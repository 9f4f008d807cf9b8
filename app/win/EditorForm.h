// The note editor: the modal dialog in which a note is written or changed (its text, an
// attachment and the exposure time), created once at start and reused.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "app/Notes.h"
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

// What New and "Stick it" say when the list is full.
extern const char* const FullListMessage;
// What the character count reads for `count` characters.
std::string CharCountText(int count);

class TEditorForm : public TForm {
 public:
  // The list the dialog opens and changes is the program's; not owned, it MUST outlive the
  // dialog, as MUST the context's objects.
  TEditorForm(TComponent* owner, TNoteList& notes, const TFormContext& context);

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

  // True: the dialog changes note EditedNote; false: it creates a note.
  bool EditMode = false;
  int32_t EditedNote = 0;

  // What storing a note does beyond the list, set by the window that shows the list; the dialog
  // cannot store a note without both. OnNoteStored shows note k: the new one when added, else
  // again when it is on display. OnSaveNotes then puts the list on disk, raising what the save
  // raises (the change is then in the list but unsaved).
  std::function<void(int32_t k, bool added)> OnNoteStored;
  std::function<void()> OnSaveNotes;

  // Opens the dialog empty, in create mode, and returns when it closes.
  void NewNote();
  // Opens the dialog on note k (1 when k is outside 1..99), in edit mode; nothing happens with
  // an empty list or when place k holds no note.
  void EditNote(int32_t k);

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
  TNoteList& Notes() const { return notes_; }
  void SwitchToCreateMode();
  // Stores the note, shows it when new, saves everything, rewrites the counter and closes the
  // dialog. Raises what the save raises, with the note already stored in the list.
  void Stick();
  void ShowDialog();

  TNoteList& notes_;  // not owned
  TFormContext ctx_;
  std::string edited_text_;  // the edited note's text when the dialog opened, to find it again
  // Enter and Esc act on their release only when their press came to this dialog too: the
  // release of the Enter that confirmed the file dialog or closed a message box is not ours.
  bool enter_pressed_ = false;
  bool escape_pressed_ = false;
};
