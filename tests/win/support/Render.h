// Test helpers: render a control into a memory bitmap and read its pixels; pump messages.
#pragma once
#include <windows.h>

#include <vector>

#include "toolkit/win/Controls.h"
#include "toolkit/win/Handles.h"

// A 32-bit top-down DIB section; pixels points at its bits, 0x00RRGGBB each.
HBITMAP TopDownDib(HDC dc, int width, int height, uint32_t*& pixels);

class RenderedImage {
 public:
  RenderedImage(int width, int height);
  RenderedImage(const RenderedImage&) = delete;
  RenderedImage& operator=(const RenderedImage&) = delete;
  HDC Dc() const { return dc_.Get(); }
  // 0x00BBGGRR, as TColor.
  TColor Pixel(int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_;
  uint32_t* bits_ = nullptr;  // the bitmap's pixels
  // In this order, so the bitmap is deselected before either is deleted.
  CompatibleDC dc_;
  UniqueBitmap bitmap_;
  SelectObjectScope select_;
};

// Paints a windowed control as a WM_PAINT of its whole client area would.
void Render(TWinControl& control, RenderedImage& into);

// Dispatches every pending message of this thread.
void PumpMessages();
