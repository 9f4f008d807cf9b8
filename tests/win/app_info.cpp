// The About box: a fixed, centred dialog without title-bar buttons, its one "About" page with the
// tab icon, the texts that fit their boxes, and the two links handing their targets to the shell.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/win/InfoForm.h"
#include "tests/win/support/FakeSystem.h"
#include "tests/win/support/Render.h"
#include "tests/win/AccessibleTestSupport.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/Screen.h"
#include "toolkit/win/Text.h"

namespace {

const TAboutLinks kExampleLinks{"www.zettly.example.com", "support@zettly.example.com"};

class InfoFormTest : public testing::Test {
 protected:
  InfoFormTest() : form(nullptr, kExampleLinks) {}
  // Clicks a windowless control through its parent window, as the mouse would.
  static void ClickOn(TControl* c) {
    HWND parent = c->Parent()->Handle();
    const LPARAM at = MAKELPARAM(c->Left() + c->Width() / 2, c->Top() + c->Height() / 2);
    SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(parent, WM_LBUTTONUP, 0, at);
  }
  // The height the label's text needs in its own width and font.
  static int TextHeight(TCustomLabel* label) {
    const WindowDC dc(nullptr);
    TCanvas canvas(dc.Get());
    canvas.Font.Assign(label->Font());
    TRect r{0, 0, label->Width(), 0};
    canvas.DrawText(label->Caption(), r, label->TextFlags() | DT_CALCRECT);
    return r.Height();
  }

  WithFakeSystem sys;
  TInfoForm form;
};

TEST_F(InfoFormTest, FixedDialogWithoutTitleBarButtons) {
  HWND h = form.Handle();
  EXPECT_EQ(WindowText(h), "Information");
  const LONG style = GetWindowLongW(h, GWL_STYLE);
  const LONG ex = GetWindowLongW(h, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_SYSMENU);  // hence no close box either
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);  // cannot be resized
  EXPECT_TRUE(ex & WS_EX_DLGMODALFRAME);
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 316);
  EXPECT_EQ(client.bottom, 208);
  EXPECT_EQ(form.Color(), clBtnFace);
  EXPECT_EQ(form.Font().Name(), "Arial");
  EXPECT_EQ(form.Font().Height(), -12);
  EXPECT_EQ(form.Font().Style(), 0);
  EXPECT_EQ(form.Font().Charset(), ANSI_CHARSET);
}

TEST_F(InfoFormTest, OpensCentredOnTheAboutPageAndCanBeShownAgain) {
  for (int showing = 0; showing < 2; ++showing) {
    RECT seen{};
    bool about_shown = false;
    form.OnShow = [&](TObject*) {
      GetWindowRect(form.Handle(), &seen);
      about_shown = form.Pages->ActivePage() == form.AboutTabSheet && form.AboutTabSheet->Visible();
      PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    };
    form.ShowModal();
    const int w = seen.right - seen.left, h = seen.bottom - seen.top;
    EXPECT_EQ(seen.left, (GetSystemMetrics(SM_CXSCREEN) - w) / 2);
    EXPECT_EQ(seen.top, (GetSystemMetrics(SM_CYSCREEN) - h) / 2);
    EXPECT_TRUE(about_shown);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
  }
}

TEST_F(InfoFormTest, OneAboutTabWithTheIconOfTheImageList) {
  HWND tabs = form.Pages->Handle();
  EXPECT_EQ(form.Pages->BoundsRect(), Bounds(0, 0, 316, 171));
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 1);
  wchar_t text[32] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = 32;
  SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, L"About");
  EXPECT_EQ(item.iImage, 0);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(tabs, TCM_GETIMAGELIST, 0, 0)), form.TabImages->Handle());
  EXPECT_EQ(form.TabImages->Count(), 1);
  EXPECT_EQ(form.TabImages->Width(), 16);
  EXPECT_EQ(form.TabImages->Height(), 16);
}

TEST_F(InfoFormTest, LoweredWindowColouredPanelFillsThePage) {
  form.Handle();  // the page's place comes from the tab control's window
  EXPECT_EQ(form.AboutPanel->Parent(), form.AboutTabSheet);
  EXPECT_EQ(form.AboutPanel->BoundsRect(), (TRect{0, 0, form.AboutTabSheet->Width(), form.AboutTabSheet->Height()}));
  EXPECT_EQ(form.AboutPanel->BevelOuter(), TBevelCut::bvLowered);
  EXPECT_EQ(form.AboutPanel->Color(), clWindow);
  // The page lies inside the page control, below its tab, close to the designed 308 x 141.
  const TRect page = form.AboutTabSheet->BoundsRect();
  EXPECT_GT(page.Top, 0);
  EXPECT_LE(page.Bottom, 171);
  EXPECT_NEAR(page.Width(), 308, 8);
  EXPECT_NEAR(page.Height(), 141, 12);
}

