// The autorun command and keeping a window on its work area.
#include <gtest/gtest.h>

#include <string>

#include "app/Settings.h"

namespace {

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
