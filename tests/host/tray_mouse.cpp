// The order of a tray icon's events for sequences of shell notifications, key states, cursor
// positions and timer runs (virtual time).
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "components/tray/TrayRules.h"
#include "tests/host/FakeTimerHandler.h"
#include "tests/host/TestTrayIcon.h"

[[maybe_unused]] const bool fake_timers = UseFakeTimerHandlers();

namespace {
using namespace tray_code;

struct Step {
  enum Kind { Code, Wait, Cursor, Keys, Mark } kind;
  uint32_t value = 0;
  int x = 0, y = 0;
  TShiftState keys;
};
Step N(uint32_t code) { return {Step::Code, code}; }
Step Wait(uint32_t ms) { return {Step::Wait, ms}; }
Step At(int x, int y) { return {Step::Cursor, 0, x, y}; }
Step Hold(TShiftState keys) { return {Step::Keys, 0, 0, 0, keys}; }
Step Mark() { return {Step::Mark}; }  // writes "|" to the log: what came before and after

struct Scenario {
  const char* name;
  bool dblClickHandler;
  bool leftPopup;
  uint8_t versionMode;
  bool enterExit;
  bool enabled;
  std::vector<Step> steps;
  std::vector<std::string> expected;
};
void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }

const std::string L0 = "L,Left,0,0", R0 = "R,Right,0,0";

const Scenario kScenarios[] = {
    {"ClickWithoutDblClickHandlerComesAtOnceBeforeMouseUp", false, false, 0, false, true,
     {N(LButtonDown), N(LButtonUp), Mark()},
     {"Down(" + L0 + ")", "Click", "Up(" + L0 + ")", "|"}},
    {"ClickWithDblClickHandlerWaitsForTheDoubleClickTime", true, false, 0, false, true,
     {N(LButtonDown), Wait(100), N(LButtonUp), Wait(399), Mark(), Wait(1), Mark(), Wait(2000)},
     {"Down(" + L0 + ")", "Up(" + L0 + ")", "|", "Click", "|"}},
    {"DoubleClickBringsNoClick", true, false, 0, false, true,
     {N(LButtonDown), Wait(50), N(LButtonUp), Wait(50), N(LButtonDblClk), Wait(50), N(LButtonUp), Wait(2000)},
     {"Down(" + L0 + ")", "Up(" + L0 + ")", "DblClick", "DefaultItem", "Up(" + L0 + ")"}},
    {"DoubleClickWithoutHandlerStillRunsTheDefaultItem", false, false, 0, false, true,
     {N(LButtonDown), N(LButtonUp), N(LButtonDblClk), N(LButtonUp), Wait(2000)},
     {"Down(" + L0 + ")", "Click", "Up(" + L0 + ")", "DefaultItem", "Up(" + L0 + ")"}},
    {"LongPressClicksOnReleaseBeforeMouseUp", true, false, 0, false, true,
     {N(LButtonDown), Wait(600), Mark(), N(LButtonUp), Wait(2000)},
     {"Down(" + L0 + ")", "|", "Click", "Up(" + L0 + ")"}},
    {"ClickAfterADoubleClickIsReportedAgain", true, false, 0, false, true,
     {N(LButtonDown), N(LButtonUp), N(LButtonDblClk), N(LButtonUp), Wait(500), Mark(), N(LButtonDown),
      N(LButtonUp), Wait(500)},
     {"Down(" + L0 + ")", "Up(" + L0 + ")", "DblClick", "DefaultItem", "Up(" + L0 + ")", "|",
      "Down(" + L0 + ")", "Up(" + L0 + ")", "Click"}},
    {"RightPressOpensTheMenuAfterMouseDownClassicRelease", false, false, 0, false, true,
     {N(RButtonDown), N(RButtonUp), N(ContextMenu), N(Select), N(KeySelect)},
     {"Down(" + R0 + ")", "Popup", "Up(" + R0 + ")"}},
    {"VersionThreeReleasesComeAsContextMenuSelectAndKeySelect", false, false, 1, false, true,
     {N(RButtonDown), N(RButtonUp), Mark(), N(ContextMenu), N(Select), N(KeySelect)},
     {"Down(" + R0 + ")", "Popup", "|", "Up(" + R0 + ")", "Up(" + R0 + ")", "Up(" + R0 + ")"}},
    {"VersionFourOpensTheMenuOnContextMenuAndTakesEnterAsADoubleClick", true, false, 2, false, true,
     {N(RButtonDown), N(RButtonUp), Mark(), N(ContextMenu), Mark(), N(KeySelect), Mark(), N(LButtonDown),
      N(LButtonUp), N(Select), Wait(2000), Mark(), N(Select)},
     {"Down(" + R0 + ")", "Up(" + R0 + ")", "|", "Popup", "|", "DblClick", "DefaultItem", "|", "Down(" + L0 + ")",
      "Up(" + L0 + ")", "Click", "|", "DblClick", "DefaultItem"}},
    {"LeftPopupOpensTheMenuOnLeftPressAndSkipsTheDefaultItem", true, true, 0, false, true,
     {N(LButtonDown), N(LButtonUp), N(LButtonDblClk), N(LButtonUp), Wait(2000), Mark(), N(RButtonDown)},
     {"Down(" + L0 + ")", "Popup", "Up(" + L0 + ")", "DblClick", "Up(" + L0 + ")", "|", "Down(" + R0 + ")",
      "Popup"}},
    {"MiddleButton", false, false, 0, false, true,
     {N(MButtonDown), N(MButtonUp), N(MButtonDblClk), N(RButtonDblClk)},
     {"Down(M,Middle,0,0)", "Up(M,Middle,0,0)"}},
    {"ShiftStatesCarryTheKeysAndTheButtonButMovesNoButton", false, false, 0, false, true,
     {At(5, 7), Hold({TShift::Shift}), N(LButtonDown), Hold({TShift::Ctrl, TShift::Alt}), N(LButtonUp),
      N(MouseMove), Hold({}), N(RButtonDown)},
     {"Down(L,Shift+Left,5,7)", "Click", "Up(L,Alt+Ctrl+Left,5,7)", "Move(Alt+Ctrl,5,7)",
      "Down(R,Right,5,7)", "Popup"}},
    {"EnterOnceThenMovesThenExitWithinOneTimerRun", false, false, 0, true, true,
     {At(10, 10), N(MouseMove), At(11, 10), N(MouseMove), Wait(20), Wait(20), Mark(), At(300, 300), Wait(20),
      Wait(200)},
     {"Enter", "Move(-,10,10)", "Move(-,11,10)", "|", "Exit"}},
    {"WithoutEnterExitEventsOnlyMoves", false, false, 0, false, true,
     {At(10, 10), N(MouseMove), At(300, 300), Wait(200), N(MouseMove)},
     {"Move(-,10,10)", "Move(-,300,300)"}},
    {"TimerRunBeforeAMoveIsHandledGivesExitThenEnter", false, false, 0, true, true,
     {At(10, 10), N(MouseMove), At(12, 10), Wait(20), N(MouseMove)},
     {"Enter", "Move(-,10,10)", "Exit", "Enter", "Move(-,12,10)"}},
    {"DisabledIconDropsMouseNotificationsButRelaysBalloons", true, false, 1, true, false,
     {N(MouseMove), N(LButtonDown), N(LButtonUp), N(LButtonDblClk), N(RButtonDown), N(RButtonUp),
      N(ContextMenu), N(MButtonDown), N(MButtonUp), Wait(2000), N(BalloonHide), N(BalloonTimeout),
      N(BalloonUserClick)},
     {"BalloonHide", "BalloonTimeout", "BalloonClick"}},
    {"BalloonRelaysAndIgnoredCodes", false, false, 0, false, true,
     {N(BalloonShow), N(BalloonUserClick), N(BalloonHide), N(BalloonTimeout), N(0x0210), N(0xFFFFFFFF)},
     {"BalloonClick", "BalloonHide", "BalloonTimeout"}},
};

