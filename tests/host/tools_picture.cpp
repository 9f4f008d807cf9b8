// The text-picture reader and the rules each kind is held to: a fault is reported on the line
// that holds it (comments, blank lines and CR LF ends counted as a person counts them in an
// editor), and what reads without fault is exactly the pixels written.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "tools/PictureFile.h"
#include "tools/PictureRender.h"

namespace {

Picture Read(const std::string& text) {
  std::istringstream in(text);
  return ParsePicture(in);
}

// Parses, draws at the scale and checks, as mkres does.
Picture Made(const std::string& text, int scale) {
  Picture pic = Read(text);
  RenderPicture(pic, scale);
  CheckPicture(pic, scale);
  return pic;
}

struct Fault {
  const char* name;
  std::string text;
  int scale;
  int line;
  std::string message;  // a part of it
};

void PrintTo(const Fault& f, std::ostream* os) { *os << f.name; }

class PictureFaults : public testing::TestWithParam<Fault> {};

TEST_P(PictureFaults, AreReportedOnTheirLine) {
  const Fault& f = GetParam();
  try {
    Made(f.text, f.scale);
    ADD_FAILURE() << "no fault reported";
  } catch (const InputError& e) {
    EXPECT_EQ(e.line, f.line) << e.what();
    EXPECT_NE(std::string(e.what()).find(f.message), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Reading, PictureFaults, testing::Values(
    Fault{"EmptyFile", "", 100, 0, "empty"},
    Fault{"UnknownKind", "png\n", 100, 1, "unknown kind"},
    Fault{"SizeWithoutHeight", "bmp size 4x\n", 100, 1, "bad size"},
    Fault{"FramesThatDoNotDivideTheWidth", "bmp size 4x2 frames 3\n", 100, 1, "divide"},
    Fault{"CursorWithoutHotSpotY", "cur hotspot 1\n", 100, 1, "cur hotspot X Y"},
    Fault{"ColourNotHex", "bmp\na = #00000G\n", 100, 2, "not hexadecimal"},
    Fault{"ColourDefinedTwice", "bmp\na = #000000\na = #FFFFFF\n", 100, 3, "defined twice"},
    Fault{"PaletteAfterAnImage", "bmp\na = #000000\naa\nb = #FFFFFF\n", 100, 4, "before the first image"},
    Fault{"UnknownPixelAfterABlankLine", "bmp\na = #000000\n\naa\nab\n", 100, 5, "'b' in column 2"},
    Fault{"RaggedRowAfterCrLfAndAComment", "bmp\r\na = #000000\r\n; rows\r\naaa\r\naa\r\n", 100, 5, "ragged"},
    Fault{"IndentedRow", "bmp\na = #000000\n aa\n", 100, 3, "blanks"},
    Fault{"ShapeInAnUnknownColour", "bmp size 2x2\na = #000000\nrect b 0 0 1 1\n", 100, 3, "'b'"},
    Fault{"FrameBeyondTheHeader", "bmp size 4x2 frames 2\na = #000000\nframe 3\n", 100, 3, "frame N"},
    Fault{"NothingToDraw", "bmp\na = #000000\n; only a palette\n", 100, 0, "no image"}));

INSTANTIATE_TEST_SUITE_P(Rules, PictureFaults, testing::Values(
    Fault{"IconAtAnotherScale", "ico\na = #000000\naa\naa\n", 125, 1, "100 %"},
    Fault{"IconNotSquare", "ico\na = #000000\naaa\naaa\n", 100, 3, "square"},
    Fault{"IconSecondImageOfASize", "ico\na = #000000\nb = #FFFFFF\naa\naa\n\nbb\nbb\n", 100, 7, "second image"},
    Fault{"BitmapOfAnotherSizeThanItsHeader", "bmp size 3x1\na = #000000\naa\n", 100, 3, "first line says 3x1"},
    Fault{"BitmapUsingTheKeyColour", "bmp\na = #000000\nk = #FF00FF\naa\nka\n", 100, 5, "key colour"},
    Fault{"TransparencyWithAnOpaqueBottomLeft", "bmp\na = #000000\n. = transparent\n.a\na.\n", 100, 5,
          "bottom-left"},
    Fault{"BitmapWithoutShapesAtAnotherScale", "bmp\na = #000000\naa\n", 150, 0, "no shapes"},
    Fault{"CursorOfAnotherSize", "cur hotspot 0 0\nk = #000000\nk\n", 100, 3, "32x32"},
    Fault{"CursorInColour", "cur hotspot 0 0\nr = #FF0000\nrect r 0 0 32 32\n", 125, 3, "monochrome"},
    Fault{"HotSpotOutsideTheCursor", "cur hotspot 40 0\na = #000000\nrect a 0 0 32 32\n", 100, 1, "outside"}));

TEST(PictureReading, RowsBecomeThePaletteColoursWithEachImageWhereItStarts) {
  const Picture pic = Read(
      "ico\r\n"
      "; two images\r\n"
      ". = transparent\r\n"
      "r = #FF8000\r\n"
      "\r\n"
      "r.\r\n"
      ".r\r\n"
      "\r\n"
      "; the next one\r\n"
      "rrr\r\n"
      "r.r\r\n"
      "rrr\r\n");
  ASSERT_EQ(pic.images.size(), 2u);
  EXPECT_EQ(pic.images[0].firstLine, 6);
  EXPECT_EQ(pic.images[1].firstLine, 10);
  EXPECT_EQ(pic.images[0].Width(), 2);
  EXPECT_EQ(pic.images[1].Height(), 3);
  const Rgba orange{0xFF, 0x80, 0x00};
  EXPECT_EQ(pic.images[0].rows[0][0], orange);
  EXPECT_TRUE(pic.images[0].rows[0][1].transparent);
  EXPECT_EQ(pic.images[0].rows[0][1].a, 0);
  EXPECT_TRUE(pic.images[1].rows[1][1].transparent);
  EXPECT_EQ(pic.images[1].rows[2][2], orange);
}

TEST(PictureReading, FramesCollectTheirOwnShapesAndADisabledFrameNamesItsColours) {
  const Picture pic = Read(
      "bmp size 8x4 frames 2\n"
      "k = #000000\n"
      "f = #808080\n"
      "h = #FFFFFF\n"
      "rect k 0 0 2 2\n"
      "oval k 1 1 2 2\n"
      "frame 2\n"
      "disabled f h\n");
  ASSERT_EQ(pic.drawn.size(), 2u);
  EXPECT_EQ(pic.drawn[0].shapes.size(), 2u);
  EXPECT_TRUE(pic.drawn[1].shapes.empty());
  EXPECT_TRUE(pic.drawn[1].disabled);
  EXPECT_EQ(pic.drawn[1].face, (Rgba{0x80, 0x80, 0x80}));
  EXPECT_EQ(pic.shapeLine, 5);
}

// The hot spot stays on the design pixel it names at every scale, and the bitmap's frames keep
// their share of the scaled width.
TEST(PictureScaling, CursorHotSpotAndBitmapFramesFollowTheScale) {
  const std::string cursor = "cur hotspot 3 5\nk = #000000\nrect k 0 0 8 8\n";
  for (int scale : {100, 125, 150, 200}) {
    const Picture pic = Made(cursor, scale);
    ASSERT_EQ(pic.images.size(), 1u);
    EXPECT_EQ(pic.images[0].Width(), ScaledPixels(32, scale)) << scale;
    EXPECT_EQ(pic.hotX, static_cast<int>(3.5 * scale / 100)) << scale;
    EXPECT_EQ(pic.hotY, static_cast<int>(5.5 * scale / 100)) << scale;
  }
  const Picture strip =
      Made("bmp size 16x8 frames 2\n. = transparent\nk = #000000\nrect k 0 0 4 4\nframe 2\nrect k 4 4 4 4\n", 150);
  ASSERT_EQ(strip.images.size(), 1u);
  const int frame = ScaledPixels(8, 150);
  ASSERT_EQ(strip.images[0].Width(), 2 * frame);
  const auto drawn = [&](int x, int y) { return !strip.images[0].rows[static_cast<size_t>(y)][static_cast<size_t>(x)].transparent; };
  EXPECT_TRUE(drawn(0, 0));
  EXPECT_FALSE(drawn(frame, 0));                  // frame 2 starts empty at its top left
  EXPECT_TRUE(drawn(2 * frame - 1, frame - 1));   // and ends drawn at its bottom right
  EXPECT_FALSE(drawn(frame - 1, frame - 1));
}

}  // namespace
