// The oval button worked through real mouse and key messages sent to its form's window: only
// the ellipse counts, the toolkit's click-before-release order, toggles, enter and exit, and the
// caption's accelerator.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/win/OvalButtonTestForm.h"
#include "toolkit/win/Application.h"

namespace {

using Log = std::vector<std::string>;

class OvalButtonMouse : public testing::Test {
 protected:
  OvalButtonMouse() : f(100, 50) {
    auto point = [](const char* what, int x, int y) {
      return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
    };
    b.OnClick = [this](TObject* s) { Note(s, "click"); };
    b.OnDblClick = [this](TObject* s) { Note(s, "dblclick"); };
    b.OnMouseDown = [=, this](TObject* s, TMouseButton, TShiftState, int x, int y) { Note(s, point("down", x, y)); };
    b.OnMouseUp = [=, this](TObject* s, TMouseButton, TShiftState, int x, int y) { Note(s, point("up", x, y)); };
    b.OnMouseEnter = [this](TObject* s) { Note(s, "enter"); };
    b.OnMouseExit = [this](TObject* s) { Note(s, "exit"); };
  }
  void Note(TObject* sender, std::string what) {
    EXPECT_EQ(sender, &b);
    log.push_back(std::move(what));
  }
  Log Take() { return std::exchange(log, {}); }
  // Posted, so that it goes through the application's message loop as a typed key does.
  void Key(UINT msg, wchar_t c) {
    PostMessageW(f.form.Handle(), msg, c, 0);
    Application->ProcessMessages();
  }

  OvalButtonForm f;
  TOvalButton& b = *f.button;
  Log log;
};

constexpr TPoint kMiddle{50, 25}, kCorner{3, 3}, kOtherCorner{96, 46}, kOffButton{-10, 20};

TEST_F(OvalButtonMouse, ClickInACornerOfTheRectangleDoesNothing) {
  for (const TPoint p : {kCorner, kOtherCorner}) {
    f.Click(p);
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(b.BevelState(), OvalBtn::kBevelRaised);
  }
  EXPECT_EQ(Take(), Log{"enter"});
}

TEST_F(OvalButtonMouse, ClickInTheMiddleFiresOnClickBeforeTheRelease) {
  f.Click(kMiddle);
  EXPECT_EQ(Take(), (Log{"enter", "down 50,25", "click", "up 50,25"}));
  EXPECT_FALSE(b.Down());
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelRaised);
}

TEST_F(OvalButtonMouse, PressInACornerThenDragIntoTheEllipseClicks) {
  f.Send(WM_LBUTTONDOWN, kCorner, MK_LBUTTON);
  f.Send(WM_MOUSEMOVE, kMiddle, MK_LBUTTON);
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelSunken);
  f.Send(WM_LBUTTONUP, kMiddle);
  EXPECT_EQ(Take(), (Log{"enter", "click", "up 50,25"}));
}

TEST_F(OvalButtonMouse, DraggedOutOfTheEllipseAndReleasedThereIsNoClick) {
  f.Send(WM_LBUTTONDOWN, kMiddle, MK_LBUTTON);
  f.Send(WM_MOUSEMOVE, kCorner, MK_LBUTTON);
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelRaised);
  f.Send(WM_LBUTTONUP, kCorner);
  f.Send(WM_LBUTTONDOWN, kMiddle, MK_LBUTTON);
  f.Send(WM_MOUSEMOVE, kOffButton, MK_LBUTTON);  // straight out of the rectangle
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelRaised);
  f.Send(WM_MOUSEMOVE, kMiddle, MK_LBUTTON);
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelSunken);
  f.Send(WM_MOUSEMOVE, kOffButton, MK_LBUTTON);
  f.Send(WM_LBUTTONUP, kOffButton);
  EXPECT_EQ(Take(), (Log{"enter", "down 50,25", "down 50,25", "exit", "enter", "exit"}));
  EXPECT_FALSE(b.Down());
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelRaised);
}

TEST_F(OvalButtonMouse, ToggleFlipsAtEachClickAndNotWhenReleasedOutside) {
  b.SetGroupIndex(1);
  f.Click(kMiddle);
  EXPECT_TRUE(b.Down());
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelSunken);
  f.Send(WM_LBUTTONDOWN, kMiddle, MK_LBUTTON);
  f.Send(WM_MOUSEMOVE, kCorner, MK_LBUTTON);
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelSunken);  // dragging leaves a toggle's bevel alone
  f.Send(WM_LBUTTONUP, kCorner);
  EXPECT_TRUE(b.Down());
  f.Click(kMiddle);
  EXPECT_FALSE(b.Down());
  EXPECT_EQ(b.BevelState(), OvalBtn::kBevelRaised);
  EXPECT_EQ(Take(), (Log{"enter", "down 50,25", "click", "up 50,25", "down 50,25", "down 50,25", "click",
                         "up 50,25"}));
}

TEST_F(OvalButtonMouse, DoubleClickInsideOnlyAndItsReleaseClicksNothing) {
  f.Send(WM_LBUTTONDBLCLK, kCorner, MK_LBUTTON);
  f.Send(WM_LBUTTONUP, kCorner);
  f.Send(WM_MOUSEMOVE, kMiddle);
  Take();
  f.Send(WM_LBUTTONDBLCLK, kMiddle, MK_LBUTTON);
  f.Send(WM_LBUTTONUP, kMiddle);
  EXPECT_EQ(Take(), (Log{"dblclick", "down 50,25", "up 50,25"}));
}

TEST_F(OvalButtonMouse, DisabledButtonIgnoresPressAndClick) {
  b.SetEnabled(false);
  f.Click(kMiddle);
  EXPECT_EQ(Take(), Log{});
  EXPECT_FALSE(b.Down());
}

TEST_F(OvalButtonMouse, AcceleratorClicksOnlyWhileThePointerIsInsideAndIsHandledEitherWay) {
  b.SetCaption("&Close");
  Key(WM_CHAR, L'c');
  EXPECT_EQ(Take(), Log{});
  EXPECT_TRUE(f.form.BroadcastDialogChar(L'c'));  // handled all the same
  EXPECT_FALSE(f.form.BroadcastDialogChar(L'l'));
  f.Send(WM_MOUSEMOVE, kMiddle);
  Take();
  Key(WM_CHAR, L'C');
  Key(WM_SYSCHAR, L'c');  // Alt+C
  EXPECT_EQ(Take(), (Log{"click", "click"}));
  b.SetEnabled(false);
  EXPECT_TRUE(f.form.BroadcastDialogChar(L'c'));
  EXPECT_EQ(Take(), Log{});
}

}  // namespace
