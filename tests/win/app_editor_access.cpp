// The editor as a screen reader reads it: each field called what its label says, the browse
// button by what it does, the default button and the keyboard's place in the states, and a
// focus event when Tab reaches a drawn button.
#include <gtest/gtest.h>

#include "tests/win/AccessibleTestSupport.h"
#include "tests/win/EditorTestSupport.h"

namespace {

class EditorAccessTest : public EditorTest {
 protected:
  static std::string NameOf(TWinControl* c) {
    AccessibleClient client(c->Handle());
    EXPECT_EQ(client.result, S_OK);
    return client.acc ? client.Name(CHILDID_SELF) : "";
  }
  // The editor's child that reads as `name` (a label aside), 0 when none does.
  static long ChildNamed(const AccessibleClient& editor, const std::string& name) {
    for (long id = 1; id <= editor.Count(); ++id)
      if (editor.Name(id) == name && editor.Role(id) != ROLE_SYSTEM_STATICTEXT) return id;
    return 0;
  }
};

TEST_F(EditorAccessTest, FieldsReadAsTheirLabelsAndTheKeyboardAndDefaultAreInTheStates) {
  StartBoth({});
  form->Show();
  WhileOpen([&] {
    EXPECT_EQ(NameOf(editor->NoteEdit), "Note");
    EXPECT_EQ(NameOf(editor->AttachmentEdit), "Attachment");
    EXPECT_EQ(NameOf(editor->ExposureEdit), "Exposure Time (seconds)");
    EXPECT_EQ(NameOf(editor->BrowseButton), "Browse");
    editor->AttachmentEdit->SetText("C:\\notes\\a.txt");  // a field's value is not its name
    EXPECT_EQ(NameOf(editor->AttachmentEdit), "Attachment");

    AccessibleClient client(editor->Handle());
    ASSERT_EQ(client.result, S_OK);
    const long note = ChildNamed(client, "Note"), stick = ChildNamed(client, "Stick it"),
               cancel = ChildNamed(client, "Cancel");
    ASSERT_NE(note, 0);
    ASSERT_NE(stick, 0);
    ASSERT_NE(cancel, 0);
    EXPECT_EQ(client.State(note) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(client.State(stick) & (STATE_SYSTEM_DEFAULT | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_DEFAULT | STATE_SYSTEM_FOCUSABLE);

    // Tab on to Cancel: it has the keyboard, and a listening reader hears so.
    NameChangeRecorder focus(EVENT_OBJECT_FOCUS);
    ASSERT_TRUE(focus.Hooked());
    for (int i = 0; i < 5; ++i) {
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
      Application->ProcessMessages();
    }
    EXPECT_EQ(client.State(cancel) & STATE_SYSTEM_FOCUSED, STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(client.State(note) & STATE_SYSTEM_FOCUSED, 0);
    const std::pair<HWND, long> heard{editor->Handle(), cancel};
    ASSERT_FALSE(focus.events().empty());
    EXPECT_EQ(focus.events().back(), heard);
    VARIANT focused;
    VariantInit(&focused);
    ASSERT_EQ(client.acc->get_accFocus(&focused), S_OK);
    EXPECT_EQ(focused.vt == VT_I4 ? focused.lVal : -1, cancel);
  });
  form->Run(TStickCommand::New);
  EXPECT_TRUE(ran_steps);
}

// Regression: the note box and Browse read as a "client" area, and the exposure field's arrows
// had no name at all.
TEST_F(EditorAccessTest, Bug_TheNoteBoxBrowseAndTheArrowsDidNotSayWhatTheyAre) {
  StartBoth({});
  form->Show();
  using Read = std::pair<std::string, long>;
  WhileOpen([&] {
    EXPECT_EQ(NameAndRole(editor->NoteEdit->Handle()), Read("Note", ROLE_SYSTEM_TEXT));
    EXPECT_EQ(NameAndRole(editor->AttachmentEdit->Handle()), Read("Attachment", ROLE_SYSTEM_TEXT));
    EXPECT_EQ(NameAndRole(editor->ExposureEdit->Handle()), Read("Exposure Time (seconds)", ROLE_SYSTEM_TEXT));
    EXPECT_EQ(NameAndRole(editor->BrowseButton->Handle()), Read("Browse", ROLE_SYSTEM_PUSHBUTTON));
    EXPECT_EQ(NameAndRole(editor->ExposureEdit->ButtonHandle()),
              Read("Exposure Time (seconds)", ROLE_SYSTEM_SPINBUTTON));
  });
  form->Run(TStickCommand::New);
  EXPECT_TRUE(ran_steps);
}

}  // namespace
