// Placement of the clock's seven cells and the width change of the seconds switch.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>

#include "components/ledclock/ClockLayout.h"

namespace {

struct Expected {
  std::array<int, 7> lefts, widths, heights;
};

void ExpectCells(const std::array<TRect, 7>& got, const Expected& e, int top) {
  for (size_t i = 0; i < 7; ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(got[i].Left, e.lefts[i]);
    EXPECT_EQ(got[i].Top, top);
    EXPECT_EQ(got[i].Width(), e.widths[i]);
    EXPECT_EQ(got[i].Height(), e.heights[i]);
  }
}

TEST(ClockLayoutTest, NoteWindowClockWithSeconds) {
  // 57 / 5.5 = 10.36 -> 10
  ExpectCells(ArrangeCells(89, 25, 4, true),
              {{4, 18, 32, 41, 55, 69, 78}, {10, 10, 5, 10, 10, 5, 5}, {17, 17, 17, 17, 17, 8, 8}}, 4);
}

TEST(ClockLayoutTest, NewClockWithSeconds) {
  // 58 / 5.5 = 10.55 -> 11
  ExpectCells(ArrangeCells(90, 25, 4, true),
              {{4, 19, 34, 43, 58, 73, 82}, {11, 11, 5, 11, 11, 5, 5}, {17, 17, 17, 17, 17, 8, 8}}, 4);
}

TEST(ClockLayoutTest, WithoutSecondsTheRowCountsSixSpacesAndFourAndAHalfDigits) {
  // 65 / 4.5 = 14.44 -> 14; the hidden seconds cells are still placed.
  ExpectCells(ArrangeCells(89, 25, 4, false),
              {{4, 22, 40, 51, 69, 87, 98}, {14, 14, 7, 14, 14, 7, 7}, {17, 17, 17, 17, 17, 8, 8}}, 4);
  // 66 / 4.5 = 14.67 -> 15
  ExpectCells(ArrangeCells(90, 25, 4, false),
              {{4, 23, 42, 53, 72, 91, 102}, {15, 15, 7, 15, 15, 7, 7}, {17, 17, 17, 17, 17, 8, 8}}, 4);
}

TEST(ClockLayoutTest, TooSmallGivesNegativeSizesHalvedTowardZero) {
  // dw = (20 - 32) / 5.5 = -2.18 -> -2; heights 5 - 8 = -3, seconds -3 div 2 = -1.
  ExpectCells(ArrangeCells(20, 5, 4, true),
              {{4, 6, 8, 11, 13, 15, 18}, {-2, -2, -1, -2, -2, -1, -1}, {-3, -3, -3, -3, -3, -1, -1}}, 4);
}

TEST(ClockLayoutTest, SwitchingTheNoteWindowClocksSecondsOffAndOnKeepsItsDigitsInPlace) {
  const auto with = ArrangeCells(89, 25, 4, true);
  const int narrow = WidthAfterShowSeconds(89, with[0].Width(), 4, false);
  EXPECT_EQ(narrow, 89 - 10 - 8);
  const auto without = ArrangeCells(narrow, 25, 4, false);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(without[i], with[i]) << "cell " << i + 1;
  EXPECT_EQ(WidthAfterShowSeconds(narrow, without[0].Width(), 4, true), 89);
}

TEST(ClockLayoutTest, HugeSizesAreHeldInTheIntRange) {
  const auto cells = ArrangeCells(INT_MIN, INT_MIN, INT_MAX, true);
  EXPECT_EQ(cells[0].Left, INT_MAX);
  EXPECT_EQ(cells[0].Right, -1);        // the digit width is held at INT_MIN
  EXPECT_EQ(cells[0].Bottom, INT_MIN);  // INT_MAX + (INT_MIN - 2 * INT_MAX) is held too
  EXPECT_EQ(WidthAfterShowSeconds(INT_MAX, 10, 4, true), INT_MAX);
  EXPECT_EQ(WidthAfterShowSeconds(INT_MIN, 10, 4, false), INT_MIN);
}

TEST(ClockLayoutTest, DigitWidthRoundsHalvesToEven) {
  struct Row { double v; int want; };
  const Row rows[] = {{2.5, 2},   {3.5, 4},      {-2.5, -2},     {-3.5, -4},  {10.36, 10},
                      {10.55, 11}, {0.4999, 0},  {-0.5, 0},      {1e300, INT_MAX},
                      {-1e300, INT_MIN}, {std::nan(""), 0}};
  for (const Row& r : rows) EXPECT_EQ(RoundHalfEven(r.v), r.want) << r.v;
}

}  // namespace
