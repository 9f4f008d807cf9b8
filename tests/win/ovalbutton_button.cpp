// The oval button as a control: what a new one holds, which setters repaint, its own font and
// glyph, and the hit test through the platform's elliptic region.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/win/OvalButtonTestForm.h"
#include "tests/win/support/InvalidationSpy.h"
#include "toolkit/win/Handles.h"

namespace {

TEST(OvalButtonNew, HoldsTheConstructionValues) {
  TOvalButton b(nullptr);
  EXPECT_EQ(b.Width(), 100);
  EXPECT_EQ(b.Height(), 50);
  EXPECT_EQ(b.BevelWidth(), 0);
  EXPECT_EQ(b.Color(), clBtnFace);
  EXPECT_FALSE(b.Down());
  EXPECT_FALSE(b.Flat());
  EXPECT_TRUE(b.Enabled());
  EXPECT_EQ(b.Caption(), "");
  EXPECT_EQ(b.GroupIndex(), 0);
  EXPECT_EQ(b.Layout(), OvalBtn::blGlyphBottom);
  EXPECT_EQ(b.Margin(), 0);
  EXPECT_EQ(b.NumGlyphs(), 0);
  EXPECT_EQ(b.Spacing(), 4);
  EXPECT_FALSE(b.Transparent());
  EXPECT_EQ(b.TransparentColor(), clBlack);
  EXPECT_TRUE(b.Glyph().Empty());
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelRaised);
  EXPECT_FALSE(b.MouseInside());
  EXPECT_FALSE(b.MousePressed());
}

