// The digital clock: a new clock, properties forwarded to the cells, the seconds switch and the
// layout that follows the size, the tick through the injected time of day, and what it draws.
#include <gtest/gtest.h>

#include "tests/win/LedClockTestClock.h"
#include "tests/win/support/Render.h"

namespace {

constexpr TChar _ = chBlank, C = chColon;
using Chars = std::array<TChar, 7>;

std::array<int, 7> Lefts(const TDigitClock& clock) {
  std::array<int, 7> lefts{};
  for (int n = 1; n <= 7; ++n) lefts[static_cast<size_t>(n - 1)] = clock.Cells(n)->Left();
  return lefts;
}

TEST(DigitClockTest, NewClockIsBlackWithBlankGreenOutlinedCellsAndRunning) {
  TDigitClock clock(nullptr);
  EXPECT_TRUE(clock.ShowSeconds());
  EXPECT_TRUE(clock.Active());
  EXPECT_EQ(clock.CharColor(), clLime);
  EXPECT_EQ(clock.BorderColor(), clGreen);
  EXPECT_EQ(clock.CharWidth(), 2);
  EXPECT_EQ(clock.CharHeight(), 2);
  EXPECT_EQ(clock.CharBorderWidth(), 1);
  EXPECT_EQ(clock.SpaceWidth(), 4);
  EXPECT_EQ(clock.Color(), clBlack);
  EXPECT_FALSE(clock.ParentColor());
  EXPECT_EQ(clock.Width(), 90);
  EXPECT_EQ(clock.Height(), 25);
  EXPECT_EQ(clock.BevelOuter(), TBevelCut::bvNone);
  EXPECT_EQ(clock.Caption(), " ");
  EXPECT_EQ(clock.TickTimer()->Owner(), &clock);
  EXPECT_EQ(clock.TickTimer()->Interval(), 1u);
  EXPECT_TRUE(clock.TickTimer()->Enabled());
  for (int n = 1; n <= 7; ++n) {
    SCOPED_TRACE(n);
    const TCharLed* cell = clock.Cells(n);
    EXPECT_EQ(cell->Owner(), &clock);
    EXPECT_EQ(cell->Parent(), &clock);
    EXPECT_EQ(cell->Char(), chBlank);  // blank until the first tick
    EXPECT_TRUE(cell->ParentColor());
    EXPECT_EQ(cell->Color(), clBlack);
    EXPECT_TRUE(cell->Transparent());
    EXPECT_EQ(cell->Top(), 4);
    EXPECT_EQ(cell->Height(), n <= 5 ? 17 : 8);
    EXPECT_EQ(cell->CharWidth(), n <= 5 ? 2 : 1);
    EXPECT_EQ(cell->BorderWidth(), 1);
  }
  EXPECT_EQ(Lefts(clock), (std::array<int, 7>{4, 19, 34, 43, 58, 73, 82}));
  EXPECT_EQ(clock.Cells(1)->Width(), 11);
  EXPECT_EQ(clock.Cells(3)->Width(), 5);
}

// Each stroke property: cells 1 to 5 get the value, the seconds cells half of it, truncated.
TEST(DigitClockTest, StrokesGoToEveryCellHalvedForTheSeconds) {
  struct Row {
    const char* what;
    void (TDigitClock::*set)(int);
    int (TDigitClock::*get)() const;
    int (TCharLed::*cellGet)() const;
    int value, full, half;
  };
  const Row rows[] = {
      {"CharWidth 5", &TDigitClock::SetCharWidth, &TDigitClock::CharWidth, &TCharLed::CharWidth, 5, 5, 2},
      {"CharHeight 7", &TDigitClock::SetCharHeight, &TDigitClock::CharHeight, &TCharLed::CharHeight, 7, 7, 3},
      {"CharWidth -3 halves toward zero", &TDigitClock::SetCharWidth, &TDigitClock::CharWidth,
       &TCharLed::CharWidth, -3, -3, -1},
      {"CharBorderWidth 5", &TDigitClock::SetCharBorderWidth, &TDigitClock::CharBorderWidth,
       &TCharLed::BorderWidth, 5, 5, 2},
      {"CharBorderWidth 3: the seconds get 1", &TDigitClock::SetCharBorderWidth, &TDigitClock::CharBorderWidth,
       &TCharLed::BorderWidth, 3, 3, 1},
      {"CharBorderWidth 0 is 1 everywhere", &TDigitClock::SetCharBorderWidth, &TDigitClock::CharBorderWidth,
       &TCharLed::BorderWidth, 0, 1, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    TDigitClock clock(nullptr);
    (clock.*r.set)(r.value);
    EXPECT_EQ((clock.*r.get)(), r.full);
    for (int n = 1; n <= 7; ++n) EXPECT_EQ((clock.Cells(n)->*r.cellGet)(), n <= 5 ? r.full : r.half) << n;
  }
}

TEST(DigitClockTest, PropertiesAreReadFromCellOneAndAWriteEqualToItChangesNothing) {
  TDigitClock clock(nullptr);
  clock.Cells(1)->SetCharWidth(9);
  EXPECT_EQ(clock.CharWidth(), 9);
  clock.Cells(7)->SetCharColor(clRed);
  clock.SetCharColor(clLime);  // cell 1's colour already
  EXPECT_EQ(clock.Cells(7)->CharColor(), clRed);
  clock.SetCharColor(clBlue);
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(clock.Cells(n)->CharColor(), clBlue) << n;
  clock.Cells(6)->SetBorderColor(clRed);
  clock.SetBorderColor(clGreen);
  EXPECT_EQ(clock.Cells(6)->BorderColor(), clRed);
  clock.SetColor(clNavy);
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(clock.Cells(n)->Color(), clNavy) << n;
}

TEST(DigitClockTest, SecondsSwitchHidesTheSecondsAndResizesByCellOnePlusTwoSpaces) {
  TestClock t;  // 89 wide: digit cells 10
  TDigitClock& clock = *t.clock;
  EXPECT_EQ(Lefts(clock), (std::array<int, 7>{4, 18, 32, 41, 55, 69, 78}));
  clock.SetShowSeconds(false);
  EXPECT_EQ(clock.Width(), 89 - 10 - 8);
  EXPECT_FALSE(clock.Cells(6)->Visible());
  EXPECT_FALSE(clock.Cells(7)->Visible());
  // 6 spaces and 4.5 digits: (71 - 24) / 4.5 = 10.4 -> 10; the hidden cells are placed still.
  EXPECT_EQ(Lefts(clock), (std::array<int, 7>{4, 18, 32, 41, 55, 69, 78}));
  clock.SetShowSeconds(false);
  EXPECT_EQ(clock.Width(), 71);
  clock.SetShowSeconds(true);
  EXPECT_EQ(clock.Width(), 89);
  EXPECT_TRUE(clock.Cells(6)->Visible());
  EXPECT_TRUE(clock.Cells(7)->Visible());
}

TEST(DigitClockTest, SecondsSwitchUsesCellOnesWidthAtTheTimeSoANewClockComesBackNarrower) {
  TDigitClock clock(nullptr);  // 90 wide: digit cells 11
  clock.SetShowSeconds(false);
  EXPECT_EQ(clock.Width(), 90 - 11 - 8);
  clock.SetShowSeconds(true);  // cell 1 is 10 wide at 71
  EXPECT_EQ(clock.Width(), 71 + 10 + 8);
}

TEST(DigitClockTest, CellsFollowResizeSpaceWidthAndLoaded) {
  TDigitClock clock(nullptr);
  int resizes = 0;
  clock.OnResize = [&](TObject*) { ++resizes; };
  clock.SetWidth(89);
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(Lefts(clock), (std::array<int, 7>{4, 18, 32, 41, 55, 69, 78}));
  clock.SetSpaceWidth(2);  // (89 - 16) / 5.5 = 13.3 -> 13
  EXPECT_EQ(Lefts(clock), (std::array<int, 7>{2, 17, 32, 40, 55, 70, 78}));
  EXPECT_EQ(clock.Cells(1)->Height(), 21);

  TForm form(nullptr);
  auto* loaded = new TDigitClock(&form);
  loaded->SetParent(&form);
  loaded->Cells(4)->SetBounds(0, 0, 1, 1);  // as a stored description might leave it
  form.FinishCreate();
  EXPECT_EQ(loaded->Cells(4)->BoundsRect(), (TRect{43, 4, 54, 21}));
}

// What each time reads as is checked on the host; here, that a tick reads the injected time of
// day, shows that reading and arms its timer for the reading's interval.
TEST(DigitClockTest, TickShowsTheReadingOfTheInjectedTimeAndArmsForItsInterval) {
  TestClock t;
  for (int64_t at : {At(14, 30, 0, 1), At(9, 5, 7, 250)}) {
    SCOPED_TRACE(at);
    t.TickAt(at);
    const TClockReading reading = ReadClock(at, true);
    EXPECT_EQ(t.Shown(), reading.Chars);
    EXPECT_EQ(t.clock->TickTimer()->Interval(), static_cast<unsigned>(reading.Interval));
    EXPECT_TRUE(t.clock->TickTimer()->Armed());
  }
}

TEST(DigitClockTest, HiddenSecondsCellsKeepWhatTheyShowed) {
  TestClock t;
  t.TickAt(At(9, 5, 7, 250));
  t.clock->SetShowSeconds(false);
  t.TickAt(At(9, 6, 38, 750));
  EXPECT_EQ(t.Shown(), (Chars{_, 9, _, 0, 6, 0, 7}));
}

TEST(DigitClockTest, StoppedClockFreezesAndResumesWithTheCurrentTime) {
  TestClock t;
  t.TickAt(At(9, 5, 7, 250));
  t.clock->SetActive(false);
  EXPECT_FALSE(t.clock->TickTimer()->Enabled());
  EXPECT_FALSE(t.clock->TickTimer()->Armed());
  t.TickAt(At(9, 5, 8, 750));  // a stray expiry of the stopped timer
  EXPECT_EQ(t.Shown(), (Chars{_, 9, C, 0, 5, 0, 7}));
  t.clock->SetActive(true);
  EXPECT_TRUE(t.clock->TickTimer()->Armed());
  t.TickAt(At(9, 5, 9, 750));
  EXPECT_EQ(t.Shown(), (Chars{_, 9, _, 0, 5, 0, 9}));
}

TEST(DigitClockTest, HiddenClockRunsNoTimerAndShowsTheTimeAsSoonAsItIsShownAgain) {
  TestClock t;
  t.TickAt(At(21, 0, 1, 600));
  t.clock->SetVisible(false);
  EXPECT_FALSE(t.clock->TickTimer()->Armed());
  t.clock->SetActive(false);
  t.clock->SetActive(true);
  EXPECT_FALSE(t.clock->TickTimer()->Armed());

  t.SetTime(At(21, 7, 2, 100));
  t.clock->SetVisible(true);
  EXPECT_EQ(t.Shown(), (Chars{2, 1, C, 0, 7, 0, 2}));
  EXPECT_TRUE(t.clock->TickTimer()->Armed());
  EXPECT_EQ(t.clock->TickTimer()->Interval(), 401u);
}

TEST(DigitClockTest, StoppedClockShownAgainStaysFrozen) {
  TestClock t;
  t.TickAt(At(9, 5, 7, 250));
  t.clock->SetActive(false);
  t.clock->SetVisible(false);
  t.SetTime(At(9, 6, 0, 0));
  t.clock->SetVisible(true);
  EXPECT_EQ(t.Shown(), (Chars{_, 9, C, 0, 5, 0, 7}));
  EXPECT_FALSE(t.clock->TickTimer()->Armed());
}

// The note window's clock at 09:05:07.250: blank, 9, colon, 0, 5, 0, 7 in black with a silver
// outline on the info-tip colour. Points are the clock's own; each names the cell and segment.
TEST(DigitClockTest, RenderedClockLightsExactlyTheSegmentsOfTheTime) {
  TestClock t;
  t.TickAt(At(9, 5, 7, 250));
  RenderedImage image(89, 25);
  Render(*t.clock, image);
  const TColor back = ColorToRGB(clInfoBk);
  struct Probe {
    const char* what;
    int x, y;
    TColor colour;
  };
  const Probe probes[] = {
      {"margin", 2, 2, back},
      {"cell 1 blank: where its top bar would be", 8, 5, back},
      {"cell 2 (9) top bar, inside", 22, 5, clBlack},
      {"cell 2 top bar, outline", 22, 4, clSilver},
      {"cell 2 upper left bar", 19, 9, clBlack},
      {"cell 2 hole between the bars", 22, 9, back},
      {"cell 2 lower left bar, unlit in 9", 19, 16, back},
      {"cell 2 lower right bar", 26, 16, clBlack},
      {"cell 3 upper dot", 34, 8, clBlack},
      {"cell 3 between the dots", 34, 12, back},
      {"cell 3 lower dot", 34, 15, clBlack},
      {"cell 4 (0) upper left bar", 42, 9, clBlack},
      {"cell 4 middle bar, unlit in 0", 45, 12, back},
      {"cell 5 (5) upper right bar, unlit", 63, 9, back},
      {"cell 5 lower left bar, unlit", 56, 16, back},
      {"cell 5 lower right bar", 63, 16, clBlack},
      {"cell 6 (0, half size) upper left bar", 69, 6, clSilver},
      {"cell 6 middle bar, unlit", 71, 8, back},
      {"cell 6 below the half-height row", 71, 14, back},
      {"cell 7 (7) upper left bar, unlit", 78, 6, back},
      {"cell 7 upper right bar", 82, 6, clSilver},
  };
  for (const Probe& p : probes) EXPECT_EQ(image.Pixel(p.x, p.y), p.colour) << p.what;
}

}  // namespace
