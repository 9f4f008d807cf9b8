#include "toolkit/win/Handles.h"

#include "toolkit/win/Text.h"

namespace gdi_count {
namespace {
long live = 0;  // UI thread only
}
long Live() { return live; }
void Created() { ++live; }
void Deleted() { --live; }
bool Delete(HGDIOBJ h) {
  // Wine accepts deleting a selected object and frees it once it is deselected; Windows refuses.
  // Either way it is alive now, and on Windows it stays so: not a release.
  if (!DeleteObject(h) || GetObjectType(h) != 0) return false;
  Deleted();
  return true;
}
}  // namespace gdi_count

WindowDC::WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
  if (dc_) gdi_count::Created();
}

WindowDC::~WindowDC() {
  if (dc_ && ReleaseDC(hwnd_, dc_)) gdi_count::Deleted();
}

CompatibleDC::CompatibleDC(HDC like) : dc_(CreateCompatibleDC(like)) {
  if (dc_) gdi_count::Created();
}

CompatibleDC::~CompatibleDC() {
  if (dc_ && DeleteDC(dc_)) gdi_count::Deleted();
}

PaintScope::PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {
  if (dc_) gdi_count::Created();
}

PaintScope::~PaintScope() {
  EndPaint(hwnd_, &ps_);
  if (dc_) gdi_count::Deleted();
}

namespace {
// A DIB rather than a bitmap compatible with the window's DC: making one of those asks the window
// server for the screen's format under Wine, six round trips on every paint.
HBITMAP BufferBitmap(HDC like, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width > 0 ? width : 1;
  info.bmiHeader.biHeight = -(height > 0 ? height : 1);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}
}  // namespace

MemoryCanvasDC::MemoryCanvasDC(HDC like, const TRect& area)
    : dc_(like), bitmap_(BufferBitmap(like, area.Width(), area.Height())), select_(dc_.Get(), bitmap_.Get()) {
  SetViewportOrgEx(dc_.Get(), -area.Left, -area.Top, nullptr);
}

std::string WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, s.data(), n + 1);
  s.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return U8(s);
}
