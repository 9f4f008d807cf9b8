// The editor's window and controls as the user meets them: frame, size, place on the screen,
// fonts and colours, tab order, and the exposure field focused when the dialog first shows.
#include <gtest/gtest.h>

#include "tests/win/EditorTestSupport.h"

namespace {

TEST_F(EditorTest, DialogFrameSizeAndControlsAtTheirPlaces) {
  StartBoth({});
  const DWORD style = GetWindowLongW(editor->Handle(), GWL_STYLE);
  const DWORD ex = GetWindowLongW(editor->Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(editor->ClientWidth(), 225);
  EXPECT_EQ(editor->ClientHeight(), 235);
  EXPECT_TRUE(editor->KeyPreview());
  EXPECT_EQ(editor->Color(), clBtnFace);
  EXPECT_EQ(editor->Font().Name(), "MS Sans Serif");
  EXPECT_EQ(editor->Font().Size(), 8);

  const struct {
    TControl* control;
    TRect bounds;
  } places[] = {
      {editor->NoteEdit, Bounds(4, 20, 218, 86)},       {editor->Label2, Bounds(141, 108, 79, 16)},
      {editor->AttachementEdit, Bounds(5, 140, 188, 21)}, {editor->BitBtn1, Bounds(199, 140, 23, 23)},
      {editor->ExposeEdit, Bounds(147, 168, 46, 22)},   {editor->SpeedButton1, Bounds(199, 168, 23, 23)},
      {editor->CancelBtn, Bounds(83, 202, 65, 31)},     {editor->StickBtn, Bounds(158, 202, 65, 31)},
  };
  for (const auto& p : places) EXPECT_EQ(p.control->BoundsRect(), p.bounds) << p.control->Name();
  EXPECT_EQ(editor->Label3->Left(), 6);
  EXPECT_EQ(editor->Label3->Top(), 3);
  EXPECT_EQ(editor->Label3->Caption(), "Note");
  EXPECT_EQ(editor->Label1->Left(), 6);
  EXPECT_EQ(editor->Label1->Top(), 172);
  EXPECT_EQ(editor->Label1->Caption(), "Exposure Time (seconds)");
  EXPECT_EQ(editor->Label2->Caption(), "");
  EXPECT_EQ(editor->Label2->Alignment(), TAlignment::taCenter);
  const TLabel& attachment = editor->AttachementEdit->EditLabel();
  EXPECT_EQ(attachment.Caption(), "Attachment");
  EXPECT_EQ(attachment.Top() + attachment.Height() + 2, 140);

  EXPECT_EQ(editor->AttachementEdit->Font().Color(), clNavy);
  EXPECT_EQ(editor->BitBtn1->Caption(), "...");
  EXPECT_EQ(editor->BitBtn1->Hint(), "Browse");
  EXPECT_EQ(editor->BitBtn1->Font().Color(), clNavy);
  EXPECT_EQ(editor->BitBtn1->Font().Style(), fsBold);
  EXPECT_EQ(editor->BitBtn1->Font().Size(), 9);
  EXPECT_EQ(editor->SpeedButton1->Hint(), "Estimate");
  EXPECT_FALSE(editor->SpeedButton1->Glyph().Empty());
  for (TOvalButton* b : {editor->CancelBtn, editor->StickBtn}) {
    EXPECT_EQ(b->BevelWidth(), 3);
    EXPECT_EQ(b->Color(), clBtnFace);
  }
  EXPECT_EQ(editor->CancelBtn->Caption(), "Cancel");
  EXPECT_EQ(editor->ExposeEdit->MinValue(), 3);
  EXPECT_EQ(editor->ExposeEdit->MaxValue(), 60);
  EXPECT_EQ(editor->ExposeEdit->MaxLength(), 2);
  EXPECT_EQ(editor->NoteEdit->MaxLength(), 200);
  EXPECT_FALSE(editor->NoteEdit->WantReturns());
  // Flat: no border of any kind.
  EXPECT_FALSE(GetWindowLongW(editor->NoteEdit->Handle(), GWL_STYLE) & WS_BORDER);
  EXPECT_FALSE(GetWindowLongW(editor->NoteEdit->Handle(), GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

TEST_F(EditorTest, CentredWithTheExposureFieldFocusedAndTabInTheTableOrder) {
  StartBoth({});
  form->Show();
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
  EXPECT_EQ(order, (std::vector<HWND>{editor->ExposeEdit->Handle(), editor->NoteEdit->Handle(),
                                      editor->AttachementEdit->Handle(), editor->BitBtn1->Handle(),
                                      editor->ExposeEdit->Handle()}));
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

}  // namespace
