// The oval button's mouse, accelerator and property behaviour, through a host that records what
// the control is asked to draw and fire.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "components/ovalbutton/OvalButtonState.h"

namespace OvalBtn {
namespace {

using Log = std::vector<std::string>;

// A 100 x 50 button hit-tested by pixel centres.
class RecordingHost : public TOvalButtonHost {
 public:
  bool PointInOval(int x, int y) override { return PointInEllipse(x, y, 100, 50); }
  void RedrawFace() override { log.push_back("face"); }
  void RedrawBevel() override { log.push_back("bevel"); }
  void RepaintLater() override { log.push_back("repaint"); }
  void FireMouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back(Mouse("down", b, s, x, y));
    if (onMouseDown) onMouseDown();
  }
  void FireMouseMove(TShiftState, int x, int y) override {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void FireMouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back(Mouse("up", b, s, x, y));
    if (onMouseUp) onMouseUp();
  }
  void FireClick() override { log.push_back("click"); }
  void FireDblClick() override { log.push_back("dblclick"); }
  void FireMouseEnter() override { log.push_back("enter"); }
  void FireMouseExit() override { log.push_back("exit"); }

  Log Take() { return std::exchange(log, {}); }

  Log log;
  std::function<void()> onMouseDown, onMouseUp;

 private:
  static std::string Mouse(const char* what, TMouseButton b, TShiftState s, int x, int y) {
    return std::string(what) + " " + std::to_string(static_cast<int>(b)) + "/" +
           std::to_string(s.Bits()) + " " + std::to_string(x) + "," + std::to_string(y);
  }
};

constexpr TPoint kCentre{50, 25}, kInside{80, 30}, kCorner{3, 3}, kCornerBottom{97, 47};
const TShiftState kLeft{TShift::Left};

class OvalMouse : public testing::Test {
 protected:
  void MoveTo(TPoint p) { state.Move(kLeft, p.X, p.Y); }
  void PressAt(TPoint p) { state.Press(TMouseButton::mbLeft, kLeft, p.X, p.Y); }
  // The toolkit's order for a left release inside the rectangle: click, then release.
  void ReleaseAt(TPoint p) {
    state.Click();
    state.Release(TMouseButton::mbLeft, {}, p.X, p.Y);
  }
  void Hover(TPoint p) {
    state.Move({}, p.X, p.Y);
    host.Take();
  }

