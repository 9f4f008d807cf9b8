// Placement arithmetic of the oval button's face.
#include "components/ovalbutton/OvalButtonLayout.h"

namespace OvalBtn {

bool PointInEllipse(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  // ((2x + 1 - W) / W)^2 + ((2y + 1 - H) / H)^2 <= 1, multiplied out to stay exact.
  const double dx = 2.0 * x + 1 - width, dy = 2.0 * y + 1 - height;
  const double w = width, h = height;
  return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
}

TRect OutlineRect(int width, int height) { return {0, 0, width - 1, height - 1}; }

TBevelArc BevelArc(int width, int height, int ring, bool upperLeft) {
  const TRect bounds{ring, ring, width - ring - 1, height - ring - 1};
  const TPoint upperRight{4 * (width / 5), height / 5};
  const TPoint lowerLeft{width / 5, 4 * (height / 5)};
  return upperLeft ? TBevelArc{bounds, upperRight, lowerLeft} : TBevelArc{bounds, lowerLeft, upperRight};
}

TBevelPens BevelPens(int bevelState, TColor highlight, TColor shadow) {
  if (bevelState == kBevelSunken) return {true, shadow, highlight};
  if (bevelState == kBevelRaised) return {true, highlight, shadow};
  return {};
}

int GlyphImageIndex(int numGlyphs, bool enabled, int bevelState) {
  if (bevelState == kBevelSunken && numGlyphs > 2) return 2;
  if (!enabled && numGlyphs > 1) return 1;
  return 0;
}

TRect GlyphRect(const TFaceInput& in, int glyphWidth, int glyphHeight) {
  const int W = in.Width, H = in.Height, GW = glyphWidth, GH = glyphHeight;
  const int TW = in.TextWidth, TH = in.TextHeight;
  int left = (W - GW) / 2;
  int top = (H - GH) / 2;
  if (in.HasCaption) {
    switch (in.Layout) {
      case blGlyphLeft: left = (W - (TW + in.Spacing + GW)) / 2 - in.Margin; break;
      case blGlyphRight: left = (TW + in.Spacing + GW + W) / 2 - GW + in.Margin; break;
      case blGlyphTop: top = (H - (TH + GH + in.Spacing)) / 2 - in.Margin; break;
      case blGlyphBottom: top = (TH + GH + in.Spacing + H) / 2 - GH + in.Margin; break;
    }
  }
  return {left, top, left + GW, top + GH};
}

namespace {

// Glyph destination after the pressed shift.
TRect ShiftedGlyphRect(const TFaceInput& in, bool sunken, int GW, int GH) {
  const TRect dest = GlyphRect(in, GW, GH);
  return sunken ? TRect{dest.Left + 1, dest.Top + 1, dest.Right + 1, dest.Bottom + 1} : dest;
}

// The caption's text rectangle, beside the glyph when there is one.
TRect CaptionRect(const TFaceInput& in, bool sunken, bool hasGlyph, int GW, int GH) {
  const int TW = in.TextWidth, TH = in.TextHeight;
  int x = (in.Width - TW) / 2;
  int y = (in.Height - TH) / 2;
  if (hasGlyph) {
    const TRect dest = ShiftedGlyphRect(in, sunken, GW, GH);
    switch (in.Layout) {
      case blGlyphRight: x = dest.Left - TW - in.Spacing; break;
      case blGlyphLeft: x = dest.Left + GW + in.Spacing; break;
      case blGlyphTop: y = dest.Top + GH + in.Spacing; break;
      case blGlyphBottom: y = dest.Top - TH - in.Spacing; break;
    }
  }
  if (sunken) {
    ++x;
    ++y;
  }
  return {x, y, x + TW, y + TH};
}

}  // namespace

TFacePlan PlanFace(const TFaceInput& in) {
  TFacePlan plan;
  const bool sunken = in.BevelState == kBevelSunken;
  int GW = 0, GH = 0;
  if (in.NumGlyphs > 0) {
    plan.HasGlyph = true;
    GW = in.GlyphBitmapWidth / in.NumGlyphs;
    GH = in.GlyphBitmapHeight;
    const int image = GlyphImageIndex(in.NumGlyphs, in.Enabled, in.BevelState);
    plan.Glyph.Source = {image * GW, 0, (image + 1) * GW, GH};
    const TRect dest = ShiftedGlyphRect(in, sunken, GW, GH);
    TPoint* e = plan.Glyph.Erase;
    if (sunken) {
      // The image moved one pixel right and down; paint over the strip it left on the left and top.
      e[0] = {dest.Left - 1, dest.Bottom};
      e[1] = {dest.Left - 1, dest.Top - 1};
      e[2] = {dest.Right, dest.Top - 1};
    } else {
      // Paint over the right and bottom strip the pressed image occupied.
      e[0] = {dest.Right, dest.Top};
      e[1] = {dest.Right, dest.Bottom};
      e[2] = {dest.Left, dest.Bottom};
    }
    plan.Glyph.Dest = dest;
  }
  if (in.HasCaption) {
    plan.HasCaption = true;
    const TRect text = CaptionRect(in, sunken, plan.HasGlyph, GW, GH);
    plan.Caption.Text = text;
    plan.Caption.Clear = sunken ? text : TRect{text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1};
    plan.Caption.Other = CaptionRect(in, !sunken, plan.HasGlyph, GW, GH);
  }
  return plan;
}

}  // namespace OvalBtn