TEST_F(InfoFormTest, TextLabelsKeepTheirBoxesAndTheirTextFits) {
  struct Expect {
    TLabel* label;
    TRect bounds;
    int height;
    TFontStyles style;
  };
  for (const Expect& e : {Expect{form.VersionLabel, Bounds(8, 14, 145, 15), -12, fsBold},
                          Expect{form.CopyrightLabel, Bounds(13, 38, 282, 25), -11, 0}}) {
    SCOPED_TRACE(e.label->Name());
    EXPECT_EQ(e.label->Parent(), form.AboutPanel);
    EXPECT_EQ(e.label->BoundsRect(), e.bounds);
    EXPECT_EQ(e.label->Font().Name(), "Arial");
    EXPECT_EQ(e.label->Font().Height(), e.height);
    EXPECT_EQ(e.label->Font().Style(), e.style);
    EXPECT_EQ(e.label->Alignment(), TAlignment::taCenter);
    EXPECT_EQ(e.label->Layout(), TTextLayout::tlCenter);
    EXPECT_FALSE(e.label->AutoSize());
    EXPECT_TRUE(e.label->WordWrap());
    EXPECT_TRUE(e.label->Transparent());
    EXPECT_LE(TextHeight(e.label), e.bounds.Height());
  }
  EXPECT_EQ(form.VersionLabel->Caption(), "Zettly   version 1.0");
  EXPECT_NE(form.CopyrightLabel->Caption().find("Quorvel"), std::string::npos);
}

TEST_F(InfoFormTest, LinksSitInTheMiddleOfThePanelOneBelowTheOther) {
  form.Handle();  // the links are placed when the box gets its window
  for (TURLLabel* link : {form.WebLink, form.MailLink}) {
    SCOPED_TRACE(link->Name());
    EXPECT_EQ(link->Parent(), form.AboutPanel);
    EXPECT_LE(std::abs(link->Left() * 2 + link->Width() - form.AboutPanel->Width()), 1);
    EXPECT_GT(link->Left(), 2);  // inside the bevel, text not clipped
    EXPECT_TRUE(link->AutoSize());
    EXPECT_EQ(link->Font().Style(), fsUnderline);
    EXPECT_EQ(link->Cursor(), LinkCursor);
  }
  EXPECT_EQ(form.WebLink->Top(), 72);
  EXPECT_EQ(form.MailLink->Top(), 95);
  EXPECT_LE(form.WebLink->BoundsRect().Bottom, form.MailLink->Top());
  EXPECT_LE(form.CopyrightLabel->BoundsRect().Bottom, form.WebLink->Top());
  EXPECT_NE(Screen->Cursors(LinkCursor), nullptr);
}

TEST_F(InfoFormTest, LinksOpenTheProductSiteAndANewMail) {
  EXPECT_EQ(form.WebLink->URLType(), TURLType::utHTTP);
  EXPECT_EQ(form.MailLink->URLType(), TURLType::utMailTo);
  ClickOn(form.WebLink);
  ClickOn(form.MailLink);
  ASSERT_EQ(sys.shell.size(), 2u);
  EXPECT_EQ(sys.shell[0].file, L"http://www.zettly.example.com");
  EXPECT_EQ(sys.shell[1].file, L"mailto:support@zettly.example.com");
  for (const auto& call : sys.shell) {
    EXPECT_EQ(call.operation, L"open");
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
    EXPECT_EQ(call.owner, GetDesktopWindow());
  }
}

// A build without addresses (the default) shows no link rather than one leading nowhere.
TEST(InfoFormLinks, ALinkWithoutAnAddressIsNotShown) {
  WithFakeSystem sys;
  TInfoForm form(nullptr, {"", "support@zettly.example.com"});
  EXPECT_FALSE(form.WebLink->Visible());
  EXPECT_TRUE(form.MailLink->Visible());
}

TEST_F(InfoFormTest, CloseButtonAsDesigned) {
  TOvalButton* close = form.CloseButton;
  EXPECT_EQ(close->Parent(), &form);  // below the page control, not on it
  EXPECT_EQ(close->BoundsRect(), Bounds(126, 175, 64, 31));
  EXPECT_EQ(close->Caption(), "Close");
  EXPECT_EQ(close->BevelWidth(), 2);
  EXPECT_EQ(close->Color(), clBtnFace);
  EXPECT_EQ(close->Font().Name(), "MS Sans Serif");
  EXPECT_EQ(close->Font().Height(), -11);
  EXPECT_EQ(close->Font().Style(), fsBold);
  EXPECT_FALSE(close->Down());
  EXPECT_TRUE(close->Glyph().Empty());
  EXPECT_EQ(close->Cursor(), crHandPoint);
}

struct CloseClick {
  const char* name;
  TPoint at;   // in the button's coordinates
  int result;  // 3: the click closed the dialog; mrCancel: it did nothing and WM_CLOSE did
};

std::ostream& operator<<(std::ostream& os, const CloseClick& c) { return os << c.name; }

class InfoFormCloseTest : public InfoFormTest, public testing::WithParamInterface<CloseClick> {};

