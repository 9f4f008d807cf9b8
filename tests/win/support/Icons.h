// Test helpers: solid-colour icons, to tell images apart by colour.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/win/Handles.h"

// A 16 x 16 icon of one colour.
inline HICON SolidIcon(COLORREF colour) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP color = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<uint32_t*>(bits);
  for (int i = 0; i < 256; ++i) px[i] = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
  const std::vector<uint8_t> zeros(32, 0);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, zeros.data());  // all 0: opaque
  ICONINFO info{TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}

// The colour in the middle of an icon's image; CLR_INVALID without an image.
inline COLORREF IconColour(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return CLR_INVALID;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB};
  uint32_t px[256] = {};
  const int lines = GetDIBits(WindowDC(nullptr).Get(), info.hbmColor, 0, 16, px, &bi, DIB_RGB_COLORS);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  if (lines != 16) return CLR_INVALID;
  const uint32_t p = px[8 * 16 + 8];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}
