// RGB <-> HLS conversions and the bevel colours derived from a face colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <random>
#include <string>

#include "components/ovalbutton/HlsColors.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TColor NoSysColor(int index) {
  ADD_FAILURE() << "system colour " << index << " resolved for a plain colour";
  return 0;
}

struct BevelRow {
  int r, g, b;
  int hr, hg, hb;
  int sr, sg, sb;
};

std::ostream& operator<<(std::ostream& os, const BevelRow& r) {
  return os << "face " << r.r << "," << r.g << "," << r.b;
}

class BevelTable : public testing::TestWithParam<BevelRow> {};

TEST_P(BevelTable, ButtonFactorsGiveTheDocumentedRings) {
  const BevelRow& row = GetParam();
  TColor highlight = 0, shadow = 0;
  ComputeBevelColorsTenths(RGBColor(row.r, row.g, row.b), 5, 4, highlight, shadow, NoSysColor);
  EXPECT_EQ(highlight, RGBColor(row.hr, row.hg, row.hb));
  EXPECT_EQ(shadow, RGBColor(row.sr, row.sg, row.sb));
}

INSTANTIATE_TEST_SUITE_P(Faces, BevelTable,
                         testing::Values(BevelRow{192, 192, 192, 223, 223, 223, 115, 115, 115},
                                         BevelRow{212, 208, 200, 233, 231, 227, 139, 129, 108},
                                         BevelRow{240, 240, 240, 247, 247, 247, 144, 144, 144},
                                         BevelRow{0, 0, 0, 127, 127, 127, 0, 0, 0},
                                         BevelRow{255, 255, 255, 255, 255, 255, 153, 153, 153},
                                         BevelRow{255, 0, 0, 255, 127, 127, 153, 0, 0}));

TEST(BevelColors, SystemColourIsResolvedByIndexBeforeComputing) {
  int asked = -1;
  auto table = [&](int index) {
    asked = index;
    return RGBColor(212, 208, 200);
  };
  TColor highlight = 0, shadow = 0;
  ComputeBevelColorsTenths(clBtnFace, 5, 4, highlight, shadow, table);
  EXPECT_EQ(asked, 15);
  EXPECT_EQ(highlight, RGBColor(233, 231, 227));
  EXPECT_EQ(shadow, RGBColor(139, 129, 108));
}

TEST(BevelColors, HighlightRoundsHalvesToEven) {
  TColor highlight = 0, shadow = 0;
  // 15: 120.5 -> 120 gives 135; 13: 121.5 -> 122 gives 133; 0 and 1 both 127; 255 stays.
  ComputeBevelColors(RGBColor(15, 13, 0), 0.5f, 0.6f, highlight, shadow, NoSysColor);
  EXPECT_EQ(highlight, RGBColor(135, 133, 127));
  ComputeBevelColors(RGBColor(1, 255, 254), 0.5f, 0.6f, highlight, shadow, NoSysColor);
  EXPECT_EQ(highlight, RGBColor(127, 255, 254));
}

TEST(BevelColors, HighlightTakesTheLowByteOfAnyFiniteProduct) {
  TColor highlight = 0, shadow = 0;
  // 2.0: 512 -> 0 -> 255, 510 -> 254 -> 1. -1.0: -256 -> 0 -> 255, -255 -> 1 -> 254.
  ComputeBevelColors(RGBColor(0, 1, 0), 2.0f, 0.5f, highlight, shadow, NoSysColor);
  EXPECT_EQ(highlight, RGBColor(255, 1, 255));
  ComputeBevelColors(RGBColor(0, 1, 0), -1.0f, 0.5f, highlight, shadow, NoSysColor);
  EXPECT_EQ(highlight, RGBColor(255, 254, 255));
  // Far beyond any integer type: the product is a multiple of 256.
  ComputeBevelColors(RGBColor(0, 128, 255), 1e30f, 0.5f, highlight, shadow, NoSysColor);
  EXPECT_EQ(highlight, RGBColor(255, 255, 255));
}

TEST(BevelColors, NonFiniteHighlightFactorRaisesBeforeWritingAnything) {
  TColor highlight = 0x123456, shadow = 0x654321;
  EXPECT_THROW(ComputeBevelColors(clWhite, std::numeric_limits<float>::infinity(), 0.5f, highlight,
                                  shadow, NoSysColor),
               EColorConv);
  EXPECT_THROW(ComputeBevelColors(clWhite, std::numeric_limits<float>::quiet_NaN(), 0.5f, highlight,
                                  shadow, NoSysColor),
               EColorConv);
  EXPECT_EQ(highlight, 0x123456u);
  EXPECT_EQ(shadow, 0x654321u);
}

