// The editor's controls, each made by its own function, top to bottom and left to right (the tab
// order and what a screen reader lists follow the order they are made in), and the places of the
// exposure field beside its label and of the character count, measured in the font they get.
#include <algorithm>

#include "app/Exposure.h"
#include "app/res/resource.h"
#include "app/win/EditorForm.h"
#include "toolkit/win/Graphics.h"
#include "toolkit/win/Handles.h"

namespace {
// The exposure field's edges at 96 DPI.
constexpr int kExposureLeft = 147, kExposureRight = 193;
// The character count's place at 96 DPI: the least it takes, and its right edge.
constexpr int kCountLeft = 141, kCountTop = 108, kCountWidth = 79, kCountHeight = 16;
}  // namespace

void TEditorForm::CreateControls() {
  NoteTextLabel = MakeLabel("NoteTextLabel", 6, 3, "Note");
  NoteEdit = MakeNoteEdit();
  NoteTextLabel->SetFocusControl(NoteEdit);
  CharCountLabel = MakeCharCountLabel();
  AttachmentEdit = MakeAttachmentEdit();
  BrowseButton = MakeBrowseButton();
  ExposureLabel = MakeLabel("ExposureLabel", 6, 172, "Exposure Time (seconds)");
  ExposureEdit = MakeExposureEdit();
  ExposureLabel->SetFocusControl(ExposureEdit);
  EstimateButton = MakeEstimateButton();
  CancelBtn = MakeOvalButton("CancelBtn", 83, "Cancel", 5, &TEditorForm::CancelBtnClick,
                             &TEditorForm::CancelBtnMouseDown, &TEditorForm::CancelBtnMouseUp);
  StickBtn = MakeOvalButton("StickBtn", 158, "Stick it", 6, &TEditorForm::StickBtnClick, &TEditorForm::StickBtnMouseDown,
                            &TEditorForm::StickBtnMouseUp);
  StickBtn->SetDefault(true);
  AttachmentDialog = MakeAttachmentDialog();
}

TLabel* TEditorForm::MakeLabel(const char* name, int left, int top, const char* caption) {
  auto* l = new TLabel(this);
  l->SetName(name);
  l->SetBounds(left, top, l->Width(), l->Height());
  l->SetCaption(caption);
  l->SetParent(this);
  return l;
}

TRichEdit* TEditorForm::MakeNoteEdit() {
  auto* e = new TRichEdit(this);
  e->SetName("NoteEdit");
  e->SetBounds(4, 20, 218, 86);
  e->SetMaxLength(200);
  e->SetWantReturns(false);
  e->SetTabOrder(0);
  e->OnChange = [this](TObject* s) { NoteEditChange(s); };
  e->SetParent(this);
  return e;
}

TLabel* TEditorForm::MakeCharCountLabel() {
  auto* l = new TLabel(this);
  l->SetName("CharCountLabel");
  l->SetAutoSize(false);
  l->SetAlignment(TAlignment::taCenter);
  l->SetBounds(kCountLeft, kCountTop, kCountWidth, kCountHeight);
  l->SetParent(this);
  return l;
}

TLabeledEdit* TEditorForm::MakeAttachmentEdit() {
  auto* e = new TLabeledEdit(this);
  e->SetName("AttachmentEdit");
  e->SetBounds(5, 140, 188, 21);
  e->SetParent(this);
  e->Font().SetColor(clNavy);
  e->EditLabel().SetCaption("Attachment");
  e->SetLabelSpacing(2);
  e->SetTabOrder(1);
  return e;
}

TBitBtn* TEditorForm::MakeBrowseButton() {
  auto* b = new TBitBtn(this);
  b->SetName("BrowseButton");
  b->SetBounds(199, 140, 23, 23);
  b->SetCaption("...");
  b->SetHint("Browse");
  b->SetShowHint(true);
  b->SetParent(this);
  b->Font().SetColor(clNavy);
  b->Font().SetStyle(fsBold);
  b->Font().SetSize(Font().Size() + 1);
  b->SetTabOrder(2);
  b->OnClick = [this](TObject* s) { BrowseButtonClick(s); };
  return b;
}

