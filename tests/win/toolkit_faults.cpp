// Faults inside handlers: a handler that destroys its own control, a paint or a timer that throws,
// and GDI objects that were not really freed.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "tests/win/support/FakeSystem.h"
#include "toolkit/Exception.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Timer.h"

namespace {

using Log = std::vector<std::string>;

// Stands in the memory of a destroyed control: a call that reaches it is a call on freed memory.
class Tombstone : public TGraphicControl {
 public:
  explicit Tombstone(Log& log) : TGraphicControl(nullptr), log_(log) {}
  void MouseUp(TMouseButton, TShiftState, int, int) override { log_.push_back("up on a destroyed control"); }
  void MouseMove(TShiftState, int, int) override { log_.push_back("move on a destroyed control"); }

 private:
  Log& log_;
};

class Doomed : public TGraphicControl {
 public:
  Doomed(Log& log) : TGraphicControl(nullptr), log_(log) {}
  ~Doomed() override { log_.push_back("destroyed"); }
  void MouseUp(TMouseButton, TShiftState, int, int) override { log_.push_back("up"); }

 private:
  Log& log_;
};

TEST(MouseDispatch, ClickHandlerThatDestroysItsControlIsNotFollowedByMouseUpOnFreedControl) {
  Log log;
  TForm form(nullptr);
  form.SetBorderStyle(TBorderStyle::bsNone);
  form.SetBounds(0, 0, 200, 100);
  alignas(std::max_align_t) unsigned char storage[std::max(sizeof(Doomed), sizeof(Tombstone))];
  auto* doomed = new (storage) Doomed(log);
  Tombstone* tomb = nullptr;
  doomed->SetBounds(10, 10, 50, 50);
  doomed->SetParent(&form);
  doomed->OnClick = [&](TObject*) {
    doomed->~Doomed();  // as a form that frees the control it was clicked in
    tomb = new (storage) Tombstone(log);
  };
  form.FinishCreate();
  SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(21, 20));
  EXPECT_EQ(log, Log{"destroyed"});
  ASSERT_NE(tomb, nullptr);
  tomb->~Tombstone();
}

class Throwing : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  void Paint(TCanvas&) override {
    ++paints;
    if (fail) throw Exception("The picture cannot be drawn");
  }
  bool fail = false;
  int paints = 0;
};

TEST(Faults, ThrowingPaintStillEndsThePaintAndShowsOneBoxAfterTheMessage) {
  WithFakeSystem sys;
  TForm form(nullptr);
  form.SetBorderStyle(TBorderStyle::bsNone);
  form.SetBounds(0, 0, 100, 60);
  auto* child = new Throwing(&form);
  child->SetBounds(0, 0, 50, 50);
  child->SetParent(&form);
  form.FinishCreate();
  form.Show();
  Application->ProcessMessages();
  child->fail = true;
  for (int i = 0; i < 3; ++i) {
    const size_t shown = sys.boxes.size();
    child->Invalidate();
    UpdateWindow(form.Handle());
    EXPECT_FALSE(GetUpdateRect(form.Handle(), nullptr, FALSE)) << "the area stays invalid: EndPaint was skipped";
    EXPECT_EQ(sys.boxes.size(), shown) << "a modal box inside WM_PAINT";
    Application->ProcessMessages();
  }
  const int paints = child->paints;
  Application->ProcessMessages();
  EXPECT_EQ(child->paints, paints);  // no WM_PAINT keeps coming
  ASSERT_EQ(sys.boxes.size(), 1u);
  EXPECT_EQ(sys.boxes[0].text, L"The picture cannot be drawn");
  form.Hide();
}

TEST(Faults, TimerHandlerThrowingOnEveryTickShowsOneBox) {
  WithFakeSystem sys;
  TTimer timer(nullptr);
  timer.SetEnabled(false);  // ticks come only from the test
  timer.OnTimer = [](TObject*) { throw Exception("Unable to read the clock"); };
  timer.SetEnabled(true);
  timer.SetInterval(100000);
  for (int round = 0; round < 2; ++round) {
    for (int tick = 0; tick < 3; ++tick) PostMessageW(TTimer::WindowHandle(), WM_TIMER, timer.Id(), 0);
    Application->ProcessMessages();
  }
  ASSERT_EQ(sys.boxes.size(), 1u);
  EXPECT_EQ(sys.boxes[0].text, L"Unable to read the clock");
}

TEST(Faults, SameFaultFromAUserActionIsShownEachTime) {
  WithFakeSystem sys;
  Application->HandleException(Exception("Unable to write to C:\\notes\\notices.msg"));
  Application->HandleException(Exception("Unable to write to C:\\notes\\notices.msg"));
  EXPECT_EQ(sys.boxes.size(), 2u);
}

// Regression: a box that failed to open left its fault marked as on screen, so that fault was
// never shown again for the rest of the run.
TEST(Faults, AFaultWhoseBoxFailedToOpenIsShownTheNextTime) {
  WithFakeSystem sys;
  sys.during_box = [] { throw std::bad_alloc(); };
  EXPECT_THROW(Application->HandleException(Exception("Unable to write to C:\\notes\\notices.msg")), std::bad_alloc);
  EXPECT_EQ(Application->MessageBoxesShown(), 0);
  sys.during_box = nullptr;
  Application->HandleException(Exception("Unable to write to C:\\notes\\notices.msg"));
  EXPECT_EQ(sys.boxes.size(), 2u);
}

TEST(Faults, WaitHandleClosedUnderTheLoopIsDroppedNotSpunOn) {
  Application->ProcessMessages();
  HANDLE gone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE ready = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  bool ready_seen = false;
  Application->AddWaitHandle(gone, [] {});
  Application->AddWaitHandle(ready, [&] { ready_seen = true; });
  CloseHandle(gone);
  // A loop stuck on the dead handle gets out only by this message, and never to the live one.
  const UINT_PTR guard = SetTimer(nullptr, 0, 2000, nullptr);
  for (int n = 0; n < 2 && !ready_seen; ++n) Application->HandleMessage();
  KillTimer(nullptr, guard);
  Application->RemoveWaitHandle(ready);
  Application->RemoveWaitHandle(gone);
  CloseHandle(ready);
  EXPECT_TRUE(ready_seen);
}

TEST(GdiCount, FontDeletedWhileSelectedIntoADcIsNotCountedFreed) {
  const CompatibleDC dc(nullptr);
  const long before = gdi_count::Live();
  HGDIOBJ original = nullptr;
  {
    UniqueFont font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    original = SelectObject(dc.Get(), font.Get());
  }
  EXPECT_EQ(gdi_count::Live(), before + 1);
  SelectObject(dc.Get(), original);
}

TEST(GdiCount, CanvasThatChangesItsFontBetweenTextsFreesEveryFontAndItsDc) {
  const long before = gdi_count::Live();
  {
    const CompatibleDC dc(nullptr);
    EXPECT_EQ(gdi_count::Live(), before + 1);  // DCs count too
    TCanvas canvas(dc.Get());
    canvas.Font.SetHeight(-12);
    canvas.TextOut(0, 0, "a");
    canvas.Font.SetHeight(-20);
    canvas.TextOut(0, 0, "b");
    canvas.TextExtent("c");
    canvas.Font.SetHeight(-30);
  }
  EXPECT_EQ(gdi_count::Live(), before);
}

}  // namespace
