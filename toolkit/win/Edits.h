// Single-line text boxes over the system EDIT control: TCustomEdit (the text as typed, a length
// limit, the change event, text in the font's colour), TEdit, and TLabeledEdit with its caption
// label above it.
#pragma once
#include "toolkit/win/Controls.h"
#include "toolkit/win/StdCtrls.h"

class TCustomEdit : public TWinControl {
 public:
  // 121 x 21, white, a tab stop.
  explicit TCustomEdit(TComponent* owner);

  // What the box holds now, typed text included.
  std::string Text() const;
  // Replaces the text; OnChange fires once when it differs.
  void SetText(const std::string& text);
  // Characters the user may type (UTF-16 units); 0: no limit of ours.
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int n);
  void SelectAll();
  // The whole text is selected when the box gets the focus other than by a click in it.
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool v) { auto_select_ = v; }

  TNotifyEvent OnChange;

  // Its text is its value, not its name: the label names it, or else the hint.
  TAccessibleText AccessibleName() const override;
  TAccessibleRole AccessibleRole() const override { return TAccessibleRole::Text; }
  void WndProc(TMessage& m) override;
  void CommandNotify(WORD code) override;
  bool ParentAsks(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  virtual void Change();

 private:
  int max_length_ = 0;
  bool auto_select_ = true;
  bool setting_text_ = false;  // our own SetText: its change notice is fired once, by SetText
  UniqueBrush brush_;          // the background handed to the system control
  COLORREF brush_rgb_ = CLR_INVALID;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};

// A text box with its caption in a label above it, LabelSpacing pixels higher. The label
// follows the box (parent, place, visibility, enabled state) and belongs to it.
class TLabeledEdit : public TCustomEdit {
 public:
  explicit TLabeledEdit(TComponent* owner);

  TLabel& EditLabel() { return *label_; }
  int LabelSpacing() const { return label_spacing_; }
  void SetLabelSpacing(int v);
  void SetParent(TWinControl* parent) override;

 protected:
  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;

 private:
  void PlaceLabel();
  TLabel* label_;  // owned as a component
  int label_spacing_ = 3;
};
