// The note window without a mouse: the keys for cycling, Help and About, the menu from the
// keyboard, and the window as a screen reader reads it (its controls, the name-change event
// when the shown note changes).
#include <gtest/gtest.h>

#include <memory>

#include "app/win/InfoForm.h"
#include "tests/win/AccessibleTestSupport.h"
#include "tests/win/StickTestSupport.h"

namespace {

const std::vector<NoteRow> kThree = {{"Buy milk", "", 5000}, {"Call Ann", "", 3000}, {"Pay rent", "C:\\r.pdf", 3000}};

class StickAccessTest : public StickTest {
 protected:
  void Read() {
    client = std::make_unique<AccessibleClient>(form->Handle());
    ASSERT_EQ(client->result, S_OK);
    acc = client->acc;
  }
  std::string Name(long id) { return client->Name(id); }

  // The child id a control has in the window's accessible object, 0 when it has none.
  long IdOf(TControl* c) {
    long n = 0;
    acc->get_accChildCount(&n);
    POINT origin{0, 0};
    ClientToScreen(Ui(form).NotePanel->Handle(), &origin);
    for (long id = 1; id <= n; ++id) {
      long x, y, w, h;
      acc->accLocation(&x, &y, &w, &h, ChildId(id));
      if (x == origin.x + c->Left() && y == origin.y + c->Top() && w == c->Width() && h == c->Height()) return id;
    }
    return 0;
  }

  std::unique_ptr<AccessibleClient> client;
  IAccessible* acc = nullptr;  // the client's
};

TEST_F(StickAccessTest, CtrlSpaceF1AndCtrlBReachCyclingHelpAndAbout) {
  Start(kThree, /*cycling=*/false);
  PressKey(VK_SPACE, true);
  EXPECT_TRUE(Ui(form).CycleButton->Down());
  EXPECT_TRUE(Ui(form).CycleTimer->Enabled());
  PressKey(VK_SPACE, true);
  EXPECT_FALSE(Ui(form).CycleButton->Down());
  EXPECT_FALSE(Ui(form).CycleTimer->Enabled());
  PressKey(VK_SPACE, false);  // Space alone is not the switch
  EXPECT_FALSE(Ui(form).CycleTimer->Enabled());

  PressKey(VK_F1, false);
  ASSERT_EQ(system.shell.size(), 1u);
  EXPECT_EQ(system.shell[0].file, folder.Path() + L"help.chm");

  TInfoForm about(nullptr);
  form->SetDialogs(nullptr, &about);
  int shown = 0;
  about.OnShow = [&](TObject*) {
    ++shown;
    PostMessageW(about.Handle(), WM_CLOSE, 0, 0);
  };
  PressKey('B', false);
  EXPECT_EQ(shown, 0);
  PressKey('B', true);
  form->SetDialogs(nullptr, nullptr);
  EXPECT_EQ(shown, 1);
}

TEST_F(StickAccessTest, AShortcutActsOnItsPressOncePerPressWhicheverKeyIsLetGoFirst) {
  Start(kThree, /*cycling=*/false);
  const HWND panel = Ui(form).NotePanel->Handle();
  const std::string before = Ui(form).CounterLabel->Caption();
  SetCtrl(true);
  PostMessageW(panel, WM_KEYDOWN, VK_RIGHT, 1);
  Application->ProcessMessages();
  const std::string stepped = Ui(form).CounterLabel->Caption();
  EXPECT_NE(stepped, before);
  PostMessageW(panel, WM_KEYDOWN, VK_RIGHT, 0x40000001);  // the held key repeats
  Application->ProcessMessages();
  SetCtrl(false);  // Ctrl let go before the arrow
  PostMessageW(panel, WM_KEYUP, VK_RIGHT, 0xC0000001);
  Application->ProcessMessages();
  EXPECT_EQ(Ui(form).CounterLabel->Caption(), stepped);
}

TEST_F(StickAccessTest, TheMenuFromTheKeyboardOpensOnTheWindow) {
  Start();
  // The menu key and Shift+F10 arrive as a context menu request without a point.
  PostMessageW(form->Handle(), WM_KEYDOWN, 'A', 0);  // "Always on top", once the menu runs
  PostMessageW(form->Handle(), WM_KEYUP, 'A', 0xC0000001);
  SendMessageW(Ui(form).NotePanel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Ui(form).NotePanel->Handle()),
               MAKELPARAM(-1, -1));
  Application->ProcessMessages();
  EXPECT_TRUE(Ui(form).AlwaysOnTopItem->Checked());
}