class TrayMouseTest : public testing::TestWithParam<Scenario> {};

TEST_P(TrayMouseTest, EventsComeInTheExpectedOrder) {
  const Scenario& s = GetParam();
  TestTrayIcon icon(s.dblClickHandler);
  icon.SetLeftPopup(s.leftPopup);
  icon.SetVersionMode(s.versionMode);
  icon.SetWantEnterExitEvents(s.enterExit);
  icon.SetEnabled(s.enabled);
  FakeTimerHandler& clock = *FakeTimerHandler::Current();
  for (const Step& step : s.steps) {
    switch (step.kind) {
      case Step::Code: icon.ProcessNotification(step.value); break;
      case Step::Wait: clock.Advance(step.value); break;
      case Step::Cursor: icon.cursor = {step.x, step.y}; break;
      case Step::Keys: icon.keys = step.keys; break;
      case Step::Mark: icon.log.push_back("|"); break;
    }
  }
  EXPECT_EQ(icon.log, s.expected);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, TrayMouseTest, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

TEST(TrayTimersTest, ClickTimerTakesTheDoubleClickTimeAndRunsOncePerPress) {
  TestTrayIcon icon(true);
  icon.double_click_time = 320;
  icon.ProcessNotification(LButtonDown);
  EXPECT_EQ(icon.ClickTimer().Period(), 320u);
  EXPECT_EQ(FakeTimerHandler::Current()->ArmedPeriod(icon.ClickTimer()), 320u);
  FakeTimerHandler::Current()->Advance(320);
  EXPECT_FALSE(icon.ClickTimer().Running());
  EXPECT_FALSE(FakeTimerHandler::Current()->IsArmed(icon.ClickTimer()));
}

TEST(TrayTimersTest, ExitTimerRunsEveryTwentyMsExactlyWhileEnterExitEventsAreWanted) {
  TestTrayIcon icon;
  EXPECT_FALSE(icon.ExitTimer().Running());
  icon.SetWantEnterExitEvents(true);
  EXPECT_EQ(FakeTimerHandler::Current()->ArmedPeriod(icon.ExitTimer()), 20u);
  icon.SetWantEnterExitEvents(false);
  EXPECT_FALSE(icon.ExitTimer().Running());
  EXPECT_FALSE(FakeTimerHandler::Current()->IsArmed(icon.ExitTimer()));
}

}  // namespace
