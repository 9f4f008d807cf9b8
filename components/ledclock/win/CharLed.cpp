// The LED cell: properties and painting.
#include "components/ledclock/win/CharLed.h"

#include <algorithm>
#include <vector>

#include "components/ledclock/LedGeometry.h"

TCharLed::TCharLed(TComponent* owner) : TGraphicControl(owner) {
  SetWidth(33);
  SetHeight(49);
  SetCharColor(clLime);
  SetBorderColor(clBlack);
  SetBorderWidth(2);
  SetLeds(CharSegments[8]);
  SetCharHeight(8);
  SetCharWidth(8);
  SetTransparent(true);
}

template <typename T>
void TCharLed::Change(T& field, T value) {
  if (field == value) return;
  field = value;
  Invalidate();
}

void TCharLed::SetLeds(TLeds leds) { Change(leds_, leds); }

void TCharLed::SetChar(TChar code) {
  if (code < 0 || code >= CharCount) code = chBlank;
  // Compared with what the cell reads, so a pattern outside the table survives writing blank.
  if (code == Char()) return;
  SetLeds(CharToLeds(code));
}

void TCharLed::SetCharWidth(int v) {
  design_.CharWidth = UnscaleForDpi(v, Dpi());
  Change(char_width_, v);
}

void TCharLed::SetCharHeight(int v) {
  design_.CharHeight = UnscaleForDpi(v, Dpi());
  Change(char_height_, v);
}

void TCharLed::SetCharColor(TColor c) { Change(char_color_, c); }
void TCharLed::SetBorderColor(TColor c) { Change(border_color_, c); }
void TCharLed::ChangeScale(int newDpi) {
  const int old = Dpi();
  TGraphicControl::ChangeScale(newDpi);
  if (Dpi() == old) return;
  const TLedStrokes strokes = ScaleLedStrokes(design_, newDpi);
  char_width_ = strokes.CharWidth;
  char_height_ = strokes.CharHeight;
  border_width_ = strokes.BorderWidth;
  Invalidate();
}

void TCharLed::SetBorderWidth(int v) {
  v = std::max(v, 1);
  design_.BorderWidth = std::max(UnscaleForDpi(v, Dpi()), 1);
  Change(border_width_, v);
}
void TCharLed::SetTransparent(bool v) { Change(transparent_, v); }

void TCharLed::Paint(TCanvas& canvas) {
  if (!Visible()) return;
  const TLedDrawing drawing =
      LedDrawing({ClientWidth(), ClientHeight(), char_width_, char_height_, border_width_}, leds_);
  if (!transparent_) {
    canvas.Brush.Color = Color();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(canvas.ClipRect());
  }
  if (drawing.ShapeCount == 0) return;
  canvas.Pen.Color = border_color_;
  canvas.Pen.Width = border_width_;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Brush.Color = char_color_;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  std::vector<TPoint> points;
  for (const TLedShape& shape : drawing) {
    if (shape.IsDot()) {
      canvas.Rectangle(shape.Rect.Left, shape.Rect.Top, shape.Rect.Right, shape.Rect.Bottom);
    } else {
      const auto outline = shape.Polygon();
      points.assign(outline.begin(), outline.end());
      canvas.Polygon(points);
    }
  }
}
