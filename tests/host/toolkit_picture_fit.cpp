// A window's picture fitted into the box the taskbar gives its thumbnail.
#include <gtest/gtest.h>

#include "toolkit/PictureFit.h"

namespace {

TEST(PictureFitTest, ScaledDownToTheTighterSideNeverUp) {
  struct Case {
    int w, h, maxW, maxH, fitW, fitH;
  };
  const Case cases[] = {
      {245, 175, 200, 120, 168, 120},  // the height decides
      {245, 175, 100, 200, 100, 71},   // the width decides
      {245, 175, 490, 350, 245, 175},  // room to spare: as it is
      {4000, 1, 200, 120, 200, 1},     // never thinner than a pixel
      {0, 175, 200, 120, 0, 0},
  };
  for (const Case& c : cases) {
    const TPoint fit = FitInside(c.w, c.h, c.maxW, c.maxH);
    EXPECT_EQ(fit.X, c.fitW) << c.w << "x" << c.h << " in " << c.maxW << "x" << c.maxH;
    EXPECT_EQ(fit.Y, c.fitH) << c.w << "x" << c.h << " in " << c.maxW << "x" << c.maxH;
  }
}

}  // namespace
