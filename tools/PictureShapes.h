// Pictures described by shapes in design pixels (the 100 % grid) and rasterised at any size, so
// that every scale of a glyph, cursor or icon is drawn for its own pixel grid, not stretched.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0;
  bool transparent = false;
  std::uint8_t a = 0xFF;  // coverage of a smoothed edge; 0 when transparent
  bool operator==(const Rgba&) const = default;
};

struct PixelImage {
  int firstLine = 0;  // where its rows start in the picture file, for messages
  std::vector<std::vector<Rgba>> rows;
  int Width() const { return rows.empty() ? 0 : static_cast<int>(rows[0].size()); }
  int Height() const { return static_cast<int>(rows.size()); }
};

struct PointF {
  double x = 0, y = 0;
};

// rect, oval: box.  ring: an oval's outline of `stroke` width.  arc: part of a ring, from angle
// a0 to a1 in degrees, counter-clockwise from three o'clock.  poly: a filled polygon.  line: a
// polyline of `stroke` width with round ends.
enum class ShapeKind { Rect, Oval, Ring, Arc, Poly, Line };

struct Shape {
  ShapeKind kind = ShapeKind::Rect;
  Rgba colour;
  double stroke = 0;
  double x = 0, y = 0, w = 0, h = 0;  // the box of rect, oval, ring and arc
  double a0 = 0, a1 = 0;
  std::vector<PointF> points;  // poly and line
  bool Contains(PointF p) const;
};

// Parses one shape line ("rect K 1 2 3 4", "line K 1.5 0,0 4,4"...); the colour character is
// looked up by the caller. Returns an empty string on success, else what is wrong.
std::string ParseShape(const std::string& line, Shape& shape, char& colourName);

// Draws the shapes, later over earlier, into a width x height image at `zoom` image pixels per
// design pixel. Smoothed images (icons) sample each pixel 4 x 4 times and get their alpha from
// the covered share; others take the colour at the pixel's centre, so a bitmap or cursor keeps
// exactly its palette's colours and its edges fall where a scaled layout's would.
PixelImage Rasterise(const std::vector<Shape>& shapes, int width, int height, double zoom, bool smooth);

// The disabled look of an image: its dark pixels (the strokes; light fills are dropped) in
// `face`, with a `highlight` copy one pixel down and to the right where the face leaves room.
PixelImage Emboss(const PixelImage& image, Rgba face, Rgba highlight);

// A design length at a scale in per cent, rounded as layouts are.
int ScaledPixels(int designPixels, int scale);
