// The note window's life: the activation step runs once, closing saves or is abandoned, the end of
// the session saves, a second start finds the running window, and what the window looks like.
#include <gtest/gtest.h>

#include "app/res/resource.h"
#include "app/win/SingleInstance.h"
#include "tests/win/StickTestSupport.h"
#include "tests/win/support/Render.h"
#include "toolkit/win/Text.h"

namespace {

TEST_F(StickTest, ALaterActivationNeitherReloadsTheFileNorReappliesTheSwitches) {
  Start({{"A", "", 3000}, {"B", "", 3000}}, /*cycling=*/false);
  ClickOn(Ui(form).TrashSpeedBtn);
  ClickOn(Ui(form).CycleButton);  // cycling on
  form->Run(TStickCommand::Clock);        // clock off
  SendMessageW(form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  Activate();
  EXPECT_EQ(Notes().NoteCount(), 1);
  EXPECT_EQ(Text(), "B");
  EXPECT_TRUE(Ui(form).CycleButton->Down());
  EXPECT_FALSE(form->ClockShown());
}

// Shown without becoming active (the system may refuse a program started in the background):
// the notes are loaded all the same, so no save can put an empty list over them.
TEST_F(StickTest, TheFirstShowLoadsTheNotesEvenWithoutAnActivation) {
  registry.SetSetting(L"On", 0);
  Create({{"A", "", 3000}, {"B", "", 3000}});
  ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  form->Show();
  EXPECT_TRUE(form->ActivationDone());
  EXPECT_EQ(Text(), "A");
  form->Run(TStickCommand::Exit);
  EXPECT_NE(GetFile(NotesFile()).find("N=2"), std::string::npos);
}

// Regression: with a notes file that could not be written, every close showed the error and the
// program could not be ended at all.
TEST_F(StickTest, AFailedSaveHoldsUpTheCloseOnlyUntilTheUserAgreesToLoseTheChanges) {
  Start({{"A", "", 3000}});
  form->Show();
  RefusingStore refusing;
  store.target = &refusing;
  ClickOn(Ui(form).TrashSpeedBtn);  // says it could not save
  system.boxes.clear();
  system.box_answer = IDNO;
  form->Run(TStickCommand::Exit);
  ASSERT_EQ(Boxes(), std::vector<std::wstring>{L"Zettly could not save your notes: Unable to write to " + NotesFile() +
                                               L"\nAccess is denied. Close anyway and lose the unsaved changes?"});
  EXPECT_EQ(system.boxes[0].flags & MB_YESNO, static_cast<UINT>(MB_YESNO));
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(Notes().Unsaved());

  system.box_answer = IDYES;
  form->Run(TStickCommand::Exit);
  EXPECT_FALSE(form->Visible());
  EXPECT_NE(GetFile(NotesFile()).find("Content=A"), std::string::npos);  // untouched
}

TEST_F(StickTest, WithNothingUnsavedTheCloseNeedsNoWriteAtAll) {
  Start({{"A", "", 3000}});
  form->Show();
  RefusingStore refusing;
  store.target = &refusing;
  registry.user = ScratchRegistry::Refusal::OpenFails;  // nor can the settings be written
  form->Run(TStickCommand::Exit);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(system.boxes.empty());
}

// Regression: a start and an exit without a change rewrote the file, cutting long values and
// changing its line ends.
TEST_F(StickTest, AStartAndAnExitWithoutAChangeLeaveTheFileByteForByte) {
  const std::string original = "[General]\nN=1\r[Note1]\nContent=" + std::string(5000, 'x') + "\nColour=red";
  ASSERT_TRUE(PutFile(NotesFile(), original));
  Start();
  EXPECT_EQ(Notes().Notes(1).Content.size(), 5000u);
  form->Show();
  form->Run(TStickCommand::Exit);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(GetFile(NotesFile()), original);
}

// A file the program did not read in full is said so once at start, is never written, keeps
// New, Edit and Trash from changing it, and does not keep the program from closing.
TEST_F(StickTest, AFileNotReadInFullIsLeftUntouchedAndTheProgramStillCloses) {
  std::string huge = "[General]\r\nN=1\r\n[Note1]\r\nContent=";
  huge.append(5u << 20, 'x');
  std::vector<NoteRow> many;
  for (int k = 1; k <= 150; ++k) many.push_back({"note " + std::to_string(k), "", 3000});
  const struct {
    const char* name;
    std::string bytes;
    bool heldOpen;
    const wchar_t* says;
    const char* counter;
  } cases[] = {
      {"too large", huge, false,
       L"notices.msg is too large to be a notes file (5 MB); it is left untouched and notes cannot be changed",
       "0 / 0"},
      {"held open", NotesFileText({{"A", "", 3000}}), true, L"notices.msg could not be read (", "0 / 0"},
      {"more notes than it holds", NotesFileText(many), false,
       L"notices.msg holds 150 notes, more than the 99 Zettly can keep; the first 99 are shown", "1 / 99"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(PutFile(NotesFile(), c.bytes));
    HANDLE holder = c.heldOpen ? CreateFileW(NotesFile().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                             OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
    system.boxes.clear();
    Start();
    ASSERT_EQ(system.boxes.size(), 1u);
    EXPECT_EQ(system.boxes[0].text.find(c.says), 0u) << Narrow(system.boxes[0].text);
    EXPECT_EQ(Counter(), c.counter);
    TEditorForm editor(nullptr, Context());
    form->SetDialogs(&editor, nullptr);
    form->Run(TStickCommand::New);  // refused with the same words, the editor never opens
    ClickOn(Ui(form).TrashSpeedBtn);     // so is Trash, whether a note is shown or not
    ASSERT_EQ(system.boxes.size(), 3u);
    EXPECT_EQ(system.boxes[1].text, system.boxes[0].text);
    EXPECT_EQ(system.boxes[2].text, system.boxes[0].text);
    EXPECT_EQ(Counter(), c.counter);
    EXPECT_FALSE(editor.Visible());
    form->SetDialogs(nullptr, nullptr);
    form->Show();
    form->Run(TStickCommand::Exit);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(system.boxes.size(), 3u);
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    EXPECT_EQ(GetFile(NotesFile()), c.bytes);
    form.reset();
  }
}

TEST_F(StickTest, TheEndOfTheSessionSavesEverything) {
  Start({{"A", "", 3000}});
  form->Run(TStickCommand::AlwaysOnTop);
  registry.user = ScratchRegistry::Refusal::OpenFails;  // settings that cannot be written do not hold the session
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  registry.user = ScratchRegistry::Refusal::None;
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(registry.Setting(L"left"), L"15");
  EXPECT_TRUE(system.boxes.empty());
}

TEST_F(StickTest, AnInstallerThatAsksTheProgramToGoClosesItButALogoffDoesNot) {
  Start({{"A", "", 3000}});
  form->Show();
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);  // the system ends the process
  Application->ProcessMessages();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), TRUE);
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
  Application->ProcessMessages();
  EXPECT_FALSE(form->Visible());
}

TEST_F(StickTest, ASessionEndIsHeldUpOnlyByChangesThatCannotBeSaved) {
  Start({{"A", "", 3000}, {"B", "", 3000}});
  RefusingStore refusing;
  store.target = &refusing;
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);  // nothing unsaved
  ClickOn(Ui(form).TrashSpeedBtn);
  system.boxes.clear();
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
  EXPECT_TRUE(system.boxes.empty());  // the system shows the reason; no box in the way of the logoff
  refusing.refuse = false;
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);  // ending all the same
  EXPECT_NE(GetFile(NotesFile()).find("N=1"), std::string::npos);
  EXPECT_FALSE(Notes().Unsaved());
}

