#include "toolkit/win/StdCtrls.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TCustomLabel::SetAutoSize(bool v) {
  if (v == auto_size_) return;
  auto_size_ = v;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout l) {
  if (l == layout_) return;
  layout_ = l;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == word_wrap_) return;
  word_wrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (v == show_accel_char_) return;
  show_accel_char_ = v;
  AdjustBounds();
  Invalidate();
}

UINT TCustomLabel::TextFlags() const {
  UINT f = DT_EXPANDTABS;
  if (word_wrap_) f |= DT_WORDBREAK;
  if (!show_accel_char_) f |= DT_NOPREFIX;
  if (alignment_ == TAlignment::taCenter) f |= DT_CENTER;
  if (alignment_ == TAlignment::taRightJustify) f |= DT_RIGHT;
  return f;
}

void TCustomLabel::CaptionChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (!auto_size_ || IsLoading()) return;
  size_owed_ = true;
  if (parent_ && parent_->HandleAllocated()) Measure();
}

const TCustomLabel& TCustomLabel::Settled() const {
  if (size_owed_) const_cast<TCustomLabel*>(this)->Measure();
  return *this;
}

void TCustomLabel::Measure() {
  size_owed_ = false;
  if (!auto_size_) return;
  const WindowDC screen(nullptr);
  TCanvas canvas(screen.Get());
  canvas.Font.Assign(Font());
  TRect r{0, 0, word_wrap_ ? width_ : 0, 0};
  std::string text = Caption().empty() ? " " : Caption();
  canvas.DrawText(text, r, TextFlags() | DT_CALCRECT);
  int left = left_;
  if (!word_wrap_ && alignment_ == TAlignment::taRightJustify) left += width_ - r.Width();
  if (!word_wrap_ && alignment_ == TAlignment::taCenter) left += (width_ - r.Width()) / 2;
  TGraphicControl::SetBounds(left, top_, r.Width(), r.Height());
}

void TCustomLabel::SetBounds(int left, int top, int width, int height) {
  // A size given outright replaces the one owed, as it would have replaced the measured one.
  if (width != width_ || height != height_) size_owed_ = false;
  TGraphicControl::SetBounds(left, top, width, height);
}

void TCustomLabel::SetParent(TWinControl* parent) {
  TGraphicControl::SetParent(parent);
  if (parent && parent->HandleAllocated()) Settled();
}

TAccessibleText TCustomLabel::AccessibleName() const {
  return AccessibleTextOf(Caption(), Hint(), show_accel_char_);
}

void TCustomLabel::Paint(TCanvas& canvas) {
  const TRect client = ClientRect();
  if (!transparent_) {
    canvas.Brush.Color = Color();
    canvas.FillRect(client);
  }
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.Assign(Font());
  if (!Enabled()) canvas.Font.SetColor(clGrayText);
  TRect r = client;
  const UINT flags = TextFlags();
  if (layout_ != TTextLayout::tlTop) {
    // Measure first so the block of text can be centred or put at the bottom.
    TRect calc{0, 0, client.Width(), 0};
    canvas.DrawText(Caption(), calc, flags | DT_CALCRECT);
    const int offset = layout_ == TTextLayout::tlCenter ? (client.Height() - calc.Height()) / 2
                                                         : client.Height() - calc.Height();
    r.Top += offset;
  }
  canvas.DrawText(Caption(), r, flags);
}
