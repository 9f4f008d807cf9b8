// Fonts, bitmaps and the canvas: the drawing vocabulary of every control.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Types.h"
#include "toolkit/win/Handles.h"

// Plain RGB for a colour, system colours resolved through GetSysColor.
COLORREF ColorToRGB(TColor color);
// The same, except that under a high-contrast theme a fixed colour gives way to the system colour
// it is drawn as (text on a window: clWindowText; on a button: clBtnText; a link: clHotLight), so
// that the theme's pairs hold. Resolved when painting, so a theme change needs only a repaint.
COLORREF ThemedColorToRGB(TColor color, TColor systemColor);

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

class TFont {
 public:
  TFont();
  TFont(const TFont& other) = delete;
  TFont& operator=(const TFont&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Height in pixels; negative means the character height (what a point size gives).
  int Height() const { return height_; }
  void SetHeight(int height);
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);
  // Copies every attribute (and fires OnChange once if anything differed).
  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const;

  HFONT Handle() const;
  std::function<void()> OnChange;

 private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int height_ = -11;  // 8 points at 96 pixels per inch
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
  BYTE charset_ = DEFAULT_CHARSET;
  mutable UniqueFont handle_;
};

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  // Loads a BITMAP resource of this program; false (the bitmap unchanged) when there is none by
  // that name.
  bool LoadFromResourceName(const std::wstring& name);
  // Loads the picture of that name drawn for the DPI (see PictureScale).
  bool LoadScaledResource(const std::wstring& name, int dpi);
  bool LoadFromResourceId(int id);
  void Assign(const TBitmap& other);
  // Takes ownership of a bitmap handle.
  void SetHandle(HBITMAP bitmap);
  void Clear();

  bool Empty() const { return !handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HBITMAP Handle() const { return handle_.Get(); }
  COLORREF PixelAt(int x, int y) const;

 private:
  UniqueBitmap handle_;
  int width_ = 0, height_ = 0;
};

enum class TPenStyle { psSolid, psClear };
enum class TBrushStyle { bsSolid, bsClear };

struct TPenSpec {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
};

struct TBrushSpec {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

// Draws on a DC it does not own. Pen, brush and font are plain values; the GDI objects for them
// are made when a drawing call needs them and put back when the canvas goes.
class TCanvas {
 public:
  explicit TCanvas(HDC dc);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  TPenSpec Pen;
  TBrushSpec Brush;
  TFont Font;

  TRect ClipRect() const;
  void FillRect(const TRect& r);
  // The system's dotted focus rectangle (drawn inverted: a second call takes it away).
  void DrawFocusRect(const TRect& r);
  void Polygon(const std::vector<TPoint>& points);
  void Rectangle(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOut(int x, int y, const std::string& text);
  // DrawTextW with the platform's flags; returns the text height.
  int DrawText(const std::string& text, TRect& rect, UINT flags);
  SIZE TextExtent(const std::string& text);
  // Copies part of a bitmap; pixels of the transparent colour are painted with the brush, or left
  // out when the brush is clear.
  void BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& source, TColor transparent);
  void Draw(int x, int y, const TBitmap& bitmap, TColor transparent);

 private:
  void RealizePen();
  void RealizeBrush();
  void RealizeFont();

  HDC dc_;
  // What the DC had before, put back at the end.
  HGDIOBJ old_pen_ = nullptr, old_brush_ = nullptr;
  COLORREF old_text_color_, old_bk_color_;
  int old_bk_mode_;
  bool colours_set_ = false;
  UniquePen pen_;
  TPenSpec pen_made_{};
  bool pen_valid_ = false;
  UniqueBrush brush_;
  TBrushSpec brush_made_{};
  bool brush_valid_ = false;
};
