// The clock at 125, 150 and 200 %: the 100 % drawing enlarged. Each 100 % pixel keeps its ink
// (background, outline or fill) somewhere in its enlarged footprint, so the seconds keep their
// holes and the fill does not vanish into the outline; and nothing appears in the enlargement
// that the 100 % drawing has nowhere near.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/LedClockTestClock.h"
#include "tests/win/support/Render.h"
#include "toolkit/Scaling.h"

namespace {

enum Ink { Back, Outline, Fill };

struct Drawing {
  int width = 0, height = 0;
  std::vector<Ink> ink;
  Ink At(int x, int y) const { return ink[static_cast<size_t>(y * width + x)]; }
  bool Has(int x, int y, Ink i) const { return x >= 0 && y >= 0 && x < width && y < height && At(x, y) == i; }
  std::string Picture() const {
    std::string s;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) s += ".o#"[At(x, y)];
      s += '\n';
    }
    return s;
  }
};

// The note window's clock at 09:05:07 (seconds shown), laid out at a DPI.
Drawing Draw(int dpi) {
  TestClock t;
  t.TickAt(At(9, 5, 7, 250));
  if (dpi != kDesignDpi) static_cast<TControl*>(t.clock)->ChangeScale(dpi);
  Drawing d{t.clock->Width(), t.clock->Height(), {}};
  RenderedImage image(d.width, d.height);
  Render(*t.clock, image);
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < d.width; ++x) {
      const TColor c = image.Pixel(x, y);
      d.ink.push_back(c == clBlack ? Fill : c == clSilver ? Outline : Back);
    }
  return d;
}

class ClockScalingTest : public testing::TestWithParam<int> {};

TEST_P(ClockScalingTest, IsTheHundredPerCentDrawingEnlarged) {
  const int dpi = GetParam(), d = kDesignDpi;
  const Drawing design = Draw(d), scaled = Draw(dpi);
  ASSERT_EQ(scaled.width, ScaleForDpi(design.width, dpi));
  ASSERT_EQ(scaled.height, ScaleForDpi(design.height, dpi));

  int lost = 0;
  for (int y = 0; y < design.height; ++y)
    for (int x = 0; x < design.width; ++x) {
      bool kept = false;
      for (int sy = y * dpi / d; sy < ((y + 1) * dpi + d - 1) / d; ++sy)
        for (int sx = x * dpi / d; sx < ((x + 1) * dpi + d - 1) / d; ++sx) kept |= scaled.Has(sx, sy, design.At(x, y));
      lost += !kept;
    }
  // The middle joints are placed by halving the cell's height, which truncates differently at
  // each size: a pixel there may move by one. Nothing else may go.
  EXPECT_LE(lost, design.width * design.height / 100) << scaled.Picture();

  int strange = 0;
  for (int sy = 0; sy < scaled.height; ++sy)
    for (int sx = 0; sx < scaled.width; ++sx) {
      const int x = sx * d / dpi, y = sy * d / dpi;
      bool nearby = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) nearby |= design.Has(x + dx, y + dy, scaled.At(sx, sy));
      strange += !nearby;
    }
  EXPECT_EQ(strange, 0) << scaled.Picture();
}

INSTANTIATE_TEST_SUITE_P(Dpi, ClockScalingTest, testing::Values(120, 144, 192));

}  // namespace
