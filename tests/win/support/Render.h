// Test helpers: render a control into a memory bitmap and read its pixels; pump messages.
#pragma once
#include <windows.h>

#include <vector>

#include "toolkit/win/Controls.h"

class RenderedImage {
 public:
  RenderedImage(int width, int height);
  ~RenderedImage();
  RenderedImage(const RenderedImage&) = delete;
  RenderedImage& operator=(const RenderedImage&) = delete;
  HDC Dc() const { return dc_; }
  // 0x00BBGGRR, as TColor.
  TColor Pixel(int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

// Paints a windowed control as a WM_PAINT of its whole client area would.
void Render(TWinControl& control, RenderedImage& into);

// Dispatches every pending message of this thread.
void PumpMessages();