TEST(BevelColors, ShadowOutOfRangeRaisesAfterTheHighlightIsWritten) {
  for (float fs : {-1.0f, 3.0f}) {
    TColor highlight = 0x123456, shadow = 0x654321;
    try {
      ComputeBevelColors(RGBColor(192, 192, 192), 0.5f, fs, highlight, shadow, NoSysColor);
      ADD_FAILURE() << "no exception for shadow factor " << fs;
    } catch (const EColorConv& e) {
      EXPECT_EQ(e.Message(), "HLS2RGB: 0 <= Luminance value <= 1 required");
    }
    EXPECT_EQ(highlight, RGBColor(223, 223, 223));
    EXPECT_EQ(shadow, 0x654321u);
  }
}

TEST(BevelColors, TenthsAreTheFactorsAsFloats) {
  for (TColor c : {RGBColor(212, 208, 200), RGBColor(17, 99, 250), RGBColor(3, 2, 1)}) {
    TColor h1 = 0, s1 = 0, h2 = 0, s2 = 0;
    ComputeBevelColorsTenths(c, 2, 7, h1, s1, NoSysColor);
    ComputeBevelColors(c, 0.8f, 0.3f, h2, s2, NoSysColor);
    EXPECT_EQ(h1, h2);
    EXPECT_EQ(s1, s2);
  }
  TColor h = 0, s = 0;  // extreme tenths neither overflow nor trap; the shadow range check reports
  EXPECT_THROW(ComputeBevelColorsTenths(clWhite, INT32_MIN, INT32_MIN, h, s, NoSysColor), EColorConv);
}

struct HlsRow {
  double r, g, b;
  double h, l, s;
};

std::ostream& operator<<(std::ostream& os, const HlsRow& r) {
  return os << "rgb " << r.r << "," << r.g << "," << r.b;
}

class NamedColours : public testing::TestWithParam<HlsRow> {};

TEST_P(NamedColours, RGB2HLSGivesTheNamedResult) {
  const HlsRow& row = GetParam();
  TColorTriple hls{};
  RGB2HLS({row.r, row.g, row.b}, hls);
  EXPECT_NEAR(hls[0], row.h, 1e-12);
  EXPECT_NEAR(hls[1], row.l, 1e-12);
  EXPECT_NEAR(hls[2], row.s, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NamedColours,
    testing::Values(HlsRow{0.5, 0.5, 0.5, 0, 0.5, 0},
                    HlsRow{0.5 + 4e-9, 0.5 - 4.9e-9, 0.5 + 4.9e-9, 0, 0.5, 0},
                    HlsRow{0.3, 0.3, 0.3, 0, 0.3, 0}, HlsRow{0.8, 0.8, 0.8, 0, 0.8, 0},
                    HlsRow{0, 0, 0, 0, 0, 0}, HlsRow{1, 1, 1, 0, 1, 0},
                    // Reds whose green and blue are equal are hue 1, not 0.
                    HlsRow{1, 0, 0, 1, 0.5, 1}, HlsRow{1, 0.2, 0.2, 1, 0.6, 1},
                    HlsRow{0.5, 0, 0, 1, 0.25, 1}, HlsRow{1, 0.2, 0.1, 1.0 / 54, 0.55, 1},
                    HlsRow{0, 1, 0, 1.0 / 3, 0.5, 1}, HlsRow{0, 0, 1, 2.0 / 3, 0.5, 1},
                    HlsRow{1, 1, 0, 1.0 / 6, 0.5, 1}, HlsRow{1, 0, 1, 5.0 / 6, 0.5, 1},
                    HlsRow{0, 1, 1, 0.5, 0.5, 1}));

// The usual closed forms of the double hexcone, computed independently of the hexagon walk.
TEST(RGB2HLS, AgreesWithTheClosedFormsOverRandomColours) {
  std::mt19937 rng(20240601);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i < 20000; ++i) {
    const double r = unit(rng), g = unit(rng), b = unit(rng);
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), c = mx - mn;
    const double l = (mx + mn) / 2;
    const double s = c == 0 ? 0 : (l <= 0.5 ? c / (mx + mn) : c / (2 - mx - mn));
    double h = 0;
    if (c > 0) {
      if (mx == r) h = std::fmod((g - b) / c + 6, 6);
      else if (mx == g) h = (b - r) / c + 2;
      else h = (r - g) / c + 4;
    }
    TColorTriple hls{};
    RGB2HLS({r, g, b}, hls);
    ASSERT_NEAR(hls[1], l, 1e-9) << r << " " << g << " " << b;
    ASSERT_NEAR(hls[2], s, 1e-8) << r << " " << g << " " << b;
    if (c > 1e-3) {
      const double dh = std::fabs(hls[0] - h / 6);
      ASSERT_LT(std::min(dh, 1 - dh), 1e-9) << r << " " << g << " " << b;
    }
  }
}

