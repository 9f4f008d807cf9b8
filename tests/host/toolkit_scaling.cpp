// Design pixels at a monitor's DPI, and which drawn scale of a picture a DPI gets.
#include <gtest/gtest.h>

#include "toolkit/Scaling.h"

namespace {

TEST(ScaleForDpi, LeavesEveryValueAloneAt96AndForAMissingDpi) {
  for (int v = -300; v <= 300; ++v) {
    ASSERT_EQ(ScaleForDpi(v, 96), v);
    ASSERT_EQ(ScaleForDpi(v, 0), v);
  }
}

TEST(ScaleForDpi, RoundsHalvesAwayFromZeroLikeMulDiv) {
  EXPECT_EQ(ScaleForDpi(1, 144), 2);    // 1.5
  EXPECT_EQ(ScaleForDpi(-1, 144), -2);  // the mirror image, not -1
  EXPECT_EQ(ScaleForDpi(3, 120), 4);    // 3.75
  EXPECT_EQ(ScaleForDpi(2, 120), 3);    // 2.5
  EXPECT_EQ(ScaleForDpi(1, 120), 1);    // 1.25
  EXPECT_EQ(ScaleForDpi(-2, 120), -3);
}

TEST(ScaleForDpi, IsMonotonicAndUndoneByUnscaleAtEveryCommonDpi) {
  for (int dpi : {96, 108, 120, 144, 168, 192, 240, 288}) {
    SCOPED_TRACE(dpi);
    for (int v = -500; v < 500; ++v) {
      ASSERT_LE(ScaleForDpi(v, dpi), ScaleForDpi(v + 1, dpi));
      ASSERT_EQ(UnscaleForDpi(ScaleForDpi(v, dpi), dpi), v);
    }
  }
}

// A window dragged across monitors of 150, 125 and 200 % and back comes home to its pixels.
TEST(RescaleForDpi, ComesBackToTheSameLengthsAfterAnyTour) {
  const int tour[] = {144, 120, 192, 144, 96};
  for (int v = 0; v < 400; ++v) {
    int at = 96, value = v;
    for (int dpi : tour) {
      value = RescaleForDpi(value, at, dpi);
      ASSERT_EQ(value, ScaleForDpi(v, dpi)) << v << " at " << dpi;
      at = dpi;
    }
  }
}

TEST(ScaleForDpi, DoesNotOverflowOnLargeValues) {
  EXPECT_EQ(ScaleForDpi(1000000000, 192), 2000000000);
  EXPECT_EQ(UnscaleForDpi(2000000000, 192), 1000000000);
}

// Neighbours that touch at 96 DPI still touch after scaling: the edges are scaled, not the sizes.
TEST(ScaleForDpi, AdjacentRectanglesStayAdjacent) {
  const TRect left = Bounds(3, 5, 23, 21), right = Bounds(26, 5, 20, 21);
  for (int dpi : {120, 144, 168}) {
    EXPECT_EQ(ScaleForDpi(left, dpi).Right, ScaleForDpi(right, dpi).Left) << dpi;
  }
  EXPECT_EQ(ScaleForDpi(Bounds(10, 20, 30, 40), 192), Bounds(20, 40, 60, 80));
}

// A font keeps its point size across DPIs: its pixel height is taken from the points again, not
// multiplied from the height at the old DPI (which would drift by a pixel on the way back).
TEST(FontHeightForDpi, KeepsThePointSizeAcrossDpis) {
  EXPECT_EQ(FontHeightForDpi(8, 96), -11);
  EXPECT_EQ(FontHeightForDpi(8, 120), -13);
  EXPECT_EQ(FontHeightForDpi(8, 144), -16);
  EXPECT_EQ(FontHeightForDpi(8, 192), -21);
  for (int points = 6; points <= 36; ++points)
    for (int dpi : {96, 120, 144, 192})
      ASSERT_EQ(FontPointsForDpi(FontHeightForDpi(points, dpi), dpi), points) << points << "@" << dpi;
}

TEST(PictureScale, TakesTheExactScaleOrTheNearestLargerOne) {
  EXPECT_EQ(PictureScale(96), 100);
  EXPECT_EQ(PictureScale(120), 125);
  EXPECT_EQ(PictureScale(144), 150);
  EXPECT_EQ(PictureScale(192), 200);
  EXPECT_EQ(PictureScale(97), 125);
  EXPECT_EQ(PictureScale(121), 150);
  EXPECT_EQ(PictureScale(168), 200);  // 175 %
  EXPECT_EQ(PictureScale(72), 100);   // below 100 % the smallest
  EXPECT_EQ(PictureScale(0), 100);
  EXPECT_EQ(PictureScale(288), 200);  // above 200 % the largest
}

TEST(PictureScale, NamesTheDesignSizeByTheBareName) {
  EXPECT_EQ(PictureResourceName(L"GLYPH_NEW", 100), L"GLYPH_NEW");
  EXPECT_EQ(PictureResourceName(L"GLYPH_NEW", 150), L"GLYPH_NEW_150");
}

}  // namespace
