#include "toolkit/win/Handles.h"

#include <algorithm>

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


constexpr int kSharedBufferPixels = 16 * 1024;

// The shared buffer of MemoryCanvasDC: a DC with its bitmap selected for good. Outside the GDI
// count, like the stock objects: it is made once and lives as long as the program.
struct SharedBuffer {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ original = nullptr;
  int width = 0, height = 0;
  bool busy = false;

  ~SharedBuffer() { Free(); }
  void Free() {
    if (dc) {
      SelectObject(dc, original);
      DeleteDC(dc);
    }
    if (bitmap) DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
    width = height = 0;
  }
  // Its DC with a bitmap of at least this size, or nullptr when busy (a paint inside a paint) or
  // the area is too large to keep.
  HDC Take(int w, int h) {
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (busy || w * h > kSharedBufferPixels) return nullptr;
    if (w > width || h > height) {
      if (std::max(w, width) * std::max(h, height) <= kSharedBufferPixels) {
        w = std::max(w, width);
        h = std::max(h, height);
      }
      Free();
      dc = CreateCompatibleDC(nullptr);
      bitmap = BufferBitmap(dc, w, h);
      if (!dc || !bitmap) {
        Free();
        return nullptr;
      }
      original = SelectObject(dc, bitmap);
      width = w;
      height = h;
    }
    busy = true;
    SelectClipRgn(dc, nullptr);
    return dc;
  }
};

SharedBuffer shared_buffer;

}  // namespace

MemoryCanvasDC::Own::Own(HDC like, int width, int height)
    : dc(like), bitmap(BufferBitmap(like, width, height)), select(dc.Get(), bitmap.Get()) {}

MemoryCanvasDC::MemoryCanvasDC(HDC like, const TRect& area) : dc_(shared_buffer.Take(area.Width(), area.Height())) {
  if (!dc_) {
    own_ = std::make_unique<Own>(like, area.Width(), area.Height());
    dc_ = own_->dc.Get();
  }
  SetViewportOrgEx(dc_, -area.Left, -area.Top, nullptr);
}

MemoryCanvasDC::~MemoryCanvasDC() {
  if (!own_) shared_buffer.busy = false;
}

std::string WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, s.data(), n + 1);
  s.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return ToUtf8(s);
}
