// Character code <-> segment set lookups.
#include "components/ledclock/LedSegments.h"

#include <cstddef>

TLeds CharToLeds(TChar code) {
  if (code < 0 || code >= CharCount) return CharSegments[chBlank];
  return CharSegments[static_cast<std::size_t>(code)];
}

TChar LedsToChar(TLeds leds) {
  for (TChar c = 0; c < CharCount; ++c)
    if (CharSegments[static_cast<std::size_t>(c)] == leds) return c;
  return chBlank;
}
