// What the Wine harnesses share: a microsecond clock, the median of repeated runs, a 32-bit
// surface to paint into, and one printed row of time and ratio.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "toolkit/win/Handles.h"

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
  Surface(int w, int h) : dc_(nullptr), bitmap_(Dib(dc_.Get(), w, h)), select_(dc_.Get(), bitmap_.Get()) {}
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  HDC Dc() const { return dc_.Get(); }

 private:
  static HBITMAP Dib(HDC dc, int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    return CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  // In this order, so the bitmap is deselected before either is deleted.
  CompatibleDC dc_;
  UniqueBitmap bitmap_;
  SelectObjectScope select_;
};

inline void Row(const char* what, double us, const char* against, double base) {
  std::printf("%-44s %9.2f us   %6.2fx %s\n", what, us, us / base, against);
}
