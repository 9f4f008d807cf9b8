// TCharLed: one seven-segment LED character with two colon dots, drawn windowless on its
// parent's surface. Only lit segments are drawn; the outlines come from LedDrawing.
#pragma once
#include "components/ledclock/LedGeometry.h"
#include "components/ledclock/LedSegments.h"
#include "toolkit/win/Controls.h"

class TCharLed : public TGraphicControl {
 public:
  // A new cell is 33 x 49 and shows 8 in lime with a black 2-pixel outline, transparent.
  explicit TCharLed(TComponent* owner);

  // Every setter compares first: writing the value already held repaints nothing, which is
  // what lets the clock write all its cells on every tick.
  TLeds Leds() const { return leds_; }
  void SetLeds(TLeds leds);
  // Derived from Leds: a pattern outside the table reads as chBlank.
  TChar Char() const { return LedsToChar(leds_); }
  // A code outside 0..12 is written as chBlank.
  void SetChar(TChar code);
  int CharWidth() const { return char_width_; }
  void SetCharWidth(int v);
  int CharHeight() const { return char_height_; }
  void SetCharHeight(int v);
  TColor CharColor() const { return char_color_; }
  void SetCharColor(TColor c);
  TColor BorderColor() const { return border_color_; }
  void SetBorderColor(TColor c);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int v);  // 0 or less is stored as 1
  // When false the cell fills the area being painted with Color before drawing its segments.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);

  void Paint(TCanvas& canvas) override;
  // Strokes and outline scale with the cell, in proportion to their 96 DPI values.
  void ChangeScale(int newDpi) override;

 private:
  template <typename T>
  void Change(T& field, T value);

  TLeds leds_;
  int char_width_ = 0;
  int char_height_ = 0;
  TColor char_color_ = clBlack;
  TColor border_color_ = clBlack;
  int border_width_ = 1;
  TLedStrokes design_;  // the strokes as set, at 96 DPI: each scale is made from these
  bool transparent_ = false;
};
