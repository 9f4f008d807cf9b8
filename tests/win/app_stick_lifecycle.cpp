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
  ClickOn(form->TrashSpeedBtn);
  ClickOn(form->TimeOnSpeedButton);  // cycling on
  form->Clock1Click(nullptr);        // clock off
  SendMessageW(form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  Activate();
  EXPECT_EQ(NoteList().NoteCount(), 1);
  EXPECT_EQ(Text(), "B");
  EXPECT_TRUE(form->TimeOnSpeedButton->Down());
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
  form->Image1Click(nullptr);
  EXPECT_NE(GetFile(NotesFile()).find("N=2"), std::string::npos);
}

TEST_F(StickTest, AFailedSaveAbandonsTheCloseAndLosesNothing) {
  Start({{"A", "", 3000}});
  form->Show();
  RefusingStore store;
  NoteList().SetFileStore(&store);
  ClickOn(form->TrashSpeedBtn);
  form->Image1Click(form->Image1);
  ASSERT_EQ(Boxes(), std::vector<std::wstring>{L"Unable to write to " + NotesFile()});
  EXPECT_EQ(system.boxes[0].flags & MB_ICONSTOP, static_cast<UINT>(MB_ICONSTOP));
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(registry.Setting(L"top"), std::nullopt);  // the settings follow the notes, so none
  EXPECT_NE(GetFile(NotesFile()).find("Content=A"), std::string::npos);

  store.refuse = false;  // the folder is writable again: the same close goes through
  form->Exit1Click(nullptr);
  EXPECT_FALSE(form->Visible());
  EXPECT_NE(GetFile(NotesFile()).find("N=0"), std::string::npos);
  EXPECT_EQ(registry.Setting(L"On"), L"0");
}

TEST_F(StickTest, TheEndOfTheSessionSavesEverything) {
  Start({{"A", "", 3000}});
  ClickOn(form->TrashSpeedBtn);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_NE(GetFile(NotesFile()).find("N=0"), std::string::npos);
  EXPECT_EQ(registry.Setting(L"left"), L"15");
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(system.boxes.empty());
}

TEST_F(StickTest, ASessionEndThatCannotSaveIsHeldUpAndTriedAgainAtTheEnd) {
  Start({{"A", "", 3000}});
  RefusingStore store;
  NoteList().SetFileStore(&store);
  ClickOn(form->TrashSpeedBtn);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
  EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Unable to write to " + NotesFile()});
  store.refuse = false;
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);  // ending all the same
  EXPECT_NE(GetFile(NotesFile()).find("N=0"), std::string::npos);
  EXPECT_EQ(registry.Setting(L"top"), L"15");
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
  Render(*form->Panel1, image);
  const TColor info = ColorToRGB(clInfoBk);
  EXPECT_EQ(image.Pixel(120, 20), info);
  EXPECT_EQ(image.Pixel(120, 140), info);
  // Every glyph and the exit picture are drawn, and their key colour nowhere.
  int magenta = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) magenta += image.Pixel(x, y) == RES_KEY_COLOR;
  EXPECT_EQ(magenta, 0);
  for (TControl* c : form->Panel1->Controls()) {
    if (c == form->NoteLabel || c == form->CounterLabel || c->IsWindowed()) continue;
    int drawn = 0;
    for (int y = c->Top(); y < c->Top() + c->Height(); ++y)
      for (int x = c->Left(); x < c->Left() + c->Width(); ++x) drawn += image.Pixel(x, y) != info;
    EXPECT_GT(drawn, 20) << c->Name() << c->Hint();
  }
  // The clock: black digits outlined in silver on the tooltip colour.
  SendMessageW(TTimer::WindowHandle(), WM_TIMER, form->DigitalClock->TickTimer()->Id(), 0);
  RenderedImage clock(89, 25);
  Render(*form->DigitalClock, clock);
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
