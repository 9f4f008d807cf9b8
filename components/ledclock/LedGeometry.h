// What a seven-segment cell draws: its pen insets and the outlines of its lit segments, computed
// from the cell's size and strokes alone so the paint code only has to draw them.
#pragma once
#include <array>
#include <cstddef>
#include <span>

#include "components/ledclock/LedSegments.h"
#include "toolkit/Types.h"

struct TLedMetrics {
  int Width = 0;        // the cell's client width
  int Height = 0;       // the cell's client height
  int CharWidth = 0;    // thickness of the vertical bars
  int CharHeight = 0;   // thickness of the horizontal bars
  int BorderWidth = 1;  // outline pen width; less than 1 counts as 1, as the cell stores it
};

// How far the outline pen is kept inside the cell: Lead on the left and top, Trail on the right
// and bottom.
struct TLedInsets {
  int Lead = 0;
  int Trail = 0;
  bool operator==(const TLedInsets&) const = default;
};
TLedInsets LedInsets(int borderWidth);

// One filled, outlined shape. A bar (sg_0..sg_6) is a polygon of 4 or 6 points in drawing
// order; a dot (sg_7, sg_8) is a rectangle with the right and bottom edges exclusive, as the
// platform's Rectangle call takes it.
struct TLedShape {
  TLed Segment = TLed::sg_0;
  int PointCount = 0;  // 0 for a dot
  std::array<TPoint, 6> Points{};
  TRect Rect{};        // dots only

  bool IsDot() const { return PointCount == 0; }
  std::span<const TPoint> Polygon() const { return {Points.data(), static_cast<size_t>(PointCount)}; }
};

// The lit segments of a cell in painting order: bars sg_0..sg_6, then the dots.
struct TLedDrawing {
  TLedInsets Insets;
  int ShapeCount = 0;
  std::array<TLedShape, 9> Shapes{};

  const TLedShape* begin() const { return Shapes.data(); }
  const TLedShape* end() const { return Shapes.data() + ShapeCount; }
};

// Unlit segments get no shape. Sizes smaller than the strokes are not corrected: the shapes may
// cross, as drawn. Coordinates that would leave the int range are held at its ends.
TLedDrawing LedDrawing(const TLedMetrics& metrics, TLeds lit);

// A cell's strokes: bar thicknesses and the outline pen's width.
struct TLedStrokes {
  int CharWidth = 0;
  int CharHeight = 0;
  int BorderWidth = 1;
  bool operator==(const TLedStrokes&) const = default;
};

// Strokes given for 96 DPI, at another DPI, so the cell looks like its 96 DPI drawing enlarged.
// A lit bar shows the outline, the fill (thickness minus pen width) and the outline again; each
// keeps its own share, so a bar neither thickens into outline nor thins to a hairline of fill.
// A cell whose bars are no thicker than the pen (all outline) stays all outline, as thick as
// the whole bar scaled. Negative strokes, which draw crossed shapes, scale plainly.
TLedStrokes ScaleLedStrokes(const TLedStrokes& at96, int dpi);
