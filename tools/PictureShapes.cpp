// Shape geometry and the rasteriser behind mkres's scaled pictures.
#include "tools/PictureShapes.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

#include "toolkit/Scaling.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSamples = 4;  // per pixel and axis

bool ParseNumber(const std::string& s, double& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return end == s.c_str() + s.size() && std::isfinite(out);
}

bool ParsePoint(const std::string& s, PointF& p) {
  const auto comma = s.find(',');
  return comma != std::string::npos && ParseNumber(s.substr(0, comma), p.x) &&
         ParseNumber(s.substr(comma + 1), p.y);
}

bool InOval(PointF p, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return false;
  const double dx = (p.x - cx) / rx, dy = (p.y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

double SegmentDistance(PointF p, PointF a, PointF b) {
  const double vx = b.x - a.x, vy = b.y - a.y;
  const double len2 = vx * vx + vy * vy;
  double t = len2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0;
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

// Even-odd rule: a point is inside when a ray from it crosses the outline an odd number of times.
bool InPolygon(PointF p, const std::vector<PointF>& v) {
  bool inside = false;
  for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
    if ((v[i].y > p.y) != (v[j].y > p.y) &&
        p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
      inside = !inside;
  }
  return inside;
}

double Degrees(double a) {
  a = std::fmod(a, 360.0);
  return a < 0 ? a + 360.0 : a;
}

}  // namespace

bool Shape::Contains(PointF p) const {
  const double cx = x + w / 2, cy = y + h / 2;
  switch (kind) {
    case ShapeKind::Rect:
      return p.x >= x && p.x < x + w && p.y >= y && p.y < y + h;
    case ShapeKind::Oval:
      return InOval(p, cx, cy, w / 2, h / 2);
    case ShapeKind::Ring:
    case ShapeKind::Arc: {
      if (!InOval(p, cx, cy, w / 2, h / 2) || InOval(p, cx, cy, w / 2 - stroke, h / 2 - stroke))
        return false;
      if (kind == ShapeKind::Ring) return true;
      const double at = Degrees(std::atan2(cy - p.y, p.x - cx) * 180.0 / kPi);
      const double from = Degrees(a0), span = Degrees(a1 - a0);
      return Degrees(at - from) <= span;
    }
    case ShapeKind::Poly:
      return points.size() >= 3 && InPolygon(p, points);
    case ShapeKind::Line:
      for (std::size_t i = 0; i + 1 < points.size(); ++i)
        if (SegmentDistance(p, points[i], points[i + 1]) <= stroke / 2) return true;
      return points.size() == 1 && SegmentDistance(p, points[0], points[0]) <= stroke / 2;
  }
  return false;
}

std::string ParseShape(const std::string& line, Shape& shape, char& colourName) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  static const std::map<std::string, ShapeKind> kinds = {
      {"rect", ShapeKind::Rect}, {"oval", ShapeKind::Oval}, {"ring", ShapeKind::Ring},
      {"arc", ShapeKind::Arc},   {"poly", ShapeKind::Poly}, {"line", ShapeKind::Line}};
  const auto kind = words.empty() ? kinds.end() : kinds.find(words[0]);
  if (kind == kinds.end()) return "unknown shape: expected rect, oval, ring, arc, poly or line";
  if (words.size() < 2 || words[1].size() != 1) return "a shape's second word is its colour character";
  shape = Shape{};
  shape.kind = kind->second;
  colourName = words[1][0];
  std::size_t next = 2;
  const bool stroked = shape.kind == ShapeKind::Ring || shape.kind == ShapeKind::Arc ||
                       shape.kind == ShapeKind::Line;
  if (stroked && (words.size() <= next || !ParseNumber(words[next++], shape.stroke) || shape.stroke <= 0))
    return "a " + words[0] + " needs its stroke width (a positive number) after the colour";
  if (shape.kind == ShapeKind::Poly || shape.kind == ShapeKind::Line) {
    for (; next < words.size(); ++next) {
      PointF p;
      if (!ParsePoint(words[next], p)) return "bad point \"" + words[next] + "\": expected X,Y";
      shape.points.push_back(p);
    }
    const std::size_t least = shape.kind == ShapeKind::Poly ? 3 : 1;
    if (shape.points.size() < least) return "a " + words[0] + " needs at least " + std::to_string(least) + " points";
    return "";
  }
  const std::size_t numbers = shape.kind == ShapeKind::Arc ? 6 : 4;
  if (words.size() != next + numbers)
    return "a " + words[0] + " takes " + (stroked ? "a stroke width and " : "") +
           (numbers == 6 ? "X Y W H FROM TO" : "X Y W H");
  double* targets[] = {&shape.x, &shape.y, &shape.w, &shape.h, &shape.a0, &shape.a1};
  for (std::size_t i = 0; i < numbers; ++i)
    if (!ParseNumber(words[next + i], *targets[i])) return "bad number \"" + words[next + i] + "\"";
  if (shape.w <= 0 || shape.h <= 0) return "a shape's width and height must be positive";
  return "";
}

namespace {

// The colour of the topmost shape at p, or nullptr where none is (or a transparent one is).
const Rgba* ColourAt(const std::vector<Shape>& shapes, PointF p) {
  for (auto s = shapes.rbegin(); s != shapes.rend(); ++s)
    if (s->Contains(p)) return s->colour.transparent ? nullptr : &s->colour;
  return nullptr;
}

Rgba Coverage(const std::vector<Shape>& shapes, int px, int py, double zoom) {
  constexpr int all = kSamples * kSamples;
  int n = 0, r = 0, g = 0, b = 0;
  for (int sy = 0; sy < kSamples; ++sy)
    for (int sx = 0; sx < kSamples; ++sx) {
      const Rgba* c = ColourAt(shapes, {(px + (sx + 0.5) / kSamples) / zoom, (py + (sy + 0.5) / kSamples) / zoom});
      if (!c) continue;
      ++n, r += c->r, g += c->g, b += c->b;
    }
  if (n == 0) return Rgba{0, 0, 0, true, 0};
  return Rgba{static_cast<std::uint8_t>((r + n / 2) / n), static_cast<std::uint8_t>((g + n / 2) / n),
              static_cast<std::uint8_t>((b + n / 2) / n), false,
              static_cast<std::uint8_t>((255 * n + all / 2) / all)};
}

}  // namespace

PixelImage Rasterise(const std::vector<Shape>& shapes, int width, int height, double zoom, bool smooth) {
  // Crisp pictures sample each pixel's centre, nudged up and left so that an edge falling on a
  // centre rounds the way layout edges do (half a pixel rounds away from zero).
  constexpr double nudge = 1e-6;
  PixelImage out;
  out.rows.assign(static_cast<std::size_t>(height),
                  std::vector<Rgba>(static_cast<std::size_t>(width), Rgba{0, 0, 0, true, 0}));
  for (int py = 0; py < height; ++py)
    for (int px = 0; px < width; ++px) {
      Rgba& pixel = out.rows[static_cast<std::size_t>(py)][static_cast<std::size_t>(px)];
      if (smooth) {
        pixel = Coverage(shapes, px, py, zoom);
      } else if (const Rgba* c = ColourAt(shapes, {(px + 0.5 - nudge) / zoom, (py + 0.5 - nudge) / zoom})) {
        pixel = *c;
      }
    }
  return out;
}

PixelImage Emboss(const PixelImage& image, Rgba face, Rgba highlight) {
  // Only the dark strokes carry the shape; light fills fade into the button's face.
  const auto drawn = [&](int x, int y) {
    if (x < 0 || y < 0) return false;
    const Rgba& p = image.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
    return !p.transparent && 299 * p.r + 587 * p.g + 114 * p.b < 140 * 1000;
  };
  PixelImage out = image;
  const Rgba clear{0, 0, 0, true, 0};
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      out.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] =
          drawn(x, y) ? face : (drawn(x - 1, y - 1) ? highlight : clear);
  return out;
}

int ScaledPixels(int designPixels, int scale) { return PictureLength(designPixels, scale); }
