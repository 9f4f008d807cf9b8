#include "toolkit/win/Graphics.h"

#include "toolkit/Scaling.h"
#include "toolkit/win/LinkedFont.h"
#include "toolkit/win/System.h"
#include "toolkit/win/Text.h"

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

COLORREF ThemedColorToRGB(TColor color, TColor systemColor) {
  return ColorToRGB(!IsSystemColor(color) && Sys().HighContrast() ? systemColor : color);
}

// ---------------------------------------------------------------------------- TFont

namespace {
// Whether GDI answers the face with a bitmap font: drawn jagged at any scale but its own and in
// one code page only (other scripts come out as '?'). Asked whenever a font is made (a control
// keeps its font), since the fonts a process has may change.
bool IsBitmapFace(const LOGFONTW& asked) {
  // The font exactly as asked: GDI may answer another height of a face otherwise.
  const UniqueFont font(CreateFontIndirectW(&asked));
  const WindowDC dc(nullptr);
  TEXTMETRICW metrics{};
  bool bitmap = false;
  if (font && dc.Get()) {
    const SelectObjectScope select(dc.Get(), font.Get());
    bitmap = GetTextMetricsW(dc.Get(), &metrics) && !(metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE));
  }
  return bitmap;
}

// The face of the system's message font (Segoe UI on Windows); empty when it cannot be read.
std::wstring MessageFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
  return metrics.lfMessageFont.lfFaceName;
}
}  // namespace

TFont::TFont() = default;

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, 96); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (OnChange) OnChange();  // the colour is not part of the GDI font
}

void TFont::SetCharset(BYTE charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

bool TFont::SameAs(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ &&
         charset_ == o.charset_;
}

void TFont::Assign(const TFont& o) {
  if (SameAs(o)) return;
  const bool shape = name_ != o.name_ || height_ != o.height_ || style_ != o.style_ || charset_ != o.charset_;
  name_ = o.name_;
  height_ = o.height_;
  style_ = o.style_;
  color_ = o.color_;
  charset_ = o.charset_;
  if (shape) handle_.Reset();
  if (OnChange) OnChange();
}

void TFont::Changed() {
  handle_.Reset();
  if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = charset_;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = ToWide(name_);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    // A bitmap face gives way to the message font at the same height, which the layout measures.
    if (IsBitmapFace(lf)) {
      const std::wstring message = MessageFontFace();
      if (!message.empty()) lstrcpynW(lf.lfFaceName, message.c_str(), LF_FACESIZE);
    }
    handle_.Reset(CreateFontIndirectW(&lf));
  }
  return handle_.Get();
}

// ---------------------------------------------------------------------------- TBitmap

namespace {
SIZE BitmapSize(HBITMAP b) {
  BITMAP info{};
  if (b && GetObjectW(b, sizeof info, &info)) return {info.bmWidth, info.bmHeight};
  return {0, 0};
}
}  // namespace

void TBitmap::SetHandle(HBITMAP bitmap) {
  handle_.Reset(bitmap);
  const SIZE s = BitmapSize(bitmap);
  width_ = s.cx;
  height_ = s.cy;
}

bool TBitmap::LoadFromResourceName(const std::wstring& name) {
  auto b = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
  if (!b) return false;
  SetHandle(b);
  return true;
}

bool TBitmap::LoadScaledResource(const std::wstring& name, int dpi) {
  return LoadFromResourceName(PictureResourceName(name, PictureScale(dpi)));
}

bool TBitmap::LoadFromResourceId(int id) {
  auto b = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
  if (!b) return false;
  SetHandle(b);
  return true;
}

