// The exposure estimate: which characters count, rounding halves to even, and the field's bounds.
#include <gtest/gtest.h>

#include <string>

#include "app/Exposure.h"

namespace {

TEST(ReadableCharactersTest, OnlyAsciiLettersAndDigitsCount) {
  const struct {
    std::string text;
    int64_t count;
  } cases[] = {
      {"", 0},
      {"Call the garage", 13},
      {"C:\\Reports\\week.xls", 15},
      {"0123456789 azAZ", 14},
      {"!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ \t", 0},
      {"caf\xC3\xA9 \xC3\x9C" "ber \xE2\x82\xAC\xF0\x9F\x98\x80", 6},  // é, Ü, €, an emoji: none count
      {std::string("a\0b", 3), 2},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadableCharacters(c.text), c.count) << c.text;
}

TEST(SecondsToReadTest, RoundsToNearestWithHalvesToEven) {
  const struct {
    int64_t c, seconds;
  } cases[] = {{0, 0},    {7, 1},     {8, 1},     {40, 5},    {65, 8},    {100, 13},
               {195, 26}, {200, 26},  {325, 42},  {454, 59},  {455, 60},  {585, 76},
               {3, 0},    {4, 1},     {1000000000, 130769231}};
  for (const auto& c : cases) EXPECT_EQ(SecondsToRead(c.c), c.seconds) << c.c;
}

TEST(EstimateExposureTest, NoteAndAttachmentCountTogetherWithinThreeToSixty) {
  const std::string forty(40, 'x');
  const std::string sixty_path = "C:\\" + std::string(30, 'd') + "\\" + std::string(28, 'f') + ".t";
  ASSERT_EQ(ReadableCharacters(sixty_path), 60);
  EXPECT_EQ(EstimateExposure("", ""), 3);
  EXPECT_EQ(EstimateExposure("Hi!", ""), 3);
  EXPECT_EQ(EstimateExposure(forty, ""), 5);
  EXPECT_EQ(EstimateExposure(forty, sixty_path), 13);
  EXPECT_EQ(EstimateExposure("", forty), 5);
  EXPECT_EQ(EstimateExposure(std::string(200, '7'), ""), 26);
  EXPECT_EQ(EstimateExposure(std::string(200, 'n'), std::string(255, 'a')), 60);
  EXPECT_EQ(EstimateExposure(std::string(454, 'n'), ""), 59);
  EXPECT_EQ(EstimateExposure(std::string(100000, 'n'), ""), 60);
}

}  // namespace
