// The character table and the two lookups between codes and segment sets.
#include <gtest/gtest.h>

#include <vector>

#include "components/ledclock/LedSegments.h"

namespace {

using enum TLed;

TEST(LedSegmentsTest, EachCodeLightsTheSegmentsOfItsCharacter) {
  // Written from the look of each character, not from the masks.
  const std::vector<TLeds> expected = {
      {sg_0, sg_1, sg_2, sg_4, sg_5, sg_6},        // 0
      {sg_2, sg_5},                                // 1
      {sg_0, sg_2, sg_3, sg_4, sg_6},              // 2
      {sg_0, sg_2, sg_3, sg_5, sg_6},              // 3
      {sg_1, sg_2, sg_3, sg_5},                    // 4
      {sg_0, sg_1, sg_3, sg_5, sg_6},              // 5
      {sg_0, sg_1, sg_3, sg_4, sg_5, sg_6},        // 6
      {sg_0, sg_2, sg_5},                          // 7
      {sg_0, sg_1, sg_2, sg_3, sg_4, sg_5, sg_6},  // 8
      {sg_0, sg_1, sg_2, sg_3, sg_5, sg_6},        // 9
      {sg_7, sg_8},                                // colon
      {sg_8},                                      // lower dot
      {},                                          // blank
  };
  ASSERT_EQ(expected.size(), static_cast<size_t>(CharCount));
  for (TChar c = 0; c < CharCount; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(CharToLeds(c), expected[static_cast<size_t>(c)]);
    EXPECT_EQ(LedsToChar(CharToLeds(c)), c);  // no two codes share a pattern
  }
  EXPECT_EQ(CharSegments[8].Bits(), 0x007F);
  EXPECT_EQ(CharSegments[chColon].Bits(), 0x0180);
}

TEST(LedSegmentsTest, PatternsOutsideTheTableReadAsBlank) {
  const std::vector<TLeds> strays = {
      {sg_0},
      CharSegments[8] + sg_7,
      CharSegments[0] + sg_8,
      {sg_7},
      TLeds::FromBits(TLeds::kAllBits),
      {sg_3, sg_6},
  };
  for (TLeds leds : strays) {
    SCOPED_TRACE(leds.Bits());
    EXPECT_EQ(LedsToChar(leds), chBlank);
  }
}

TEST(LedSegmentsTest, BitsAboveTheNineSegmentsAreDropped) {
  EXPECT_EQ(TLeds::FromBits(0xFE00), TLeds{});
  EXPECT_EQ(TLeds::FromBits(0x8077), CharSegments[0]);
  EXPECT_EQ(LedsToChar(TLeds::FromBits(0xFE24)), 1);
}

TEST(LedSegmentsTest, CodesOutsideTheRangeShowBlankInsteadOfReadingPastTheTable) {
  for (TChar c : {-1, 13, 255, -2147483647 - 1}) {
    SCOPED_TRACE(c);
    EXPECT_TRUE(CharToLeds(c).IsEmpty());
  }
}

}  // namespace
