// The end of the session, or an installer closing the program, while the editor holds a note the
// user changed: the end is held with a reason, the installer's question is answered, and when the
// session ends all the same the text is kept as the note.
#include <gtest/gtest.h>

#include "tests/win/EditorTestSupport.h"

namespace {

// Regression: the typed text was lost when the session ended with the editor open.
TEST_F(EditorTest, TheEndOfTheSessionWaitsForTheEditorsTextAndThenKeepsIt) {
  StartBoth({{"kept", "", 3000}});
  const UINT unsaved = RegisterWindowMessageW(L"Quorvel.Zettly.UnsavedChanges");
  LRESULT unchanged = -1, changed = -1, query = -1;
  WhileOpen([&] {
    unchanged = SendMessageW(form->Handle(), unsaved, 0, 0);
    editor->NoteEdit->SetText("typed as the session ends");
    changed = SendMessageW(form->Handle(), unsaved, 0, 0);
    query = SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);  // ended all the same
  });
  form->Run(TStickCommand::New);
  EXPECT_EQ(unchanged, 1);
  EXPECT_EQ(changed, 2);
  EXPECT_EQ(query, FALSE);
  EXPECT_FALSE(open_after_steps);
  ASSERT_EQ(Notes().NoteCount(), 2);
  EXPECT_EQ(Note(2).Content, "typed as the session ends");
  EXPECT_NE(FileText().find("typed as the session ends"), std::string::npos);
  EXPECT_EQ(SendMessageW(form->Handle(), unsaved, 0, 0), 1);
}

}  // namespace
