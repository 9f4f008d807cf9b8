// The note editor on the real note window: creating and changing notes by button and by key,
// Esc and the close box, the character count, the estimate, the exposure as typed, browsing,
// and what happens when the save fails or the list is full.
#include <gtest/gtest.h>

#include "tests/win/EditorTestSupport.h"

namespace {

std::vector<NoteRow> Numbered(int n) {
  std::vector<NoteRow> notes;
  for (int i = 1; i <= n; ++i) notes.push_back({"note " + std::to_string(i), "", 1000 * (i + 2)});
  return notes;
}

TEST_F(EditorTest, NewThenStickAtOnceAddsAnEmptyThreeSecondNoteAndShowsIt) {
  for (int before : {0, 2}) {
    StartBoth(Numbered(before));
    WhileOpen([&] {
      EXPECT_EQ(editor->Caption(), "Create new note");
      EXPECT_EQ(editor->StickBtn->Caption(), "Stick it");
      EXPECT_EQ(editor->CharCountLabel->Caption(), "0 characters");
      EXPECT_EQ(editor->ExposureEdit->Text(), "3");
      ClickCentre(editor->StickBtn);
    });
    form->Run(TStickCommand::New);
    EXPECT_FALSE(open_after_steps);
    EXPECT_EQ(editor->ModalResult(), mrOk);
    const int n = before + 1;
    ASSERT_EQ(Notes().NoteCount(), n);
    EXPECT_EQ(Note(n).Content, "");
    EXPECT_EQ(Note(n).Attach, "");
    EXPECT_EQ(Note(n).Exposure, 3000);
    EXPECT_EQ(Counter(), std::to_string(n) + " / " + std::to_string(n));
    EXPECT_EQ(form->ShownNote(), n);
    EXPECT_NE(FileText().find("N=" + std::to_string(n) + "\r\n"), std::string::npos);
    EXPECT_NE(FileText().find("[Note" + std::to_string(n) + "]\r\nContent=\r\nAttach=\r\nExposure=3000\r\n"),
              std::string::npos);
    EXPECT_FALSE(editor->Visible());
  }
}

TEST_F(EditorTest, EditingNoteFourOfSevenWithEnterReplacesItAndKeepsTheCount) {
  StartBoth(Numbered(7));
  Notes().DeleteAllNotes();
  ASSERT_TRUE(PutFile(NotesFile(), NotesFileText({{"a", "", 3000}, {"b", "", 3000}, {"c", "", 3000},
                                                  {"Call the garage", "C:\\g.txt", 2500}, {"e", "", 3000},
                                                  {"f", "", 3000}, {"g", "", 3000}})));
  Notes().LoadNotes();
  form->ShowNote(4);
  ASSERT_EQ(Counter(), "4 / 7");
  WhileOpen([&] {
    EXPECT_EQ(editor->Caption(), "Edit note N\xC2\xB0 4");
    EXPECT_EQ(editor->StickBtn->Caption(), "Change");
    EXPECT_EQ(editor->NoteEdit->Text(), "Call the garage");
    EXPECT_EQ(editor->CharCountLabel->Caption(), "15 characters");
    EXPECT_EQ(editor->AttachmentEdit->Text(), "C:\\g.txt");
    EXPECT_EQ(editor->ExposureEdit->Text(), "3");  // 2500 ms, brought into 3..60
    editor->NoteEdit->SetText("Call the garage at 9");
    editor->ExposureEdit->SetText("12");
    Press(editor->NoteEdit, VK_RETURN);
  });
  form->Run(TStickCommand::Edit);
  EXPECT_FALSE(open_after_steps);
  EXPECT_EQ(Notes().NoteCount(), 7);
  EXPECT_EQ(Note(4).Content, "Call the garage at 9");
  EXPECT_EQ(Note(4).Exposure, 12000);
  EXPECT_EQ(Note(5).Content, "e");
  EXPECT_EQ(form->ShownNote(), 4);
  EXPECT_EQ(Counter(), "4 / 7");
  EXPECT_EQ(Text(), "Call the garage at 9");  // on display at once
  EXPECT_NE(FileText().find("[Note4]\r\nContent=Call the garage at 9\r\nAttach=C:\\g.txt\r\nExposure=12000\r\n"),
            std::string::npos);
}

TEST_F(EditorTest, TheTextBoxRefusesThe201stCharacterAndTheCountFollowsTheText) {
  StartBoth(Numbered(1));
  std::vector<std::string> counts;
  WhileOpen([&] {
    counts.push_back(editor->CharCountLabel->Caption());
    Type(editor->NoteEdit, L"ab");
    counts.push_back(editor->CharCountLabel->Caption());
    Type(editor->NoteEdit, std::wstring(199, L'x'));
    counts.push_back(editor->CharCountLabel->Caption());
    EXPECT_EQ(editor->NoteEdit->TextLength(), 200);
    Press(editor->NoteEdit, VK_RETURN);
  });
  form->Run(TStickCommand::New);
  EXPECT_EQ(counts, (std::vector<std::string>{"0 characters", "2 characters", "200 characters"}));
  EXPECT_EQ(Note(2).Content, "ab" + std::string(198, 'x'));
}

TEST_F(EditorTest, EstimateCountsLettersAndDigitsOfTextAndAttachment) {
  StartBoth({});
  // 29 letters and digits, then 11 more; a path of 1 + 29 + 27 + 3.
  const std::string forty = "Meeting at 10 in room 4B, bring notes!! " + std::string(11, 'k');
  const std::string sixty = "D:\\" + std::string(29, 'p') + "\\" + std::string(27, 'q') + ".doc";
  const struct {
    std::string text, attach;
    const char* seconds;
  } cases[] = {{forty, "", "5"}, {forty, sixty, "13"}, {std::string(200, 'w'), std::string(255, 'v'), "60"}};
  WhileOpen([&] {
    for (const auto& c : cases) {
      editor->NoteEdit->SetText(c.text);
      editor->AttachmentEdit->SetText(c.attach);
      editor->ExposureEdit->SetText("17");
      ClickCentre(editor->EstimateButton);
      EXPECT_EQ(editor->ExposureEdit->Text(), c.seconds) << c.text << " + " << c.attach;
    }
  });
  form->Run(TStickCommand::New);
}

TEST_F(EditorTest, TheExposureIsTakenAsTypedByEnterAndByTheButton) {
  StartBoth({});
  const struct {
    const wchar_t* typed;
    bool enter;
    int32_t stored;
  } cases[] = {{L"0", true, 0}, {L"99", true, 99000}, {L"0", false, 0}, {L"99", false, 99000}, {L"45", true, 45000}};
  int n = 0;
  for (const auto& c : cases) {
    WhileOpen([&] {
      editor->ExposureEdit->SetFocus();
      editor->ExposureEdit->SetText("");
      Type(editor->ExposureEdit, c.typed);
      if (c.enter) Press(editor->ExposureEdit, VK_RETURN);
      else ClickCentre(editor->StickBtn);
    });
    form->Run(TStickCommand::New);
    ++n;
    ASSERT_EQ(Notes().NoteCount(), n);
    EXPECT_EQ(Note(n).Exposure, c.stored) << c.typed << (c.enter ? " Enter" : " click");
  }
}

TEST_F(EditorTest, EscCancelAndTheCloseBoxLeaveListAndFileUnchanged) {
  StartBoth(Numbered(2));
  SaveAll();
  const std::string file = FileText();
  std::function<void()> closers[] = {
      [&] { Press(editor->NoteEdit, VK_ESCAPE); },
      [&] { ClickCentre(editor->CancelBtn); },
      [&] {
        PostMessageW(editor->Handle(), WM_CLOSE, 0, 0);
        Application->ProcessMessages();
      },
  };
  for (auto& close : closers) {
    for (bool edit : {false, true}) {
      WhileOpen([&] {
        editor->NoteEdit->SetText("not to be kept");
        editor->ExposureEdit->SetText("9");
        close();
      });
      if (edit) form->ShowNote(1);
      form->Run(edit ? TStickCommand::Edit : TStickCommand::New);
      EXPECT_FALSE(open_after_steps);
      EXPECT_EQ(editor->ModalResult(), mrCancel);
      EXPECT_EQ(Notes().NoteCount(), 2);
      EXPECT_EQ(Note(1).Content, "note 1");
      EXPECT_EQ(Note(1).Exposure, 3000);
      EXPECT_EQ(FileText(), file);
    }
  }
}

TEST_F(EditorTest, AFailedSaveFromTheButtonShowsTheErrorAndKeepsTheDialogOpen) {
  StartBoth(Numbered(2));
  RefusingStore refusing;
  store.target = &refusing;
  WhileOpen([&] {
    editor->NoteEdit->SetText("new one");
    ClickCentre(editor->StickBtn);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(Notes().NoteCount(), 3);  // stored in memory
    EXPECT_FALSE(editor->StickBtn->Down());  // the button came back up
    // The note exists now: trying again changes it instead of adding it twice.
    EXPECT_EQ(editor->Caption(), "Edit note N\xC2\xB0 3");
    EXPECT_EQ(editor->StickBtn->Caption(), "Change");
    refusing.refuse = false;
    editor->NoteEdit->SetText("new one, saved");
    ClickCentre(editor->StickBtn);
  });
  form->Run(TStickCommand::New);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].rfind(L"Unable to write to ", 0), 0u);
  EXPECT_EQ(system.boxes[0].flags & MB_ICONSTOP, static_cast<UINT>(MB_ICONSTOP));
  EXPECT_FALSE(open_after_steps);
  EXPECT_EQ(Notes().NoteCount(), 3);
  EXPECT_EQ(Note(3).Content, "new one, saved");
  EXPECT_NE(FileText().find("N=3\r\n"), std::string::npos);
}

