// RGB <-> HLS over the hue hexagon, and the bevel colours of a face colour.
#include "components/ovalbutton/HlsColors.h"

#include <cmath>

namespace {

// Every equality and zero test of RGB2HLS.
constexpr double kTolerance = 1e-8;

// Corners of the hue hexagon in -1..+1, by sector: red, yellow, green, cyan, blue, magenta.
constexpr double kHueCorner[6][3] = {
    {+1, -1, -1}, {+1, +1, -1}, {-1, +1, -1}, {-1, +1, +1}, {-1, -1, +1}, {+1, -1, +1},
};

constexpr const char* kHlsNames[3] = {"Hue", "Luminance", "Saturation"};
constexpr const char* kRgbNames[3] = {"Red", "Green", "Blue"};

enum { kRed, kGreen, kBlue };

// The channel pairs (a, b) tried in order when solving for saturation and luminance.
constexpr int kPairs[3][2] = {{kGreen, kRed}, {kBlue, kGreen}, {kBlue, kRed}};

// NaN fails the first comparison, so it is reported like any other out-of-range value.
void CheckUnitRange(const TColorTriple& v, const char* pattern, const char* const (&names)[3]) {
  for (int i = 0; i < 3; ++i)
    if (!(v[i] >= 0) || v[i] > 1) RaiseFmt<EColorConv>(pattern, {names[i]});
}

double ClampUnit(double v) {
  if (!(v >= 0)) return 0;
  return v > 1 ? 1 : v;
}

// Round to nearest, ties to even, whatever the floating-point environment says.
double RoundHalfEven(double x) {
  const double below = std::floor(x);
  const double frac = x - below;
  if (frac > 0.5) return below + 1;
  if (frac < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

TColor ResolveColor(TColor color, const TSysColorFn& sysColor) {
  if (!IsSystemColor(color)) return color;
  return sysColor(static_cast<int>(color & 0xFF)) & 0xFFFFFF;
}

// 255 minus the low byte of round((256 - c) * factor). Taking the byte through fmod keeps any
// finite product well defined, however large or negative the factor.
int HighlightChannel(int c, float factor) {
  const double rounded = RoundHalfEven((256 - c) * static_cast<double>(factor));
  double low = std::fmod(rounded, 256.0);
  if (low < 0) low += 256;
  return 255 - static_cast<int>(low);
}

}  // namespace

void HLS2RGB(const TColorTriple& hls, TColorTriple& rgb) {
  CheckUnitRange(hls, "HLS2RGB: 0 <= %s value <= 1 required", kHlsNames);
  const double h = hls[0], l = hls[1], s = hls[2];
  const double p = h * 6;
  const double whole = std::trunc(p);
  const int sector = static_cast<int>(whole) % 6;  // hue 1 wraps to sector 0
  const int next = (sector + 1) % 6;
  const double f = p - whole;
  TColorTriple c;
  for (int i = 0; i < 3; ++i) {
    double v = kHueCorner[sector][i] + f * (kHueCorner[next][i] - kHueCorner[sector][i]);
    v *= s;
    v = l > 0.5 ? l + (1 - l) * v : l * (v + 1);
    c[i] = ClampUnit(v);
  }
  rgb = c;
}

void RGB2HLS(const TColorTriple& rgb, TColorTriple& hls) {
  CheckUnitRange(rgb, "RGB2HLS: 0 <= %s value <= 1 required", kRgbNames);
  double t[3];
  double m = 0;
  int k = 0;
  for (int i = 0; i < 3; ++i) {
    t[i] = 2 * rgb[i] - 1;  // mid-grey becomes 0
    if (std::fabs(t[i]) > m) {
      m = std::fabs(t[i]);
      k = i;
    }
  }
  if (m < kTolerance) {
    hls = {0, 0.5, 0};
    return;
  }
  double n[3];
  for (int i = 0; i < 3; ++i) n[i] = t[i] * (1 / m);

  // Stretch n so that its largest channel is +1 and its smallest -1; j is the smallest.
  const bool light = t[k] > 0;
  int j = k;
  double d = 0;
  for (int i = 0; i < 3; ++i) d = std::fmax(d, light ? 1 - n[i] : n[i] + 1);
  if (d < kTolerance) {
    hls = {0, rgb[kRed], 0};
    return;
  }
  for (int i = 0; i < 3; ++i) n[i] = light ? (n[i] - 1) * (2 / d) + 1 : (n[i] + 1) * (2 / d) - 1;
  if (light) {
    // Among equal minima the first wins: this is what makes pure red come out as hue 1.
    double least = 1.0;
    j = kRed;
    for (int i = 0; i < 3; ++i)
      if (n[i] < least) {
        least = n[i];
        j = i;
      }
  }

  double h;
  switch (j) {
    case kRed: h = n[kGreen] > n[kBlue] ? 2 + (n[kBlue] + 1) / 2 : 4 - (n[kGreen] + 1) / 2; break;
    case kGreen: h = n[kBlue] > n[kRed] ? 4 + (n[kRed] + 1) / 2 : 6 - (n[kBlue] + 1) / 2; break;
    default: h = n[kRed] > n[kGreen] ? (n[kGreen] + 1) / 2 : 2 - (n[kRed] + 1) / 2; break;
  }

  // Saturation and luminance solve the HLS2RGB equations for the first usable channel pair.
  double s = 0;
  for (const auto& pair : kPairs) {
    const int a = pair[0], b = pair[1];
    if (std::fabs(t[a] - t[b]) > kTolerance) {
      s = light ? (t[a] - t[b]) / ((t[a] - 1) * n[b] - (t[b] - 1) * n[a])
                : (t[a] - t[b]) / ((t[b] + 1) * n[a] - (t[a] + 1) * n[b]);
      break;
    }
  }
  double q = light ? t[kRed] - 1 : t[kRed] + 1;
  for (const auto& pair : kPairs) {
    const int a = pair[0], b = pair[1];
    if (std::fabs(n[a] - n[b]) > kTolerance) {
      q = light ? ((t[b] - 1) * n[a] - (t[a] - 1) * n[b]) / (n[a] - n[b])
                : ((t[b] + 1) * n[a] - (t[a] + 1) * n[b]) / (n[a] - n[b]);
      break;
    }
  }
  const double lum = light ? q / 2 + 1 : q / 2;
  hls = {ClampUnit(h / 6), ClampUnit(lum), ClampUnit(s)};
}

void ComputeBevelColors(TColor color, float highlightFactor, float shadowFactor, TColor& highlight,
                        TColor& shadow, const TSysColorFn& sysColor) {
  if (!std::isfinite(highlightFactor))
    throw EColorConv("ComputeBevelColors: the highlight factor must be a finite number");
  const TColor face = ResolveColor(color, sysColor);
  const int r = RedOf(face), g = GreenOf(face), b = BlueOf(face);

  highlight = RGBColor(HighlightChannel(r, highlightFactor), HighlightChannel(g, highlightFactor),
                       HighlightChannel(b, highlightFactor));

  TColorTriple hls;
  RGB2HLS({r / 255.0, g / 255.0, b / 255.0}, hls);
  hls[1] *= static_cast<double>(shadowFactor);
  TColorTriple dark;
  HLS2RGB(hls, dark);
  auto toByte = [](double x) { return static_cast<int>(RoundHalfEven(x * 255)); };
  shadow = RGBColor(toByte(dark[kRed]), toByte(dark[kGreen]), toByte(dark[kBlue]));
}

void ComputeBevelColorsTenths(TColor color, int32_t highlightTenths, int32_t shadowTenths,
                              TColor& highlight, TColor& shadow, const TSysColorFn& sysColor) {
  // In double, so no tenths value can overflow the subtraction.
  const float fh = static_cast<float>((10.0 - highlightTenths) / 10.0);
  const float fs = static_cast<float>((10.0 - shadowTenths) / 10.0);
  ComputeBevelColors(color, fh, fs, highlight, shadow, sysColor);
}
