// The note window while something else goes on: a modal dialog up when the tray's commands
// arrive, the notes file changed from outside, attachments the shell cannot open, and the
// keyboard after a message box.
#include <gtest/gtest.h>

#include "tests/win/EditorTestSupport.h"
#include "toolkit/IniDocument.h"

namespace {

// Regression: with the editor open, the tray's "Trash all" emptied the list under it and "Exit"
// ended the program, losing the text being typed.
TEST_F(EditorTest, TheTraysCommandsBringTheOpenEditorForwardInsteadOfActing) {
  StartBoth({{"A", "", 3000}, {"B", "", 3000}});
  form->SetDialogs(editor.get(), nullptr);
  form->Show();
  system.box_answer = IDYES;
  WhileOpen([&] {
    editor->NoteEdit->SetText("A, changed");
    form->Run(TStickCommand::TrashAll);
    form->Run(TStickCommand::Exit);
    SendMessageW(Application->Handle(), WM_CLOSE, 0, 0);
    form->Run(TStickCommand::HideWindow);
    form->Run(TStickCommand::New);  // no second editor over the first
    EXPECT_TRUE(system.boxes.empty());
    EXPECT_EQ(Notes().NoteCount(), 2);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(editor->Modal());
    EXPECT_EQ(editor->NoteEdit->Text(), "A, changed");
    ClickCentre(editor->StickBtn);
  });
  form->ShowNote(1);
  form->Run(TStickCommand::Edit);
  EXPECT_FALSE(open_after_steps);
  EXPECT_NE(FileText().find("Content=A, changed\r\n"), std::string::npos);
  EXPECT_NE(FileText().find("N=2\r\n"), std::string::npos);
  form->Hide();
}

// Regression: Exit with only the About box up brought the box forward and the program stayed.
// Neither it nor the Trash-all question holds anything to lose: both end, the question as "No".
TEST_F(StickTest, ExitEndsTheAboutBoxAndTheTrashAllQuestionAndCloses) {
  Start({{"A", "", 3000}, {"B", "", 3000}});
  TForm about(nullptr);
  form->SetDialogs(nullptr, &about);
  form->Show();
  TTimer driver(nullptr);
  driver.SetInterval(60000);  // never by itself: the tick is delivered below
  driver.OnTimer = [&](TObject*) {
    driver.SetEnabled(false);
    form->Run(TStickCommand::Exit);
    if (about.ModalResult() == mrNone) {
      ADD_FAILURE() << "the About box stayed";
      about.SetModalResult(mrAbort);
    }
  };
  PostMessageW(TTimer::WindowHandle(), WM_TIMER, driver.Id(), 0);
  form->Run(TStickCommand::About);
  EXPECT_FALSE(form->Visible());

  form->Show();
  system.box_answer = IDYES;  // what the box would say had the close not come first
  system.during_box = [&] { form->Run(TStickCommand::Exit); };
  form->Run(TStickCommand::TrashAll);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(Notes().NoteCount(), 2);
  EXPECT_NE(GetFile(NotesFile()).find("N=2\r\n"), std::string::npos);
}

TEST_F(EditorTest, AnEditedNoteThatIsGoneSaysSoAndTheTextStaysToBeStuckAsNew) {
  StartBoth({{"A", "", 3000}, {"B", "", 3000}});
  WhileOpen([&] {
    editor->NoteEdit->SetText("B, changed");
    // Meanwhile the file lost note B from outside, and the list was reloaded.
    ASSERT_TRUE(PutFile(NotesFile(), NotesFileText({{"A", "", 3000}})));
    session->FolderChanged();
    ClickCentre(editor->StickBtn);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find(L"no longer in the list"), std::wstring::npos);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->NoteEdit->Text(), "B, changed");
    ClickCentre(editor->StickBtn);  // now adds it
  });
  form->ShowNote(2);
  form->Run(TStickCommand::Edit);
  EXPECT_FALSE(open_after_steps);
  EXPECT_EQ(Notes().NoteCount(), 2);
  EXPECT_EQ(Note(2).Content, "B, changed");
}

