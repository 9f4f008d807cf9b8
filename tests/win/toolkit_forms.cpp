// Forms and timers: modal showing with timers firing inside the nested loop, styles, key preview,
// and no handle left behind after many forms come and go.
#include <gtest/gtest.h>

#include "tests/win/support/FakeSystem.h"
#include "tests/win/support/Render.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Edits.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/RichEdit.h"
#include "toolkit/win/Timer.h"

namespace {

// A form that is never opened costs no windows; what was set on its controls meanwhile is
// there when it opens.
TEST(FormHandleTest, WindowsAreMadeWhenTheFormIsFirstShownWithWhatWasSetMeanwhile) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  auto* rich = new TRichEdit(&form);
  rich->SetParent(&form);
  form.FinishCreate();
  EXPECT_FALSE(form.HandleAllocated());
  EXPECT_FALSE(edit->HandleAllocated());
  EXPECT_FALSE(rich->HandleAllocated());

  edit->SetText("typed before");
  rich->SetText("note before");
  form.Show();
  ASSERT_TRUE(edit->HandleAllocated());
  ASSERT_TRUE(rich->HandleAllocated());
  wchar_t text[32] = L"";
  GetWindowTextW(edit->Handle(), text, 32);
  EXPECT_STREQ(text, L"typed before");
  EXPECT_EQ(rich->Text(), "note before");
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

// Raising skips a window already at the front; one under another still comes up.
TEST(FormTest, BringToFrontRaisesAFormThatIsUnderAnother) {
  TForm lower(nullptr), upper(nullptr);
  lower.FinishCreate();
  upper.FinishCreate();
  lower.Show();
  upper.Show();
  ASSERT_EQ(GetWindow(upper.Handle(), GW_HWNDNEXT), lower.Handle());
  lower.BringToFront();
  EXPECT_EQ(GetWindow(lower.Handle(), GW_HWNDNEXT), upper.Handle());
  EXPECT_EQ(GetWindow(lower.Handle(), GW_HWNDPREV), nullptr);
}

TEST(ModalTest, TimersKeepFiringInsideTheModalLoopUntilTheResultIsSet) {
  TForm dialog(nullptr);
  dialog.SetBorderStyle(TBorderStyle::bsDialog);
  dialog.FinishCreate();
  TTimer timer(nullptr);
  timer.SetInterval(10);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 3) dialog.SetModalResult(mrOk);
  };
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST(ModalTest, CloseEndsTheModalLoopWithCancelAndOtherWindowsAreDisabledMeanwhile) {
  TForm owner(nullptr);
  owner.SetBorderStyle(TBorderStyle::bsNone);
  owner.FinishCreate();
  owner.Show();
  TForm dialog(nullptr);
  dialog.FinishCreate();
  bool owner_enabled_inside = true;
  TTimer timer(nullptr);
  timer.SetInterval(1);
  timer.OnTimer = [&](TObject*) {
    owner_enabled_inside = IsWindowEnabled(owner.Handle());
    PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
    timer.SetEnabled(false);
  };
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_FALSE(owner_enabled_inside);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

// Regression: with the note kept on top, a message box (owned by the hidden application window)
// opened beneath it. Boxes and modal forms go over the window they come from, on top where it is;
// a modal form hidden again depends on it no longer.
TEST(DialogOwnerTest, BoxesAndModalFormsGoOverTheActiveWindowAndStayOnTopWithIt) {
  WithFakeSystem system;
  TForm note(Application);
  note.SetBorderStyle(TBorderStyle::bsNone);
  note.SetFormStyle(TFormStyle::fsStayOnTop);
  note.FinishCreate();
  note.Show();
  SetActiveWindow(note.Handle());
  ASSERT_EQ(GetActiveWindow(), note.Handle());

  Application->MessageBox("Unable to open x", "Zettly", MB_OK);
  ASSERT_EQ(system.boxes.size(), 1u);
  EXPECT_EQ(system.boxes[0].owner, note.Handle());
  EXPECT_TRUE(system.boxes[0].flags & MB_TOPMOST);

  TForm dialog(Application);
  dialog.SetBorderStyle(TBorderStyle::bsDialog);
  dialog.FinishCreate();
  HWND owner_inside = nullptr;
  bool topmost_inside = false;
  TTimer timer(nullptr);
  timer.SetInterval(1);
  timer.OnTimer = [&](TObject*) {
    owner_inside = GetWindow(dialog.Handle(), GW_OWNER);
    topmost_inside = GetWindowLongW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST;
    // A box from the dialog goes over the dialog.
    Application->MessageBox("Too many notes", "Zettly", MB_OK);
    dialog.SetModalResult(mrOk);
    timer.SetEnabled(false);
  };
  dialog.ShowModal();
  EXPECT_EQ(owner_inside, note.Handle());
  EXPECT_TRUE(topmost_inside);
  ASSERT_EQ(system.boxes.size(), 2u);
  EXPECT_EQ(system.boxes[1].owner, dialog.Handle());
  EXPECT_TRUE(system.boxes[1].flags & MB_TOPMOST);
  EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), Application->Handle());

  // Off top: neither the next box nor the next dialog stays on top.
  note.SetFormStyle(TFormStyle::fsNormal);
  SetActiveWindow(note.Handle());
  Application->MessageBox("Unable to open y", "Zettly", MB_OK);
  EXPECT_EQ(system.boxes.back().owner, note.Handle());
  EXPECT_FALSE(system.boxes.back().flags & MB_TOPMOST);
  timer.OnTimer = [&](TObject*) {
    topmost_inside = GetWindowLongW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST;
    dialog.SetModalResult(mrOk);
    timer.SetEnabled(false);
  };
  timer.SetEnabled(true);
  dialog.ShowModal();
  EXPECT_FALSE(topmost_inside);
  note.Hide();
}

