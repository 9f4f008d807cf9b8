// What the Wine harnesses share: a microsecond clock, the median of repeated runs, a 32-bit
// surface to paint into, and one printed row of time and ratio.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

inline double NowUs() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// Median over runs of the mean time of one call, in microseconds.
template <typename F>
double MedianUs(F&& f, int perRun = 2000, int runs = 9) {
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) {
    const double start = NowUs();
    for (int i = 0; i < perRun; ++i) f();
    times.push_back((NowUs() - start) / perRun);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// A 32-bit top-down DIB to paint into, as the screen's back buffer would be.
class Surface {
 public:
  Surface(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Surface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

inline void Row(const char* what, double us, const char* against, double base) {
  std::printf("%-44s %9.2f us   %6.2fx %s\n", what, us, us / base, against);
}