TEST_F(StickTest, AnOutsideChangeIsShownAndASaveAfterOneKeepsBoth) {
  Start({{"A", "", 3000}, {"B", "", 3000}});
  ASSERT_TRUE(PutFile(NotesFile(), NotesFileText({{"A", "", 3000}, {"B", "", 3000}, {"C by hand", "", 3000}})));
  session->FolderChanged();
  EXPECT_EQ(Counter(), "1 / 3");
  EXPECT_EQ(Text(), "A");
  // Changed again, and this time our deletion comes before the notification.
  ASSERT_TRUE(PutFile(NotesFile(), NotesFileText({{"A", "", 3000}, {"B", "", 3000}, {"C by hand", "", 3000},
                                                  {"D synced", "", 3000}})));
  ClickOn(Ui(form).TrashSpeedBtn);
  EXPECT_TRUE(system.boxes.empty());
  const TIniDocument doc = *TIniDocument::FromBytes(GetFile(NotesFile()));
  EXPECT_EQ(doc.ReadInteger("General", "N", 0), 3);
  EXPECT_EQ(doc.ReadString("Note1", "Content", ""), "B");
  EXPECT_EQ(doc.ReadString("Note3", "Content", ""), "D synced");
  EXPECT_EQ(Counter(), "1 / 3");
}

// The watch on the folder reaches the window through the message loop, without a timer.
TEST_F(StickTest, AChangeOfTheFileOnDiskReachesTheWindowThroughTheMessageLoop) {
  Start({{"A", "", 3000}});
  ASSERT_TRUE(PutFile(NotesFile(), NotesFileText({{"A", "", 3000}, {"B", "", 3000}})));
  // Only a guard against a hang should the notification never come; the change itself wakes
  // the loop.
  const UINT_PTR guard = SetTimer(nullptr, 0, 10000, nullptr);
  bool guardFired = false;
  while (Notes().NoteCount() != 2 && !guardFired) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE) && msg.wParam == guard) guardFired = true;
    Application->HandleMessage();
  }
  KillTimer(nullptr, guard);
  EXPECT_FALSE(guardFired);
  EXPECT_EQ(Notes().NoteCount(), 2);
}

TEST_F(StickTest, AnAttachmentTheShellCannotOpenSaysWhyAndAnOverlongOneNeverReachesIt) {
  Start({{"A", "C:\\no\\such.doc", 3000}, {"B", "C:\\" + std::string(2040, 'p') + ".doc", 3000}});
  system.shell_result = SE_ERR_NOASSOC;
  PressKey('A', true);
  ASSERT_EQ(Boxes(), std::vector<std::wstring>{L"Unable to open C:\\no\\such.doc\n"
                                               L"No program is set up to open this kind of file."});
  system.shell_result = ERROR_FILE_NOT_FOUND;
  ClickOn(Ui(form).HelpButton);  // the help file, the same way
  EXPECT_EQ(system.boxes.size(), 2u);
  EXPECT_EQ(system.boxes[1].text.rfind(L"Unable to open " + folder.Path() + L"help.chm\n", 0), 0u);
  EXPECT_GT(system.boxes[1].text.size(), (L"Unable to open " + folder.Path() + L"help.chm\n").size());

  form->Run(TStickCommand::Forward);
  PressKey('A', true);
  EXPECT_EQ(system.shell.size(), 2u);  // refused before the shell
  ASSERT_EQ(system.boxes.size(), 3u);
  EXPECT_NE(system.boxes[2].text.find(L"2047 characters"), std::wstring::npos);
}

// Regression: after the "Trash all" question the keyboard stayed on the invisible application
// window, and Ctrl keys did nothing until the note was clicked.
TEST_F(StickTest, AfterAMessageBoxTheKeyboardIsBackWhereItWas) {
  Start({{"A", "", 3000}});
  form->Show();
  SetForegroundWindow(form->Handle());
  SetActiveWindow(form->Handle());
  ASSERT_EQ(GetActiveWindow(), form->Handle());
  system.during_box = [] {  // a real box takes the activation to its owner's side
    SetActiveWindow(Application->Handle());
  };
  system.box_answer = IDNO;
  form->Run(TStickCommand::TrashAll);
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  form->Hide();
}

}  // namespace
