// The note editor: the modal dialog in which a note is written or changed (its text, an
// attachment and the exposure time), created once at start and reused.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "components/ovalbutton/win/OvalBtn.h"
#include "toolkit/win/BitBtn.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/Dialogs.h"
#include "toolkit/win/Edits.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/RichEdit.h"
#include "toolkit/win/Spin.h"
#include "toolkit/win/StdCtrls.h"

class TStickForm;

// The message "Stick it" gives instead of adding a note to a full list.
extern const char* const FullListMessage;

class TEditorForm : public TForm {
 public:
  explicit TEditorForm(TComponent* owner);

  // Controls and components, all owned by the form.
  TLabel* Label3;
  TRichEdit* NoteEdit;
  TLabel* Label2;
  TLabeledEdit* AttachementEdit;
  TBitBtn* BitBtn1;
  TLabel* Label1;
  TSpinEdit* ExposeEdit;
  TSpeedButton* SpeedButton1;
  TOvalButton* CancelBtn;
  TOvalButton* StickBtn;
  TOpenDialog* AttacheDialog;

  // True: the dialog changes note EditedNote; false: it creates a note.
  bool EditMode = false;
  int32_t EditedNote = 0;

  // The note window whose display a stored note updates and whose SaveAll saves; not owned.
  // Unset: the program's note window, StickForm.
  void SetNoteWindow(TStickForm* window) { note_window_ = window; }

  // Opens the dialog empty, in create mode, and returns when it closes.
  void NewNote();
  // Opens the dialog on note k (1 when k is outside 1..99), in edit mode; nothing happens with
  // an empty list or when place k holds no note.
  void EditNote(int32_t k);

  // Event handlers.
  void StickBtnClick(TObject* sender);
  void CancelBtnClick(TObject* sender);
  void BitBtn1Click(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void NoteEditChange(TObject* sender);
  void FormKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
  void StickBtnMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void StickBtnMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void CancelBtnMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void CancelBtnMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

  void KeyDown(uint16_t& key, TShiftState shift) override;
  // Shows its fields and buttons to a screen reader.
  void WndProc(TMessage& m) override;

 private:
  void CreateControls();
  TOvalButton* MakeOvalButton(const char* name, int left, const char* caption);
  TStickForm& NoteWindow() const;
  // Stores the note, shows it when new, saves everything, rewrites the counter and closes the
  // dialog. Raises what the save raises, with the note already stored in the list.
  void Stick();
  void ShowDialog();

  TStickForm* note_window_ = nullptr;  // not owned
  // Enter and Esc act on their release only when their press came to this dialog too: the
  // release of the Enter that confirmed the file dialog or closed a message box is not ours.
  bool enter_pressed_ = false;
  bool escape_pressed_ = false;
};

// The program's editor (created by the entry point after the note window).
extern TEditorForm* EditorForm;
