// The editor as the user meets it: a tool window of 225 x 235 in the middle of the screen, modal,
// the keyboard in the note's text on every opening, and Tab through every control, the drawn
// buttons included, in the table's order.
#include <gtest/gtest.h>

#include <richedit.h>

#include "tests/win/EditorTestSupport.h"
#include "toolkit/win/Graphics.h"
#include "toolkit/win/Handles.h"

namespace {

class EditorKeyboardTest : public EditorTest {
 protected:
  // The control of the dialog that has the keyboard, or nullptr.
  TControl* Keyboard() const {
    for (TControl* c : std::initializer_list<TControl*>{editor->NoteEdit, editor->AttachmentEdit, editor->BrowseButton,
                                                      editor->ExposureEdit, editor->EstimateButton, editor->CancelBtn,
                                                      editor->StickBtn})
      if (c->Focused()) return c;
    return nullptr;
  }
  void Tab() {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    Application->ProcessMessages();
  }
};

TEST_F(EditorKeyboardTest, CentredModalAndTabReachesEveryControlFromTheNoteText) {
  StartBoth({});
  form->Show();
  EXPECT_TRUE(GetWindowLongW(editor->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(GetWindowLongW(editor->Handle(), GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(editor->ClientWidth(), 225);
  EXPECT_EQ(editor->ClientHeight(), 235);
  std::vector<TControl*> order;
  WhileOpen([&] {
    RECT r;
    GetWindowRect(editor->Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));  // modal
    order.push_back(Keyboard());
    for (int i = 0; i < 7; ++i) {
      Tab();
      order.push_back(Keyboard());
    }
    // Space presses the drawn button that Tab reached: "Cancel" closes the dialog.
    Tab();
    Tab();
    Tab();
    Tab();
    Tab();
    ASSERT_EQ(Keyboard(), editor->CancelBtn);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_SPACE, 1);
    Application->ProcessMessages();
  });
  form->Run(TStickCommand::New);
  EXPECT_EQ(order, (std::vector<TControl*>{editor->NoteEdit, editor->AttachmentEdit, editor->BrowseButton,
                                           editor->ExposureEdit, editor->EstimateButton, editor->CancelBtn,
                                           editor->StickBtn, editor->NoteEdit}));
  EXPECT_FALSE(open_after_steps);
  EXPECT_EQ(Notes().NoteCount(), 0);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(EditorKeyboardTest, EveryOpeningPutsTheKeyboardInTheTextAfterWhatItHolds) {
  StartBoth({{"Alpha", "", 4000}});
  form->Show();
  TControl* first = nullptr;
  WhileOpen([&] {
    first = Keyboard();
    Tab();  // the keyboard elsewhere when the dialog closes
    Tab();
  });
  form->Run(TStickCommand::New);
  EXPECT_EQ(first, editor->NoteEdit);

  TControl* second = nullptr;
  CHARRANGE caret{};
  WhileOpen([&] {
    second = Keyboard();
    SendMessageW(editor->NoteEdit->Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  });
  form->ShowNote(1);
  form->Run(TStickCommand::Edit);
  EXPECT_EQ(second, editor->NoteEdit);
  EXPECT_EQ(caret.cpMin, 5);
  EXPECT_EQ(caret.cpMax, 5);
}

TEST_F(EditorKeyboardTest, TheExposureFieldLeavesItsLabelsTextInSightAtEveryScale) {
  StartBoth({});
  for (int dpi : {96, 120, 144, 192}) {
    editor->ChangeScale(dpi);
    editor->Handle();
    const TLabel& label = *editor->ExposureLabel;
    const TSpinEdit& field = *editor->ExposureEdit;
    EXPECT_GE(field.Left(), label.Left() + label.Width()) << dpi;
    EXPECT_EQ(field.Left() + field.Width(), ScaleForDpi(193, dpi)) << dpi;  // the right edge stays
  }
}

// Regression: at 200 characters the count read "200 character", its "s" cut off by its edge.
TEST_F(EditorKeyboardTest, Bug_TheCountOfTwoHundredCharactersLostItsLastLetter) {
  StartBoth({});
  for (const bool wider : {false, true}) {
    if (wider) {  // a substitute font wider than the one designed for
      editor->ChangeScale(96);
      editor->Font().SetHeight(-15);
    }
    for (int dpi : {96, 120, 144, 192}) {
      editor->ChangeScale(dpi);
      editor->Handle();
      const TLabel& count = *editor->CharCountLabel;
      const WindowDC screen(nullptr);
      TCanvas canvas(screen.Get());
      canvas.Font.Assign(count.Font());
      EXPECT_LE(canvas.TextExtent("200 characters").cx, count.Width()) << dpi << " " << wider;
      EXPECT_GE(count.Left(), 0);
      EXPECT_LE(count.Left() + count.Width(), ScaleForDpi(225, dpi)) << dpi << " " << wider;
    }
  }
}

}  // namespace