TSpinEdit* TEditorForm::MakeExposureEdit() {
  auto* e = new TSpinEdit(this);
  e->SetName("ExposureEdit");
  e->SetBounds(kExposureLeft, 168, kExposureRight - kExposureLeft, 22);
  e->SetMinValue(MinExposureSeconds);
  e->SetMaxValue(MaxExposureSeconds);
  e->SetValue(MinExposureSeconds);
  e->SetMaxLength(2);
  e->SetTabOrder(3);
  e->SetParent(this);
  return e;
}

TSpeedButton* TEditorForm::MakeEstimateButton() {
  auto* b = new TSpeedButton(this);
  b->SetName("EstimateButton");
  b->SetBounds(199, 168, 23, 23);
  b->SetNumGlyphs(RES_GLYPH_IMAGES);
  b->LoadGlyph(RES_GLYPH_ESTIMATE);
  b->SetHint("Estimate (Alt+E)");
  b->SetShowHint(true);
  b->SetTabStop(true);
  b->SetTabOrder(4);
  b->OnClick = [this](TObject* s) { EstimateButtonClick(s); };
  b->SetParent(this);
  return b;
}

TOvalButton* TEditorForm::MakeOvalButton(const char* name, int left, const char* caption, int tabOrder,
                                         void (TEditorForm::*click)(TObject*), MouseHandler down, MouseHandler up) {
  auto* b = new TOvalButton(this);
  b->SetName(name);
  b->SetBounds(left, 202, 65, 31);
  b->SetCaption(caption);
  b->SetBevelWidth(3);
  b->SetColor(clBtnFace);
  b->SetParent(this);
  b->SetTabOrder(tabOrder);
  b->OnClick = [this, click](TObject* s) { (this->*click)(s); };
  b->OnMouseDown = [this, down](TObject* s, TMouseButton bt, TShiftState sh, int x, int y) { (this->*down)(s, bt, sh, x, y); };
  b->OnMouseUp = [this, up](TObject* s, TMouseButton bt, TShiftState sh, int x, int y) { (this->*up)(s, bt, sh, x, y); };
  return b;
}

TOpenDialog* TEditorForm::MakeAttachmentDialog() {
  auto* d = new TOpenDialog(this);
  d->SetName("AttachmentDialog");
  d->SetTitle("Locate the attachement object...");
  d->SetFilter("All files (*.*)|*.*");
  d->SetOptions(ofHideReadOnly | ofPathMustExist | ofFileMustExist | ofEnableSizing);
  return d;
}

void TEditorForm::ChangeScale(int newDpi) {
  TForm::ChangeScale(newDpi);
  PlaceExposureField();
  PlaceCharCount();
}

void TEditorForm::HandleCreated() {
  TForm::HandleCreated();
  PlaceExposureField();  // the label's text measured in the font the system really gives it
  PlaceCharCount();
}

void TEditorForm::PlaceExposureField() {
  if (!ExposureLabel || !ExposureEdit) return;  // still being built
  // A substitute font may run the label's text past its room: the field gives way on its left,
  // keeping its right edge, so that the closing bracket stays in sight.
  const int right = Scaled(kExposureRight);
  const int left = std::max(Scaled(kExposureLeft), ExposureLabel->Left() + ExposureLabel->Width() + Scaled(2));
  ExposureEdit->SetBounds(left, ExposureEdit->Top(), right - left, ExposureEdit->Height());
}

void TEditorForm::PlaceCharCount() {
  if (!CharCountLabel || !NoteEdit) return;  // still being built
  const WindowDC screen(nullptr);
  TCanvas canvas(screen.Get());
  canvas.Font.Assign(CharCountLabel->Font());
  // Every count it can show: a substitute font's digits need not all be as wide.
  SIZE widest{0, 0};
  for (int n = 0; n <= NoteEdit->MaxLength(); ++n) {
    const SIZE size = canvas.TextExtent(CharCountText(n));
    widest.cx = std::max(widest.cx, size.cx);
    widest.cy = std::max(widest.cy, size.cy);
  }
  const int right = Scaled(kCountLeft + kCountWidth);
  const int width = std::max<int>(Scaled(kCountWidth), widest.cx + Scaled(2));
  const int height = std::max<int>(Scaled(kCountHeight), widest.cy);
  CharCountLabel->SetBounds(right - width, CharCountLabel->Top(), width, height);
}
