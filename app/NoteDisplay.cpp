#include "app/NoteDisplay.h"

int32_t WrapNoteNumber(int32_t k, int32_t count) {
  if (k < 1) k = count;
  if (k > count) k = 1;
  return k;
}

std::string CounterText(int32_t next, int32_t count) {
  if (count == 0) return "0 / 0";
  const int32_t shown = next == 1 ? 1 : next >= 2 ? next - 1 : 0;
  return std::to_string(shown) + " / " + std::to_string(count);
}

uint32_t ExposureInterval(int32_t exposureMs) { return exposureMs > 0 ? static_cast<uint32_t>(exposureMs) : 0; }
