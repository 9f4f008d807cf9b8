// A window's controls as a screen reader reads them: the accessible object got through
// AccessibleObjectFromWindow, its children, their names, roles, states and places, the default
// action, the name-change event, and an object that outlives its window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/AccessibleTestSupport.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Image.h"
#include "toolkit/win/StdCtrls.h"

namespace {

using ReadableForm = Readable<TForm>;

class AccessibleTest : public testing::Test {
 protected:
  AccessibleTest() : form(nullptr) {
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetBounds(40, 30, 200, 100);
    panel = new TPanel(&form);  // says nothing itself: its controls stand in its place
    panel->SetBounds(0, 0, 200, 100);
    panel->SetParent(&form);
    add = Button("Add... (Ctrl+N)", 4);
    cycle = Button("Cycle", 30);
    cycle->SetGroupIndex(1);
    cycle->SetAllowAllUp(true);
    cycle->SetDown(true);
    hidden = Button("Attachment", 56);
    hidden->SetVisible(false);
    count = new TLabel(&form);
    count->SetBounds(90, 60, 40, 13);
    count->SetAutoSize(false);
    count->SetCaption("3 / 7");
    count->SetParent(panel);
    picture = new TImage(&form);
    picture->SetBounds(150, 60, 16, 16);
    picture->SetHint("Exit");
    picture->SetEnabled(false);
    picture->OnClick = [this](TObject*) { clicks.push_back("picture"); };
    picture->SetParent(panel);
    form.FinishCreate();
    form.Show();
  }
  TSpeedButton* Button(const char* hint, int left) {
    auto* b = new TSpeedButton(&form);
    b->SetBounds(left, 4, 23, 20);
    b->SetHint(hint);
    b->SetParent(panel);
    b->OnClick = [this, hint](TObject*) { clicks.push_back(hint); };
    return b;
  }
  void Read() {
    client = std::make_unique<AccessibleClient>(form.Handle());
    ASSERT_EQ(client->result, S_OK);
    acc = client->acc;
  }
  std::string Name(long id) { return client->Name(id); }
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }

  ReadableForm form;
  TPanel* panel;
  TSpeedButton *add, *cycle, *hidden;
  TLabel* count;
  TImage* picture;
  std::unique_ptr<AccessibleClient> client;
  IAccessible* acc = nullptr;  // the client's
  std::vector<std::string> clicks;
};

TEST_F(AccessibleTest, ChildrenReadBackWithNamesRolesStatesAndScreenPlaces) {
  Read();
  long n = 0;
  ASSERT_EQ(acc->get_accChildCount(&n), S_OK);
  ASSERT_EQ(n, 5);
  VARIANT kids[6];
  long got = 0;
  AccessibleChildren(acc, 0, 6, kids, &got);
  ASSERT_EQ(got, 5);
  for (long i = 0; i < got; ++i) {
    EXPECT_EQ(kids[i].vt, VT_I4);  // simple elements of the window's object
    EXPECT_EQ(kids[i].lVal, i + 1);
  }

  struct Expected {
    std::string name;
    long role, state;
    TControl* control;
  };
  const Expected expected[] = {
      {"Add", ROLE_SYSTEM_PUSHBUTTON, 0, add},
      {"Cycle", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED, cycle},
      {"Attachment", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE, hidden},
      {"3 / 7", ROLE_SYSTEM_STATICTEXT, 0, count},
      {"Exit", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, picture},
  };
  POINT origin{0, 0};
  ClientToScreen(panel->Handle(), &origin);
  for (long id = 1; id <= 5; ++id) {
    const Expected& e = expected[id - 1];
    EXPECT_EQ(Name(id), e.name);
    EXPECT_EQ(client->Role(id), e.role) << e.name;
    EXPECT_EQ(client->State(id), e.state) << e.name;
    long x, y, w, h;
    ASSERT_EQ(acc->accLocation(&x, &y, &w, &h, ChildId(id)), S_OK);
    EXPECT_EQ(x, origin.x + e.control->Left()) << e.name;
    EXPECT_EQ(y, origin.y + e.control->Top()) << e.name;
    EXPECT_EQ(w, e.control->Width());
    EXPECT_EQ(h, e.control->Height());
  }
  BSTR keys = nullptr;
  EXPECT_EQ(acc->get_accKeyboardShortcut(ChildId(1), &keys), S_OK);
  EXPECT_EQ(U8(keys), "Ctrl+N");
  SysFreeString(keys);

  // Child ids outside the list are refused, not read past its end.
  BSTR none = nullptr;
  EXPECT_EQ(acc->get_accName(ChildId(6), &none), E_INVALIDARG);
  EXPECT_EQ(acc->get_accName(ChildId(-1), &none), E_INVALIDARG);

  // A point over a control names it; hidden controls are passed over.
  VARIANT hit;
  ASSERT_EQ(acc->accHitTest(origin.x + 92, origin.y + 62, &hit), S_OK);
  EXPECT_EQ(hit.lVal, 4);
  ASSERT_EQ(acc->accHitTest(origin.x + 60, origin.y + 8, &hit), S_OK);
  EXPECT_EQ(hit.lVal, CHILDID_SELF);
}

TEST_F(AccessibleTest, DefaultActionClicksFromTheMessageLoopAndOnlyWhatCanBeClicked) {
  Read();
  ASSERT_EQ(acc->accDoDefaultAction(ChildId(2)), S_OK);
  EXPECT_TRUE(clicks.empty());  // not inside the client's call
  Pump();
  EXPECT_EQ(clicks, std::vector<std::string>{"Cycle"});
  EXPECT_FALSE(cycle->Down());  // the button's own toggle ran
  EXPECT_EQ(client->State(2), 0);

  EXPECT_EQ(acc->accDoDefaultAction(ChildId(3)), E_FAIL);  // hidden
  EXPECT_EQ(acc->accDoDefaultAction(ChildId(5)), E_FAIL);  // disabled
  EXPECT_EQ(acc->accDoDefaultAction(ChildId(4)), DISP_E_MEMBERNOTFOUND);  // text
  Pump();
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(AccessibleTest, NameChangeIsRaisedOnlyForAWindowAClientAskedFor) {
  NameChangeRecorder recorder;
  ASSERT_TRUE(recorder.Hooked());
  count->SetCaption("4 / 7");
  AccessibleNameChanged(count);
  Pump();
  EXPECT_TRUE(recorder.events().empty());
  Read();
  count->SetCaption("5 / 7");
  AccessibleNameChanged(count);
  Pump();
  ASSERT_EQ(recorder.events().size(), 1u);
  EXPECT_EQ(recorder.events()[0], std::make_pair(form.Handle(), 4L));
  EXPECT_EQ(Name(4), "5 / 7");
}

TEST(AccessibleLifetime, AnObjectHeldPastItsWindowAnswersDisconnected) {
  IAccessible* acc = nullptr;
  {
    ReadableForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetCaption("gone soon");
    label->SetParent(&form);
    form.FinishCreate();
    ASSERT_EQ(AccessibleObjectFromWindow(form.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&acc)),
              S_OK);
  }
  long n = -1;
  EXPECT_EQ(acc->get_accChildCount(&n), RPC_E_DISCONNECTED);
  BSTR s = nullptr;
  EXPECT_EQ(acc->get_accName(ChildId(1), &s), RPC_E_DISCONNECTED);
  EXPECT_EQ(s, nullptr);
  acc->Release();
}

}  // namespace
