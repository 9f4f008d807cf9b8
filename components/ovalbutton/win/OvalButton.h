// TOvalButton: a windowless push or toggle button drawn as an ellipse filling its rectangle, with
// bevel rings, an optional glyph and a one-line caption. Only points inside the ellipse are on the
// button. Layout and mouse behaviour are the portable OvalButtonLayout / OvalButtonState; this
// control draws what they plan and routes the toolkit's mouse and key steps to them.
#pragma once
#include <windows.h>

#include <cstdint>

#include "components/ovalbutton/OvalButtonLayout.h"
#include "components/ovalbutton/OvalButtonState.h"
#include "toolkit/win/Controls.h"

using TBevelWidth = uint8_t;  // declared 1..10; 0 (no rings) until a form sets it
using TNumGlyphs = uint8_t;   // 0..4; 0: no glyph is drawn

class TOvalButton : public TGraphicControl, private OvalBtn::TOvalButtonHost {
 public:
  // 100 x 50, raised, Color clBtnFace, Spacing 4, Layout blGlyphBottom, no rings, no glyph.
  explicit TOvalButton(TComponent* owner);
  ~TOvalButton() override;

  TBevelWidth BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(TBevelWidth v);
  // Color / SetColor are the base class's; a change derives the bevel colours.
  TColor HighlightColor() const { return state_.HighlightColor(); }
  TColor ShadowColor() const { return state_.ShadowColor(); }
  bool Down() const { return state_.Down(); }
  void SetDown(bool v) { state_.SetDown(v); }
  bool Flat() const { return state_.Flat(); }
  void SetFlat(bool v) { state_.SetFlat(v); }
  // The button's own font, not the parent's: the caption is drawn in it.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);  // copies the attributes; the own object is a no-op
  // Images side by side: 0 normal, 1 disabled, 2 pressed.
  const TBitmap& Glyph() const { return glyph_; }
  // Copies the bitmap; TransparentColor becomes its bottom-left pixel. Forms set NumGlyphs.
  void SetGlyph(const TBitmap& bitmap);
  int32_t GroupIndex() const { return state_.GroupIndex(); }
  void SetGroupIndex(int32_t v) { state_.SetGroupIndex(v); }
  OvalBtn::TButtonLayout Layout() const { return layout_; }
  void SetLayout(OvalBtn::TButtonLayout v);
  int32_t Margin() const { return margin_; }
  void SetMargin(int32_t v);
  TNumGlyphs NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(TNumGlyphs v);
  int32_t Spacing() const { return spacing_; }
  void SetSpacing(int32_t v);
  bool Transparent() const { return state_.Transparent(); }
  void SetTransparent(bool v) { state_.SetTransparent(v); }
  TColor TransparentColor() const { return transparent_color_; }
  void SetTransparentColor(TColor v);
  // The dialog's default button, the one Enter presses: drawn with a heavier frame and read as
  // the default.
  bool Default() const { return default_; }
  void SetDefault(bool v);

  // +1 raised, -1 sunken, 0 no bevel.
  int BevelState() const { return state_.BevelState(); }
  bool MouseInside() const { return state_.MouseInside(); }
  bool MousePressed() const { return state_.MousePressed(); }

  // Through the platform's elliptic region over (0, 0, Width, Height): one pixel wider and taller
  // than the drawn outline.
  bool PointInOval(int x, int y) override;

  void Paint(TCanvas& canvas) override;
  // The caption's font by its point size, the bevel rings, the glyph's spacing and margin.
  void ChangeScale(int newDpi) override;
  // Bevel, glyph and caption over the existing face (the ellipse is not filled again).
  void DrawFace(TCanvas& canvas);
  void DrawBevel(TCanvas& canvas);

  // OnClick, OnDblClick, OnMouseDown/Up/Move and OnMouseEnter are the base class's.
  TNotifyEvent OnMouseExit;

  void Click() override;
  void DblClick() override;
  // The click notification wherever the pointer is (a click of the mouse counts inside the oval only).
  void PerformClick() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  bool DialogChar(wchar_t c) override;
  // A push button, pressed while it is down, with or without a click handler.
  TAccessibleRole AccessibleRole() const override { return TAccessibleRole::PushButton; }
  TAccessibleState AccessibleState() const override;

 protected:
  void CaptionChanged() override;
  void EnabledChanged() override;
  void ColorChanged() override;

 private:
  // What the state machine asks of the control.
  void RedrawFace() override;
  void RedrawBevel() override;
  void RepaintLater() override;
  void FireMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void FireMouseMove(TShiftState shift, int x, int y) override;
  void FireMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void FireClick() override;
  void FireDblClick() override;
  void FireMouseEnter() override;
  void FireMouseExit() override;

  // Draws now on the parent window's surface, clipped to this control; the parent's next paint
  // draws the same picture.
  template <typename Draw>
  void DrawNow(Draw draw);

  TFont font_;    // owned
  TBitmap glyph_; // owned
  OvalBtn::TOvalButtonState state_;
  TBevelWidth bevel_width_ = 0;
  OvalBtn::TButtonLayout layout_ = OvalBtn::blGlyphBottom;
  int32_t margin_ = 0;
  TNumGlyphs num_glyphs_ = 0;
  int32_t spacing_ = 4;
  TColor transparent_color_ = clBlack;
  COLORREF bevel_face_ = CLR_INVALID;  // the face's colour the bevel was derived from
  bool default_ = false;
};
