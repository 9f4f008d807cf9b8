// A right click on a control opens the context menu of the nearest control up the parents that
// has one: at the pointer for a click, at the window for the menu key.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win/support/FakeSystem.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/StdCtrls.h"

namespace {

class RecordingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override { shown.push_back({x, y}); }
  std::vector<TPoint> shown;
};

TEST(ContextMenuTest, ARightClickOnAChildOpensTheFormsMenuAtThePointerTheMenuKeyAtTheWindow) {
  WithFakeSystem system;
  TForm form(nullptr);
  form.SetBorderStyle(TBorderStyle::bsNone);
  form.SetBounds(100, 100, 200, 100);
  auto* menu = new RecordingMenu(&form);
  form.SetPopupMenu(menu);
  auto* panel = new TPanel(&form);
  panel->SetBounds(0, 0, 200, 100);
  panel->SetParent(&form);
  auto* label = new TLabel(&form);
  label->SetBounds(10, 10, 50, 20);
  label->SetParent(panel);
  form.FinishCreate();
  form.Show();
  for (const POINT at : {POINT{15, 15}, POINT{150, 80}}) {  // on the label, on the bare panel
    system.cursor = {100 + at.x, 100 + at.y};
    SendMessageW(panel->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(panel->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  ASSERT_EQ(menu->shown.size(), 2u);
  EXPECT_EQ(menu->shown[0], (TPoint{115, 115}));
  EXPECT_EQ(menu->shown[1], (TPoint{250, 180}));
  EXPECT_EQ(menu->PopupComponent(), panel);
  // The menu key or Shift+F10: at the window, wherever the pointer is.
  system.cursor = {700, 500};
  SetCursorPos(700, 500);
  SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), MAKELPARAM(-1, -1));
  ASSERT_EQ(menu->shown.size(), 3u);
  EXPECT_EQ(menu->shown[2], (TPoint{100, 100}));
  form.Hide();
}

}  // namespace
