// The decisions behind a window's mouse routing: who holds the mouse, when a release clicks,
// and which control the pointer entered or left.
#include <gtest/gtest.h>

#include "toolkit/MouseState.h"

namespace {

struct Control {};

class MouseStateTest : public testing::Test {
 protected:
  TMouseState<Control> state;
  Control a, b, window;
  static bool Inside(const Control*) { return true; }
  static bool Outside(const Control*) { return false; }
};

TEST_F(MouseStateTest, LeftPressCapturesAndReleaseInsideTheCapturingControlClicksIt) {
  EXPECT_TRUE(state.Pressed(TMouseButton::mbLeft, false, &a).capture);
  EXPECT_EQ(state.MoveTarget(&b), &a);  // a holds the mouse over b
  const auto r = state.Released(TMouseButton::mbLeft, &b, true, Inside);
  EXPECT_EQ(r.target, &a);
  EXPECT_TRUE(r.click);
  EXPECT_TRUE(r.release_capture);
  EXPECT_EQ(state.MoveTarget(&b), &b);
}

TEST_F(MouseStateTest, ReleaseBringsNoClickOutsideWithoutPressOrForASystemControl) {
  state.Pressed(TMouseButton::mbLeft, false, &a);
  EXPECT_FALSE(state.Released(TMouseButton::mbLeft, &a, true, Outside).click);
  // A release with no press before it (the press went to another window) goes where it lands.
  const auto stray = state.Released(TMouseButton::mbLeft, &b, true, Inside);
  EXPECT_EQ(stray.target, &b);
  EXPECT_FALSE(stray.click);
  state.Pressed(TMouseButton::mbLeft, false, &a);
  EXPECT_FALSE(state.Released(TMouseButton::mbLeft, &a, false, Inside).click);
}

TEST_F(MouseStateTest, ReleaseEndingADoubleClickBringsNoClickButTheNextOneDoes) {
  EXPECT_TRUE(state.Pressed(TMouseButton::mbLeft, true, &a).double_click);
  EXPECT_FALSE(state.Released(TMouseButton::mbLeft, &a, true, Inside).click);
  state.Pressed(TMouseButton::mbLeft, false, &a);
  EXPECT_TRUE(state.Released(TMouseButton::mbLeft, &a, true, Inside).click);
}

TEST_F(MouseStateTest, OtherButtonsNeitherCaptureNorClickNorDisturbALeftPress) {
  state.Pressed(TMouseButton::mbLeft, false, &a);
  EXPECT_FALSE(state.Pressed(TMouseButton::mbRight, false, &b).capture);
  const auto right = state.Released(TMouseButton::mbRight, &b, true, Inside);
  EXPECT_EQ(right.target, &b);
  EXPECT_FALSE(right.click);
  EXPECT_FALSE(right.release_capture);
  EXPECT_TRUE(state.Released(TMouseButton::mbLeft, &a, true, Inside).click);
}

TEST_F(MouseStateTest, LostCaptureOrAForgottenControlLeavesNothingPointingAtIt) {
  state.Pressed(TMouseButton::mbLeft, false, &a);
  state.CaptureLost();
  EXPECT_FALSE(state.Released(TMouseButton::mbLeft, &a, true, Inside).click);

  state.PointerAt(&a);
  state.Pressed(TMouseButton::mbLeft, false, &a);
  state.Forget(&a);
  EXPECT_EQ(state.Captured(), nullptr);
  EXPECT_EQ(state.Hovered(), nullptr);
  const auto r = state.Released(TMouseButton::mbLeft, &window, true, Inside);
  EXPECT_EQ(r.target, &window);
  EXPECT_FALSE(r.click);
}

TEST_F(MouseStateTest, CrossingsReportEachChangeOnce) {
  const auto first = state.PointerAt(&a);
  EXPECT_TRUE(first.changed);
  EXPECT_EQ(first.leave, nullptr);
  EXPECT_EQ(first.enter, &a);
  EXPECT_FALSE(state.PointerAt(&a).changed);
  const auto to_b = state.PointerAt(&b);
  EXPECT_EQ(to_b.leave, &a);
  EXPECT_EQ(to_b.enter, &b);
  const auto out = state.PointerAt(nullptr);
  EXPECT_EQ(out.leave, &b);
  EXPECT_EQ(out.enter, nullptr);
}

}  // namespace
