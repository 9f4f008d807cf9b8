#include "toolkit/win/Buttons.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::SetGlyph(const TBitmap& glyph) {
  glyph_.Assign(glyph);
  Invalidate();
}

bool TSpeedButton::LoadGlyph(const std::wstring& resourceName) {
  if (!glyph_.Load(resourceName, Dpi())) return false;
  Invalidate();
  return true;
}

void TSpeedButton::ChangeScale(int newDpi) {
  TGraphicControl::ChangeScale(newDpi);
  if (glyph_.Rescale(Dpi())) Invalidate();
}

void TSpeedButton::SetNumGlyphs(int n) {
  if (n < 1) n = 1;
  if (n == num_glyphs_) return;
  num_glyphs_ = n;
  Invalidate();
}

void TSpeedButton::SetFlat(bool v) {
  if (v == flat_) return;
  flat_ = v;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int v) {
  if (v == group_index_) return;
  group_index_ = v;
  if (v == 0) SetDown(false);
}

void TSpeedButton::SetAllowAllUp(bool v) {
  allow_all_up_ = v;
  // Every button of the group shares the switch.
  if (group_index_ == 0 || !parent_) return;
  for (TControl* c : parent_->Controls()) {
    auto* b = dynamic_cast<TSpeedButton*>(c);
    if (b && b != this && b->group_index_ == group_index_) b->allow_all_up_ = v;
  }
}

void TSpeedButton::SetDown(bool v) {
  if (group_index_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allow_all_up_) return;  // the group's one down button stays down
  down_ = v;
  if (down_ && parent_) {
    for (TControl* c : parent_->Controls()) {
      auto* b = dynamic_cast<TSpeedButton*>(c);
      if (b && b != this && b->group_index_ == group_index_ && b->down_) {
        b->down_ = false;
        b->Invalidate();
        if (AccessibilityHooks().StateChanged) AccessibilityHooks().StateChanged(*b);
      }
    }
  }
  Invalidate();
  if (AccessibilityHooks().StateChanged) AccessibilityHooks().StateChanged(*this);  // a toggle is heard
}

TAccessibleState TSpeedButton::AccessibleState() const {
  TAccessibleState state = TGraphicControl::AccessibleState();
  state.Pressed = down_;
  return state;
}

void TSpeedButton::Click() {
  if (group_index_ != 0) {
    if (!down_) SetDown(true);
    else if (allow_all_up_) SetDown(false);
  }
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) {
    held_ = true;
    over_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (held_) {
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (inside != over_) {
      over_ = inside;
      Invalidate();
    }
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && held_) {
    held_ = false;
    // Still over it only if the pointer never left meanwhile (the click may have run a dialog).
    over_ = over_ && x >= 0 && y >= 0 && x < Width() && y < Height();
    Invalidate();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter() {
  if (!over_) {
    over_ = true;
    if (Enabled()) Invalidate();
  }
  TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
  // Held or not: a click that opened a dialog or a menu took the pointer away.
  if (over_) {
    over_ = false;
    Invalidate();
  }
  TGraphicControl::MouseLeave();
}

void TSpeedButton::PaintFrame(TCanvas& c, bool sunken) {
  const TColor light = sunken ? clBtnShadow : clBtnHighlight;
  const TColor dark = sunken ? clBtnHighlight : clBtnShadow;
  c.Pen = TPenSpec{light, 1, TPenStyle::psSolid};
  c.MoveTo(0, Height() - 1);
  c.LineTo(0, 0);
  c.LineTo(Width() - 1, 0);
  c.Pen.Color = dark;
  c.LineTo(Width() - 1, Height() - 1);
  c.LineTo(-1, Height() - 1);
}

void TSpeedButton::Paint(TCanvas& canvas) {
  const bool pressed = Pressed();
  const bool hot = over_ && Enabled();
  if (!flat_) {
    canvas.Brush = TBrushSpec{clBtnFace, TBrushStyle::bsSolid};
    canvas.FillRect(ClientRect());
    PaintFrame(canvas, pressed);
  } else {
    if (down_ && !held_) {
      // A flat button that sticks down shows a lighter face so its state reads at a glance.
      canvas.Brush = TBrushSpec{clBtnHighlight, TBrushStyle::bsSolid};
      canvas.FillRect({1, 1, Width() - 1, Height() - 1});
    }
    if (pressed) PaintFrame(canvas, true);
    else if (hot) PaintFrame(canvas, false);
  }
  const int offset = pressed ? 1 : 0;
  if (!glyph_.Empty()) {
    const int w = glyph_.Width() / num_glyphs_;
    const int h = glyph_.Height();
    const int index = (!Enabled() && num_glyphs_ > 1) ? 1 : 0;
    const int x = (Width() - w) / 2 + offset;
    const int y = (Height() - h) / 2 + offset;
    const TColor key = glyph_.PixelAt(0, h - 1);
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.BrushCopy(Bounds(x, y, w, h), glyph_, Bounds(index * w, 0, w, h), key);
  } else if (!Caption().empty()) {
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.Assign(Font());
    if (!Enabled()) canvas.Font.SetColor(clGrayText);
    TRect r{offset, offset, Width() + offset, Height() + offset};
    canvas.DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}
