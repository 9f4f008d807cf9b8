// Placement of the oval button's bevel, glyph and caption, its hit test and its caption's
// ampersand convention.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "components/ovalbutton/OvalButtonCaption.h"
#include "components/ovalbutton/OvalButtonLayout.h"

namespace OvalBtn {
namespace {

// A 100 x 50 button with one 16 x 16 glyph and a 30 x 13 caption.
TFaceInput Face(TButtonLayout layout, int margin = 0, int bevelState = kBevelRaised) {
  TFaceInput in;
  in.Width = 100;
  in.Height = 50;
  in.NumGlyphs = 1;
  in.GlyphBitmapWidth = 16;
  in.GlyphBitmapHeight = 16;
  in.HasCaption = true;
  in.TextWidth = 30;
  in.TextHeight = 13;
  in.Layout = layout;
  in.Margin = margin;
  in.BevelState = bevelState;
  return in;
}

struct PlacementRow {
  TButtonLayout layout;
  int margin;
  int bevelState;
  TRect glyph;    // after the pressed shift
  TPoint caption;  // top-left of the caption text
};

std::ostream& operator<<(std::ostream& os, const PlacementRow& r) {
  return os << "layout " << int(r.layout) << " margin " << r.margin << " bevel " << r.bevelState;
}

class Placement : public testing::TestWithParam<PlacementRow> {};

TEST_P(Placement, GlyphAndCaptionFollowTheLayoutTables) {
  const PlacementRow& row = GetParam();
  const TFacePlan plan = PlanFace(Face(row.layout, row.margin, row.bevelState));
  ASSERT_TRUE(plan.HasGlyph);
  ASSERT_TRUE(plan.HasCaption);
  EXPECT_EQ(plan.Glyph.Dest, row.glyph);
  EXPECT_EQ(plan.Caption.Text, Bounds(row.caption.X, row.caption.Y, 30, 13));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, Placement,
    testing::Values(
        // Bottom: top = (13 + 16 + 4 + 50) / 2 - 16 = 25; caption above it at 25 - 13 - 4.
        PlacementRow{blGlyphBottom, 0, kBevelRaised, Bounds(42, 25, 16, 16), {35, 8}},
        PlacementRow{blGlyphLeft, 0, kBevelRaised, Bounds(25, 17, 16, 16), {45, 18}},
        PlacementRow{blGlyphRight, 0, kBevelRaised, Bounds(59, 17, 16, 16), {25, 18}},
        PlacementRow{blGlyphTop, 0, kBevelRaised, Bounds(42, 8, 16, 16), {35, 28}},
        // The margin pushes the block toward the glyph's side.
        PlacementRow{blGlyphBottom, 3, kBevelRaised, Bounds(42, 28, 16, 16), {35, 11}},
        PlacementRow{blGlyphLeft, 3, kBevelRaised, Bounds(22, 17, 16, 16), {42, 18}},
        PlacementRow{blGlyphRight, 3, kBevelRaised, Bounds(62, 17, 16, 16), {28, 18}},
        PlacementRow{blGlyphTop, 3, kBevelRaised, Bounds(42, 5, 16, 16), {35, 25}},
        // Pressed: the glyph moves one pixel right and down, the caption beside it two along
        // the layout's axis and one across it.
        PlacementRow{blGlyphBottom, 0, kBevelSunken, Bounds(43, 26, 16, 16), {36, 10}},
        PlacementRow{blGlyphLeft, 0, kBevelSunken, Bounds(26, 18, 16, 16), {47, 19}},
        PlacementRow{blGlyphRight, 0, kBevelSunken, Bounds(60, 18, 16, 16), {27, 19}},
        PlacementRow{blGlyphTop, 0, kBevelSunken, Bounds(43, 9, 16, 16), {36, 30}}));

TEST(FacePlan, WithoutCaptionTheGlyphIsCentredWhateverTheLayout) {
  for (TButtonLayout layout : {blGlyphBottom, blGlyphLeft, blGlyphRight, blGlyphTop}) {
    TFaceInput in = Face(layout, 5);
    in.HasCaption = false;
    const TFacePlan plan = PlanFace(in);
    EXPECT_EQ(plan.Glyph.Dest, Bounds(42, 17, 16, 16)) << int(layout);
    EXPECT_FALSE(plan.HasCaption);
  }
}

TEST(FacePlan, WithoutGlyphTheCaptionIsCentredAndMovesOneWhenPressed) {
  TFaceInput in = Face(blGlyphLeft, 5);
  in.NumGlyphs = 0;
  TFacePlan plan = PlanFace(in);
  EXPECT_FALSE(plan.HasGlyph);
  EXPECT_EQ(plan.Caption.Text, Bounds(35, 18, 30, 13));
  EXPECT_EQ(plan.Caption.Clear, Bounds(36, 19, 30, 13));  // where the pressed caption stood
  in.BevelState = kBevelSunken;
  plan = PlanFace(in);
  EXPECT_EQ(plan.Caption.Text, Bounds(36, 19, 30, 13));
  EXPECT_EQ(plan.Caption.Clear, plan.Caption.Text);
}

// Regression: pressing a button with a glyph left the raised caption's top rows on screen until
// the next paint (the caption moves two pixels, the pressed clearing covers one).
TEST(FacePlan, OtherStatesCaptionIsWhereThatStateDrawsIt) {
  for (TButtonLayout layout : {blGlyphBottom, blGlyphLeft, blGlyphRight, blGlyphTop}) {
    const TFacePlan up = PlanFace(Face(layout)), down = PlanFace(Face(layout, 0, kBevelSunken));
    EXPECT_EQ(up.Caption.Other, down.Caption.Text) << int(layout);
    EXPECT_EQ(down.Caption.Other, up.Caption.Text) << int(layout);
  }
  TFaceInput flat = Face(blGlyphTop, 0, kBevelNone);
  EXPECT_EQ(PlanFace(flat).Caption.Other, PlanFace(Face(blGlyphTop, 0, kBevelSunken)).Caption.Text);
}

TEST(FacePlan, ErasingLineCoversTheStripTheOtherStateOccupied) {
  TFacePlan up = PlanFace(Face(blGlyphBottom));
  EXPECT_EQ(up.Glyph.Erase[0], (TPoint{58, 25}));
  EXPECT_EQ(up.Glyph.Erase[1], (TPoint{58, 41}));
  EXPECT_EQ(up.Glyph.Erase[2], (TPoint{42, 41}));
  TFacePlan down = PlanFace(Face(blGlyphBottom, 0, kBevelSunken));
  EXPECT_EQ(down.Glyph.Erase[0], (TPoint{42, 42}));
  EXPECT_EQ(down.Glyph.Erase[1], (TPoint{42, 25}));
  EXPECT_EQ(down.Glyph.Erase[2], (TPoint{59, 25}));
}

TEST(FacePlan, HalvingTruncatesTowardZeroWhenTheGlyphIsWiderThanTheButton) {
  TFaceInput in = Face(blGlyphBottom);
  in.Width = 10;
  in.Height = 11;
  in.HasCaption = false;
  in.GlyphBitmapWidth = 15;
  in.GlyphBitmapHeight = 14;
  EXPECT_EQ(PlanFace(in).Glyph.Dest, Bounds(-2, -1, 15, 14));  // -5 / 2 and -3 / 2
}

struct ImageRow {
  int numGlyphs;
  bool enabled;
  int bevelState;
  int image;
};

TEST(FacePlan, SourceImageByEnabledAndPressed) {
  const ImageRow rows[] = {
      {1, true, kBevelRaised, 0},  {1, false, kBevelRaised, 0}, {2, false, kBevelRaised, 1},
      {2, true, kBevelSunken, 0},  {3, true, kBevelSunken, 2},  {3, false, kBevelSunken, 2},
      {4, false, kBevelNone, 1},   {4, true, kBevelRaised, 0},
  };
  for (const ImageRow& r : rows) {
    TFaceInput in = Face(blGlyphLeft, 0, r.bevelState);
    in.NumGlyphs = r.numGlyphs;
    in.GlyphBitmapWidth = 16 * r.numGlyphs;
    in.Enabled = r.enabled;
    EXPECT_EQ(PlanFace(in).Glyph.Source, Bounds(16 * r.image, 0, 16, 16))
        << r.numGlyphs << " " << r.enabled << " " << r.bevelState;
  }
}

TEST(Bevel, RingsShrinkByOneAndShareTheTwoRays) {
  // 65 x 31: rays toward (52, 6) and (13, 24).
  EXPECT_EQ(BevelArc(65, 31, 1, true), (TBevelArc{{1, 1, 63, 29}, {52, 6}, {13, 24}}));
  EXPECT_EQ(BevelArc(65, 31, 3, true), (TBevelArc{{3, 3, 61, 27}, {52, 6}, {13, 24}}));
  EXPECT_EQ(BevelArc(65, 31, 2, false), (TBevelArc{{2, 2, 62, 28}, {13, 24}, {52, 6}}));
  EXPECT_EQ(OutlineRect(65, 31), (TRect{0, 0, 64, 30}));
}

TEST(Bevel, PensSwapWhenSunkenAndVanishWithoutBevel) {
  const TColor hi = RGBColor(233, 231, 227), lo = RGBColor(139, 129, 108);
  TBevelPens p = BevelPens(kBevelRaised, hi, lo);
  EXPECT_TRUE(p.Visible);
  EXPECT_EQ(p.UpperLeft, hi);
  EXPECT_EQ(p.LowerRight, lo);
  p = BevelPens(kBevelSunken, hi, lo);
  EXPECT_TRUE(p.Visible);
  EXPECT_EQ(p.UpperLeft, lo);
  EXPECT_EQ(p.LowerRight, hi);
  EXPECT_FALSE(BevelPens(kBevelNone, hi, lo).Visible);
}

TEST(HitTest, PixelCentresOfTheInscribedEllipse) {
  EXPECT_TRUE(PointInEllipse(50, 25, 100, 50));
  for (TPoint corner : {TPoint{0, 0}, TPoint{99, 0}, TPoint{0, 49}, TPoint{99, 49}, TPoint{5, 5}})
    EXPECT_FALSE(PointInEllipse(corner.X, corner.Y, 100, 50)) << corner.X << "," << corner.Y;
  // The ends of the axes are inside, one step beyond is not.
  EXPECT_TRUE(PointInEllipse(0, 15, 65, 31));
  EXPECT_TRUE(PointInEllipse(64, 15, 65, 31));
  EXPECT_FALSE(PointInEllipse(65, 15, 65, 31));
  EXPECT_FALSE(PointInEllipse(-1, 15, 65, 31));
  EXPECT_FALSE(PointInEllipse(0, 0, 0, 10));
  // Symmetric, and covering about pi / 4 of the rectangle.
  int count = 0;
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 65; ++x) {
      const bool in = PointInEllipse(x, y, 65, 31);
      count += in;
      ASSERT_EQ(in, PointInEllipse(64 - x, y, 65, 31));
      ASSERT_EQ(in, PointInEllipse(x, 30 - y, 65, 31));
    }
  EXPECT_NEAR(count, std::acos(-1.0) / 4 * 65 * 31, 65 + 31);
}

struct AccelRow {
  const char* caption;
  unsigned code;
  bool accel;
};

TEST(Accelerator, FirstAmpersandDecides) {
  const AccelRow rows[] = {
      {"&Close", 'c', true},      {"&Close", 'C', true},      {"&Close", 'l', false},
      {"Stick &it", 'I', true},   {"Close&", 'c', false},     {"Close&", '&', false},
      {"", 'c', false},           {"Cancel", 'c', false},     {"A&b&c", 'c', false},
      {"&&Go", '&', true},        {"&1", '1', true},          {"&C", 0x0143, true},  // low byte
      {"&\xC3\xA9t\xC3\xA9", 0xE9, true},  // e-acute: the character, not its first UTF-8 byte
      {"&\xC3\xA9t\xC3\xA9", 0xC9, false},  // only a..z are upper-cased
  };
  for (const AccelRow& r : rows) EXPECT_EQ(IsAccelChar(r.code, r.caption), r.accel) << r.caption << " " << r.code;
}

TEST(Accelerator, DisplayDropsTheAmpersandAndUnderlinesTheNextCharacter) {
  EXPECT_EQ(CaptionDisplay("&Close"), (TCaptionDisplay{"Close", 0}));
  EXPECT_EQ(CaptionDisplay("Stick &it"), (TCaptionDisplay{"Stick it", 6}));
  EXPECT_EQ(CaptionDisplay("Save && &Quit"), (TCaptionDisplay{"Save & Quit", 7}));
  EXPECT_EQ(CaptionDisplay("&a&b"), (TCaptionDisplay{"ab", 0}));
  EXPECT_EQ(CaptionDisplay("Close&"), (TCaptionDisplay{"Close&", -1}));
  EXPECT_EQ(CaptionDisplay("\xC3\x9C" "ber &\xC3\xA4"), (TCaptionDisplay{"\xC3\x9C" "ber \xC3\xA4", 6}));
  EXPECT_EQ(CaptionDisplay(""), (TCaptionDisplay{"", -1}));
}

}  // namespace
}  // namespace OvalBtn
