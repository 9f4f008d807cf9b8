// The note window's display through its own buttons, keys, timer and mouse: stepping with
// wrap-around, the empty list, cycling with each note's exposure, trash, attachments, dragging.
#include <gtest/gtest.h>

#include "tests/win/StickTestSupport.h"
#include "toolkit/ScopeExit.h"

namespace {

const std::vector<NoteRow> kThree = {{"A", "a.txt", 5000}, {"B", "b.doc", 10000}, {"C", "", 3000}};

using Display = std::pair<std::string, std::string>;  // text, counter

class StickDisplayTest : public StickTest {
 protected:
  Display Now() const { return {Text(), Counter()}; }
};

TEST_F(StickDisplayTest, CyclingOffShowsNoteOneAtOnceAndStepsWrapAroundBothEnds) {
  Start(kThree, /*cycling=*/false);
  EXPECT_EQ(Now(), Display("A", "1 / 3"));
  EXPECT_FALSE(Ui(form).CycleButton->Down());
  EXPECT_EQ(Ui(form).CycleButton->Hint(), "");
  EXPECT_FALSE(Ui(form).CycleTimer->Enabled());

  struct Step {
    TSpeedButton* button;
    Display expected;
  };
  const Step steps[] = {{Ui(form).ForwardSpeedBtn, {"B", "2 / 3"}}, {Ui(form).ForwardSpeedBtn, {"C", "3 / 3"}},
                        {Ui(form).ForwardSpeedBtn, {"A", "1 / 3"}}, {Ui(form).BackSpeedBtn, {"C", "3 / 3"}},
                        {Ui(form).BackSpeedBtn, {"B", "2 / 3"}},    {Ui(form).BackSpeedBtn, {"A", "1 / 3"}}};
  for (const Step& s : steps) {
    ClickOn(s.button);
    EXPECT_EQ(Now(), s.expected) << s.button->Hint();
  }
}

TEST_F(StickDisplayTest, BackBeforeAnyNoteWasShownShowsTheLast) {
  Start(kThree, /*cycling=*/true);
  EXPECT_EQ(Now(), Display("", "0 / 0"));  // the first note comes with the first tick
  ClickOn(Ui(form).BackSpeedBtn);
  EXPECT_EQ(Now(), Display("C", "3 / 3"));
}

TEST_F(StickDisplayTest, WithAnEmptyListEveryStepLeavesTheEmptyState) {
  Start({}, /*cycling=*/true);
  ClickOn(Ui(form).ForwardSpeedBtn);
  ClickOn(Ui(form).BackSpeedBtn);
  Tick();
  PressKey(VK_RIGHT, true);
  PressKey(VK_LEFT, true);
  EXPECT_EQ(Now(), Display("", "0 / 0"));
  EXPECT_FALSE(Ui(form).AttachmentButton->Visible());
}

TEST_F(StickDisplayTest, EachNoteStaysUpForItsOwnExposureAndAManualStepRestartsTheCountdown) {
  Start(kThree, /*cycling=*/true);
  EXPECT_TRUE(Ui(form).CycleButton->Down());
  EXPECT_EQ(Ui(form).CycleButton->Hint(), "Scrolling is ON (Ctrl+Space)");
  EXPECT_TRUE(Ui(form).CycleTimer->Armed());
  EXPECT_EQ(Ui(form).CycleTimer->Interval(), 1000u);

  Tick();
  EXPECT_EQ(Now(), Display("A", "1 / 3"));
  EXPECT_EQ(Ui(form).CycleTimer->Interval(), 5000u);
  ClickOn(Ui(form).ForwardSpeedBtn);  // during note 1: note 2's ten seconds count from here
  EXPECT_EQ(Now(), Display("B", "2 / 3"));
  EXPECT_EQ(Ui(form).CycleTimer->Interval(), 10000u);
  EXPECT_TRUE(Ui(form).CycleTimer->Armed());
  Tick();
  EXPECT_EQ(Now(), Display("C", "3 / 3"));
  EXPECT_EQ(Ui(form).CycleTimer->Interval(), 3000u);
  Tick();
  EXPECT_EQ(Now(), Display("A", "1 / 3"));

  ClickOn(Ui(form).CycleButton);  // off: a step keeps the timer stopped
  EXPECT_FALSE(Ui(form).CycleButton->Down());
  EXPECT_EQ(Ui(form).CycleButton->Hint(), "Scrolling is OFF (Ctrl+Space)");
  EXPECT_FALSE(Ui(form).CycleTimer->Armed());
  ClickOn(Ui(form).ForwardSpeedBtn);
  EXPECT_EQ(Ui(form).CycleTimer->Interval(), 10000u);
  EXPECT_FALSE(Ui(form).CycleTimer->Armed());
  ClickOn(Ui(form).CycleButton);  // on again
  EXPECT_TRUE(Ui(form).CycleButton->Down());
  EXPECT_EQ(Ui(form).CycleButton->Hint(), "Scrolling is ON (Ctrl+Space)");
  EXPECT_TRUE(Ui(form).CycleTimer->Armed());
}

TEST_F(StickDisplayTest, AnExposureOfZeroHaltsTheCycleUntilAManualStep) {
  Start({{"still", "", 0}, {"moving", "", 4000}}, /*cycling=*/true);
  Tick();
  EXPECT_EQ(Now(), Display("still", "1 / 2"));
  EXPECT_TRUE(Ui(form).CycleTimer->Enabled());
  EXPECT_FALSE(Ui(form).CycleTimer->Armed());  // no tick will come
  ClickOn(Ui(form).ForwardSpeedBtn);
  EXPECT_EQ(Now(), Display("moving", "2 / 2"));
  EXPECT_TRUE(Ui(form).CycleTimer->Armed());
}

struct TrashCase {
  const char* name;
  std::vector<NoteRow> notes;
  int forwardSteps;  // after note 1 is shown
  Display after;
  bool attachVisible;
  int countAfter;
};

class TrashTest : public StickTest, public testing::WithParamInterface<TrashCase> {};

TEST_P(TrashTest, DeletesTheShownNoteAndShowsTheOneThatFollows) {
  const TrashCase& c = GetParam();
  Start(c.notes);
  for (int i = 0; i < c.forwardSteps; ++i) ClickOn(Ui(form).ForwardSpeedBtn);
  ClickOn(Ui(form).TrashSpeedBtn);
  EXPECT_EQ(Text(), c.after.first);
  EXPECT_EQ(Counter(), c.after.second);
  EXPECT_EQ(Ui(form).AttachmentButton->Visible(), c.attachVisible);
  EXPECT_EQ(Notes().NoteCount(), c.countAfter);
  // On disk at once: a crash right after brings no deleted note back.
  EXPECT_NE(GetFile(NotesFile()).find("N=" + std::to_string(c.countAfter) + "\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrashTest,
    testing::Values(TrashCase{"Middle", {{"A", "a", 1}, {"B", "b", 1}, {"C", "", 1}}, 1, {"C", "2 / 2"}, false, 2},
                    TrashCase{"Last", {{"A", "a", 1}, {"B", "b", 1}, {"C", "", 1}}, 2, {"A", "1 / 2"}, true, 2},
                    TrashCase{"Only", {{"A", "a", 1}}, 0, {"", "0 / 0"}, false, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(StickDisplayTest, TrashDoesNothingWithoutANoteOnDisplay) {
  Start(kThree, /*cycling=*/true);  // nothing shown before the first tick
  ClickOn(Ui(form).TrashSpeedBtn);
  EXPECT_EQ(Notes().NoteCount(), 3);
  Tick();
  ClickOn(Ui(form).TrashSpeedBtn);  // note 1 goes
  ClickOn(Ui(form).TrashSpeedBtn);
  ClickOn(Ui(form).TrashSpeedBtn);
  EXPECT_EQ(Now(), Display("", "0 / 0"));
  ClickOn(Ui(form).TrashSpeedBtn);  // nothing left: nothing happens
  EXPECT_EQ(Notes().NoteCount(), 0);
  EXPECT_TRUE(Ui(form).CycleTimer->Enabled());  // the timer keeps its running state throughout
}

// Cycling through one note or none would change nothing on the screen: no timer wakes the
// program up then, while the cycling switch itself stays on.
TEST_F(StickDisplayTest, CyclingRunsNoTimerWithFewerThanTwoNotes) {
  Start(kThree, /*cycling=*/true);
  Tick();
  ClickOn(Ui(form).TrashSpeedBtn);
  EXPECT_TRUE(Ui(form).CycleTimer->Armed());
  ClickOn(Ui(form).TrashSpeedBtn);
  EXPECT_EQ(Now(), Display("C", "1 / 1"));
  EXPECT_FALSE(Ui(form).CycleTimer->Armed());
  ClickOn(Ui(form).CycleButton);
  ClickOn(Ui(form).CycleButton);
  EXPECT_TRUE(Ui(form).CycleTimer->Enabled());
  EXPECT_FALSE(Ui(form).CycleTimer->Armed());

  ASSERT_TRUE(Notes().AppendNote({.Content = "D", .Exposure = 7000}));  // as the editor adds one
  form->ShowNote(Notes().NoteCount());
  EXPECT_TRUE(Ui(form).CycleTimer->Armed());
  EXPECT_EQ(Ui(form).CycleTimer->Interval(), 7000u);

  ClickOn(Ui(form).TrashSpeedBtn);
  ClickOn(Ui(form).TrashSpeedBtn);
  EXPECT_EQ(Now(), Display("", "0 / 0"));
  EXPECT_FALSE(Ui(form).CycleTimer->Armed());
}

TEST_F(StickDisplayTest, CyclingStartedWithNoNotesStopsTickingAfterItsFirstTick) {
  Start({}, /*cycling=*/true);
  Tick();
  EXPECT_EQ(Now(), Display("", "0 / 0"));
  EXPECT_TRUE(Ui(form).CycleTimer->Enabled());
  EXPECT_FALSE(Ui(form).CycleTimer->Armed());
}

TEST_F(StickDisplayTest, TheAttachmentGoesToTheShellWithTheApplicationAsOwner) {
  Start(kThree);
  EXPECT_TRUE(Ui(form).AttachmentButton->Visible());
  EXPECT_EQ(Ui(form).AttachmentButton->Hint(), "a.txt");
  ClickOn(Ui(form).AttachmentButton);
  ASSERT_EQ(system.shell.size(), 1u);
  const FakeSystem::Shell& call = system.shell[0];
  EXPECT_EQ(call.owner, Application->Handle());
  EXPECT_EQ(call.operation, L"open");
  EXPECT_EQ(call.file, L"a.txt");
  EXPECT_EQ(call.parameters, L"");
  EXPECT_EQ(call.directory, L"");
  EXPECT_EQ(call.show, SW_SHOWNORMAL);

  ClickOn(Ui(form).BackSpeedBtn);  // C: no attachment, the button goes
  EXPECT_FALSE(Ui(form).AttachmentButton->Visible());
  EXPECT_EQ(Ui(form).AttachmentButton->Hint(), "");
  PressKey('A', true);
  EXPECT_EQ(system.shell.size(), 1u);
  ClickOn(Ui(form).BackSpeedBtn);  // B: Ctrl+A opens, A alone does not
  PressKey('A', false);
  EXPECT_EQ(system.shell.size(), 1u);
  PressKey('A', true);
  ASSERT_EQ(system.shell.size(), 2u);
  EXPECT_EQ(system.shell[1].file, L"b.doc");
  EXPECT_TRUE(system.boxes.empty());
}

// Regression: an attachment that the shell runs as a program (marker.exe, a script, a bare
// "cmd.exe") ran on one click. It is asked about first, No being the default, and No opens
// nothing; the system's PATHEXT adds to the kinds asked about; a document opens without a word.
TEST_F(StickDisplayTest, Bug_AnAttachmentThatIsAProgramRanWithoutAQuestion) {
  const wchar_t* kPathExt = L"PATHEXT";
  wchar_t saved[512] = L"";
  const bool had = GetEnvironmentVariableW(kPathExt, saved, 512) > 0;
  const ScopeExit restore([&] { SetEnvironmentVariableW(kPathExt, had ? saved : nullptr); });
  SetEnvironmentVariableW(kPathExt, L".COM;.EXE;.PY");
  Start({{"exe", "C:\\tools\\marker.exe", 5000},
         {"bat", "C:\\tools\\marker.bat", 5000},
         {"py", "C:\\tools\\tool.py", 5000},
         {"doc", "C:\\notes\\a.txt", 5000}});
  system.box_answer = IDNO;
  for (int k = 0; k < 3; ++k) {
    ClickOn(Ui(form).AttachmentButton);
    ClickOn(Ui(form).ForwardSpeedBtn);
  }
  EXPECT_TRUE(system.shell.empty());
  ASSERT_EQ(system.boxes.size(), 3u);
  EXPECT_NE(system.boxes[0].text.find(L"C:\\tools\\marker.exe"), std::wstring::npos);
  EXPECT_EQ(system.boxes[0].flags & (MB_TYPEMASK | MB_DEFMASK | MB_ICONMASK),
            static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING));

  ClickOn(Ui(form).AttachmentButton);  // the document
  EXPECT_EQ(system.boxes.size(), 3u);
  ClickOn(Ui(form).ForwardSpeedBtn);
  system.box_answer = IDYES;
  PressKey('A', true);
  EXPECT_EQ(system.boxes.size(), 4u);
  ASSERT_EQ(system.shell.size(), 2u);
  EXPECT_EQ(system.shell[0].file, L"C:\\notes\\a.txt");
  EXPECT_EQ(system.shell[1].file, L"C:\\tools\\marker.exe");
}

// Each Ctrl key does what its button does; without Ctrl nothing happens.
TEST_F(StickDisplayTest, CtrlKeysStepTrashAndCloseAndNothingHappensWithoutCtrl) {
  Start(kThree);
  form->Show();
  for (WORD key : {WORD(VK_RIGHT), WORD(VK_LEFT), WORD('T'), WORD('A'), WORD('X'), WORD('N'), WORD('E')})
    PressKey(key, false);
  EXPECT_EQ(Text(), "A");
  EXPECT_EQ(Notes().NoteCount(), 3);
  EXPECT_TRUE(system.shell.empty());
  EXPECT_TRUE(form->Visible());

  PressKey(VK_RIGHT, true);
  EXPECT_EQ(Text(), "B");
  PressKey(VK_LEFT, true);
  PressKey(VK_LEFT, true);
  EXPECT_EQ(Text(), "C");
  PressKey('T', true);
  EXPECT_EQ(Counter(), "1 / 2");
  EXPECT_EQ(Text(), "A");
  PressKey('X', true);  // closing saves everything
  EXPECT_FALSE(form->Visible());
  EXPECT_NE(GetFile(NotesFile()).find("N=2"), std::string::npos);
  EXPECT_EQ(registry.Setting(L"top"), L"15");
}

// Errors in a key's action are swallowed; the same error from the button reaches the error box.
class ThrowingShell : public WithFakeSystem {
 public:
  HINSTANCE ShellExecute(HWND, const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&,
                         int) override {
    throw Exception("the shell is gone");
  }
};

TEST_F(StickDisplayTest, AnErrorUnderAKeyIsSwallowedButUnderAButtonItIsShown) {
  Start(kThree);
  ThrowingShell shell;
  PressKey('A', true);
  EXPECT_TRUE(shell.boxes.empty());
  ClickOn(Ui(form).AttachmentButton);
  ASSERT_EQ(shell.boxes.size(), 1u);
  EXPECT_EQ(shell.boxes[0].text, L"the shell is gone");
}

TEST_F(StickDisplayTest, DraggingTheNoteTextMovesTheWindowOnRelease) {
  Start(kThree);
  HWND panel = Ui(form).NotePanel->Handle();
  const int lx = Ui(form).NoteLabel->Left(), ly = Ui(form).NoteLabel->Top();
  struct Drag {
    UINT down, up;
    WPARAM held;
  };
  int expectLeft = form->Left(), expectTop = form->Top();
  for (const Drag d : {Drag{WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON}, Drag{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON}}) {
    SendMessageW(panel, d.down, d.held, MAKELPARAM(lx + 10, ly + 10));
    SendMessageW(panel, WM_MOUSEMOVE, d.held, MAKELPARAM(lx + 40, ly + 20));
    EXPECT_EQ(form->Left(), expectLeft);  // no following while the button is held
    // A right release also opens the context menu; Escape closes it again.
    if (d.up == WM_RBUTTONUP) PostMessageW(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(panel, d.up, 0, MAKELPARAM(lx + 60, ly + 30));
    expectLeft += 50;
    expectTop += 20;
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, expectLeft);
    EXPECT_EQ(r.top, expectTop);
  }
  // A click without moving leaves the window where it is.
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(lx + 10, ly + 10));
  SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(lx + 10, ly + 10));
  EXPECT_EQ(form->Left(), expectLeft);
  EXPECT_EQ(form->Top(), expectTop);
}

TEST_F(StickDisplayTest, TheClockSitsOnTheTitleStripAndItsHintIsTodaysDate) {
  Start();
  TDigitClock* clock = Ui(form).DigitalClock;
  EXPECT_EQ(clock->Parent(), Ui(form).NotePanel);
  EXPECT_EQ(clock->BoundsRect(), Bounds(49, 2, 89, 25));
  EXPECT_EQ(clock->CharColor(), clBlack);
  EXPECT_EQ(clock->BorderColor(), clSilver);
  EXPECT_EQ(clock->Color(), clInfoBk);
  EXPECT_EQ(clock->Cells(1)->BoundsRect(), Bounds(4, 4, 10, 17));  // the layout of an 89-wide clock
  system.time = SYSTEMTIME{2031, 11, 0, 28, 10, 0, 0, 0};
  // Over a digit as well as between them.
  for (const TControl* over : {static_cast<const TControl*>(clock->Cells(2)), static_cast<const TControl*>(nullptr)}) {
    const int x = over ? over->Left() + 2 : 1, y = over ? over->Top() + 2 : 1;
    clock->SetHint("old");
    SendMessageW(clock->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    EXPECT_EQ(clock->Hint(), ShortDateText(system.time)) << x;
    EXPECT_NE(clock->Hint().find("2031"), std::string::npos);
  }
  form->Run(TStickCommand::Clock);
  EXPECT_FALSE(clock->Visible());
  form->Run(TStickCommand::Clock);
  EXPECT_TRUE(clock->Visible());
}

TEST(ShortDateText, DayMonthAndAFourDigitYear) {
  SYSTEMTIME t{2026, 3, 0, 24, 9, 5, 7, 0};
  const std::string text = ShortDateText(t);
  EXPECT_NE(text.find("2026"), std::string::npos) << text;
  EXPECT_NE(text.find("24"), std::string::npos) << text;
  EXPECT_NE(text.find("3"), std::string::npos) << text;
}

}  // namespace
