// Pen insets and segment outlines of one LED cell, checked against hand-worked cells.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "components/ledclock/LedGeometry.h"

namespace {

using enum TLed;

std::vector<TPoint> PolygonOf(const TLedShape& s) { return {s.Polygon().begin(), s.Polygon().end()}; }

std::vector<TLed> SegmentsOf(const TLedDrawing& d) {
  std::vector<TLed> v;
  for (const TLedShape& s : d) v.push_back(s.Segment);
  return v;
}

const TLedShape* Find(const TLedDrawing& d, TLed seg) {
  for (const TLedShape& s : d)
    if (s.Segment == seg) return &s;
  return nullptr;
}

TEST(LedGeometryTest, InsetsForEachBorderWidth) {
  struct Row { int bw, lead, trail; };
  const Row rows[] = {{1, 0, 1}, {2, 1, 1}, {3, 1, 2}, {4, 2, 2}, {5, 2, 3},
                      {6, 3, 3}, {7, 3, 3}, {8, 4, 4}, {9, 4, 4},
                      // widths below 1 are taken as 1, as the cell stores them
                      {0, 0, 1}, {-5, 0, 1}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.bw);
    EXPECT_EQ(LedInsets(r.bw), (TLedInsets{r.lead, r.trail}));
  }
}

// The note window's digit cell: 10 x 17, strokes 2, border 1.
TEST(LedGeometryTest, DigitCellOfTheNoteWindowDrawsEveryPointInOrder) {
  const TLedDrawing d = LedDrawing({10, 17, 2, 2, 1}, TLeds::FromBits(TLeds::kAllBits));
  EXPECT_EQ(d.Insets, (TLedInsets{0, 1}));
  ASSERT_EQ(SegmentsOf(d), (std::vector<TLed>{sg_0, sg_1, sg_2, sg_3, sg_4, sg_5, sg_6, sg_7, sg_8}));
  const std::vector<std::vector<TPoint>> bars = {
      {{0, 0}, {2, 2}, {7, 2}, {9, 0}},
      {{0, 0}, {2, 2}, {2, 7}, {0, 8}},
      {{9, 0}, {7, 2}, {7, 7}, {9, 8}},
      {{0, 8}, {2, 9}, {7, 9}, {9, 8}, {7, 7}, {2, 7}},
      {{0, 8}, {2, 9}, {2, 14}, {0, 16}},
      {{9, 8}, {7, 9}, {7, 14}, {9, 16}},
      {{0, 16}, {2, 14}, {7, 14}, {9, 16}},
  };
  for (size_t i = 0; i < bars.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(d.Shapes[i].IsDot());
    EXPECT_EQ(PolygonOf(d.Shapes[i]), bars[i]);
  }
  EXPECT_TRUE(d.Shapes[7].IsDot());
  EXPECT_EQ(d.Shapes[7].Rect, (TRect{3, 3, 6, 6}));
  EXPECT_EQ(d.Shapes[8].Rect, (TRect{3, 10, 6, 13}));
}

TEST(LedGeometryTest, ColonCellDrawsOnlyItsTwoDots) {
  const TLedDrawing d = LedDrawing({5, 17, 2, 2, 1}, CharToLeds(chColon));
  ASSERT_EQ(SegmentsOf(d), (std::vector<TLed>{sg_7, sg_8}));
  EXPECT_EQ(d.Shapes[0].Rect, (TRect{1, 3, 4, 6}));
  EXPECT_EQ(d.Shapes[1].Rect, (TRect{1, 10, 4, 13}));
}

// A new cell: 33 x 49, strokes 8, border 2.
TEST(LedGeometryTest, NewCellOutlines) {
  const TLedDrawing d = LedDrawing({33, 49, 8, 8, 2}, TLeds::FromBits(TLeds::kAllBits));
  EXPECT_EQ(d.Insets, (TLedInsets{1, 1}));
  EXPECT_EQ(PolygonOf(*Find(d, sg_0)), (std::vector<TPoint>{{1, 1}, {9, 9}, {24, 9}, {32, 1}}));
  EXPECT_EQ(PolygonOf(*Find(d, sg_3)),
            (std::vector<TPoint>{{1, 24}, {9, 28}, {24, 28}, {32, 24}, {24, 20}, {9, 20}}));
  EXPECT_EQ(Find(d, sg_7)->Rect, (TRect{12, 10, 21, 19}));
  EXPECT_EQ(Find(d, sg_8)->Rect, (TRect{12, 30, 21, 39}));
}

