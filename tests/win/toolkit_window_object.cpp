// The object behind a window is found only as the kind it was attached as: a window holding one
// kind of object is never handed out as another, nor is a window whose user data is not ours.
#include <gtest/gtest.h>

#include "toolkit/win/Application.h"
#include "toolkit/win/Edits.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/HiddenWindow.h"
#include "toolkit/win/WindowObject.h"

namespace {

TEST(WindowObject, EachWindowGivesItsObjectOnlyAsTheKindItHolds) {
  THiddenWindow hidden([](TMessage& m) { m.Result = m.Msg == WM_NCCREATE; });
  TForm form(nullptr);
  auto* edit = new TEdit(&form);  // a system control hooked into the toolkit
  edit->SetParent(&form);
  const HWND windows[] = {hidden.Handle(), form.Handle(), edit->Handle(), Application->Handle()};

  EXPECT_EQ(ObjectOf<THiddenWindow>(windows[0]), &hidden);
  EXPECT_EQ(ObjectOf<TWinControl>(windows[0]), nullptr);
  EXPECT_EQ(ObjectOf<TApplication>(windows[0]), nullptr);

  EXPECT_EQ(ObjectOf<TWinControl>(windows[1]), &form);
  EXPECT_EQ(ObjectOf<TWinControl>(windows[2]), edit);
  for (HWND h : {windows[1], windows[2]}) {
    EXPECT_EQ(ObjectOf<THiddenWindow>(h), nullptr);
    EXPECT_EQ(ObjectOf<TApplication>(h), nullptr);
  }

  EXPECT_EQ(ObjectOf<TApplication>(windows[3]), Application);
  EXPECT_EQ(ObjectOf<TWinControl>(windows[3]), nullptr);
  EXPECT_EQ(ObjectOf<THiddenWindow>(windows[3]), nullptr);
}

TEST(WindowObject, UserDataThatIsNotOursGivesNoObject) {
  // A window of the process whose user data some other code set to a pointer of its own.
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(plain, nullptr);
  TForm form(nullptr);
  SetWindowLongPtrW(plain, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
  EXPECT_EQ(ObjectOf<TWinControl>(plain), nullptr);
  EXPECT_EQ(ObjectOf<THiddenWindow>(plain), nullptr);
  EXPECT_EQ(ObjectOf<TApplication>(plain), nullptr);
  DestroyWindow(plain);
  EXPECT_EQ(ObjectOf<TWinControl>(nullptr), nullptr);
}

}  // namespace
