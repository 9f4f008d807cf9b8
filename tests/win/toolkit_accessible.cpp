// A window's accessible object as a client uses it beyond reading (the note window's tests read
// a whole tree): the default action, child ids out of range, and an object that outlives its window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/AccessibleTestSupport.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Image.h"
#include "toolkit/win/StdCtrls.h"

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(AccessibleTest, DefaultActionClicksFromTheMessageLoopAndOnlyWhatCanBeClicked) {
  TForm form(nullptr);
  form.SetBorderStyle(TBorderStyle::bsNone);
  form.SetBounds(40, 30, 200, 100);
  auto* panel = new TPanel(&form);  // layout only: its controls are the window's children
  panel->SetBounds(0, 0, 200, 100);
  panel->SetParent(&form);
  std::vector<std::string> clicks;
  auto add = [&](TControl* c, const char* hint) {
    c->SetBounds(static_cast<int>(clicks.size()) * 30, 4, 23, 20);
    c->SetHint(hint);
    c->OnClick = [&clicks, hint](TObject*) { clicks.push_back(hint); };
    c->SetParent(panel);
  };
  auto* cycle = new TSpeedButton(&form);
  cycle->SetGroupIndex(1);
  cycle->SetAllowAllUp(true);
  cycle->SetDown(true);
  add(cycle, "Cycle");                   // 1
  auto* hidden = new TSpeedButton(&form);
  hidden->SetVisible(false);
  add(hidden, "Hidden");                 // 2
  auto* picture = new TImage(&form);
  picture->SetEnabled(false);
  add(picture, "Disabled");              // 3
  add(new TLabel(&form), "Text");        // 4
  form.FinishCreate();
  form.Show();

  AccessibleClient client(form.Handle());
  ASSERT_EQ(client.result, S_OK);
  ASSERT_EQ(client.Count(), 4);
  IAccessible* acc = client.acc;
  ASSERT_EQ(acc->accDoDefaultAction(ChildId(1)), S_OK);
  EXPECT_TRUE(clicks.empty());  // not inside the client's call
  Pump();
  EXPECT_EQ(clicks, std::vector<std::string>{"Cycle"});
  EXPECT_FALSE(cycle->Down());  // the button's own toggle ran
  EXPECT_EQ(client.State(1), 0);

  EXPECT_EQ(acc->accDoDefaultAction(ChildId(2)), E_FAIL);
  EXPECT_EQ(acc->accDoDefaultAction(ChildId(3)), E_FAIL);
  EXPECT_EQ(acc->accDoDefaultAction(ChildId(4)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(acc->accDoDefaultAction(ChildId(5)), E_INVALIDARG);  // never read past the list
  EXPECT_EQ(acc->accDoDefaultAction(ChildId(-1)), E_INVALIDARG);
  Pump();
  EXPECT_EQ(clicks.size(), 1u);
  form.Hide();
}

TEST(AccessibleTest, AnObjectHeldPastItsWindowAnswersDisconnected) {
  IAccessible* acc = nullptr;
  {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetCaption("gone soon");
    label->SetParent(&form);
    form.FinishCreate();
    AccessibleClient client(form.Handle());
    ASSERT_EQ(client.result, S_OK);
    acc = client.acc;
    acc->AddRef();
  }
  long n = -1;
  EXPECT_EQ(acc->get_accChildCount(&n), RPC_E_DISCONNECTED);
  BSTR s = nullptr;
  EXPECT_EQ(acc->get_accName(ChildId(1), &s), RPC_E_DISCONNECTED);
  EXPECT_EQ(s, nullptr);
  acc->Release();
}

}  // namespace