TEST(LedGeometryTest, OnlyLitSegmentsAreDrawnAndBarsComeBeforeDots) {
  const TLedMetrics m{10, 17, 2, 2, 1};
  EXPECT_EQ(SegmentsOf(LedDrawing(m, CharToLeds(7))), (std::vector<TLed>{sg_0, sg_2, sg_5}));
  EXPECT_EQ(SegmentsOf(LedDrawing(m, TLeds{sg_8, sg_6, sg_1})), (std::vector<TLed>{sg_1, sg_6, sg_8}));
  EXPECT_EQ(LedDrawing(m, CharToLeds(chBlank)).ShapeCount, 0);
}

TEST(LedGeometryTest, CellShorterThanItsStrokesHalvesTowardZero) {
  // H 3 with ch 8: (H - ch) div 2 is -5 div 2 = -2 (not -3), the bars cross as computed.
  const TLedDrawing d = LedDrawing({10, 3, 2, 8, 1}, TLeds{sg_1, sg_7});
  EXPECT_EQ(PolygonOf(d.Shapes[0]), (std::vector<TPoint>{{0, 0}, {2, 8}, {2, -2}, {0, 1}}));
  // yD7 = (-2 + 0) div 2 = -1
  EXPECT_EQ(d.Shapes[1].Rect, (TRect{3, -1, 6, 8}));
}

TEST(LedGeometryTest, ExtremeSizesAreHeldInTheIntRangeInsteadOfOverflowing) {
  const TLedDrawing d = LedDrawing({INT_MAX, INT_MAX, INT_MIN, INT_MIN, 1}, TLeds{sg_0, sg_8});
  const std::vector<TPoint> top = PolygonOf(d.Shapes[0]);
  EXPECT_EQ(top[1].X, INT_MIN);  // xLi = 0 + cw still fits
  EXPECT_EQ(top[2].X, INT_MAX);  // xRi = W - cw - 1 does not
  EXPECT_EQ(d.Shapes[1].Rect.Top, INT_MAX);
}

}  // namespace

// Strokes for 96 DPI at other DPIs, for every small stroke and pen: the bar and pen together
// grow with the scale (within the pixel rounding takes), a filled bar stays filled and a bar
// drawn in outline only stays outline only, and 96 DPI changes nothing.
TEST(LedGeometryTest, ScaledStrokesKeepTheirShareOfTheBar) {
  for (int dpi : {96, 120, 144, 168, 192, 288})
    for (int bw = 1; bw <= 4; ++bw)
      for (int cw = 0; cw <= 9; ++cw)
        for (int ch = 0; ch <= 9; ++ch) {
          SCOPED_TRACE(testing::Message() << "dpi " << dpi << " cw " << cw << " ch " << ch << " bw " << bw);
          const TLedStrokes s = ScaleLedStrokes({cw, ch, bw}, dpi);
          if (dpi == 96) {
            EXPECT_EQ(s, (TLedStrokes{cw, ch, bw}));
            continue;
          }
          const double scale = dpi / 96.0;
          ASSERT_GE(s.BorderWidth, 1);
          const bool filled = cw > bw || ch > bw;
          for (auto [at96, now] : {std::pair{cw, s.CharWidth}, std::pair{ch, s.CharHeight}}) {
            EXPECT_GE(now, 0);
            EXPECT_EQ(now > s.BorderWidth, at96 > bw);
            if (filled && at96 > bw) {
              EXPECT_NEAR(now - s.BorderWidth, (at96 - bw) * scale, 1.0);  // the fill
              EXPECT_NEAR(now + s.BorderWidth, (at96 + bw) * scale, 1.5);  // fill and both outlines
            } else if (!filled) {
              EXPECT_NEAR(now + s.BorderWidth, (at96 + bw) * scale, 1.0);
            }
          }
        }
}

TEST(LedGeometryTest, NegativeStrokesScalePlainly) {
  EXPECT_EQ(ScaleLedStrokes({-3, 4, 2}, 192), (TLedStrokes{-6, 8, 4}));
}