TEST_P(InfoFormCloseTest, OnlyAClickInsideTheEllipseEndsTheDialog) {
  const CloseClick& c = GetParam();
  for (int showing = 0; showing < 2; ++showing) {  // the dialog lives on for the next showing
    form.OnShow = [&](TObject*) {
      HWND h = form.Handle();
      const LPARAM at = MAKELPARAM(form.CloseButton->Left() + c.at.X, form.CloseButton->Top() + c.at.Y);
      PostMessageW(h, WM_MOUSEMOVE, 0, at);
      PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(h, WM_LBUTTONUP, 0, at);
      PostMessageW(h, WM_CLOSE, 0, 0);  // ends the loop when the click did not
    };
    EXPECT_EQ(form.ShowModal(), c.result);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    PumpMessages();  // the WM_CLOSE left over after a closing click
  }
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, InfoFormCloseTest,
    testing::Values(CloseClick{"Middle", {32, 15}, 3}, CloseClick{"InsideNearTheLeftEnd", {3, 15}, 3},
                    CloseClick{"TopLeftCorner", {1, 1}, mrCancel},
                    CloseClick{"BottomRightCorner", {62, 29}, mrCancel},
                    CloseClick{"TopRightCorner", {61, 2}, mrCancel}),
    [](const testing::TestParamInfo<CloseClick>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

TEST_F(InfoFormTest, EnterClosesAsCloseAndEscAsACancelOnTheirPressOnly) {
  struct Case {
    const char* name;
    bool press, escape;
    int result;
  };
  // What ends the loop when the keys do not: WM_CLOSE gives mrCancel, a click on Close gives 3,
  // so each case fails when its keys do nothing.
  const Case cases[] = {{"Enter", true, false, TInfoForm::CloseResult},
                        {"Esc", true, true, mrCancel},
                        {"release of an Enter pressed elsewhere", false, false, mrCancel}};
  for (const Case& c : cases) {
    form.OnShow = [&](TObject*) {
      HWND focus = form.Pages->Handle();
      const WPARAM key = c.escape ? VK_ESCAPE : VK_RETURN;
      if (c.press) PostMessageW(focus, WM_KEYDOWN, key, 1);
      PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
      if (c.result == mrCancel && c.press) {
        const LPARAM at = MAKELPARAM(form.CloseButton->Left() + 32, form.CloseButton->Top() + 15);
        PostMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(form.Handle(), WM_LBUTTONUP, 0, at);
      } else {
        PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
      }
    };
    EXPECT_EQ(form.ShowModal(), c.result) << c.name;
    EXPECT_FALSE(IsWindowVisible(form.Handle())) << c.name;
    PumpMessages();
  }
}

}  // namespace

namespace {

TEST(InfoFormReadTest, AReaderFindsTheTextsTheLinksAndClose) {
  WithFakeSystem sys;
  TInfoForm form(nullptr, kExampleLinks);
  AccessibleClient client(form.Handle());
  ASSERT_EQ(client.result, S_OK);
  std::vector<std::pair<std::string, long>> read;
  long system_children = 0;
  for (long id = 1; id <= client.Count(); ++id) {
    IDispatch* own = nullptr;
    if (client.acc->get_accChild(ChildId(id), &own) == S_OK && own) {  // the page control answers for itself
      ++system_children;
      own->Release();
      continue;
    }
    read.emplace_back(client.Name(id), client.Role(id));
  }
  EXPECT_EQ(system_children, 1);
  const std::vector<std::pair<std::string, long>> expected = {
      {"Zettly   version 1.0", ROLE_SYSTEM_STATICTEXT},
      {"Copyright \xC2\xA9 2026 Quorvel. All rights reserved.", ROLE_SYSTEM_STATICTEXT},
      {"www.zettly.example.com", ROLE_SYSTEM_LINK},
      {"support@zettly.example.com", ROLE_SYSTEM_LINK},
      {"Close", ROLE_SYSTEM_PUSHBUTTON}};
  EXPECT_EQ(read, expected);
}

// Regression: the tab control and the page's window, which has the focus while a link has the
// keyboard, read without a name; "Close", which Enter presses, was not marked the default.
TEST(InfoFormReadTest, Bug_TheTabsAndThePageHadNoNameAndCloseWasNotTheDefault) {
  WithFakeSystem sys;
  TInfoForm form(nullptr, kExampleLinks);
  using Read = std::pair<std::string, long>;
  EXPECT_EQ(NameAndRole(form.Pages->Handle()), Read("About", ROLE_SYSTEM_PAGETABLIST));
  EXPECT_EQ(NameAndRole(form.AboutTabSheet->Handle()).first, "About");
  EXPECT_EQ(NameAndRole(form.AboutPanel->Handle()).first, "About");

  AccessibleClient client(form.Handle());
  ASSERT_EQ(client.result, S_OK);
  long close = 0;
  for (long id = 1; id <= client.Count(); ++id)
    if (client.Name(id) == "Close") close = id;
  ASSERT_NE(close, 0);
  EXPECT_EQ(client.State(close) & STATE_SYSTEM_DEFAULT, STATE_SYSTEM_DEFAULT);
}

}  // namespace
