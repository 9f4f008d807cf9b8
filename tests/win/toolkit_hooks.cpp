// Window hooks without the common-controls library: the chain stays whole whatever order hooks
// come off in (inside their own call too), a window gets its own procedure back, a procedure put
// over ours is never overwritten, and nothing of a destroyed window's chain is left. A system
// control keeps working under the toolkit's hook and loses it with its window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/win/Controls.h"
#include "toolkit/win/Edits.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/WindowHooks.h"

namespace {

constexpr UINT kProbe = WM_APP + 40;
std::vector<std::string>* journal = nullptr;  // where the procedures below write

LRESULT CALLBACK OwnProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kProbe && journal) {
    journal->push_back("own");
    return 7;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

// A hook that writes its id; its data says what else it does to the message.
enum Action : DWORD_PTR { kPass, kAnswer, kRemoveItself, kRemoveHookOne };

LRESULT CALLBACK Writer(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR action) {
  if (msg != kProbe) return CallNextWindowHook(h, msg, wp, lp);
  journal->push_back(std::to_string(id));
  if (action == kAnswer) return 100 + id;
  if (action == kRemoveItself) RemoveWindowHook(h, Writer, id);
  if (action == kRemoveHookOne) RemoveWindowHook(h, Writer, 1);
  return CallNextWindowHook(h, msg, wp, lp);
}

// Someone else's subclass, made the plain way over whatever procedure the window has.
WNDPROC foreign_next = nullptr;
LRESULT CALLBACK ForeignProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kProbe) journal->push_back("foreign");
  return CallWindowProcW(foreign_next, h, msg, wp, lp);
}

class WindowHookTest : public testing::Test {
 protected:
  WindowHookTest() {
    journal = &seen;
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZettlyHookTest";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, wc.lpszClassName, nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                             nullptr);
  }
  ~WindowHookTest() override {
    if (window) DestroyWindow(window);
    journal = nullptr;
  }
  // Who saw one message, in order.
  std::vector<std::string> Probe(LRESULT* result = nullptr) {
    seen.clear();
    const LRESULT r = SendMessageW(window, kProbe, 0, 0);
    if (result) *result = r;
    return seen;
  }
  WNDPROC Procedure() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }
  using Seen = std::vector<std::string>;

  Seen seen;
  HWND window = nullptr;
};

TEST_F(WindowHookTest, NewestHookFirstAndTheChainStaysWholeWhateverOrderHooksComeOff) {
  for (UINT_PTR id : {1, 2, 3}) ASSERT_TRUE(AddWindowHook(window, Writer, id, kPass));
  LRESULT result = 0;
  EXPECT_EQ(Probe(&result), (Seen{"3", "2", "1", "own"}));
  EXPECT_EQ(result, 7);
  EXPECT_TRUE(RemoveWindowHook(window, Writer, 2));  // from the middle
  EXPECT_FALSE(RemoveWindowHook(window, Writer, 2));
  EXPECT_EQ(Probe(), (Seen{"3", "1", "own"}));
  EXPECT_TRUE(RemoveWindowHook(window, Writer, 1));  // the oldest, under a newer one
  EXPECT_EQ(Probe(), (Seen{"3", "own"}));
  EXPECT_TRUE(RemoveWindowHook(window, Writer, 3));
  EXPECT_EQ(Probe(), (Seen{"own"}));
  EXPECT_EQ(Procedure(), OwnProc);
}

TEST_F(WindowHookTest, AHookAnswersAndWhatIsBelowNeverSeesTheMessage) {
  AddWindowHook(window, Writer, 1, kPass);
  AddWindowHook(window, Writer, 2, kAnswer);
  LRESULT result = 0;
  EXPECT_EQ(Probe(&result), (Seen{"2"}));
  EXPECT_EQ(result, 102);
  AddWindowHook(window, Writer, 2, kPass);  // the same hook, new data: not a second one
  EXPECT_EQ(Probe(), (Seen{"2", "1", "own"}));
}

TEST_F(WindowHookTest, HooksTakenOffInsideACallLeaveThatCallAndLaterOnesWhole) {
  AddWindowHook(window, Writer, 1, kPass);
  AddWindowHook(window, Writer, 2, kRemoveItself);
  AddWindowHook(window, Writer, 3, kPass);
  EXPECT_EQ(Probe(), (Seen{"3", "2", "1", "own"}));
  EXPECT_EQ(Probe(), (Seen{"3", "1", "own"}));
  AddWindowHook(window, Writer, 4, kRemoveHookOne);  // takes off one still to come in this call
  EXPECT_EQ(Probe(), (Seen{"4", "3", "own"}));
  RemoveWindowHook(window, Writer, 3);
  RemoveWindowHook(window, Writer, 4);
  EXPECT_EQ(Procedure(), OwnProc);
}

TEST_F(WindowHookTest, AProcedurePutOverOursIsNeverOverwrittenAndStillReachesTheWindow) {
  AddWindowHook(window, Writer, 1, kPass);
  foreign_next = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc)));
  RemoveWindowHook(window, Writer, 1);
  EXPECT_EQ(Procedure(), ForeignProc);
  EXPECT_EQ(Probe(), (Seen{"foreign", "own"}));
  AddWindowHook(window, Writer, 2, kPass);  // under the foreign one, as before
  EXPECT_EQ(Probe(), (Seen{"foreign", "2", "own"}));
}

// Regression: a chain outliving its window would be run for the next window given that handle.
TEST_F(WindowHookTest, NothingOfADestroyedWindowsChainIsLeft) {
  AddWindowHook(window, Writer, 1, kPass);
  AddWindowHook(window, Writer, 2, kPass);
  const HWND gone = window;
  DestroyWindow(window);
  window = nullptr;
  EXPECT_FALSE(RemoveWindowHook(gone, Writer, 1));
  EXPECT_FALSE(AddWindowHook(gone, Writer, 3, kPass));
  EXPECT_FALSE(RemoveWindowHook(gone, Writer, 3));
}

TEST(NativeControlHook, ASystemControlKeepsWorkingUnderItsHookAndLosesItWithItsWindow) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  form.FinishCreate();
  const HWND box = edit->Handle();
  ASSERT_NE(box, nullptr);
  const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(box, GCLP_WNDPROC));
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_WNDPROC)), own);  // hooked
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
  SendMessageW(box, EM_SETSEL, 5, 5);
  SendMessageW(box, WM_CHAR, L'!', 1);
  EXPECT_EQ(edit->Text(), "typed!");  // the control's own procedure got both
  delete edit;
  EXPECT_FALSE(IsWindow(box));
  EXPECT_FALSE(RemoveWindowHook(box, ZettlyNativeProc, 1));
}

}  // namespace
