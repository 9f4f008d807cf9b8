// The oval button's drawing and its wiring to the toolkit.
#include "components/ovalbutton/win/OvalButton.h"

#include "components/ovalbutton/OvalButtonCaption.h"
#include "toolkit/win/System.h"

using namespace OvalBtn;

namespace {

TColor SysColor(int index) { return static_cast<TColor>(GetSysColor(index)); }

TPenSpec SolidPen(TColor color) { return {color, 1, TPenStyle::psSolid}; }
constexpr TPenSpec kNoPen{clBlack, 1, TPenStyle::psClear};

}  // namespace

TOvalButton::TOvalButton(TComponent* owner) : TGraphicControl(owner), state_(*this, SysColor) {
  // Through the setter, so the button keeps its own colour rather than its parent's.
  SetColor(clBtnFace);
  font_.OnChange = [this] { Invalidate(); };
  SetHeight(50);
  SetWidth(100);
  SetTabStop(true);  // a button is reached with Tab and pressed with Space or Enter
}

// Font and Glyph go with the members, then the base.
TOvalButton::~TOvalButton() = default;

// ---------------------------------------------------------------------------- properties

void TOvalButton::SetBevelWidth(TBevelWidth v) {
  if (v == bevel_width_) return;
  bevel_width_ = v;
  Invalidate();
}

void TOvalButton::SetFont(const TFont& font) {
  if (&font == &font_) return;
  font_.Assign(font);  // repaints through OnChange when anything differed
}

void TOvalButton::SetGlyph(const TBitmap& bitmap) {
  glyph_.Assign(bitmap);
  if (!glyph_.Empty()) {
    const COLORREF key = glyph_.PixelAt(0, glyph_.Height() - 1);
    if (key != CLR_INVALID) transparent_color_ = static_cast<TColor>(key);
  }
  Invalidate();
}

void TOvalButton::SetLayout(TButtonLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Invalidate();
}

void TOvalButton::SetMargin(int32_t v) {
  if (v == margin_) return;
  margin_ = v;
  Invalidate();
}

void TOvalButton::SetNumGlyphs(TNumGlyphs v) {
  if (v == num_glyphs_) return;
  num_glyphs_ = v;
  Invalidate();
}

void TOvalButton::SetSpacing(int32_t v) {
  if (v == spacing_) return;
  spacing_ = v;
  Invalidate();
}

void TOvalButton::SetTransparentColor(TColor v) {
  if (v == transparent_color_) return;
  transparent_color_ = v;
  Invalidate();
}

void TOvalButton::ColorChanged() { state_.SetColor(Color()); }

void TOvalButton::EnabledChanged() {
  state_.SetEnabled(Enabled());
  Invalidate();
}

void TOvalButton::CaptionChanged() { state_.CaptionChanged(); }

void TOvalButton::ChangeScale(int newDpi) {
  const int old = Dpi();
  TGraphicControl::ChangeScale(newDpi);
  if (Dpi() == old) return;
  const auto at = [&](int v) { return RescaleForDpi(v, old, newDpi); };
  bevel_width_ = static_cast<TBevelWidth>(at(bevel_width_));
  spacing_ = at(spacing_);
  if (margin_ > 0) margin_ = at(margin_);  // -1: centred
  font_.SetHeight(FontHeightForDpi(FontPointsForDpi(font_.Height(), old), newDpi));  // repaints
}

// ---------------------------------------------------------------------------- hit test

bool TOvalButton::PointInOval(int x, int y) {
  UniqueRegion region(CreateEllipticRgn(0, 0, Width(), Height()));
  return region && PtInRegion(region.Get(), x, y);
}

// ---------------------------------------------------------------------------- drawing

void TOvalButton::Paint(TCanvas& canvas) {
  // After a theme change clBtnFace may be another colour: its bevel follows.
  if (const COLORREF face = ColorToRGB(Color()); face != bevel_face_) {
    state_.DeriveBevelColors();
    bevel_face_ = face;
  }
  canvas.Font.Assign(font_);
  // A high-contrast theme gives the outline and the caption the colour of a button's text.
  const bool contrast = Sys().HighContrast();
  if (contrast && !IsSystemColor(font_.Color())) canvas.Font.SetColor(clBtnText);
  canvas.Brush = Transparent() ? TBrushSpec{Color(), TBrushStyle::bsClear} : TBrushSpec{Color(), TBrushStyle::bsSolid};
  canvas.Pen = Flat() ? kNoPen : SolidPen(contrast ? clBtnText : clBlack);
  if (default_) canvas.Pen.Width = 2;  // the dialog's default button has the heavier frame
  const TRect outline = OutlineRect(Width(), Height());
  canvas.Ellipse(outline.Left, outline.Top, outline.Right, outline.Bottom);
  DrawFace(canvas);
}

void TOvalButton::DrawBevel(TCanvas& canvas) {
  const TBevelPens pens = BevelPens(BevelState(), HighlightColor(), ShadowColor());
  for (int half = 0; half < 2; ++half) {
    const bool upperLeft = half == 0;
    canvas.Pen = pens.Visible ? SolidPen(upperLeft ? pens.UpperLeft : pens.LowerRight) : kNoPen;
    for (int ring = 1; ring <= bevel_width_; ++ring) {
      const TBevelArc a = BevelArc(Width(), Height(), ring, upperLeft);
      canvas.Arc(a.Bounds.Left, a.Bounds.Top, a.Bounds.Right, a.Bounds.Bottom, a.Start.X, a.Start.Y, a.End.X,
                 a.End.Y);
    }
  }
  canvas.Pen.Style = TPenStyle::psSolid;
}

