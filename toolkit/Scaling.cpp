// Design-pixel scaling and the choice of picture scale.
#include "toolkit/Scaling.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

int EffectiveDpi(int dpi) { return dpi > 0 ? dpi : kDesignDpi; }

// a * b / c rounded half away from zero, in 64 bits so no layout value can overflow.
int MulDivRound(int a, int b, int c) {
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t magnitude = (std::llabs(product) + c / 2) / c;
  return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

}  // namespace

int ScaleForDpi(int value, int dpi) { return MulDivRound(value, EffectiveDpi(dpi), kDesignDpi); }

TRect ScaleForDpi(const TRect& r, int dpi) {
  return {ScaleForDpi(r.Left, dpi), ScaleForDpi(r.Top, dpi), ScaleForDpi(r.Right, dpi),
          ScaleForDpi(r.Bottom, dpi)};
}

int UnscaleForDpi(int value, int dpi) { return MulDivRound(value, kDesignDpi, EffectiveDpi(dpi)); }

int RescaleForDpi(int value, int fromDpi, int toDpi) {
  return ScaleForDpi(UnscaleForDpi(value, fromDpi), toDpi);
}

int FontHeightForDpi(int points, int dpi) { return -MulDivRound(points, EffectiveDpi(dpi), 72); }

int FontPointsForDpi(int height, int dpi) {
  return MulDivRound(height < 0 ? -height : height, 72, EffectiveDpi(dpi));
}

int PictureScale(int dpi) {
  const int64_t wanted = static_cast<int64_t>(EffectiveDpi(dpi)) * 100;
  for (int scale : kPictureScales)
    if (static_cast<int64_t>(scale) * kDesignDpi >= wanted) return scale;
  return kPictureScales[std::size(kPictureScales) - 1];
}

int PictureLength(int length, int scale) { return MulDivRound(length, scale, 100); }

std::wstring PictureResourceName(const std::wstring& name, int scale) {
  if (scale == 100) return name;
  // to_wstring formats through the C library's wide printf, which would link its whole
  // floating-point formatter into the program for three digits.
  const std::string digits = std::to_string(scale);
  return name + L"_" + std::wstring(digits.begin(), digits.end());
}