void TBitmap::Assign(const TBitmap& other) {
  if (&other == this) return;
  if (other.Empty()) { Clear(); return; }
  SetHandle(static_cast<HBITMAP>(CopyImage(other.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void TBitmap::Clear() {
  handle_.Reset();
  width_ = height_ = 0;
}

COLORREF TBitmap::PixelAt(int x, int y) const {
  if (Empty()) return CLR_INVALID;
  const CompatibleDC dc(nullptr);
  const SelectObjectScope select(dc.Get(), handle_.Get());
  return GetPixel(dc.Get(), x, y);
}

// ---------------------------------------------------------------------------- TCanvas

TCanvas::TCanvas(HDC dc)
    : dc_(dc), old_text_color_(GetTextColor(dc)), old_bk_color_(GetBkColor(dc)), old_bk_mode_(GetBkMode(dc)) {}

TCanvas::~TCanvas() {
  // Puts the DC's own objects back before ours are deleted. Not by SaveDC and RestoreDC: a
  // restore selects the font again, and under Wine's X11 driver every font selection reads the X
  // resources anew; a clock cell would pay it twice a second.
  if (old_pen_) SelectObject(dc_, old_pen_);
  if (old_brush_) SelectObject(dc_, old_brush_);
  if (colours_set_) {
    SetTextColor(dc_, old_text_color_);
    SetBkColor(dc_, old_bk_color_);
    SetBkMode(dc_, old_bk_mode_);
  }
}

void TCanvas::RealizePen() {
  if (pen_valid_ && pen_made_.Color == Pen.Color && pen_made_.Width == Pen.Width && pen_made_.Style == Pen.Style)
    return;
  HGDIOBJ before;
  if (Pen.Style == TPenStyle::psClear) {
    before = SelectObject(dc_, GetStockObject(NULL_PEN));
    pen_.Reset();
  } else {
    UniquePen made(CreatePen(PS_SOLID, Pen.Width, ColorToRGB(Pen.Color)));
    before = SelectObject(dc_, made.Get());
    pen_ = std::move(made);
  }
  if (!old_pen_) old_pen_ = before;
  pen_made_ = Pen;
  pen_valid_ = true;
}

void TCanvas::RealizeBrush() {
  if (brush_valid_ && brush_made_.Color == Brush.Color && brush_made_.Style == Brush.Style) return;
  HGDIOBJ before;
  if (Brush.Style == TBrushStyle::bsClear) {
    before = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    brush_.Reset();
  } else {
    UniqueBrush made(CreateSolidBrush(ColorToRGB(Brush.Color)));
    before = SelectObject(dc_, made.Get());
    brush_ = std::move(made);
  }
  if (!old_brush_) old_brush_ = before;
  brush_made_ = Brush;
  brush_valid_ = true;
}

void TCanvas::RealizeFont() {
  colours_set_ = true;
  SetTextColor(dc_, ColorToRGB(Font.Color()));
  if (Brush.Style == TBrushStyle::bsClear) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(Brush.Color));
  }
}

TRect TCanvas::ClipRect() const {
  RECT r{};
  GetClipBox(dc_, &r);
  return ToTRect(r);
}

void TCanvas::DrawFocusRect(const TRect& r) {
  const RECT rc = ToRECT(r);
  ::DrawFocusRect(dc_, &rc);
}

void TCanvas::FillRect(const TRect& r) {
  if (Brush.Style == TBrushStyle::bsClear) return;
  RealizeBrush();
  const RECT rc = ToRECT(r);
  ::FillRect(dc_, &rc, brush_.Get());
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  RealizePen();
  RealizeBrush();
  std::vector<POINT> pts;
  pts.reserve(points.size());
  for (const TPoint& p : points) pts.push_back({p.X, p.Y});
  ::Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  RealizePen();
  RealizeBrush();
  ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  RealizePen();
  RealizeBrush();
  ::Ellipse(dc_, left, top, right, bottom);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  RealizePen();
  ::Arc(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  RealizePen();
  ::LineTo(dc_, x, y);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  RealizeFont();
  const SelectObjectScope font(dc_, Font.Handle());
  const std::wstring w = ToWide(text);
  ::TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
}

int TCanvas::DrawText(const std::string& text, TRect& rect, UINT flags) {
  RealizeFont();
  std::wstring w = ToWide(text);
  RECT rc = ToRECT(rect);
  int h = 0;
  if (!DrawLinkedText(dc_, w, Font.Handle(), ToWide(Font.Name()), rc, flags, h)) {
    const SelectObjectScope font(dc_, Font.Handle());
    h = ::DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &rc, flags);
  }
  rect = ToTRect(rc);
  return h;
}

SIZE TCanvas::TextExtent(const std::string& text) {
  const SelectObjectScope font(dc_, Font.Handle());
  const std::wstring w = ToWide(text);
  SIZE s{0, 0};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &s);
  return s;
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& source, TColor transparent) {
  if (bitmap.Empty()) return;
  FillRect(dest);  // the brush shows wherever the bitmap is transparent
  const CompatibleDC src(dc_);
  const SelectObjectScope select(src.Get(), bitmap.Handle());
  GdiTransparentBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), src.Get(), source.Left, source.Top,
                    source.Width(), source.Height(), ColorToRGB(transparent));
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap, TColor transparent) {
  const TBrushSpec keep = Brush;
  Brush.Style = TBrushStyle::bsClear;
  BrushCopy(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap, Bounds(0, 0, bitmap.Width(), bitmap.Height()),
            transparent);
  Brush = keep;
}