TEST_F(EditorTest, AFailedSaveFromEnterIsShownAndKeepsTheDialogOpen) {
  StartBoth(Numbered(2));
  RefusingStore refusing;
  store.target = &refusing;
  WhileOpen([&] {
    editor->NoteEdit->SetText("changed");
    Press(editor->NoteEdit, VK_RETURN);
  });
  form->ShowNote(2);
  form->Run(TStickCommand::Edit);
  EXPECT_TRUE(open_after_steps);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].rfind(L"Unable to write to ", 0), 0u);
  EXPECT_EQ(Note(2).Content, "changed");
  EXPECT_EQ(Notes().NoteCount(), 2);
}

// Regression: with 99 notes "Stick it" wrote past the table. It now refuses and keeps the text.
TEST_F(EditorTest, StickItWithNinetyNineNotesRefusesWithAMessageAndKeepsTheDialogOpen) {
  StartBoth(Numbered(1));
  WhileOpen([&] {
    // The list fills while the editor is open (notes merged from another computer, say).
    while (Notes().NoteCount() < MaxNotes) Notes().AppendNote({.Content = "filler", .Exposure = 3000});
    editor->NoteEdit->SetText("one too many");
    ClickCentre(editor->StickBtn);
    Press(editor->NoteEdit, VK_RETURN);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->NoteEdit->Text(), "one too many");
  });
  form->Run(TStickCommand::New);
  EXPECT_TRUE(open_after_steps);
  EXPECT_EQ(Notes().NoteCount(), MaxNotes);
  EXPECT_EQ(Note(MaxNotes).Content, "filler");
  ASSERT_EQ(Boxes().size(), 2u);  // from the button and from Enter alike
  EXPECT_EQ(Boxes()[0], Wide(FullListMessage));
  EXPECT_EQ(Boxes()[1], Wide(FullListMessage));
  EXPECT_EQ(GetFile(NotesFile()).find("one too many"), std::string::npos);
}