  RecordingHost host;
  TOvalButtonState state{host, [](int) { return RGBColor(212, 208, 200); }};
};

TEST_F(OvalMouse, CornerPressIsIgnoredAndItsReleaseClicksNothing) {
  Hover(kCorner);
  PressAt(kCorner);
  EXPECT_TRUE(state.MousePressed());
  EXPECT_FALSE(state.Down());
  ReleaseAt(kCorner);
  EXPECT_EQ(host.Take(), Log{});
  EXPECT_EQ(state.BevelState(), kBevelRaised);
  EXPECT_FALSE(state.MousePressed());
}

TEST_F(OvalMouse, CornerPressThenDragInSinksAndReleaseInsideClicks) {
  Hover(kCorner);
  PressAt(kCorner);
  MoveTo(kCentre);
  EXPECT_EQ(host.Take(), (Log{"bevel", "move 50,25"}));
  EXPECT_TRUE(state.Down());
  EXPECT_EQ(state.BevelState(), kBevelSunken);
  ReleaseAt(kCentre);
  EXPECT_EQ(host.Take(), (Log{"click", "face", "up 0/0 50,25"}));
  EXPECT_FALSE(state.Down());
  EXPECT_EQ(state.BevelState(), kBevelRaised);
}

TEST_F(OvalMouse, DragOutRaisesDragInSinksAndReleaseInsideClicks) {
  Hover(kInside);
  PressAt(kInside);
  EXPECT_EQ(host.Take(), (Log{"face", "down 0/8 80,30"}));
  EXPECT_FALSE(state.DownBeforePress());
  EXPECT_TRUE(state.Down());
  MoveTo(kCornerBottom);
  EXPECT_EQ(host.Take(), Log{"bevel"});  // no move event outside the ellipse
  EXPECT_FALSE(state.Down());
  EXPECT_EQ(state.BevelState(), kBevelRaised);
  MoveTo(kCentre);
  EXPECT_EQ(host.Take(), (Log{"bevel", "move 50,25"}));
  EXPECT_EQ(state.BevelState(), kBevelSunken);
  ReleaseAt(kCentre);
  EXPECT_EQ(host.Take(), (Log{"click", "face", "up 0/0 50,25"}));
}

TEST_F(OvalMouse, DragOutAndReleaseOutsideFiresNeitherClickNorMouseUp) {
  Hover(kInside);
  PressAt(kInside);
  MoveTo(kCornerBottom);
  host.Take();
  ReleaseAt(kCornerBottom);
  EXPECT_EQ(host.Take(), Log{});
  EXPECT_FALSE(state.Down());
  EXPECT_EQ(state.BevelState(), kBevelRaised);
}

TEST_F(OvalMouse, RegressionPressWithoutAPrecedingMoveStillClicks) {
  PressAt(kCentre);
  ReleaseAt(kCentre);
  EXPECT_EQ(host.Take(), (Log{"face", "down 0/8 50,25", "click", "face", "up 0/0 50,25"}));
}

// The toolkit reports the leaving before the move that left: the bevel rises at the leaving,
// sinks again when the drag comes back in, and a release outside stays without a click.
TEST_F(OvalMouse, RegressionPushButtonLeftThroughTheRectangleEdgeDoesNotStaySunk) {
  Hover(kCentre);
  PressAt(kCentre);
  host.Take();
  state.Leave();
  EXPECT_EQ(host.Take(), (Log{"bevel", "exit"}));
  EXPECT_FALSE(state.Down());
  EXPECT_EQ(state.BevelState(), kBevelRaised);
  MoveTo(kCorner);
  EXPECT_EQ(host.Take(), Log{});
  MoveTo(kCentre);
  EXPECT_EQ(host.Take(), (Log{"bevel", "move 50,25"}));
  EXPECT_EQ(state.BevelState(), kBevelSunken);
  state.Leave();
  MoveTo({-5, 25});
  host.Take();
  ReleaseAt({-5, 25});
  EXPECT_EQ(host.Take(), Log{});
  EXPECT_FALSE(state.Down());
  EXPECT_EQ(state.BevelState(), kBevelRaised);
}

TEST_F(OvalMouse, ToggleLeavingWhilePressedKeepsItsBevel) {
  state.SetGroupIndex(1);
  Hover(kCentre);
  PressAt(kCentre);
  host.Take();
  state.Leave();
  EXPECT_EQ(host.Take(), Log{"exit"});
  EXPECT_EQ(state.BevelState(), kBevelSunken);
}

// Dragging out and back in once lost the OnClick of a toggle that flipped all the same.
TEST_F(OvalMouse, ToggleFlipsOnEachClickInsideAlsoAfterDraggingOutAndBackIn) {
  state.SetGroupIndex(1);
  Hover(kCentre);
  PressAt(kCentre);
  MoveTo(kCorner);
  MoveTo(kCentre);
  EXPECT_EQ(host.Take(), (Log{"face", "down 0/8 50,25", "move 50,25"}));
  ReleaseAt(kCentre);
  EXPECT_EQ(host.Take(), (Log{"click", "up 0/0 50,25"}));
  EXPECT_TRUE(state.Down());
  EXPECT_EQ(state.BevelState(), kBevelSunken);

  PressAt(kCentre);
  ReleaseAt(kCentre);
  EXPECT_EQ(host.Take(), (Log{"face", "down 0/8 50,25", "click", "repaint", "up 0/0 50,25"}));
  EXPECT_FALSE(state.Down());
  EXPECT_EQ(state.BevelState(), kBevelRaised);
}

TEST_F(OvalMouse, RegressionToggleReleasedOutsideKeepsItsStateBeforeThePress) {
  state.SetGroupIndex(1);
  for (bool before : {false, true}) {
    state.SetDown(before);
    Hover(kCentre);
    PressAt(kCentre);
    MoveTo(kCorner);
    ReleaseAt(kCorner);
    EXPECT_EQ(state.Down(), before);
    EXPECT_EQ(state.BevelState(), before ? kBevelSunken : kBevelRaised);
  }
}

TEST_F(OvalMouse, FlatShowsRaisedRingsOnlyWhileThePointerIsInsideTheEllipse) {
  state.SetFlat(true);
  EXPECT_EQ(state.BevelState(), kBevelNone);
  host.Take();
  MoveTo(kCorner);
  EXPECT_EQ(host.Take(), Log{});
  MoveTo(kCentre);
  EXPECT_EQ(host.Take(), (Log{"bevel", "move 50,25"}));
  EXPECT_EQ(state.BevelState(), kBevelRaised);
  MoveTo(kCorner);
  EXPECT_EQ(host.Take(), Log{"repaint"});
  EXPECT_EQ(state.BevelState(), kBevelNone);
  // Leaving the rectangle straight from inside the ellipse also drops them.
  MoveTo(kCentre);
  host.Take();
  state.Leave();
  EXPECT_EQ(host.Take(), (Log{"repaint", "exit"}));
  EXPECT_EQ(state.BevelState(), kBevelNone);
  EXPECT_FALSE(state.MouseInside());
}

TEST_F(OvalMouse, FlatPushButtonEndsRaisedAfterReleaseUntilTheNextMove) {
  state.SetFlat(true);
  Hover(kCentre);
  PressAt(kCentre);
  ReleaseAt(kCentre);
  EXPECT_EQ(state.BevelState(), kBevelRaised);
  host.Take();
  MoveTo(kCorner);
  EXPECT_EQ(host.Take(), Log{"repaint"});
  EXPECT_EQ(state.BevelState(), kBevelNone);
}

TEST_F(OvalMouse, FlatAndDownIgnoresHover) {
  state.SetFlat(true);
  state.SetDown(true);
  host.Take();
  MoveTo(kCentre);
  MoveTo(kCorner);
  EXPECT_EQ(host.Take(), Log{"move 50,25"});
  EXPECT_EQ(state.BevelState(), kBevelSunken);
}

TEST_F(OvalMouse, DisabledIgnoresPressesDragsAndClicks) {
  state.SetEnabled(false);
  Hover(kCentre);
  PressAt(kCentre);
  MoveTo(kInside);
  state.DblClick();
  ReleaseAt(kInside);
  EXPECT_EQ(host.Take(), Log{"move 80,30"});
  EXPECT_FALSE(state.Down());
  EXPECT_EQ(state.BevelState(), kBevelRaised);
}

TEST_F(OvalMouse, RegressionButtonDisabledWhilePressedComesBackUp) {
  host.onMouseDown = [&] { state.SetEnabled(false); };
  Hover(kCentre);
  PressAt(kCentre);
  ReleaseAt(kCentre);
  EXPECT_EQ(host.Take(), (Log{"face", "down 0/8 50,25", "repaint"}));
  EXPECT_FALSE(state.Down());
}

TEST_F(OvalMouse, TransparentPressAndReleaseRepaintInsteadOfDrawingTheFace) {
  state.SetTransparent(true);
  Hover(kCentre);
  PressAt(kCentre);
  ReleaseAt(kCentre);
  EXPECT_EQ(host.Take(), (Log{"repaint", "down 0/8 50,25", "click", "repaint", "up 0/0 50,25"}));
}

TEST_F(OvalMouse, DoubleClickFiresOnlyInsideThenPressesWithTheDoubleFlag) {
  Hover(kCentre);
  state.DblClick();
  state.Press(TMouseButton::mbLeft, kLeft + TShift::Double, 50, 25);
  EXPECT_EQ(host.Take(), (Log{"dblclick", "face", "down 0/72 50,25"}));
  state.Release(TMouseButton::mbLeft, {}, 50, 25);  // no click after a double click
  Hover(kCorner);
  state.DblClick();
  EXPECT_EQ(host.Take(), Log{});
}

TEST_F(OvalMouse, EditorHandlersWritingDownDuringPressAndReleaseChangeNothing) {
  host.onMouseDown = [&] { state.SetDown(true); };
  host.onMouseUp = [&] { state.SetDown(false); };
  Hover(kCentre);
  PressAt(kCentre);
  ReleaseAt(kCentre);
  EXPECT_EQ(host.Take(), (Log{"face", "down 0/8 50,25", "click", "face", "up 0/0 50,25"}));
}

TEST_F(OvalMouse, AcceleratorClicksOnlyWhileInsideAndIsHandledEitherWay) {
  const std::string caption = "&Close";
  Hover(kCorner);
  EXPECT_TRUE(state.DialogChar('c', caption));
  EXPECT_EQ(host.Take(), Log{});
  Hover(kCentre);
  EXPECT_TRUE(state.DialogChar('C', caption));
  EXPECT_EQ(host.Take(), Log{"click"});
  EXPECT_FALSE(state.DialogChar('x', caption));
  EXPECT_FALSE(state.DialogChar('c', "Close&"));
  state.SetEnabled(false);
  EXPECT_TRUE(state.DialogChar('c', caption));
  EXPECT_EQ(host.Take(), Log{});
}

TEST_F(OvalMouse, EnterAndLeaveFireTheirEvents) {
  state.Enter();
  state.Leave();
  EXPECT_EQ(host.Take(), (Log{"enter", "exit"}));
}

TEST_F(OvalMouse, ConstructionValues) {
  EXPECT_EQ(state.Color(), clBtnFace);
  EXPECT_EQ(state.HighlightColor(), RGBColor(233, 231, 227));
  EXPECT_EQ(state.ShadowColor(), RGBColor(139, 129, 108));
  EXPECT_EQ(state.BevelState(), kBevelRaised);
  EXPECT_FALSE(state.Down() || state.Flat() || state.Transparent() || state.MouseInside() ||
               state.MousePressed());
  EXPECT_TRUE(state.Enabled());
  EXPECT_EQ(state.GroupIndex(), 0);
}

TEST(OvalProperties, ColorSetToItsCurrentValueNeitherRecomputesNorRepaints) {
  RecordingHost host;
  int resolved = 0;
  TOvalButtonState state{host, [&](int) {
                           ++resolved;
                           return RGBColor(212, 208, 200);
                         }};
  resolved = 0;
  state.SetColor(clBtnFace);
  EXPECT_EQ(resolved, 0);
  EXPECT_EQ(host.Take(), Log{});
  state.SetColor(RGBColor(192, 192, 192));
  EXPECT_EQ(host.Take(), Log{"repaint"});
  EXPECT_EQ(state.HighlightColor(), RGBColor(223, 223, 223));
  EXPECT_EQ(state.ShadowColor(), RGBColor(115, 115, 115));
  state.SetColor(clBtnFace);
  EXPECT_EQ(resolved, 1);
  EXPECT_EQ(state.ShadowColor(), RGBColor(139, 129, 108));
}

// Down and Flat setters: {flat, down} before, the write, BevelState after, and whether it repainted.
struct SetterRow {
  bool flat, down;
  std::function<void(TOvalButtonState&)> write;
  int bevel;
  bool repaint;
};

TEST(OvalProperties, DownAndFlatSettersFollowTheirTable) {
  const std::vector<SetterRow> rows = {
      {false, false, [](TOvalButtonState& s) { s.SetDown(true); }, kBevelSunken, true},
      {false, true, [](TOvalButtonState& s) { s.SetDown(false); }, kBevelRaised, true},
      {true, true, [](TOvalButtonState& s) { s.SetDown(false); }, kBevelNone, true},
      {true, false, [](TOvalButtonState& s) { s.SetDown(false); }, kBevelNone, false},
      {false, true, [](TOvalButtonState& s) { s.SetFlat(true); }, kBevelNone, true},
      {true, true, [](TOvalButtonState& s) { s.SetFlat(false); }, kBevelRaised, true},
      {false, false, [](TOvalButtonState& s) { s.SetFlat(false); }, kBevelRaised, false},
      {false, false, [](TOvalButtonState& s) { s.SetGroupIndex(3); }, kBevelRaised, false},
      {false, false, [](TOvalButtonState& s) { s.SetTransparent(true); }, kBevelRaised, true},
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    RecordingHost host;
    TOvalButtonState state{host, [](int) { return clSilver; }};
    state.SetFlat(rows[i].flat);
    state.SetDown(rows[i].down);
    host.Take();
    rows[i].write(state);
    EXPECT_EQ(state.BevelState(), rows[i].bevel) << "row " << i;
    EXPECT_EQ(host.Take(), rows[i].repaint ? Log{"repaint"} : Log{}) << "row " << i;
  }
}

}  // namespace
}  // namespace OvalBtn
