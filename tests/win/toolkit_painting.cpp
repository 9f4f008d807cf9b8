// Windowless children are painted by their parent, bottom first, each clipped to its own bounds,
// into one off-screen buffer.
#include <gtest/gtest.h>

#include "tests/win/support/InvalidationSpy.h"
#include "tests/win/support/Render.h"
#include "toolkit/win/Forms.h"

namespace {

// Fills its whole client area, and deliberately more, to prove the clipping.
class Block : public TGraphicControl {
 public:
  Block(TComponent* owner, TColor colour) : TGraphicControl(owner), colour_(colour) {}
  void Paint(TCanvas& c) override {
    ++paints;
    c.Brush.Color = colour_;
    c.FillRect({-50, -50, Width() + 50, Height() + 50});
  }
  int paints = 0;

 private:
  TColor colour_;
};

class PaintingTest : public testing::Test {
 protected:
  PaintingTest() : form(nullptr) {
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetColor(clWhite);
    form.SetBounds(0, 0, 100, 60);
    red = new Block(&form, clRed);
    red->SetBounds(10, 10, 40, 30);
    red->SetParent(&form);
    blue = new Block(&form, clBlue);
    blue->SetBounds(30, 20, 40, 30);
    blue->SetParent(&form);
    form.FinishCreate();
    form.Handle();
  }
  TForm form;
  Block* red;
  Block* blue;
};

TEST_F(PaintingTest, ChildrenPaintInZOrderClippedToTheirBounds) {
  RenderedImage image(100, 60);
  Render(form, image);
  EXPECT_EQ(image.Pixel(5, 5), clWhite);     // background outside both
  EXPECT_EQ(image.Pixel(15, 15), clRed);     // red only
  EXPECT_EQ(image.Pixel(35, 25), clBlue);    // overlap: the later child is on top
  EXPECT_EQ(image.Pixel(65, 45), clBlue);    // blue only
  EXPECT_EQ(image.Pixel(75, 55), clWhite);   // blue's overdraw was clipped away
  EXPECT_EQ(image.Pixel(9, 9), clWhite);     // red's overdraw was clipped away
}

TEST_F(PaintingTest, HiddenChildIsNotPaintedAndOnlyTheDirtyAreaIsVisited) {
  blue->SetVisible(false);
  RenderedImage image(100, 60);
  Render(form, image);
  EXPECT_EQ(image.Pixel(35, 25), clRed);
  EXPECT_EQ(blue->paints, 0);
  red->paints = 0;
  form.PaintTo(image.Dc(), {80, 0, 100, 60});  // an area no child touches
  EXPECT_EQ(red->paints, 0);
}

TEST_F(PaintingTest, InvalidatingAChildMarksOnlyItsRectangle) {
  std::vector<std::vector<TRect>> seen;
  {
    const InvalidationSpy spy([&](HWND, const std::vector<TRect>& area) { seen.push_back(area); });
    red->Invalidate();
  }
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], std::vector<TRect>{(TRect{10, 10, 50, 40})});
}

// A child that, while it is painted, has another window painted: as a paint that pumps messages
// or renders a preview would.
class PaintsAnotherWhilePainted : public Block {
 public:
  PaintsAnotherWhilePainted(TComponent* owner, TWinControl& other, RenderedImage& into)
      : Block(owner, clRed), other_(other), into_(into) {}
  void Paint(TCanvas& c) override {
    Block::Paint(c);
    Render(other_, into_);
  }

 private:
  TWinControl& other_;
  RenderedImage& into_;
};

TEST_F(PaintingTest, PaintInsideAPaintDrawsIntoABufferOfItsOwn) {
  TForm other(nullptr);
  other.SetBorderStyle(TBorderStyle::bsNone);
  other.SetColor(clLime);
  other.SetBounds(0, 0, 100, 60);
  other.FinishCreate();
  other.Handle();
  RenderedImage inner(100, 60);
  auto* nesting = new PaintsAnotherWhilePainted(&form, other, inner);
  nesting->SetBounds(60, 5, 30, 20);
  nesting->SetParent(&form);

  RenderedImage outer(100, 60);
  Render(form, outer);
  EXPECT_EQ(inner.Pixel(50, 30), clLime);
  EXPECT_EQ(outer.Pixel(75, 15), clRed);
  EXPECT_EQ(outer.Pixel(15, 15), clRed);   // painted before the nested paint
  EXPECT_EQ(outer.Pixel(5, 5), clWhite);
  EXPECT_EQ(outer.Pixel(65, 45), clBlue);
}

}  // namespace
