#include "toolkit/win/WindowPicture.h"

#include <cstdint>

#include "toolkit/PictureFit.h"

namespace {
// Windows 8.1 and later: the picture the desktop window manager composed (named here, as the
// headers name it only for a build aimed at 8.1). Older systems refuse it.
constexpr UINT kRenderFullContent = 0x00000002;

UniqueBitmap TopDownBitmap(int width, int height, uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  *bits = static_cast<uint32_t*>(pixels);
  return bitmap;
}
}  // namespace

UniqueBitmap WindowPicture(HWND window, int maxWidth, int maxHeight) {
  RECT r{};
  if (!window || !GetWindowRect(window, &r)) return UniqueBitmap();
  const int width = r.right - r.left, height = r.bottom - r.top;
  const TPoint fit = FitInside(width, height, maxWidth, maxHeight);
  if (fit.X <= 0 || fit.Y <= 0) return UniqueBitmap();

  uint32_t* whole = nullptr;
  const UniqueBitmap full = TopDownBitmap(width, height, &whole);
  const CompatibleDC fullDc(nullptr);
  if (!full || !fullDc.Get()) return UniqueBitmap();
  {
    const SelectObjectScope select(fullDc.Get(), full.Get());
    // The composed picture where the system keeps one (whatever the window paints through);
    // otherwise the window is asked to print itself.
    if (!PrintWindow(window, fullDc.Get(), kRenderFullContent)) PrintWindow(window, fullDc.Get(), 0);
  }
  uint32_t* scaledBits = nullptr;
  UniqueBitmap scaled = TopDownBitmap(fit.X, fit.Y, &scaledBits);
  const CompatibleDC scaledDc(nullptr);
  if (!scaled || !scaledDc.Get()) return UniqueBitmap();
  {
    const SelectObjectScope from(fullDc.Get(), full.Get());
    const SelectObjectScope to(scaledDc.Get(), scaled.Get());
    SetStretchBltMode(scaledDc.Get(), HALFTONE);
    SetBrushOrgEx(scaledDc.Get(), 0, 0, nullptr);
    StretchBlt(scaledDc.Get(), 0, 0, fit.X, fit.Y, fullDc.Get(), 0, 0, width, height, SRCCOPY);
  }
  GdiFlush();
  for (int i = 0; i < fit.X * fit.Y; ++i) scaledBits[i] |= 0xFF000000u;
  return scaled;
}
