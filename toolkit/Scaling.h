// Layouts are written in pixels at 96 DPI; these turn them into pixels at a monitor's DPI the
// way forms designed at 96 DPI have always been scaled, so at 96 nothing moves by a pixel.
#pragma once
#include <string>

#include "toolkit/Types.h"

constexpr int kDesignDpi = 96;

// value * dpi / 96, rounded to the nearest pixel with halves away from zero (as MulDiv does).
// A dpi of 0 or less counts as 96: a window not yet on a monitor keeps its design size.
int ScaleForDpi(int value, int dpi);
TRect ScaleForDpi(const TRect& r, int dpi);
// The inverse, for values measured on screen that are stored in design pixels.
int UnscaleForDpi(int value, int dpi);

// A font's pixel height (negative: the character height, as a point size gives) for a size in
// points at a DPI, and back: 8 points are 11 pixels at 96 DPI and 16 at 144.
int FontHeightForDpi(int points, int dpi);
int FontPointsForDpi(int height, int dpi);

// A length laid out at one DPI, at another: through its 96 DPI value, so that going there and
// back never drifts by a pixel.
int RescaleForDpi(int value, int fromDpi, int toDpi);

// Pictures are drawn at these scales (per cent of 96 DPI).
constexpr int kPictureScales[] = {100, 125, 150, 200};
// The scale of the picture to show at this DPI: the exact one, else the nearest larger one,
// else the largest.
int PictureScale(int dpi);
// A length of a picture's 100 % drawing in its drawing for a scale, rounded as layouts are.
int PictureLength(int length, int scale);
// A picture's resource name at a scale: the name itself at 100 %, "NAME_125" and so on above.
std::wstring PictureResourceName(const std::wstring& name, int scale);
