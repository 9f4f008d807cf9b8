// The note window's counting rules, the autorun command and keeping a window on its work area.
#include <gtest/gtest.h>

#include <string>

#include "app/NoteDisplay.h"
#include "app/Settings.h"

namespace {

struct WrapCase {
  int32_t k, count, expected;
};

class WrapNoteNumberTest : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapNoteNumberTest, StepsWrapAroundBothEnds) {
  const WrapCase c = GetParam();
  EXPECT_EQ(WrapNoteNumber(c.k, c.count), c.expected) << "k=" << c.k << " n=" << c.count;
}

INSTANTIATE_TEST_SUITE_P(Steps, WrapNoteNumberTest,
                         testing::Values(WrapCase{4, 3, 1},    // forward from the last note
                                         WrapCase{0, 3, 3},    // back from the first note
                                         WrapCase{-1, 3, 3},   // back before anything was shown
                                         WrapCase{2, 3, 2}, WrapCase{1, 1, 1}, WrapCase{2, 1, 1},
                                         WrapCase{100, 99, 1}, WrapCase{0, 0, 0},  // empty: no note
                                         WrapCase{-1, 0, 0}, WrapCase{5, 0, 1}));

struct CounterCase {
  int32_t next, count;
  const char* text;
};

class CounterTextTest : public testing::TestWithParam<CounterCase> {};

TEST_P(CounterTextTest, ShowsTheNoteOnDisplayOfAll) {
  const CounterCase c = GetParam();
  EXPECT_EQ(CounterText(c.next, c.count), c.text) << "next=" << c.next << " n=" << c.count;
}

INSTANTIATE_TEST_SUITE_P(Counter, CounterTextTest,
                         testing::Values(CounterCase{1, 0, "0 / 0"}, CounterCase{4, 0, "0 / 0"},
                                         CounterCase{1, 7, "1 / 7"}, CounterCase{4, 7, "3 / 7"},
                                         CounterCase{8, 7, "7 / 7"}, CounterCase{2, 1, "1 / 1"},
                                         CounterCase{0, 7, "0 / 7"}, CounterCase{-3, 7, "0 / 7"},
                                         CounterCase{100, 99, "99 / 99"}));

TEST(ExposureInterval, ZeroAndNegativeStopTheCycling) {
  EXPECT_EQ(ExposureInterval(5000), 5000u);
  EXPECT_EQ(ExposureInterval(0), 0u);
  EXPECT_EQ(ExposureInterval(-5), 0u);
  EXPECT_EQ(ExposureInterval(INT32_MAX), static_cast<uint32_t>(INT32_MAX));
}

TEST(AutorunCommand, QuotedExactlyWhenThePathHasABlank) {
  EXPECT_EQ(AutorunCommand("C:\\Zettly\\Zettly.exe"), "C:\\Zettly\\Zettly.exe");
  EXPECT_EQ(AutorunCommand("C:\\Program Files\\Zettly\\Zettly.exe"), "\"C:\\Program Files\\Zettly\\Zettly.exe\"");
  EXPECT_EQ(AutorunCommand("C:\\a b\\c d.exe"), "\"C:\\a b\\c d.exe\"");
  // Already a quoted command line: not quoted twice.
  EXPECT_EQ(AutorunCommand("\"C:\\a b\\z.exe\""), "\"C:\\a b\\z.exe\"");
  EXPECT_EQ(AutorunCommand("C:\\Caf\xC3\xA9\\z.exe"), "C:\\Caf\xC3\xA9\\z.exe");
}

struct AreaCase {
  TRect window;
  TPoint expected;
};

class KeepInsideWorkAreaTest : public testing::TestWithParam<AreaCase> {};

TEST_P(KeepInsideWorkAreaTest, MovesOnlyAsFarAsNeeded) {
  const TRect area{0, 0, 1024, 738};  // a taskbar takes the bottom 30 pixels
  const AreaCase c = GetParam();
  EXPECT_EQ(KeepInsideWorkArea(c.window, area), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Places, KeepInsideWorkAreaTest,
    testing::Values(AreaCase{Bounds(100, 50, 245, 175), {100, 50}},      // inside: unchanged
                    AreaCase{Bounds(-5000, -5000, 245, 175), {0, 0}},    // far up-left
                    AreaCase{Bounds(3000, 200, 245, 175), {779, 200}},   // a right-hand monitor gone
                    AreaCase{Bounds(200, 900, 245, 175), {200, 563}},    // below the work area
                    AreaCase{Bounds(-3000, 2000, 245, 175), {0, 563}},
                    AreaCase{Bounds(500, 500, 2000, 1000), {0, 0}}));  // larger than the area

// Regression: a window with 4 pixels left on screen, or its top under the taskbar, counted as
// visible and could not be dragged back.
TEST(DragAreaReachable, OnlyAUsefulPartOfTheDragAreaOnOneWorkAreaCounts) {
  const TRect screen{0, 0, 1024, 738}, right{1024, 0, 2048, 768};  // the taskbar below the first
  const auto drag = [](int left, int top) { return TRect{left + 7, top + 29, left + 233, top + 129}; };
  const struct {
    TRect area;
    bool reachable;
    const char* what;
  } cases[] = {
      {drag(15, 15), true, "home"},
      {drag(1020, 15), false, "a sliver at the right edge"},
      {drag(1024 - 7 - 40, 15), true, "40 pixels of it at the right edge"},
      {drag(1024 - 7 - 39, 15), false, "39 pixels"},
      {drag(15, 738 - 29 - 20), false, "its top under the taskbar"},
      {drag(15, -29 - 100 + 40), true, "the window above the screen, 40 rows of the drag area below"},
      {drag(-500, 15), false, "off to the left"},
  };
  for (const auto& c : cases) EXPECT_EQ(DragAreaReachable(c.area, {screen}), c.reachable) << c.what;
  EXPECT_TRUE(DragAreaReachable(drag(1000, 15), {screen, right})) << "across two monitors, enough on the second";
  EXPECT_FALSE(DragAreaReachable(drag(1000, 15), {screen}));
  EXPECT_FALSE(DragAreaReachable(drag(15, 15), {}));
}

}  // namespace
