#include "toolkit/win/ExtCtrls.h"

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) {
  SetParentColor(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelOuter(TBevelCut b) {
  if (b == bevel_outer_) return;
  bevel_outer_ = b;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut b) {
  if (b == bevel_inner_) return;
  bevel_inner_ = b;
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int w) {
  if (w == bevel_width_) return;
  bevel_width_ = w;
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TPanelBorderStyle s) {
  if (s == border_style_) return;
  border_style_ = s;
  if (HandleAllocated()) {
    const LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
    SetWindowLongW(hwnd_, GWL_STYLE, s == TPanelBorderStyle::bsSingle ? (style | WS_BORDER) : (style & ~WS_BORDER));
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  }
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Invalidate();
}

TAccessibleRole TCustomPanel::AccessibleRole() const {
  return Caption().empty() ? TAccessibleRole::Grouping : TAccessibleRole::Client;
}

void TCustomPanel::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  if (border_style_ == TPanelBorderStyle::bsSingle) p.Style |= WS_BORDER;
}

TRect TCustomPanel::InnerRect() const {
  TRect r = ClientRect();
  const int n = (bevel_outer_ != TBevelCut::bvNone ? bevel_width_ : 0) +
                (bevel_inner_ != TBevelCut::bvNone ? bevel_width_ : 0);
  return {r.Left + n, r.Top + n, r.Right - n, r.Bottom - n};
}

namespace {
void Frame3D(TCanvas& c, TRect& r, TColor top_left, TColor bottom_right, int width) {
  for (int i = 0; i < width; ++i) {
    c.Pen.Color = top_left;
    c.MoveTo(r.Left, r.Bottom - 1);
    c.LineTo(r.Left, r.Top);
    c.LineTo(r.Right - 1, r.Top);
    c.Pen.Color = bottom_right;
    c.LineTo(r.Right - 1, r.Bottom - 1);
    c.LineTo(r.Left - 1, r.Bottom - 1);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
}
}  // namespace

void TCustomPanel::PaintWindow(TCanvas& canvas) {
  TRect r = ClientRect();
  canvas.Brush.Color = Color();
  canvas.FillRect(r);
  canvas.Pen.Width = 1;
  canvas.Pen.Style = TPenStyle::psSolid;
  auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    if (cut == TBevelCut::bvSpace) {
      r = {r.Left + bevel_width_, r.Top + bevel_width_, r.Right - bevel_width_, r.Bottom - bevel_width_};
      return;
    }
    const bool raised = cut == TBevelCut::bvRaised;
    Frame3D(canvas, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevel_width_);
  };
  bevel(bevel_outer_);
  bevel(bevel_inner_);
  // Blanks leave no mark unless underlined or struck out (the clock's caption is a blank, and
  // it repaints twice a second).
  const bool marks = Caption().find_first_not_of(" \t") != std::string::npos ||
                     (!Caption().empty() && (Font().Style() & (fsUnderline | fsStrikeOut)));
  if (marks) {
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.Assign(Font());
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
    if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
    canvas.DrawText(Caption(), r, flags);
  }
}