TEST(HLS2RGB, EdgesOfTheModel) {
  TColorTriple a{}, b{};
  for (double l : {0.1, 0.5, 0.7})
    for (double s : {0.0, 0.4, 1.0}) {
      HLS2RGB({0, l, s}, a);
      HLS2RGB({1, l, s}, b);
      EXPECT_EQ(a, b) << "hue 1 and hue 0 differ at l " << l << " s " << s;
      HLS2RGB({0.37, l, 0}, a);
      EXPECT_EQ(a, (TColorTriple{l, l, l}));
    }
  for (double h : {0.0, 0.2, 0.9})
    for (double s : {0.0, 0.5, 1.0}) {
      HLS2RGB({h, 0, s}, a);
      EXPECT_EQ(a, (TColorTriple{0, 0, 0}));
      HLS2RGB({h, 1, s}, a);
      EXPECT_EQ(a, (TColorTriple{1, 1, 1}));
    }
  HLS2RGB({1.0 / 3, 0.5, 1}, a);
  EXPECT_EQ(a, (TColorTriple{0, 1, 0}));
  HLS2RGB({1.0 / 54, 0.55, 1}, a);
  EXPECT_NEAR(a[0], 1, 1e-12);
  EXPECT_NEAR(a[1], 0.2, 1e-12);
  EXPECT_NEAR(a[2], 0.1, 1e-12);
}

struct RangeRow {
  bool toRgb;  // HLS2RGB when true
  TColorTriple in;
  const char* message;
};

std::ostream& operator<<(std::ostream& os, const RangeRow& r) { return os << r.message; }

class RangeErrors : public testing::TestWithParam<RangeRow> {};

TEST_P(RangeErrors, NameTheFirstFailingComponentAndLeaveTheOutputAlone) {
  const RangeRow& row = GetParam();
  const TColorTriple sentinel{0.25, 0.5, 0.75};
  TColorTriple out = sentinel;
  try {
    if (row.toRgb) HLS2RGB(row.in, out);
    else RGB2HLS(row.in, out);
    ADD_FAILURE() << "no exception";
  } catch (const EColorConv& e) {
    EXPECT_EQ(e.Message(), row.message);
  }
  EXPECT_EQ(out, sentinel);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RangeErrors,
    testing::Values(RangeRow{true, {-0.1, 0.5, 0.5}, "HLS2RGB: 0 <= Hue value <= 1 required"},
                    RangeRow{true, {-0.1, 0.5, 2}, "HLS2RGB: 0 <= Hue value <= 1 required"},
                    RangeRow{true, {0.5, 1.0000001, 2}, "HLS2RGB: 0 <= Luminance value <= 1 required"},
                    RangeRow{true, {0.5, kNaN, 0.5}, "HLS2RGB: 0 <= Luminance value <= 1 required"},
                    RangeRow{true, {0, 0, -1e-300}, "HLS2RGB: 0 <= Saturation value <= 1 required"},
                    RangeRow{false, {0.2, 0.3, 1.5}, "RGB2HLS: 0 <= Blue value <= 1 required"},
                    RangeRow{false, {kNaN, 2, 2}, "RGB2HLS: 0 <= Red value <= 1 required"},
                    RangeRow{false, {1, -0.5, 0}, "RGB2HLS: 0 <= Green value <= 1 required"}));

TEST(HLSRoundTrip, RandomColoursComeBackWithinOneMillionth) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<int> pick(0, 5);
  // Mix in exact 0, 1, 0.5 and repeated channels, where the tie rules decide the path.
  auto channel = [&](double other) {
    switch (pick(rng)) {
      case 0: return 0.0;
      case 1: return 1.0;
      case 2: return 0.5;
      case 3: return other;
      default: return unit(rng);
    }
  };
  for (int i = 0; i < 100000; ++i) {
    const double r = i % 2 ? unit(rng) : channel(0.3);
    const double g = channel(r);
    const double b = channel(g);
    TColorTriple hls{}, back{};
    RGB2HLS({r, g, b}, hls);
    HLS2RGB(hls, back);
    ASSERT_NEAR(back[0], r, 1e-6) << r << " " << g << " " << b;
    ASSERT_NEAR(back[1], g, 1e-6) << r << " " << g << " " << b;
    ASSERT_NEAR(back[2], b, 1e-6) << r << " " << g << " " << b;
  }
}

}  // namespace
