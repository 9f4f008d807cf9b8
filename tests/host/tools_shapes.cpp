// The rasteriser that draws our pictures at every scale: shapes on the design grid land on the
// same pixels at 100 % and on exactly scaled ones above, a disabled frame is its enabled frame's
// embossed shape, and smoothed icons keep solid interiors.
#include <gtest/gtest.h>

#include <string>

#include "tools/PictureShapes.h"

namespace {

constexpr Rgba kInk{0x10, 0x20, 0x30};
constexpr Rgba kPaper{0xF0, 0xE0, 0xD0};

Shape Parsed(const std::string& line, Rgba colour = kInk) {
  Shape s;
  char name = 0;
  const std::string fault = ParseShape(line, s, name);
  EXPECT_EQ(fault, "") << line;
  s.colour = colour;
  return s;
}

int Drawn(const PixelImage& im) {
  int n = 0;
  for (const auto& row : im.rows)
    for (const Rgba& p : row) n += !p.transparent;
  return n;
}

bool At(const PixelImage& im, int x, int y) { return !im.rows[y][x].transparent; }

TEST(PictureShapes, ARectangleOnTheGridCoversExactlyItsPixelsAtEveryScale) {
  const Shape rect = Parsed("rect K 3 2 5 4");
  for (int scale : {100, 125, 150, 200}) {
    SCOPED_TRACE(scale);
    const int size = ScaledPixels(16, scale);
    const PixelImage im = Rasterise({rect}, size, size, scale / 100.0, false);
    // The edges are the scaled edges, as a laid-out control's would be.
    const int left = ScaledPixels(3, scale), right = ScaledPixels(8, scale);
    const int top = ScaledPixels(2, scale), bottom = ScaledPixels(6, scale);
    EXPECT_EQ(Drawn(im), (right - left) * (bottom - top));
    EXPECT_TRUE(At(im, left, top));
    EXPECT_TRUE(At(im, right - 1, bottom - 1));
    EXPECT_FALSE(At(im, right, bottom - 1));
    EXPECT_FALSE(At(im, left - 1, top));
  }
}

TEST(PictureShapes, LaterShapesPaintOverEarlierOnesWithoutBlendingInBitmaps) {
  const Shape under = Parsed("oval K 0 0 16 16", kInk);
  const Shape over = Parsed("line P 3 2,8 14,8", kPaper);
  const PixelImage im = Rasterise({under, over}, 24, 24, 1.5, false);
  for (const auto& row : im.rows)
    for (const Rgba& p : row)
      if (!p.transparent) ASSERT_TRUE(p == kInk || p == kPaper);  // never a mix of the two
  EXPECT_TRUE(im.rows[12][12] == kPaper);
  EXPECT_TRUE(im.rows[4][12] == kInk);
  EXPECT_FALSE(At(im, 0, 0));  // outside the circle
}

TEST(PictureShapes, ArcCoversOnlyItsAngles) {
  // The upper half of a ring: counter-clockwise from three o'clock to nine o'clock.
  const PixelImage im = Rasterise({Parsed("arc K 2 0 0 16 16 0 180")}, 16, 16, 1.0, false);
  EXPECT_TRUE(At(im, 8, 0));
  EXPECT_FALSE(At(im, 8, 15));
  EXPECT_FALSE(At(im, 8, 8));  // the hole
}

TEST(PictureShapes, SmoothedEdgesArePartlyCoveredAndInteriorsOpaque) {
  const PixelImage im = Rasterise({Parsed("oval K 0 0 16 16")}, 64, 64, 4.0, true);
  EXPECT_EQ(im.rows[32][32].a, 255);
  EXPECT_TRUE(im.rows[32][32] == Rgba(kInk));
  EXPECT_TRUE(im.rows[0][0].transparent);
  int partial = 0;
  for (const auto& row : im.rows)
    for (const Rgba& p : row) partial += !p.transparent && p.a < 255;
  EXPECT_GT(partial, 0);
}

TEST(PictureShapes, EmbossedFrameIsTheFaceWithAHighlightBelowRight) {
  // A dark square with a light fill beside it: the fill has no part in the disabled look.
  const PixelImage enabled =
      Rasterise({Parsed("rect K 2 2 4 4"), Parsed("rect P 6 2 3 3", kPaper)}, 10, 10, 1.0, false);
  const Rgba face{0x80, 0x80, 0x80}, highlight{0xFF, 0xFF, 0xFF};
  const PixelImage disabled = Emboss(enabled, face, highlight);
  EXPECT_TRUE(disabled.rows[2][2] == face);
  EXPECT_TRUE(disabled.rows[5][5] == face);
  EXPECT_TRUE(disabled.rows[6][6] == highlight);  // past the bottom-right corner
  EXPECT_TRUE(disabled.rows[6][3] == highlight);
  EXPECT_TRUE(disabled.rows[1][1].transparent);   // no highlight above or left
  EXPECT_TRUE(disabled.rows[6][2].transparent);
  EXPECT_TRUE(disabled.rows[3][7].transparent);   // the light fill
  EXPECT_EQ(Drawn(disabled), 16 + 7);  // the face and an L of highlight
}

TEST(PictureShapes, RejectsMalformedShapes) {
  Shape s;
  char c = 0;
  for (const char* bad : {"rect K 1 2 3", "rect K 1 2 -3 4", "oval KK 0 0 4 4", "ring K 0 0 4 4 4",
                          "line K 0 1,1", "poly K 0,0 1,1", "line K 1 1;1", "blob K 1 1 1 1",
                          "rect K 1 2 3 nan", "arc K 1 0 0 4 4 0"})
    EXPECT_NE(ParseShape(bad, s, c), "") << bad;
}

}  // namespace
