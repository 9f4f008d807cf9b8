#include "toolkit/PictureFit.h"

#include <algorithm>
#include <cstdint>

TPoint FitInside(int width, int height, int maxWidth, int maxHeight) {
  if (width <= 0 || height <= 0 || maxWidth <= 0 || maxHeight <= 0) return {0, 0};
  if (width <= maxWidth && height <= maxHeight) return {width, height};
  // The side that overflows more decides; the other follows, rounded to the nearest pixel.
  const bool widthDecides = int64_t{width} * maxHeight >= int64_t{height} * maxWidth;
  if (widthDecides)
    return {maxWidth, std::max(1, static_cast<int>((int64_t{height} * maxWidth * 2 + width) / (2 * int64_t{width})))};
  return {std::max(1, static_cast<int>((int64_t{width} * maxHeight * 2 + height) / (2 * int64_t{height}))), maxHeight};
}
