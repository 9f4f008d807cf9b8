#include "app/Exposure.h"

int64_t ReadableCharacters(std::string_view text) {
  int64_t c = 0;
  for (const char ch : text) {
    // Bytes of a UTF-8 sequence are all at or above 0x80, so they never count.
    const bool digit = ch >= '0' && ch <= '9';
    const bool letter = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
    if (digit || letter) ++c;
  }
  return c;
}

int64_t SecondsToRead(int64_t characters) {
  // 1.7 / 13 = 17 / 130, in integers so that halves are exact.
  const int64_t n = characters * 17;
  const int64_t q = n / 130, r = n % 130;
  if (2 * r > 130 || (2 * r == 130 && q % 2 != 0)) return q + 1;
  return q;
}

int EstimateExposure(std::string_view noteText, std::string_view attach) {
  const int64_t e = SecondsToRead(ReadableCharacters(noteText) + ReadableCharacters(attach));
  if (e < MinExposureSeconds) return MinExposureSeconds;
  if (e > MaxExposureSeconds) return MaxExposureSeconds;
  return static_cast<int>(e);
}
