// The parent routes the mouse to its windowless children: capture while the left button is held,
// a click only when the release lies inside the control pressed, enter and leave.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/win/support/FakeSystem.h"
#include "tests/win/support/Render.h"
#include "toolkit/Exception.h"
#include "toolkit/win/Forms.h"

namespace {

class Recorder : public TGraphicControl {
 public:
  Recorder(TComponent* owner, std::vector<std::string>& log, std::string tag)
      : TGraphicControl(owner), log_(log), tag_(std::move(tag)) {}
  void Click() override { log_.push_back(tag_ + " click"); TGraphicControl::Click(); }
  void DblClick() override { log_.push_back(tag_ + " dblclick"); }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    log_.push_back(tag_ + " down " + std::to_string(static_cast<int>(b)) + (s.Has(TShift::Double) ? " double" : "") +
                   " " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseMove(TShiftState, int x, int y) override {
    log_.push_back(tag_ + " move " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(TMouseButton b, TShiftState, int x, int y) override {
    log_.push_back(tag_ + " up " + std::to_string(static_cast<int>(b)) + " " + std::to_string(x) + "," +
                   std::to_string(y));
  }
  void MouseEnter() override { log_.push_back(tag_ + " enter"); }
  void MouseLeave() override { log_.push_back(tag_ + " leave"); }

 private:
  std::vector<std::string>& log_;
  std::string tag_;
};

class MouseTest : public testing::Test {
 protected:
  MouseTest() : form(nullptr) {
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetBounds(0, 0, 200, 100);
    a = new Recorder(&form, log, "a");
    a->SetBounds(10, 10, 50, 50);
    a->SetParent(&form);
    b = new Recorder(&form, log, "b");
    b->SetBounds(100, 10, 50, 50);
    b->SetParent(&form);
    form.FinishCreate();
  }
  void Send(UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageW(form.Handle(), msg, keys, MAKELPARAM(x, y));
  }
  std::vector<std::string> log;
  TForm form;
  Recorder* a;
  Recorder* b;
};

TEST_F(MouseTest, ClickComesBeforeReleaseWhenReleasedInside) {
  Send(WM_LBUTTONDOWN, 20, 30, MK_LBUTTON);
  Send(WM_LBUTTONUP, 25, 35);
  EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a down 0 10,20", "a click", "a up 0 15,25"}));
}

TEST_F(MouseTest, CapturedControlGetsMovesAndReleaseOutsideButNoClick) {
  Send(WM_LBUTTONDOWN, 20, 30, MK_LBUTTON);
  log.clear();
  Send(WM_MOUSEMOVE, 120, 30, MK_LBUTTON);  // over b, but a holds the mouse
  Send(WM_LBUTTONUP, 120, 30);
  EXPECT_EQ(log, (std::vector<std::string>{"a leave", "b enter", "a move 110,20", "a up 0 110,20"}));
}

TEST_F(MouseTest, EnterAndLeaveFollowThePointer) {
  Send(WM_MOUSEMOVE, 20, 20);
  Send(WM_MOUSEMOVE, 21, 20);
  Send(WM_MOUSEMOVE, 80, 20);  // between the two: the form itself
  Send(WM_MOUSEMOVE, 110, 20);
  SendMessageW(form.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a move 10,10", "a move 11,10", "a leave", "b enter",
                                           "b move 10,10", "b leave"}));
}

TEST_F(MouseTest, DoubleClickThenPressWithDoubleFlagAndNoClickOnItsRelease) {
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  Send(WM_LBUTTONUP, 20, 20);
  log.clear();
  Send(WM_LBUTTONDBLCLK, 20, 20, MK_LBUTTON);
  Send(WM_LBUTTONUP, 20, 20);
  EXPECT_EQ(log, (std::vector<std::string>{"a dblclick", "a down 0 double 10,10", "a up 0 10,10"}));
}

TEST_F(MouseTest, RightButtonBringsNoClick) {
  Send(WM_RBUTTONDOWN, 20, 20, MK_RBUTTON);
  Send(WM_RBUTTONUP, 20, 20);
  EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a down 1 10,10", "a up 1 10,10"}));
}

TEST_F(MouseTest, HiddenOrDisabledControlIsPassedThrough) {
  a->SetVisible(false);
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  Send(WM_LBUTTONUP, 20, 20);
  b->SetEnabled(false);
  Send(WM_LBUTTONDOWN, 120, 20, MK_LBUTTON);
  Send(WM_LBUTTONUP, 120, 20);
  EXPECT_TRUE(log.empty());
}

TEST_F(MouseTest, ExceptionFromAHandlerReachesTheStandardErrorBox) {
  WithFakeSystem sys;
  a->OnClick = [](TObject*) { throw Exception("Unable to write to C:\\notes\\notices.msg"); };
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  Send(WM_LBUTTONUP, 20, 20);
  ASSERT_EQ(sys.boxes.size(), 1u);
  EXPECT_EQ(sys.boxes[0].text, L"Unable to write to C:\\notes\\notices.msg");
  EXPECT_EQ(sys.boxes[0].caption, L"Zettly tests");
  EXPECT_TRUE(sys.boxes[0].flags & MB_ICONSTOP);
  // The window procedure survived and goes on routing.
  Send(WM_RBUTTONDOWN, 20, 20, MK_RBUTTON);
  EXPECT_EQ(log.back(), "a down 1 10,10");
}

TEST_F(MouseTest, Bug_TheHoverStayedWhenTheWindowLostThePointerWithoutALeave) {
  const struct {
    const char* how;
    std::function<void()> lose;
  } losses[] = {
      {"a modal dialog disables the window", [&] {
         EnableWindow(form.Handle(), FALSE);
         EnableWindow(form.Handle(), TRUE);
       }},
      {"a menu cancels the mode", [&] { SendMessageW(form.Handle(), WM_CANCELMODE, 0, 0); }},
      {"another window takes the mouse",
       [&] { SendMessageW(form.Handle(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(GetDesktopWindow())); }},
  };
  for (const auto& l : losses) {
    SendMessageW(form.Handle(), WM_MOUSELEAVE, 0, 0);
    log.clear();
    Send(WM_MOUSEMOVE, 20, 20);
    l.lose();
    Send(WM_MOUSEMOVE, 21, 20);  // the pointer back: entered anew
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a move 10,10", "a leave", "a enter", "a move 11,10"}))
        << l.how;
  }
}

}  // namespace
