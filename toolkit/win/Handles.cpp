#include "toolkit/win/Handles.h"

#include "toolkit/win/Text.h"

namespace gdi_count {
namespace {
long live = 0;  // UI thread only
}
long Live() { return live; }
void Created() { ++live; }
void Deleted() { --live; }
}  // namespace gdi_count

MemoryCanvasDC::MemoryCanvasDC(HDC like, int width, int height)
    : dc_(CreateCompatibleDC(like)),
      bitmap_(CreateCompatibleBitmap(like, width > 0 ? width : 1, height > 0 ? height : 1)),
      old_(SelectObject(dc_, bitmap_.Get())) {}

MemoryCanvasDC::~MemoryCanvasDC() {
  SelectObject(dc_, old_);
  DeleteDC(dc_);
}

std::string WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, s.data(), n + 1);
  s.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return U8(s);
}
