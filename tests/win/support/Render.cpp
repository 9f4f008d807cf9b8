#include "tests/win/support/Render.h"

HBITMAP TopDownDib(HDC dc, int width, int height, uint32_t*& pixels) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  pixels = static_cast<uint32_t*>(bits);
  return bitmap;
}

RenderedImage::RenderedImage(int width, int height)
    : width_(width),
      height_(height),
      dc_(nullptr),
      bitmap_(TopDownDib(dc_.Get(), width, height, bits_)),
      select_(dc_.Get(), bitmap_.Get()) {}

TColor RenderedImage::Pixel(int x, int y) const {
  GdiFlush();
  const uint32_t v = bits_[static_cast<size_t>(y) * width_ + x];  // 0x00RRGGBB in memory order BGRA
  return RGBColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void Render(TWinControl& control, RenderedImage& into) {
  control.PaintTo(into.Dc(), control.ClientRect());
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
