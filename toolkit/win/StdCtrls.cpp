#include "toolkit/win/StdCtrls.h"

#include <algorithm>

namespace {
// More UTF-8 bytes than a label of this size can show in its font: each line at most one
// character per pixel of its width (four bytes each), twice over.
size_t VisibleTextBound(TCanvas& canvas, const TRect& client) {
  const SelectObjectScope font(canvas.Handle(), canvas.Font.Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(canvas.Handle(), &tm);
  const size_t lines = static_cast<size_t>(std::max(client.Height(), 1) / std::max<int>(tm.tmHeight, 1) + 2);
  return lines * static_cast<size_t>(std::max(client.Width(), 1) + 1) * 4 * 2;
}

// The first bytes of a UTF-8 text, not ending inside a character.
std::string Utf8Prefix(const std::string& text, size_t bytes) {
  while (bytes > 0 && bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  return text.substr(0, bytes);
}
}  // namespace

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
  // A word longer than the line breaks where it reaches the edge instead of passing it.
  if (word_wrap_) f |= DT_WORDBREAK | DT_EDITCONTROL;
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
  // A text far longer than the label can show (a note written from outside) is laid out only as
  // far as it could reach the label's bottom, and from the top: laying out all of it took seconds.
  // A text of a few kilobytes is laid out whole whatever the label, which is quick.
  const std::string& caption = Caption();
  const size_t most = caption.size() > 4096 ? VisibleTextBound(canvas, client) : caption.size();
  const bool cut = caption.size() > most;
  const std::string text = cut ? Utf8Prefix(caption, most) : std::string();
  const std::string& shown = cut ? text : caption;
  if (layout_ != TTextLayout::tlTop && !cut) {
    // Measure first so the block of text can be centred or put at the bottom.
    TRect calc{0, 0, client.Width(), 0};
    canvas.DrawText(shown, calc, flags | DT_CALCRECT);
    const int offset = layout_ == TTextLayout::tlCenter ? (client.Height() - calc.Height()) / 2
                                                         : client.Height() - calc.Height();
    r.Top += offset;
  }
  canvas.DrawText(shown, r, flags);
}