void TOvalButton::DrawFace(TCanvas& canvas) {
  DrawBevel(canvas);
  const std::string& caption = Caption();
  const bool transparent = Transparent();
  const TBrushSpec faceBrush{Color(), transparent ? TBrushStyle::bsClear : TBrushStyle::bsSolid};

  TFaceInput in;
  in.Width = Width();
  in.Height = Height();
  in.BevelState = BevelState();
  in.Enabled = Enabled();
  in.NumGlyphs = num_glyphs_;
  in.GlyphBitmapWidth = glyph_.Width();
  in.GlyphBitmapHeight = glyph_.Height();
  in.HasCaption = !caption.empty();
  if (in.HasCaption) {
    // The whole caption, ampersands included, as the placement expects.
    const SIZE text = canvas.TextExtent(caption);
    in.TextWidth = text.cx;
    in.TextHeight = text.cy;
  }
  in.Layout = layout_;
  in.Spacing = spacing_;
  in.Margin = margin_;
  const TFacePlan plan = PlanFace(in);

  if (plan.HasCaption) {
    // Drawn over the other state's face, the caption would otherwise leave an edge of itself
    // behind; the glyph and this state's caption then draw over what overlaps.
    canvas.Brush = faceBrush;
    canvas.FillRect(plan.Caption.Other);
  }

  if (plan.HasGlyph) {
    // Paint over the strip the image occupied in the other state, then the image.
    const TGlyphPlan& g = plan.Glyph;
    canvas.Pen = transparent ? kNoPen : SolidPen(Color());
    canvas.MoveTo(g.Erase[0].X, g.Erase[0].Y);
    canvas.LineTo(g.Erase[1].X, g.Erase[1].Y);
    canvas.LineTo(g.Erase[2].X, g.Erase[2].Y);
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Brush = faceBrush;
    canvas.BrushCopy(g.Dest, glyph_, g.Source, transparent_color_);
  }

  if (plan.HasCaption) {
    canvas.Brush = faceBrush;
    canvas.FillRect(plan.Caption.Clear);
    if (!Enabled()) canvas.Font.SetColor(clGrayText);  // the next paint takes Font's colour again
    TRect r = plan.Caption.Text;
    canvas.DrawText(caption, r, DT_SINGLELINE);
  }
}

template <typename Draw>
void TOvalButton::DrawNow(Draw draw) {
  TWinControl* parent = Parent();
  if (!parent || !Showing() || !parent->HandleAllocated()) return;
  WindowDC dc(parent->Handle());
  if (!dc.Get()) return;
  // The same coordinates and clipping as the parent's paint gives this control.
  SetViewportOrgEx(dc.Get(), Left(), Top(), nullptr);
  IntersectClipRect(dc.Get(), 0, 0, Width(), Height());
  TCanvas canvas(dc.Get());
  canvas.Font.Assign(font_);
  draw(canvas);
}

// ---------------------------------------------------------------------------- state machine host

void TOvalButton::RedrawFace() {
  DrawNow([this](TCanvas& c) { DrawFace(c); });
}

void TOvalButton::RedrawBevel() {
  DrawNow([this](TCanvas& c) { DrawBevel(c); });
}

void TOvalButton::RepaintLater() { Invalidate(); }

// The events themselves are fired by the base control's own steps.
void TOvalButton::FireMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TOvalButton::FireMouseMove(TShiftState shift, int x, int y) { TGraphicControl::MouseMove(shift, x, y); }

void TOvalButton::FireMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TOvalButton::FireClick() { TGraphicControl::Click(); }

void TOvalButton::FireDblClick() { TGraphicControl::DblClick(); }

void TOvalButton::FireMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TOvalButton::FireMouseExit() {
  if (OnMouseExit) OnMouseExit(this);
}

// ---------------------------------------------------------------------------- toolkit steps

// The base steps only fire the events, which the state machine fires itself when they apply;
// calling them as well would fire OnClick for a click outside the ellipse.
void TOvalButton::Click() { state_.Click(); }

void TOvalButton::PerformClick() {
  if (Enabled()) TGraphicControl::Click();
}

void TOvalButton::DblClick() { state_.DblClick(); }

void TOvalButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  state_.Press(button, shift, x, y);
}

void TOvalButton::MouseMove(TShiftState shift, int x, int y) { state_.Move(shift, x, y); }

void TOvalButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  state_.Release(button, shift, x, y);
}

// The base's entering step only fires OnMouseEnter, which Enter fires once.
void TOvalButton::MouseEnter() { state_.Enter(); }

void TOvalButton::MouseLeave() {
  TGraphicControl::MouseLeave();  // OnMouseLeave, for whoever set the base's event
  state_.Leave();
}

bool TOvalButton::DialogChar(wchar_t c) {
  if (state_.DialogChar(static_cast<unsigned>(c), Caption())) return true;
  return TGraphicControl::DialogChar(c);
}

void TOvalButton::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  Invalidate();
}

TAccessibleState TOvalButton::AccessibleState() const {
  TAccessibleState state = TGraphicControl::AccessibleState();
  state.Pressed = Down();
  state.Default = default_;
  return state;
}
