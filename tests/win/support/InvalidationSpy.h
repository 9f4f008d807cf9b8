// What the program's own code asks Windows to repaint, seen from outside the toolkit: while a
// spy lives, this executable's calls to InvalidateRect and InvalidateRgn go through it (its
// import table is pointed at the spy) before they reach Windows. Wine's and the system
// controls' own repaints are not seen. One spy at a time.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "toolkit/Types.h"

class InvalidationSpy {
 public:
  // Called once for each request with the window and the area's rectangles (one for
  // InvalidateRect, a region's bands for InvalidateRgn), in client coordinates.
  using Seen = std::function<void(HWND, const std::vector<TRect>&)>;
  explicit InvalidationSpy(Seen seen);
  ~InvalidationSpy();
  InvalidationSpy(const InvalidationSpy&) = delete;
  InvalidationSpy& operator=(const InvalidationSpy&) = delete;
};

// The rectangles of a region, top to bottom.
std::vector<TRect> RegionRects(HRGN region);