// Regression: a hand-over from a second start that arrived while the running copy was still
// starting acted on a window whose notes were not loaded yet.
TEST_F(StickTest, AHandOverThatArrivesBeforeTheNotesAreLoadedWaitsForThem) {
  Create({{"A", "", 3000}});
  EXPECT_EQ(FindNoteWindow(0), nullptr);  // not to be found before the notes are in
  EXPECT_EQ(SendMessageW(form->Handle(), ShowNoteWindowMessage(), 0, 0), 1);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  registry.SetSetting(L"On", 0);
  Activate();
  EXPECT_EQ(FindNoteWindow(0), form->Handle());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(Text(), "A");
  form->Hide();
}

TEST_F(StickTest, ASecondStartFindsTheRunningNoteWindowAndBringsItBack) {
  Start();
  EXPECT_EQ(FindNoteWindow(0), form->Handle());
  EXPECT_EQ(FindNoteWindow(GetCurrentProcessId()), nullptr);  // never our own
  form->Hide();
  ASSERT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(SendMessageW(form->Handle(), ShowNoteWindowMessage(), 0, 0), 1);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(form->Visible());
  form->Hide();
}

TEST(InstanceLock, OnlyTheFirstHolderIsFirst) {
  TInstanceLock first;
  ASSERT_TRUE(first.First());
  {
    TInstanceLock second;
    EXPECT_FALSE(second.First());
  }
  EXPECT_TRUE(first.First());
}

TEST_F(StickTest, TheWindowIsABorderlessRoundedTooltipColouredNote) {
  Start({{"A note", "x", 3000}});
  form->Show();
  EXPECT_EQ(form->ClientWidth(), 245);
  EXPECT_EQ(form->ClientHeight(), 175);
  EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_EQ(WindowText(form->Handle()), "Zettly");
  // Rounded corners: the corner pixels are outside the window's region, the middle inside.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(form->Handle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 244, 174));
  EXPECT_TRUE(PtInRegion(region, 122, 0));
  EXPECT_TRUE(PtInRegion(region, 244, 87));
  DeleteObject(region);

  RenderedImage image(245, 175);
  Render(*Ui(form).NotePanel, image);
  const TColor info = ColorToRGB(clInfoBk);
  EXPECT_EQ(image.Pixel(120, 20), info);
  EXPECT_EQ(image.Pixel(120, 140), info);
  // Every glyph and the exit picture are drawn, and their key colour nowhere.
  int magenta = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) magenta += image.Pixel(x, y) == RES_KEY_COLOR;
  EXPECT_EQ(magenta, 0);
  for (TControl* c : Ui(form).NotePanel->Controls()) {
    if (c == Ui(form).NoteLabel || c == Ui(form).CounterLabel || c->IsWindowed()) continue;
    int drawn = 0;
    for (int y = c->Top(); y < c->Top() + c->Height(); ++y)
      for (int x = c->Left(); x < c->Left() + c->Width(); ++x) drawn += image.Pixel(x, y) != info;
    EXPECT_GT(drawn, 20) << c->Name() << c->Hint();
  }
  // The clock: black digits outlined in silver on the tooltip colour.
  SendMessageW(TTimer::WindowHandle(), WM_TIMER, Ui(form).DigitalClock->TickTimer()->Id(), 0);
  RenderedImage clock(89, 25);
  Render(*Ui(form).DigitalClock, clock);
  int black = 0, silver = 0, other = 0;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 89; ++x) {
      const TColor p = clock.Pixel(x, y);
      black += p == clBlack;
      silver += p == clSilver;
      other += p != clBlack && p != clSilver && p != info;
    }
  EXPECT_GT(black, 30);
  EXPECT_GT(silver, 30);
  EXPECT_EQ(other, 0);
  form->Hide();
}

}  // namespace