// Regression: with 99 notes New opened the editor and said the list was full only at "Stick it",
// when the text typed could not be kept while a note was deleted. New says so before the
// editor opens, from the button and the key alike; Edit still opens.
TEST_F(EditorTest, Bug_NewOnAFullListOpenedTheEditorBeforeSayingItWasFull) {
  StartBoth(Numbered(1));
  while (Notes().NoteCount() < MaxNotes) Notes().AppendNote({.Content = "filler", .Exposure = 3000});
  // The steps come after the command: had it opened the editor, they would run inside it.
  const auto press = [&](WORD key) {
    SetCtrl(true);
    PostMessageW(Ui(form).NotePanel->Handle(), WM_KEYDOWN, key, 1);
    PostMessageW(Ui(form).NotePanel->Handle(), WM_KEYUP, key, 0xC0000001);
    WhileOpen([] {});
    Application->ProcessMessages();
    SetCtrl(false);
  };
  WhileOpen([] {});
  ClickOn(Ui(form).NewSpeedBtn);
  Application->ProcessMessages();
  EXPECT_TRUE(ran_steps);
  EXPECT_FALSE(shown_during_steps);
  press('N');
  EXPECT_TRUE(ran_steps);
  EXPECT_FALSE(shown_during_steps);
  EXPECT_EQ(Boxes(), std::vector<std::wstring>(2, Wide(FullListMessage)));

  press('E');
  EXPECT_TRUE(shown_during_steps);
  EXPECT_EQ(Boxes().size(), 2u);
}

