// Colour conversions between RGB and HLS (the double-hexcone model), and the two bevel colours
// derived from one face colour. Pure functions over constant tables: safe on any thread.
#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "toolkit/Exception.h"
#include "toolkit/Types.h"

// Out-of-range or not-a-number input to HLS2RGB / RGB2HLS.
class EColorConv : public Exception {
 public:
  using Exception::Exception;
};

// Three doubles in 0..1: red, green, blue or hue, luminance, saturation. Hue 0 and 1 are both red.
using TColorTriple = std::array<double, 3>;

// Raise EColorConv naming the first input (in order) outside 0..1, leaving `rgb` / `hls` untouched.
void HLS2RGB(const TColorTriple& hls, TColorTriple& rgb);
void RGB2HLS(const TColorTriple& rgb, TColorTriple& hls);

// Resolves a system colour index (the low byte of a system colour constant) to 0x00BBGGRR;
// the program passes the platform's GetSysColor, tests a table.
using TSysColorFn = std::function<TColor(int index)>;

// Highlight: each channel c -> 255 - round((256 - c) * highlightFactor), in 8-bit arithmetic.
// Shadow: the face's luminance times shadowFactor, through HLS. Rounding ties go to even.
// The highlight is written before the shadow is computed, so a shadow factor that drives the
// luminance out of range raises EColorConv ("Luminance") with `highlight` already updated and
// `shadow` untouched. A non-finite highlight factor raises EColorConv before anything is written.
// `sysColor` is consulted only when `color` is a system colour.
void ComputeBevelColors(TColor color, float highlightFactor, float shadowFactor, TColor& highlight,
                        TColor& shadow, const TSysColorFn& sysColor);

// As ComputeBevelColors with the factors (10 - n) / 10, each rounded to a 32-bit float.
// The oval button passes 5 and 4 (0.5 and 0.6f).
void ComputeBevelColorsTenths(TColor color, int32_t highlightTenths, int32_t shadowTenths,
                              TColor& highlight, TColor& shadow, const TSysColorFn& sysColor);