TEST_F(StickAccessTest, TheWindowReadsAsItsControlsWithNamesRolesAndStates) {
  Start(kThree, /*cycling=*/true);
  form->Show();
  ClickOn(Ui(form).ForwardSpeedBtn);  // "Buy milk", 1 / 3
  Read();
  long n = 0;
  ASSERT_EQ(acc->get_accChildCount(&n), S_OK);
  EXPECT_EQ(n, Ui(form).NotePanel->ControlCount());  // the panel is layout: its controls stand in for it

  struct Expected {
    TControl* control;
    std::string name;
    long role, state;
  };
  const long hidden = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
  const Expected expected[] = {
      {Ui(form).NoteLabel, "Buy milk", ROLE_SYSTEM_STATICTEXT, 0},
      {Ui(form).CounterLabel, "1 / 3", ROLE_SYSTEM_STATICTEXT, 0},
      {Ui(form).ExitImage, "Exit", ROLE_SYSTEM_PUSHBUTTON, 0},
      {Ui(form).NewSpeedBtn, "New", ROLE_SYSTEM_PUSHBUTTON, 0},
      {Ui(form).CycleButton, "Cycling", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED},
      {Ui(form).HelpButton, "Help", ROLE_SYSTEM_PUSHBUTTON, 0},
      {Ui(form).AboutSpeedButton, "About", ROLE_SYSTEM_PUSHBUTTON, 0},
      {Ui(form).AttachmentButton, "Attachment", ROLE_SYSTEM_PUSHBUTTON, hidden},
  };
  for (const Expected& e : expected) {
    const long id = IdOf(e.control);
    ASSERT_NE(id, 0) << e.name;
    EXPECT_EQ(Name(id), e.name);
    EXPECT_EQ(client->Role(id), e.role) << e.name;
    EXPECT_EQ(client->State(id) & ~STATE_SYSTEM_FOCUSABLE, e.state) << e.name;
  }

  // The clock reads as the time it shows, as static text.
  Ui(form).DigitalClock->ClockTick(nullptr);  // 09:05:07 from the fake system's time
  const long clock = IdOf(Ui(form).DigitalClock);
  ASSERT_NE(clock, 0);
  EXPECT_EQ(Name(clock), "9:05:07");
  EXPECT_EQ(client->Role(clock), ROLE_SYSTEM_STATICTEXT);

  // Stepping to the note with an attachment makes its button available.
  ClickOn(Ui(form).ForwardSpeedBtn);
  ClickOn(Ui(form).ForwardSpeedBtn);
  EXPECT_EQ(client->State(IdOf(Ui(form).AttachmentButton)) & hidden, 0);
}

TEST_F(StickAccessTest, AStepAnnouncesTheNewNoteAndCounterToAListeningReader) {
  Start(kThree, /*cycling=*/false);
  Read();
  NameChangeRecorder recorder;
  ASSERT_TRUE(recorder.Hooked());
  PressKey(VK_RIGHT, true);
  Application->ProcessMessages();
  const std::vector<std::pair<HWND, long>> expected = {{form->Handle(), IdOf(Ui(form).NoteLabel)},
                                                       {form->Handle(), IdOf(Ui(form).CounterLabel)}};
  EXPECT_EQ(recorder.events(), expected);
  EXPECT_EQ(Name(IdOf(Ui(form).NoteLabel)), "Call Ann");
}

TEST_F(StickAccessTest, TheCyclingToggleAndANoteThatComesUpByItselfAreHeard) {
  Start(kThree, /*cycling=*/false);
  form->Show();  // a note is read out as it comes up on the screen
  Read();
  using Events = std::vector<std::pair<HWND, long>>;
  {
    NameChangeRecorder states(EVENT_OBJECT_STATECHANGE);
    ClickOn(Ui(form).CycleButton);
    Application->ProcessMessages();
    EXPECT_EQ(states.events(), (Events{{form->Handle(), IdOf(Ui(form).CycleButton)}}));
  }
  {
    NameChangeRecorder alerts(EVENT_SYSTEM_ALERT);
    Tick();  // the cycling brings the next note
    Application->ProcessMessages();
    EXPECT_EQ(alerts.events(), (Events{{form->Handle(), IdOf(Ui(form).NoteLabel)}}));
  }
  form->Hide();
}

TEST_F(StickAccessTest, Bug_AButtonWhoseClickOpenedADialogKeptItsHoverFrame) {
  Start();
  form->Show();  // the dialog disables the windows that are up
  TInfoForm about(nullptr);
  form->SetDialogs(nullptr, &about);
  HWND panel = Ui(form).NotePanel->Handle();
  // The dialog comes up while the button is still held; no leave comes from the system.
  about.OnShow = [&](TObject*) { PostMessageW(about.Handle(), WM_CLOSE, 0, 0); };
  TSpeedButton* button = Ui(form).AboutSpeedButton;
  const LPARAM at = MAKELPARAM(button->Left() + 5, button->Top() + 5);
  SendMessageW(panel, WM_MOUSEMOVE, 0, at);
  ASSERT_TRUE(button->Hot());
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(panel, WM_LBUTTONUP, 0, at);
  form->SetDialogs(nullptr, nullptr);
  EXPECT_FALSE(button->Hot());
  SendMessageW(panel, WM_MOUSEMOVE, 0, at);  // the pointer back over it
  EXPECT_TRUE(button->Hot());
}

}  // namespace
