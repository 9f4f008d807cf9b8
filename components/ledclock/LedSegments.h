// The seven-segment cell's vocabulary: the nine segments, segment sets, character codes and the
// table that maps one to the other.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>

enum class TLed : uint8_t {
  sg_0,  // top bar
  sg_1,  // upper-left bar
  sg_2,  // upper-right bar
  sg_3,  // middle bar
  sg_4,  // lower-left bar
  sg_5,  // lower-right bar
  sg_6,  // bottom bar
  sg_7,  // upper dot
  sg_8,  // lower dot
};

// A set of segments in one 16-bit word, bit n standing for sg_n. Bits 9 to 15 are always zero:
// FromBits drops them, so every TLeds compares as the nine segments it shows.
class TLeds {
 public:
  static constexpr uint16_t kAllBits = 0x01FF;

  constexpr TLeds() = default;
  constexpr TLeds(std::initializer_list<TLed> members) {
    for (TLed m : members) bits_ |= Bit(m);
  }
  static constexpr TLeds FromBits(uint16_t bits) {
    TLeds s;
    s.bits_ = bits & kAllBits;
    return s;
  }
  constexpr uint16_t Bits() const { return bits_; }
  constexpr bool Has(TLed m) const { return (bits_ & Bit(m)) != 0; }
  constexpr bool IsEmpty() const { return bits_ == 0; }
  constexpr TLeds& operator+=(TLed m) { bits_ |= Bit(m); return *this; }
  constexpr TLeds& operator-=(TLed m) { bits_ &= static_cast<uint16_t>(~Bit(m)); return *this; }
  constexpr TLeds operator+(TLed m) const { TLeds s = *this; s += m; return s; }
  constexpr bool operator==(const TLeds&) const = default;

 private:
  static constexpr uint16_t Bit(TLed m) { return static_cast<uint16_t>(1u << static_cast<int>(m)); }
  uint16_t bits_ = 0;
};
static_assert(sizeof(TLeds) == 2, "a segment set is one 16-bit word");

// Character codes 0 to 12: the digits, then colon, lower dot and blank.
using TChar = int;
constexpr TChar chColon = 10, chLowerDot = 11, chBlank = 12;
constexpr int CharCount = 13;

inline constexpr std::array<TLeds, CharCount> CharSegments = {
    TLeds::FromBits(0x0077), TLeds::FromBits(0x0024), TLeds::FromBits(0x005D),
    TLeds::FromBits(0x006D), TLeds::FromBits(0x002E), TLeds::FromBits(0x006B),
    TLeds::FromBits(0x007B), TLeds::FromBits(0x0025), TLeds::FromBits(0x007F),
    TLeds::FromBits(0x006F), TLeds::FromBits(0x0180), TLeds::FromBits(0x0100),
    TLeds::FromBits(0x0000),
};

// The segments of a character code. A code outside 0..12 shows as blank rather than reading
// past the table.
TLeds CharToLeds(TChar code);

// The first code whose segments equal the whole set, or chBlank when no entry matches (so a
// hand-made pattern such as sg_0 alone reads back as blank).
TChar LedsToChar(TLeds leds);