TEST(OvalButtonNew, BevelColoursComeFromTheSystemsButtonFace) {
  TOvalButton system(nullptr), plain(nullptr);
  plain.SetColor(static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(system.HighlightColor(), plain.HighlightColor());
  EXPECT_EQ(system.ShadowColor(), plain.ShadowColor());
}

TEST(OvalButtonNew, KeepsItsOwnColourAndFontOnAParent) {
  OvalButtonForm f(100, 50);
  f.form.Font().SetName("Arial");
  f.form.SetColor(clYellow);
  EXPECT_EQ(f.button->Color(), clBtnFace);
  EXPECT_EQ(f.button->Font().Name(), TFont().Name());
}

// Counts the repaint requests of the form while alive.
class RepaintCounter {
 public:
  int Take() { return std::exchange(count, 0); }
  int count = 0;
  const InvalidationSpy spy{[this](HWND, const std::vector<TRect>&) { ++count; }};
};

struct SetterCase {
  std::string name;
  std::function<void(TOvalButton&)> change;
  bool repaints;
};

TEST(OvalButtonSetters, RepaintOnAChangeAndDoNothingForTheSameValue) {
  OvalButtonForm f(100, 50);
  TOvalButton& b = *f.button;
  TFont arial;
  arial.SetName("Arial");
  const std::vector<SetterCase> cases = {
      {"BevelWidth", [](TOvalButton& b) { b.SetBevelWidth(3); }, true},
      {"Color", [](TOvalButton& b) { b.SetColor(clRed); }, true},
      {"Down", [](TOvalButton& b) { b.SetDown(true); }, true},
      {"Flat", [](TOvalButton& b) { b.SetFlat(true); }, true},
      {"Font", [&](TOvalButton& b) { b.SetFont(arial); }, true},
      {"Font colour", [](TOvalButton& b) { b.Font().SetColor(clRed); }, true},
      {"Layout", [](TOvalButton& b) { b.SetLayout(OvalBtn::blGlyphTop); }, true},
      {"Margin", [](TOvalButton& b) { b.SetMargin(2); }, true},
      {"NumGlyphs", [](TOvalButton& b) { b.SetNumGlyphs(2); }, true},
      {"Spacing", [](TOvalButton& b) { b.SetSpacing(7); }, true},
      {"Transparent", [](TOvalButton& b) { b.SetTransparent(true); }, true},
      {"TransparentColor", [](TOvalButton& b) { b.SetTransparentColor(clRed); }, true},
      {"Caption", [](TOvalButton& b) { b.SetCaption("&Close"); }, true},
      {"Enabled", [](TOvalButton& b) { b.SetEnabled(false); }, true},
      {"GroupIndex", [](TOvalButton& b) { b.SetGroupIndex(1); }, false},
  };
  RepaintCounter repaints;
  for (const SetterCase& c : cases) {
    c.change(b);
    EXPECT_EQ(repaints.Take() > 0, c.repaints) << c.name;
    c.change(b);
    EXPECT_EQ(repaints.Take(), 0) << c.name << " again";
  }
  // Its own font object given back changes nothing.
  b.SetFont(b.Font());
  EXPECT_EQ(repaints.Take(), 0);
  EXPECT_EQ(b.Font().Name(), "Arial");
}

TEST(OvalButtonGlyph, IsACopyWhoseBottomLeftPixelIsTheTransparentColour) {
  OvalButtonForm f(100, 50);
  RepaintCounter repaints;
  TColor key = RGBColor(255, 0, 255);
  {
    TBitmap strip;
    MakeGlyphStrip(strip, {clRed, clLime}, 8, key);
    f.button->SetGlyph(strip);
  }  // the caller's bitmap is gone; the button's copy stays
  EXPECT_GT(repaints.Take(), 0);
  ASSERT_FALSE(f.button->Glyph().Empty());
  EXPECT_EQ(f.button->Glyph().Width(), 16);
  EXPECT_EQ(f.button->Glyph().Height(), 8);
  EXPECT_EQ(f.button->TransparentColor(), key);
  EXPECT_EQ(f.button->Glyph().PixelAt(9, 0), ColorToRGB(clLime));
  // Loading a glyph leaves NumGlyphs to the form.
  EXPECT_EQ(f.button->NumGlyphs(), 0);
}

// The region is made on (0, 0, Width, Height), one pixel wider and taller than the rectangle the
// outline is drawn in, and the platform's region leaves out its right and bottom edges: so the
// outline's last pixel is on the button and the pixel after it is not. A region made on the
// outline's own rectangle would lose the rim.
TEST(OvalButtonHitTest, FollowsThePlatformsRegionAtTheRim) {
  OvalButtonForm f(65, 31);
  TOvalButton& b = *f.button;
  const std::vector<TColor> picture = f.Painted();
  const int midRow = 31 / 2, midColumn = 65 / 2;
  ASSERT_EQ(f.At(picture, 63, midRow), clBlack);
  ASSERT_EQ(f.At(picture, 64, midRow), clWhite);
  ASSERT_EQ(f.At(picture, midColumn, 29), clBlack);
  ASSERT_EQ(f.At(picture, midColumn, 30), clWhite);
  EXPECT_TRUE(b.PointInOval(63, midRow));
  EXPECT_FALSE(b.PointInOval(64, midRow));
  EXPECT_TRUE(b.PointInOval(midColumn, 29));
  EXPECT_FALSE(b.PointInOval(midColumn, 30));
  EXPECT_TRUE(b.PointInOval(0, midRow));
  EXPECT_FALSE(b.PointInOval(-1, midRow));
  EXPECT_TRUE(b.PointInOval(midColumn, 0));
  EXPECT_FALSE(b.PointInOval(midColumn, -1));
  {
    UniqueRegion outlineOnly(CreateEllipticRgn(0, 0, 64, 30));
    EXPECT_FALSE(PtInRegion(outlineOnly.Get(), 63, midRow));
    EXPECT_FALSE(PtInRegion(outlineOnly.Get(), midColumn, 29));
  }
  // Everywhere in the rectangle, corners included: on the button exactly where the ellipse is drawn.
  int mismatches = 0;
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 65; ++x) mismatches += b.PointInOval(x, y) != (f.At(picture, x, y) != clWhite);
  EXPECT_EQ(mismatches, 0);
}

// Hit tests, paints and the drawing done at once while the mouse works the button.
TEST(OvalButtonHandles, NoGdiObjectIsLeftBehind) {
  OvalButtonForm f(100, 50);
  f.button->SetBevelWidth(3);
  f.button->SetCaption("&Close");
  f.form.Show();
  const long before = gdi_count::Live();
  for (int i = 0; i < 50; ++i) {
    f.button->PointInOval(i, i % 50);
    f.Send(WM_LBUTTONDOWN, {50, 25}, MK_LBUTTON);
    f.Send(WM_MOUSEMOVE, {2, 2}, MK_LBUTTON);
    f.Send(WM_LBUTTONUP, {50, 25});
    f.Painted();
  }
  EXPECT_EQ(gdi_count::Live(), before);
}

}  // namespace
