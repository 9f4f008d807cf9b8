// The editor as the user meets it: a tool window of 225 x 235 in the middle of the screen, modal,
// the exposure field focused when it first shows, Tab in the table's order.
#include <gtest/gtest.h>

#include "tests/win/EditorTestSupport.h"

namespace {

TEST_F(EditorTest, CentredWithTheExposureFieldFocusedAndTabInTheTableOrder) {
  StartBoth({});
  form->Show();
  EXPECT_TRUE(GetWindowLongW(editor->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(GetWindowLongW(editor->Handle(), GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(editor->ClientWidth(), 225);
  EXPECT_EQ(editor->ClientHeight(), 235);
  std::vector<HWND> order;
  WhileOpen([&] {
    RECT r;
    GetWindowRect(editor->Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));  // modal
    order.push_back(GetFocus());
    for (int i = 0; i < 4; ++i) {
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
      Application->ProcessMessages();
      order.push_back(GetFocus());
    }
  });
  editor->NewNote();
  EXPECT_EQ(order, (std::vector<HWND>{editor->ExposureEdit->Handle(), editor->NoteEdit->Handle(),
                                      editor->AttachmentEdit->Handle(), editor->BrowseButton->Handle(),
                                      editor->ExposureEdit->Handle()}));
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

}  // namespace
