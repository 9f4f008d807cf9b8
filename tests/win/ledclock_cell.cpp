// The LED cell: what a character code lights, the stored values, and what Paint puts on the
// canvas (only lit segments, the background only when opaque, nothing when invisible).
#include <gtest/gtest.h>

#include "components/ledclock/win/CharLed.h"
#include "tests/win/support/Render.h"

namespace {

using enum TLed;

TEST(CharLedTest, NewCellShowsALimeEightOnItsParentsBackground) {
  TCharLed cell(nullptr);
  EXPECT_EQ(cell.Char(), 8);
  EXPECT_EQ(cell.Leds().Bits(), 0x007F);
  EXPECT_EQ(cell.Width(), 33);
  EXPECT_EQ(cell.Height(), 49);
  EXPECT_EQ(cell.CharWidth(), 8);
  EXPECT_EQ(cell.CharHeight(), 8);
  EXPECT_EQ(cell.CharColor(), clLime);
  EXPECT_EQ(cell.BorderColor(), clBlack);
  EXPECT_EQ(cell.BorderWidth(), 2);
  EXPECT_TRUE(cell.Transparent());
  EXPECT_TRUE(cell.ParentColor());
}

TEST(CharLedTest, CharIsReadFromTheSegmentsAndWrittenOnlyWhenItReadsDifferently) {
  struct Row {
    const char* what;
    TLeds before;
    TChar write;
    uint16_t after;
    TChar reads;
  };
  const Row rows[] = {
      {"a pattern outside the table reads blank and survives writing blank", TLeds{sg_0}, chBlank, 0x0001, chBlank},
      {"eight plus the upper dot also reads blank", CharSegments[8] + sg_7, chBlank, 0x00FF, chBlank},
      {"any other code replaces the pattern", TLeds{sg_0}, 3, 0x006D, 3},
      {"colon lights both dots only", CharSegments[8], chColon, 0x0180, chColon},
      {"lower dot alone", CharSegments[8], chLowerDot, 0x0100, chLowerDot},
      {"code past the table writes blank", CharSegments[8], 13, 0x0000, chBlank},
      {"negative code writes blank", CharSegments[4], -1, 0x0000, chBlank},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    TCharLed cell(nullptr);
    cell.SetLeds(r.before);
    cell.SetChar(r.write);
    EXPECT_EQ(cell.Leds().Bits(), r.after);
    EXPECT_EQ(cell.Char(), r.reads);
  }
}

TEST(CharLedTest, BorderWidthBelowOneIsStoredAsOne) {
  TCharLed cell(nullptr);
  for (int w : {0, -5}) {
    cell.SetBorderWidth(4);
    cell.SetBorderWidth(w);
    EXPECT_EQ(cell.BorderWidth(), 1) << w;
  }
}

// A cell painted straight onto a white canvas, as its parent would with the viewport at the
// cell's corner.
class CellPaintTest : public testing::Test {
 protected:
  CellPaintTest() : cell(nullptr), image(33, 49) {
    TCanvas canvas(image.Dc());
    canvas.Brush.Color = clWhite;
    canvas.FillRect({0, 0, 33, 49});
  }
  void Paint() {
    TCanvas canvas(image.Dc());
    cell.Paint(canvas);
  }
  int CountNot(TColor c) const {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) n += image.Pixel(x, y) != c;
    return n;
  }
  TCharLed cell;
  RenderedImage image;
};

TEST_F(CellPaintTest, NewCellDrawsSevenOutlinedBarsAndNoDots) {
  Paint();
  // Sample points inside the bars of the 33 x 49 cell (strokes 8, outline 2).
  const TPoint bars[] = {{16, 5}, {5, 16}, {27, 16}, {16, 24}, {5, 36}, {27, 36}, {16, 44}};
  for (TPoint p : bars) EXPECT_EQ(image.Pixel(p.X, p.Y), clLime) << p.X << "," << p.Y;
  EXPECT_EQ(image.Pixel(16, 1), clBlack);   // the top bar's outline
  EXPECT_EQ(image.Pixel(16, 14), clWhite);  // where the upper dot would be: transparent
  EXPECT_EQ(image.Pixel(16, 34), clWhite);  // and the lower dot
}

TEST_F(CellPaintTest, OnlyLitSegmentsAreDrawn) {
  cell.SetChar(chColon);
  Paint();
  EXPECT_EQ(image.Pixel(16, 14), clLime);  // upper dot (12,10)-(21,19)
  EXPECT_EQ(image.Pixel(16, 34), clLime);  // lower dot (12,30)-(21,39)
  EXPECT_EQ(image.Pixel(16, 5), clWhite);  // top bar unlit
  EXPECT_EQ(image.Pixel(16, 24), clWhite); // middle bar unlit
  cell.SetChar(chBlank);
  TCanvas(image.Dc()).FillRect({0, 0, 33, 49});
  Paint();
  EXPECT_EQ(CountNot(clWhite), 0);
}

TEST_F(CellPaintTest, InvisibleCellDrawsNothingEvenWhenOpaque) {
  cell.SetTransparent(false);
  cell.SetColor(clRed);
  cell.SetVisible(false);
  Paint();
  EXPECT_EQ(CountNot(clWhite), 0);
}

TEST_F(CellPaintTest, OpaqueCellFillsTheClipAreaFirstThenDrawsItsSegments) {
  cell.SetTransparent(false);
  cell.SetColor(clRed);
  IntersectClipRect(image.Dc(), 0, 0, 33, 20);  // only the upper part is being repainted
  Paint();
  EXPECT_EQ(image.Pixel(16, 14), clRed);    // between the bars: filled
  EXPECT_EQ(image.Pixel(16, 17), clRed);    // and lower down, between the bars
  EXPECT_EQ(image.Pixel(16, 5), clLime);    // a bar drawn over the fill
  EXPECT_EQ(image.Pixel(16, 34), clWhite);  // outside the clip area: untouched
  EXPECT_EQ(image.Pixel(16, 24), clWhite);  // the middle bar too
}

}  // namespace