// Regression: a pasted text with line breaks reached the list, and the file, on several lines.
TEST_F(EditorTest, PastedLineBreaksAreStoredAsBlanks) {
  StartBoth({});
  WhileOpen([&] {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::wstring text = L"first line\r\n[General]\r\nN=0";
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    wcscpy(static_cast<wchar_t*>(GlobalLock(mem)), text.c_str());
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
    SendMessageW(editor->NoteEdit->Handle(), WM_PASTE, 0, 0);
    ClickCentre(editor->StickBtn);
  });
  form->Run(TStickCommand::New);
  ASSERT_EQ(Notes().NoteCount(), 1);
  EXPECT_EQ(Note(1).Content, "first line [General] N=0");
  Notes().LoadNotes();
  EXPECT_EQ(Notes().NoteCount(), 1);
  EXPECT_EQ(Note(1).Content, "first line [General] N=0");
}

// Regression: the release of the Enter that confirmed the file dialog (or closed a message box)
// arrived here and stored the note at once.
TEST_F(EditorTest, AReleaseWithoutItsPressDoesNothingAndBrowseFillsTheAttachment) {
  StartBoth({});
  WhileOpen([&] {
    system.open_file_confirms = false;
    editor->AttachmentEdit->SetText("typed by hand");
    ClickCentre(editor->BrowseButton);  // not a windowless control: click its own window
    SendMessageW(editor->BrowseButton->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(editor->AttachmentEdit->Text(), "typed by hand");
    system.open_file_confirms = true;
    system.open_file_result = L"C:\\Reports\\week.xls";
    SendMessageW(editor->BrowseButton->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(editor->AttachmentEdit->Text(), "C:\\Reports\\week.xls");
    ReleaseOnly(editor->BrowseButton, VK_RETURN);
    ReleaseOnly(editor->BrowseButton, VK_ESCAPE);
    EXPECT_TRUE(editor->Visible());
  });
  form->Run(TStickCommand::New);
  EXPECT_TRUE(open_after_steps);
  EXPECT_EQ(Notes().NoteCount(), 0);
  ASSERT_EQ(system.open_file_requests.size(), 2u);
  const OPENFILENAMEW& r = system.open_file_requests[0];
  EXPECT_EQ(editor->AttachmentDialog->Title(), "Locate the attachement object...");
  EXPECT_EQ(system.open_file_filters[0], L"All files (*.*)|*.*|");
  EXPECT_EQ(r.nFilterIndex, 1u);
  EXPECT_EQ(r.Flags & (OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER),
            static_cast<DWORD>(OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                               OFN_EXPLORER));
}

TEST_F(EditorTest, Bug_AChangedNoteKeptItsOldTextOnDisplayUntilTheNextStep) {
  StartBoth({{"Buy milk", "", 3000}, {"Call Ann", "", 3000}});
  ASSERT_EQ(Text(), "Buy milk");
  ClickOn(Ui(form).CycleButton);  // cycling on: note 1's countdown runs
  WhileOpen([&] {
    editor->NoteEdit->SetText("Buy oat milk");
    editor->AttachmentEdit->SetText("C:\\list.txt");
    editor->ExposureEdit->SetText("9");
    ClickCentre(editor->StickBtn);
  });
  form->ShowNote(1);
  form->Run(TStickCommand::Edit);
  EXPECT_EQ(Text(), "Buy oat milk");
  EXPECT_TRUE(Ui(form).AttachmentButton->Visible());
  EXPECT_EQ(Counter(), "1 / 2");
  EXPECT_EQ(Ui(form).CycleTimer->Interval(), 3000u);  // the running countdown was left alone
  EXPECT_TRUE(Ui(form).CycleTimer->Enabled());
  // A change to a note that cycling took off the display meanwhile leaves the display as it is.
  const std::string second = Note(2).Content;
  WhileOpen([&] {
    Tick();
    editor->NoteEdit->SetText("Call Bob");
    ClickCentre(editor->StickBtn);
  });
  form->Run(TStickCommand::Edit);
  EXPECT_EQ(Text(), second);
  EXPECT_EQ(Note(1).Content, "Call Bob");
  Tick();
  EXPECT_EQ(Text(), "Call Bob");
}

TEST_F(EditorTest, AltEEstimatesFromTheTextBoxWithoutTypingAnE) {
  StartBoth({});
  WhileOpen([&] {
    editor->NoteEdit->SetText("Meeting at 10 in room 4B, bring notes!! " + std::string(11, 'k'));
    editor->ExposureEdit->SetText("17");
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(editor->NoteEdit->Handle(), WM_SYSKEYDOWN, 'E', 0x20000001);
    PostMessageW(editor->NoteEdit->Handle(), WM_SYSKEYUP, 'E', 0xE0000001);
    Application->ProcessMessages();
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(editor->ExposureEdit->Text(), "5");
    EXPECT_EQ(editor->NoteEdit->TextLength(), 51);
  });
  form->Run(TStickCommand::New);
}

}  // namespace
