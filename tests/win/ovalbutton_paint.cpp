// What the oval button looks like: the bevel rings in the derived colours, raised and pressed;
// the glyph images and their pressed shift; the disabled and flat looks; and the pictures drawn at
// once on the window while the mouse works it, which the next paint must repeat exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "components/ovalbutton/HlsColors.h"
#include "tests/win/OvalButtonTestForm.h"
#include "tests/win/support/FakeSystem.h"
#include "tests/win/support/SystemColour.h"

namespace {

const TColor kFace = RGBColor(212, 208, 200);
const TColor kHighlight = RGBColor(233, 231, 227), kShadow = RGBColor(139, 129, 108);

// A shown form, painted once, holding a button in kFace.
class ShownButton : public testing::Test {
 protected:
  explicit ShownButton(int width = 65, int height = 31) : f(width, height) {
    b.SetColor(kFace);
    f.form.Show();
    UpdateWindow(f.form.Handle());
  }
  // The window shows what the next paint would draw.
  void ExpectWindowMatchesPaint(const char* when) {
    const std::vector<TColor> window = f.OnWindow(), painted = f.Painted();
    int differ = 0;
    for (size_t i = 0; i < painted.size(); ++i) differ += window[i] != painted[i];
    EXPECT_EQ(differ, 0) << when;
  }
  OvalButtonForm f;
  TOvalButton& b = *f.button;
};

// Colours down the middle column and across the middle row of a 65 x 31 button with three rings:
// outline, three rings, face.
struct RingProbe {
  TPoint at;
  bool upperLeft;  // a pixel of the upper-left half
};
const RingProbe kRingPixels[] = {
    {{32, 1}, true},  {{32, 2}, true},  {{32, 3}, true},   // top
    {{1, 15}, true},  {{2, 15}, true},  {{3, 15}, true},   // left
    {{32, 28}, false}, {{32, 27}, false}, {{32, 26}, false},  // bottom
    {{62, 15}, false}, {{61, 15}, false}, {{60, 15}, false},  // right
};

class Rings : public ShownButton {
 protected:
  Rings() { b.SetBevelWidth(3); }
  void ExpectRings(const std::vector<TColor>& picture, TColor upperLeft, TColor lowerRight, const char* when) {
    for (const RingProbe& p : kRingPixels)
      EXPECT_EQ(f.At(picture, p.at.X, p.at.Y), p.upperLeft ? upperLeft : lowerRight)
          << when << " at " << p.at.X << "," << p.at.Y;
    // Just outside and inside the rings.
    EXPECT_EQ(f.At(picture, 32, 0), clBlack) << when;
    EXPECT_EQ(f.At(picture, 32, 29), clBlack) << when;
    EXPECT_EQ(f.At(picture, 0, 15), clBlack) << when;
    EXPECT_EQ(f.At(picture, 63, 15), clBlack) << when;
    EXPECT_EQ(f.At(picture, 32, 4), kFace) << when;
    EXPECT_EQ(f.At(picture, 4, 15), kFace) << when;
    EXPECT_EQ(f.At(picture, 32, 25), kFace) << when;
    EXPECT_EQ(f.At(picture, 59, 15), kFace) << when;
  }
};

TEST_F(Rings, RaisedLightUpperLeftDarkLowerRight) {
  ASSERT_EQ(b.HighlightColor(), kHighlight);
  ASSERT_EQ(b.ShadowColor(), kShadow);
  ExpectRings(f.Painted(), kHighlight, kShadow, "raised");
}

TEST_F(Rings, PressedTheOtherWayRoundOnTheWindowAtOnceAndInTheNextPaint) {
  f.Send(WM_LBUTTONDOWN, {32, 15}, MK_LBUTTON);
  ASSERT_EQ(b.BevelState(), OvalBtn::kBevelSunken);
  ExpectRings(f.OnWindow(), kShadow, kHighlight, "pressed, on the window");
  ExpectRings(f.Painted(), kShadow, kHighlight, "pressed, painted");
  f.Send(WM_LBUTTONUP, {32, 15});
  ExpectRings(f.OnWindow(), kHighlight, kShadow, "released, on the window");
}

// A theme change reaches the button at its next paint: the face in clBtnFace brings its bevel
// along, and a high-contrast theme gives the outline its button-text colour.
TEST_F(Rings, TheThemeOfEachPaintIsTheOneDrawn) {
  WithFakeSystem sys;
  b.SetColor(clBtnFace);
  const TColor dark = RGBColor(0, 0, 96), light = RGBColor(255, 255, 0);
  const SystemColourFor face(COLOR_BTNFACE, dark), text(COLOR_BTNTEXT, light);
  TColor highlight = b.HighlightColor(), shadow = b.ShadowColor();
  ComputeBevelColorsTenths(dark, 5, 4, highlight, shadow, [](int) { return TColor{0}; });
  sys.high_contrast = true;
  const std::vector<TColor> picture = f.Painted();
  EXPECT_EQ(f.At(picture, 32, 0), light);
  EXPECT_EQ(f.At(picture, 32, 4), dark);
  EXPECT_EQ(f.At(picture, 32, 1), highlight);
  EXPECT_EQ(f.At(picture, 32, 28), shadow);
}

TEST_F(Rings, NoRingsWithoutABevelWidth) {
  b.SetBevelWidth(0);
  const std::vector<TColor> picture = f.Painted();
  EXPECT_EQ(f.At(picture, 32, 1), kFace);
  EXPECT_EQ(f.At(picture, 62, 15), kFace);
}

class Caption : public ShownButton {
 protected:
  Caption() : ShownButton(100, 50) {}
  struct Ink {
    int left = 1000, right = -1, pixels = 0;
  };
  // Whatever is not face inside the ellipse, away from the outline.
  Ink InkOf(const std::string& caption) {
    b.SetCaption(caption);
    const std::vector<TColor> picture = f.Painted();
    Ink ink;
    for (int y = 10; y < 40; ++y)
      for (int x = 15; x < 85; ++x)
        if (f.At(picture, x, y) != kFace) {
          ink.left = std::min(ink.left, x);
          ink.right = std::max(ink.right, x);
          ++ink.pixels;
        }
    return ink;
  }
};

// The '&' is not shown and underlines the letter after it; "&&" shows one '&'.
TEST_F(Caption, AmpersandMarksTheUnderlinedLetterAndIsNotShown) {
  const Ink plain = InkOf("Close"), marked = InkOf("&Close"), doubled = InkOf("&&Close");
  ASSERT_GT(plain.pixels, 20);
  EXPECT_EQ(marked.right - marked.left, plain.right - plain.left);
  EXPECT_GT(marked.pixels, plain.pixels + 3);  // the underline
  EXPECT_GT(doubled.right - doubled.left, plain.right - plain.left + 3);
}

// A button with a glyph strip (red, lime, blue images) and a caption under it.
class GlyphAndCaption : public ShownButton {
 protected:
  static constexpr int kSize = 8;
  GlyphAndCaption() : ShownButton(100, 50) {
    TBitmap strip;
    MakeGlyphStrip(strip, {clRed, clLime, clBlue}, kSize, kKey);
    b.SetGlyph(strip);
    b.SetNumGlyphs(3);
    b.SetBevelWidth(2);
    UpdateWindow(f.form.Handle());
  }
  static constexpr TColor kKey = RGBColor(255, 0, 255);
  // Without a caption the glyph is centred: (100 - 8) / 2, (50 - 8) / 2.
  static constexpr TPoint kCentred{46, 21};
};

TEST_F(GlyphAndCaption, ImageZeroRaisedWithTheKeyColourShowingTheFace) {
  const std::vector<TColor> picture = f.Painted();
  EXPECT_EQ(f.At(picture, kCentred.X, kCentred.Y), clRed);
  EXPECT_EQ(f.At(picture, kCentred.X + kSize - 1, kCentred.Y + kSize - 1), clRed);
  EXPECT_EQ(f.At(picture, kCentred.X, kCentred.Y + kSize - 1), kFace);  // the key pixel
  EXPECT_EQ(f.At(picture, kCentred.X + kSize, kCentred.Y), kFace);
  EXPECT_EQ(f.At(picture, kCentred.X - 1, kCentred.Y), kFace);
}

TEST_F(GlyphAndCaption, PressedShowsImageTwoOnePixelRightAndDown) {
  f.Send(WM_LBUTTONDOWN, {50, 25}, MK_LBUTTON);
  for (const std::vector<TColor>& picture : {f.OnWindow(), f.Painted()}) {
    EXPECT_EQ(f.At(picture, kCentred.X, kCentred.Y + 2), kFace);  // the strip the image left
    EXPECT_EQ(f.At(picture, kCentred.X + 2, kCentred.Y), kFace);
    EXPECT_EQ(f.At(picture, kCentred.X + 1, kCentred.Y + 1), clBlue);
    EXPECT_EQ(f.At(picture, kCentred.X + kSize, kCentred.Y + kSize), clBlue);
  }
  ExpectWindowMatchesPaint("pressed");
  f.Send(WM_LBUTTONUP, {50, 25});
  ExpectWindowMatchesPaint("released");
  EXPECT_EQ(f.At(f.OnWindow(), kCentred.X, kCentred.Y), clRed);
}

TEST_F(GlyphAndCaption, DisabledShowsImageOneAndAGreyCaption) {
  b.SetCaption("&Close");
  const std::vector<TColor> enabled = f.Painted();
  b.SetEnabled(false);
  const std::vector<TColor> disabled = f.Painted();
  // The caption sits above the glyph (blGlyphBottom): count its colours over the upper middle.
  const TColor text = ColorToRGB(clWindowText), grey = ColorToRGB(clGrayText);
  ASSERT_NE(text, grey);
  auto count = [&](const std::vector<TColor>& picture, TColor c) {
    int n = 0;
    for (int y = 8; y < 27; ++y)
      for (int x = 25; x < 75; ++x) n += f.At(picture, x, y) == c;
    return n;
  };
  EXPECT_GT(count(enabled, text), 10);
  EXPECT_EQ(count(enabled, grey), 0);
  EXPECT_GT(count(disabled, grey), 10);
  EXPECT_EQ(count(disabled, text), 0);
  // Image 1 below the caption, image 0 nowhere.
  int limeAt = -1;
  for (int y = 0; y < 50 && limeAt < 0; ++y)
    if (f.At(disabled, 50, y) == clLime) limeAt = y;
  EXPECT_GT(limeAt, 25);
  bool red = false;
  for (TColor c : disabled) red = red || c == clRed;
  EXPECT_FALSE(red);
}

TEST_F(GlyphAndCaption, TransparentLetsTheFormShowThroughTheFaceAndTheKeyPixels) {
  b.SetTransparent(true);
  const std::vector<TColor> picture = f.Painted();
  EXPECT_EQ(f.At(picture, 50, 10), clWhite);  // face not filled
  EXPECT_EQ(f.At(picture, kCentred.X, kCentred.Y + kSize - 1), clWhite);
  EXPECT_EQ(f.At(picture, kCentred.X + 1, kCentred.Y), clRed);
}

// Pressing, dragging out and back in, and releasing draw at once on the window; each picture is
// the one the next paint draws.
TEST_F(GlyphAndCaption, WindowMatchesTheNextPaintThroughAPressAndDrag) {
  b.SetCaption("&Close");
  UpdateWindow(f.form.Handle());
  ExpectWindowMatchesPaint("at rest");
  f.Send(WM_LBUTTONDOWN, {50, 25}, MK_LBUTTON);
  ExpectWindowMatchesPaint("pressed");
  f.Send(WM_MOUSEMOVE, {2, 2}, MK_LBUTTON);  // off the ellipse, in the rectangle
  ASSERT_EQ(b.BevelState(), OvalBtn::kBevelRaised);
  EXPECT_EQ(f.At(f.OnWindow(), 50, 1), b.HighlightColor());
  f.Send(WM_MOUSEMOVE, {50, 25}, MK_LBUTTON);
  ASSERT_EQ(b.BevelState(), OvalBtn::kBevelSunken);
  EXPECT_EQ(f.At(f.OnWindow(), 50, 1), b.ShadowColor());
  f.Send(WM_LBUTTONUP, {50, 25});
  ExpectWindowMatchesPaint("released");
}

TEST_F(GlyphAndCaption, FlatShowsNoOutlineAndRingsOnlyUnderThePointer) {
  b.SetFlat(true);
  UpdateWindow(f.form.Handle());
  std::vector<TColor> picture = f.Painted();
  EXPECT_EQ(f.At(picture, 0, 25), kFace);  // no outline
  EXPECT_EQ(f.At(picture, 50, 1), kFace);  // no ring
  f.Send(WM_MOUSEMOVE, {50, 25});
  EXPECT_EQ(f.At(f.OnWindow(), 50, 1), b.HighlightColor());
  ExpectWindowMatchesPaint("pointer inside");
  f.Send(WM_MOUSEMOVE, {2, 2});  // leaves the ellipse
  picture = f.Painted();
  EXPECT_EQ(f.At(picture, 50, 1), kFace);
}

}  // namespace
