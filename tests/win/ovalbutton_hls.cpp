// Our RGB/HLS conversions against the platform's own (shlwapi's ColorRGBToHLS / ColorHLSToRGB),
// an independent implementation of the same double-hexcone model in whole numbers: hue,
// luminance and saturation 0..240, channels 0..255. Loaded at run time, so no program links it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>

#include "components/ovalbutton/HlsColors.h"

namespace {

constexpr double kHlsMax = 240, kRgbMax = 255;

// The platform rounds each of its results to the nearest whole unit of 240.
constexpr double kToHlsTolerance = 0.5 + 1e-6;
// The platform rounds the two luminance corners and the step along the hue edge (together at
// most one unit of 240, that is 1.0625 of 255), then the scaling to 0..255 (half a unit).
constexpr double kToRgbTolerance = 1.0625 + 0.5 + 1e-6;

using RgbToHls = void(WINAPI*)(COLORREF, WORD*, WORD*, WORD*);
using HlsToRgb = COLORREF(WINAPI*)(WORD, WORD, WORD);

class PlatformHls : public testing::Test {
 protected:
  void SetUp() override {
    lib_ = LoadLibraryW(L"shlwapi.dll");
    ASSERT_NE(lib_, nullptr);
    toHls_ = reinterpret_cast<RgbToHls>(reinterpret_cast<void*>(GetProcAddress(lib_, "ColorRGBToHLS")));
    toRgb_ = reinterpret_cast<HlsToRgb>(reinterpret_cast<void*>(GetProcAddress(lib_, "ColorHLSToRGB")));
    ASSERT_NE(toHls_, nullptr);
    ASSERT_NE(toRgb_, nullptr);
  }
  void TearDown() override {
    if (lib_) FreeLibrary(lib_);
  }
  // The platform's HLS of a colour, in 0..240.
  void PlatformToHls(int r, int g, int b, double& h, double& l, double& s) const {
    WORD wh = 0, wl = 0, ws = 0;
    toHls_(RGB(r, g, b), &wh, &wl, &ws);
    h = wh;
    l = wl;
    s = ws;
  }
  static TColorTriple OursToHls(int r, int g, int b) {
    TColorTriple hls{};
    RGB2HLS({r / kRgbMax, g / kRgbMax, b / kRgbMax}, hls);
    return hls;
  }
  HlsToRgb toRgb_ = nullptr;

 private:
  HMODULE lib_ = nullptr;
  RgbToHls toHls_ = nullptr;
};

// Hue is a circle: 0 and 240 are both red.
double HueDistance(double a, double b) {
  const double d = std::fabs(a - b);
  return std::fmin(d, kHlsMax - d);
}

TEST_F(PlatformHls, RgbToHlsAgreesOverTheColourCube) {
  int compared = 0, failures = 0;
  for (int r = 0; r <= 255; r += 3)
    for (int g = 0; g <= 255; g += 3)
      for (int b = 0; b <= 255; b += 3) {
        double h, l, s;
        PlatformToHls(r, g, b, h, l, s);
        const TColorTriple ours = OursToHls(r, g, b);
        bool ok = std::fabs(ours[1] * kHlsMax - l) <= kToHlsTolerance &&
                  std::fabs(ours[2] * kHlsMax - s) <= kToHlsTolerance;
        // A grey has no hue: the platform reports 160 for it, we report 0 (checked below).
        if (s > 0) ok = ok && HueDistance(ours[0] * kHlsMax, h) <= kToHlsTolerance;
        ++compared;
        if (!ok && ++failures <= 5)
          ADD_FAILURE() << "RGB " << r << "," << g << "," << b << ": ours " << ours[0] * kHlsMax << ","
                        << ours[1] * kHlsMax << "," << ours[2] * kHlsMax << " platform " << h << "," << l << ","
                        << s;
      }
  EXPECT_EQ(compared, 86 * 86 * 86);
  EXPECT_EQ(failures, 0);
}

TEST_F(PlatformHls, HlsToRgbAgreesOverTheWholeRange) {
  int failures = 0;
  for (int h = 0; h <= 240; h += 4)
    for (int l = 0; l <= 240; l += 4)
      for (int s = 0; s <= 240; s += 4) {
        const COLORREF platform = toRgb_(static_cast<WORD>(h), static_cast<WORD>(l), static_cast<WORD>(s));
        TColorTriple ours{};
        HLS2RGB({h / kHlsMax, l / kHlsMax, s / kHlsMax}, ours);
        const int theirs[3] = {GetRValue(platform), GetGValue(platform), GetBValue(platform)};
        bool ok = true;
        for (int i = 0; i < 3; ++i) ok = ok && std::fabs(ours[i] * kRgbMax - theirs[i]) <= kToRgbTolerance;
        if (!ok && ++failures <= 5)
          ADD_FAILURE() << "HLS " << h << "," << l << "," << s << ": ours " << ours[0] * kRgbMax << ","
                        << ours[1] * kRgbMax << "," << ours[2] * kRgbMax << " platform " << theirs[0] << ","
                        << theirs[1] << "," << theirs[2];
      }
  EXPECT_EQ(failures, 0);
}

// The one documented difference: a red whose green and blue are equal is hue 1 for us (the far
// end of the circle), 0 for the platform. Greys: hue 0 for us, the platform's "undefined" 160.
TEST_F(PlatformHls, RedsWithEqualGreenAndBlueAreHueOneForUsAndZeroForThePlatform) {
  struct Case {
    int r, g, b;
  };
  for (const Case c : {Case{255, 0, 0}, Case{255, 51, 51}, Case{128, 0, 0}, Case{200, 100, 100}}) {
    double h, l, s;
    PlatformToHls(c.r, c.g, c.b, h, l, s);
    EXPECT_EQ(h, 0) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(OursToHls(c.r, c.g, c.b)[0], 1.0) << c.r << "," << c.g << "," << c.b;
  }
  // Blue below green: just above 0 for both.
  double h, l, s;
  PlatformToHls(255, 51, 26, h, l, s);
  EXPECT_LE(HueDistance(OursToHls(255, 51, 26)[0] * kHlsMax, h), kToHlsTolerance);
  EXPECT_LT(OursToHls(255, 51, 26)[0], 0.5);
  for (int v : {0, 77, 128, 255}) {
    PlatformToHls(v, v, v, h, l, s);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(OursToHls(v, v, v)[0], 0.0);
  }
}

}  // namespace