TEST(TimerTest, IntervalSetInsideTheHandlerGovernsTheNextTick) {
  TTimer timer(nullptr);
  timer.SetInterval(1000);
  std::vector<unsigned> seen;
  timer.OnTimer = [&](TObject*) {
    seen.push_back(timer.Interval());
    timer.SetInterval(seen.size() == 1 ? 5 : 0);
  };
  ASSERT_TRUE(timer.Armed());
  SendMessageW(TTimer::WindowHandle(), WM_TIMER, timer.Id(), 0);  // the first tick, delivered
  EXPECT_EQ(timer.Interval(), 5u);
  EXPECT_TRUE(timer.Armed());
  // The next tick comes from the platform, after the new, short interval.
  MSG msg;
  while (seen.size() < 2 && GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
  EXPECT_EQ(seen, (std::vector<unsigned>{1000, 5}));
  EXPECT_FALSE(timer.Armed());  // interval 0: no more ticks
}

TEST(TimerTest, DisabledTimerAndDestroyedTimerIgnoreTheirMessages) {
  int ticks = 0;
  UINT_PTR id;
  {
    TTimer timer(nullptr);
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Armed());
    SendMessageW(TTimer::WindowHandle(), WM_TIMER, timer.Id(), 0);
    id = timer.Id();
  }
  SendMessageW(TTimer::WindowHandle(), WM_TIMER, id, 0);
  EXPECT_EQ(ticks, 0);
}

TEST(FormTest, BorderlessClientSizeStayOnTopAndCentring) {
  TForm form(nullptr);
  form.SetBorderStyle(TBorderStyle::bsNone);
  form.SetClientSize(245, 175);
  form.FinishCreate();
  EXPECT_EQ(form.ClientWidth(), 245);
  EXPECT_EQ(form.ClientHeight(), 175);
  EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_STYLE) & WS_CAPTION);
  form.Show();
  form.SetFormStyle(TFormStyle::fsStayOnTop);
  EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  form.SetFormStyle(TFormStyle::fsNormal);
  EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  TForm dialog(nullptr);
  dialog.SetBorderStyle(TBorderStyle::bsToolWindow);
  dialog.SetClientSize(225, 235);
  dialog.SetPosition(TPosition::poScreenCenter);
  dialog.FinishCreate();
  EXPECT_EQ(dialog.ClientWidth(), 225);
  EXPECT_EQ(dialog.ClientHeight(), 235);
  EXPECT_TRUE(GetWindowLongW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  dialog.Show();
  RECT r;
  GetWindowRect(dialog.Handle(), &r);
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), Application->Handle());
  dialog.Hide();
}

TEST(FormTest, KeyPreviewSeesKeysOfChildWindowsAndCanSwallowThem) {
  TForm form(nullptr);
  form.SetKeyPreview(true);
  TWinControl child(&form);
  child.SetBounds(0, 0, 50, 50);
  child.SetParent(&form);
  form.FinishCreate();
  std::vector<uint16_t> seen;
  form.OnKeyUp = [&](TObject*, uint16_t& key, TShiftState) {
    seen.push_back(key);
    key = 0;
  };
  PostMessageW(child.Handle(), WM_KEYUP, 'T', 0);
  Application->ProcessMessages();
  EXPECT_EQ(seen, (std::vector<uint16_t>{'T'}));
}

long CountThreadWindows() {
  long n = 0;
  EnumThreadWindows(
      GetCurrentThreadId(), [](HWND, LPARAM p) -> BOOL { ++*reinterpret_cast<long*>(p); return TRUE; },
      reinterpret_cast<LPARAM>(&n));
  return n;
}

class Painted : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  void Paint(TCanvas& c) override {
    c.Brush.Color = clRed;
    c.Pen.Color = clBlue;
    c.Font.SetStyle(fsBold);
    c.Rectangle(0, 0, Width(), Height());
    c.TextOut(1, 1, "x");
  }
};

TEST(ResourceTest, ManyFormsComeAndGoWithoutLeavingHandles) {
  auto make_and_destroy = [] {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(TBorderStyle::bsToolWindow);
    auto* panel = new TWinControl(form);
    panel->SetBounds(0, 0, 80, 40);
    panel->SetParent(form);
    auto* p = new Painted(form);
    p->SetBounds(5, 5, 20, 20);
    p->SetParent(panel);
    p->SetHint("tip");
    p->SetShowHint(true);
    form->FinishCreate();
    form->Show();
    RenderedImage image(80, 40);
    Render(*panel, image);
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));  // makes the tooltip
    form->Hide();
    delete form;
  };
  make_and_destroy();  // first use creates classes and shared windows
  PumpMessages();
  const long gdi_before = gdi_count::Live();
  const DWORD gdi_platform_before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user_platform_before = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  const long windows_before = CountThreadWindows();
  for (int i = 0; i < 50; ++i) make_and_destroy();
  PumpMessages();
  EXPECT_EQ(gdi_count::Live(), gdi_before);
  EXPECT_EQ(CountThreadWindows(), windows_before);
  // The platform's own counts where it keeps them (Wine reports 0 for both).
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi_platform_before + 2);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user_platform_before + 2);
}

}  // namespace
