#include "toolkit/win/Edits.h"

#include <commctrl.h>

#include "toolkit/win/Text.h"

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = WC_EDITW;
  p.Style |= ES_AUTOHSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::HandleCreated() {
  if (max_length_ > 0) SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
}

TAccessibleText TCustomEdit::AccessibleName() const {
  if (const TControl* label = NamingLabel()) return {label->AccessibleName().Name, "", Hint()};
  return AccessibleTextOf("", Hint(), true);
}

std::string TCustomEdit::Text() const { return hwnd_ ? WindowText(hwnd_) : Caption(); }

void TCustomEdit::SetText(const std::string& text) {
  const bool differs = Text() != text;
  setting_text_ = true;
  SetCaption(text);  // kept for a window made later
  if (hwnd_ && WindowText(hwnd_) != text) SetWindowTextW(hwnd_, ToWide(text).c_str());
  setting_text_ = false;
  if (differs) Change();
}

void TCustomEdit::SetMaxLength(int n) {
  if (n < 0) n = 0;
  if (n == max_length_) return;
  max_length_ = n;
  if (hwnd_) SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(n), 0);
}

void TCustomEdit::SelectAll() {
  if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::CommandNotify(WORD code) {
  if (code == EN_CHANGE && !setting_text_) Change();
}

bool TCustomEdit::ParentAsks(TMessage& m) {
  if (m.Msg != WM_CTLCOLOREDIT) return false;
  const HDC dc = reinterpret_cast<HDC>(m.WParam);
  // Kept by the colour it paints: a system colour may stand for another one after a theme change.
  const COLORREF background = ThemedColorToRGB(Color(), clWindow);
  SetTextColor(dc, ThemedColorToRGB(Font().Color(), clWindowText));
  SetBkColor(dc, background);
  if (!brush_ || brush_rgb_ != background) {
    brush_.Reset(CreateSolidBrush(background));
    brush_rgb_ = background;
  }
  m.Result = reinterpret_cast<LRESULT>(brush_.Get());
  return true;
}

void TCustomEdit::WndProc(TMessage& m) {
  // Enter and Esc belong to the form (its key preview acts on them); the box would only beep.
  if (m.Msg == WM_CHAR && (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE)) return;
  TWinControl::WndProc(m);
  if (m.Msg == WM_SETFOCUS && auto_select_ && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
}

// ============================================================================ TLabeledEdit

TLabeledEdit::TLabeledEdit(TComponent* owner) : TCustomEdit(owner), label_(new TLabel(this)) {
  label_->OnResize = [this](TObject*) { PlaceLabel(); };
  label_->SetFocusControl(this);
}

void TLabeledEdit::SetLabelSpacing(int v) {
  if (v == label_spacing_) return;
  label_spacing_ = v;
  PlaceLabel();
}

void TLabeledEdit::SetParent(TWinControl* parent) {
  TCustomEdit::SetParent(parent);
  label_->SetParent(parent);
  PlaceLabel();
}

void TLabeledEdit::BoundsChanged() {
  TCustomEdit::BoundsChanged();
  PlaceLabel();
}

void TLabeledEdit::VisibleChanged() {
  TCustomEdit::VisibleChanged();
  label_->SetVisible(Visible());
}

void TLabeledEdit::EnabledChanged() {
  TCustomEdit::EnabledChanged();
  label_->SetEnabled(Enabled());
}

void TLabeledEdit::PlaceLabel() {
  // The size as it stands: a measure still owed comes with a resize, which places the label again.
  const TControl& label = *label_;
  label_->SetBounds(Left(), Top() - label.Height() - label_spacing_, label.Width(), label.Height());
}
