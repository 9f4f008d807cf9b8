// Segment outlines of one LED cell. Halving truncates toward zero throughout.
#include "components/ledclock/LedGeometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "toolkit/Scaling.h"

namespace {

// Coordinates are worked in 64 bits so extreme sizes cannot overflow; the results are held in
// the int range the drawing calls take.
int ToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max()));
}

TPoint P(int64_t x, int64_t y) { return {ToInt(x), ToInt(y)}; }

void AddBar(TLedDrawing& d, TLed seg, std::initializer_list<TPoint> points) {
  TLedShape& s = d.Shapes[static_cast<size_t>(d.ShapeCount++)];
  s.Segment = seg;
  s.PointCount = static_cast<int>(points.size());
  std::copy(points.begin(), points.end(), s.Points.begin());
}

void AddDot(TLedDrawing& d, TLed seg, int64_t x, int64_t y, int64_t cw, int64_t ch) {
  TLedShape& s = d.Shapes[static_cast<size_t>(d.ShapeCount++)];
  s.Segment = seg;
  s.Rect = {ToInt(x), ToInt(y), ToInt(x + cw + 1), ToInt(y + ch + 1)};
}

}  // namespace

TLedInsets LedInsets(int borderWidth) {
  const int bw = std::max(borderWidth, 1);
  const int a = bw / 2;
  // Up to 6 the pen's odd pixel falls on the right and bottom; wider pens sit symmetrically.
  return {a, bw <= 6 ? bw - a : a};
}

TLedDrawing LedDrawing(const TLedMetrics& m, TLeds lit) {
  TLedDrawing d;
  d.Insets = LedInsets(m.BorderWidth);
  const int64_t a = d.Insets.Lead, b = d.Insets.Trail;
  const int64_t W = m.Width, H = m.Height, cw = m.CharWidth, ch = m.CharHeight;
  // Columns: outer left, inner left, inner right, outer right.
  const int64_t xL = a, xLi = a + cw, xRi = W - cw - b, xR = W - b;
  // Rows: outer top, inner top, upper and lower edges of the middle joint around yM, inner
  // bottom, outer bottom.
  const int64_t yT = a, yTi = a + ch, yUi = (H - ch) / 2, yM = H / 2, yLi = (H + ch) / 2,
                yBi = H - ch - b, yB = H - b;

  using enum TLed;
  if (lit.Has(sg_0)) AddBar(d, sg_0, {P(xL, yT), P(xLi, yTi), P(xRi, yTi), P(xR, yT)});
  if (lit.Has(sg_1)) AddBar(d, sg_1, {P(xL, yT), P(xLi, yTi), P(xLi, yUi), P(xL, yM)});
  if (lit.Has(sg_2)) AddBar(d, sg_2, {P(xR, yT), P(xRi, yTi), P(xRi, yUi), P(xR, yM)});
  if (lit.Has(sg_3))
    AddBar(d, sg_3, {P(xL, yM), P(xLi, yLi), P(xRi, yLi), P(xR, yM),
                     P(xRi, yUi), P(xLi, yUi)});
  if (lit.Has(sg_4)) AddBar(d, sg_4, {P(xL, yM), P(xLi, yLi), P(xLi, yBi), P(xL, yB)});
  if (lit.Has(sg_5)) AddBar(d, sg_5, {P(xR, yM), P(xRi, yLi), P(xRi, yBi), P(xR, yB)});
  if (lit.Has(sg_6)) AddBar(d, sg_6, {P(xL, yB), P(xLi, yBi), P(xRi, yBi), P(xR, yB)});

  // Both dots sit in one column midway between xL and xRi; the upper one midway between the top
  // bar and the middle joint, the lower one between that joint and the bottom bar.
  const int64_t xD = (W - cw + a - b) / 2;
  if (lit.Has(sg_7)) AddDot(d, sg_7, xD, ((H - ch) / 2 + a) / 2, cw, ch);
  if (lit.Has(sg_8)) AddDot(d, sg_8, xD, ((H - b - ch) + (H - ch) / 2) / 2, cw, ch);
  return d;
}

namespace {
// value * dpi / 96 with halves rounded down: a 1-pixel pen stays 1 pixel at 150 %, where the
// fill beside it takes the extra pixel, so the digits keep reading as dark strokes.
int ScaleHalfDown(int value, int dpi) {
  const int64_t n = static_cast<int64_t>(value) * dpi;
  return ToInt((2 * n + kDesignDpi - 1) / (2 * kDesignDpi));
}
}  // namespace

TLedStrokes ScaleLedStrokes(const TLedStrokes& at96, int dpi) {
  const int cw = at96.CharWidth, ch = at96.CharHeight, bw = std::max(at96.BorderWidth, 1);
  if (dpi <= 0 || dpi == kDesignDpi) return {cw, ch, bw};
  if (cw < 0 || ch < 0)
    return {ScaleForDpi(cw, dpi), ScaleForDpi(ch, dpi), std::max(ScaleForDpi(bw, dpi), 1)};
  // What the pen and bar cover together: the bar's thickness plus the pen's width.
  const int width = ScaleForDpi(cw + bw, dpi), height = ScaleForDpi(ch + bw, dpi);
  if (cw <= bw && ch <= bw) {
    // The pen covers each bar whole: it is at least half of what either bar covers.
    const int pen = std::max({ScaleForDpi(bw, dpi), (width + 1) / 2, (height + 1) / 2});
    return {std::max(width - pen, 0), std::max(height - pen, 0), pen};
  }
  const int pen = std::max(ScaleHalfDown(bw, dpi), 1);
  const auto bar = [&](int stroke, int whole) {
    if (stroke > bw) return pen + std::max(ScaleForDpi(stroke - bw, dpi), 1);
    return std::clamp(whole - pen, 0, pen);  // this direction is outline only
  };
  return {bar(cw, width), bar(ch, height), pen};
}
