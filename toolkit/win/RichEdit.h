// TRichEdit: the system rich-text box holding plain text. Msftedit's RICHEDIT50W where present,
// otherwise Riched20's RichEdit20W. Tab always leaves the box; with WantReturns off, Enter types
// nothing and line breaks that arrive otherwise (pasted text) become blanks, so the text stays
// one line.
#pragma once
#include "toolkit/win/Controls.h"

class TRichEdit : public TWinControl {
 public:
  // 185 x 89, white, multi-line with word wrap, WantReturns on, a tab stop.
  explicit TRichEdit(TComponent* owner);

  std::string Text() const;
  // Replaces the text exactly (never read as RTF, not cut to MaxLength); OnChange fires once
  // when it differs.
  void SetText(const std::string& text);
  void Clear() { SetText(""); }
  // Characters now in the box (UTF-16 units; a paragraph break counts one).
  int TextLength() const;
  // Puts the caret after the last character, nothing selected.
  void MoveCaretToEnd();

  // Characters the user may type or paste; 0: no limit of ours.
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int n);
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool v) { want_returns_ = v; }
  // Pastes the clipboard's text as plain text, within MaxLength.
  void PasteFromClipboard();

  TNotifyEvent OnChange;

  TAccessibleRole AccessibleRole() const override { return TAccessibleRole::Text; }
  void WndProc(TMessage& m) override;
  void CommandNotify(WORD code) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void ColorChanged() override;
  void FontChanged() override;
  virtual void Change();

 private:
  void ApplyLimit(int limit);
  void ApplyColors();
  // Each run of the text in a face that has it (LinkedFont.h).
  void ApplyFaces();
  void ReplaceLineBreaks();
  std::wstring text_;  // the text until the window exists
  bool runs_ = false;   // the box keeps a face per run
  std::wstring faced_;  // the text the faces were last set for
  int max_length_ = 0;
  bool want_returns_ = true;
  bool setting_text_ = false;  // changes of our own making are announced once, by their maker
};
