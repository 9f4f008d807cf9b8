// The hyperlink label on a form: the exact shell hand-off on a click, the shared link cursor,
// and the hover colours driven by the parent's mouse messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/links/win/URLLabel.h"
#include "tests/win/support/FakeSystem.h"
#include "tests/win/support/Render.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Screen.h"

namespace {

class URLLabelTest : public testing::Test {
 protected:
  URLLabelTest() : form(nullptr) {
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetBounds(0, 0, 300, 120);
    form.SetColor(clWhite);
    link = new TURLLabel(&form);
    link->SetAutoSize(false);
    link->SetBounds(20, 30, 160, 16);
    link->SetParent(&form);
    form.FinishCreate();
  }
  void Send(UINT msg, int x, int y, WPARAM keys = 0) { SendMessageW(form.Handle(), msg, keys, MAKELPARAM(x, y)); }
  void ClickAt(int x, int y) {
    Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Send(WM_LBUTTONUP, x, y);
  }
  // Pixels of exactly this colour inside the label's rectangle, as the form paints it.
  int PixelsOf(TColor color) {
    RenderedImage image(300, 120);
    Render(form, image);
    int n = 0;
    for (int y = link->Top(); y < link->Top() + link->Height(); ++y)
      for (int x = link->Left(); x < link->Left() + link->Width(); ++x) n += image.Pixel(x, y) == color;
    return n;
  }

  WithFakeSystem sys;
  TForm form;
  TURLLabel* link;  // owned by the form
};

TEST_F(URLLabelTest, StartsAsAnUnderlinedWebLink) {
  EXPECT_EQ(link->URLType(), TURLType::utHTTP);
  EXPECT_EQ(link->Font().Style(), fsUnderline);
  TURLLabel fresh(nullptr);
  EXPECT_TRUE(fresh.AutoSize());
}

struct HandOff {
  const char* name;
  TURLType type;
  std::string caption;
  std::wstring file;
};

std::ostream& operator<<(std::ostream& os, const HandOff& h) { return os << h.name; }

class URLLabelHandOffTest : public URLLabelTest, public testing::WithParamInterface<HandOff> {};

TEST_P(URLLabelHandOffTest, ClickOpensTheTargetOnTheDesktopWindow) {
  link->SetURLType(GetParam().type);
  link->SetCaption(GetParam().caption);
  ClickAt(30, 38);
  ASSERT_EQ(sys.shell.size(), 1u);
  const FakeSystem::Shell& call = sys.shell[0];
  EXPECT_EQ(call.owner, GetDesktopWindow());
  EXPECT_EQ(call.operation, L"open");
  EXPECT_EQ(call.file, GetParam().file);
  EXPECT_EQ(call.parameters, L"");
  EXPECT_EQ(call.directory, L"");
  EXPECT_EQ(call.show, SW_SHOWNORMAL);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, URLLabelHandOffTest,
    testing::Values(HandOff{"Web", TURLType::utHTTP, "www.zettly.example.com", L"http://www.zettly.example.com"},
                    HandOff{"WebInCapitals", TURLType::utHTTP, "HTTP://Zettly.Example.com",
                            L"HTTP://Zettly.Example.com"},
                    HandOff{"Mail", TURLType::utMailTo, "support@zettly.example.com",
                            L"mailto:support@zettly.example.com"},
                    HandOff{"Ftp", TURLType::utFTP, "ftp.zettly.example.com", L"ftp://ftp.zettly.example.com"},
                    HandOff{"NonAscii", TURLType::utHTTP, "zettly.example.com/\xC3\x9C" "ber",
                            L"http://zettly.example.com/\u00DCber"}),
    [](const testing::TestParamInfo<HandOff>& info) { return std::string(info.param.name); });

TEST_F(URLLabelTest, ClickNotificationRunsBeforeTheShellHandOff) {
  std::vector<size_t> calls_seen;
  link->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, link);
    calls_seen.push_back(sys.shell.size());
  };
  ClickAt(30, 38);
  EXPECT_EQ(calls_seen, std::vector<size_t>{0});
  EXPECT_EQ(sys.shell.size(), 1u);
}

// A failed hand-off (no program for the link, as on a desktop without a browser) is told to the
// user with the shell's reason; a successful one shows nothing.
TEST_F(URLLabelTest, FailedHandOffIsReportedAndASuccessfulOneIsNot) {
  ClickAt(30, 38);
  EXPECT_TRUE(sys.boxes.empty());
  sys.shell_result = SE_ERR_NOASSOC;
  ClickAt(30, 38);
  ASSERT_EQ(sys.boxes.size(), 1u);
  EXPECT_NE(sys.boxes[0].text.find(L"Unable to open http://www.zettly.example.com\n"), std::wstring::npos);
  EXPECT_GT(sys.boxes[0].text.size(), std::wstring(L"Unable to open http://www.zettly.example.com\n").size());
}

TEST_F(URLLabelTest, TargetFollowsTheCaptionOfEachClick) {
  ClickAt(30, 38);
  link->SetCaption("zettly.example.com/help");
  ClickAt(30, 38);
  ASSERT_EQ(sys.shell.size(), 2u);
  EXPECT_EQ(sys.shell[0].file, L"http://www.zettly.example.com");
  EXPECT_EQ(sys.shell[1].file, L"http://zettly.example.com/help");
}

TEST_F(URLLabelTest, ReleaseOutsideTheLabelOpensNothing) {
  Send(WM_LBUTTONDOWN, 30, 38, MK_LBUTTON);
  Send(WM_MOUSEMOVE, 250, 100, MK_LBUTTON);
  Send(WM_LBUTTONUP, 250, 100);
  EXPECT_TRUE(sys.shell.empty());
}

TEST_F(URLLabelTest, TwoLabelsShareTheLinkCursorFromTheResources) {
  // Whatever number 512 held before, a new label puts the link hand there again.
  Screen->SetCursors(LinkCursor, LoadCursorW(nullptr, IDC_CROSS));
  auto* second = new TURLLabel(&form);
  second->SetParent(&form);
  const HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), L"URLCURSOR_1");
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(Screen->Cursors(LinkCursor), hand);
  EXPECT_EQ(link->Cursor(), LinkCursor);
  EXPECT_EQ(second->Cursor(), LinkCursor);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 0u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST_F(URLLabelTest, TurnsBlueWhenTheMouseComesAndBlackWhenItGoes) {
  const TColor start = link->Font().Color();
  Send(WM_MOUSEMOVE, 250, 100);  // over the form: the label keeps its colour
  EXPECT_EQ(link->Font().Color(), start);
  Send(WM_MOUSEMOVE, 30, 38);
  EXPECT_EQ(link->Font().Color(), 0x00FF0000u);
  EXPECT_GT(PixelsOf(0x00FF0000), 0);
  Send(WM_MOUSEMOVE, 250, 100);  // off the label, still over the form
  EXPECT_EQ(link->Font().Color(), 0x00000000u);
  Send(WM_MOUSEMOVE, 31, 38);
  EXPECT_EQ(link->Font().Color(), 0x00FF0000u);
  SendMessageW(form.Handle(), WM_MOUSELEAVE, 0, 0);  // off the window altogether
  EXPECT_EQ(link->Font().Color(), 0x00000000u);
  EXPECT_EQ(PixelsOf(0x00FF0000), 0);
  EXPECT_GT(PixelsOf(0x00000000), 0);
}

TEST_F(URLLabelTest, UnderHighContrastTheLinkIsDrawnInTheThemesLinkColourWhateverTheMouseDid) {
  sys.high_contrast = true;
  const TColor themed = static_cast<TColor>(GetSysColor(COLOR_HOTLIGHT));
  ASSERT_NE(themed, 0x00FF0000u);
  EXPECT_GT(PixelsOf(themed), 0);
  Send(WM_MOUSEMOVE, 30, 38);
  EXPECT_EQ(link->Font().Color(), 0x00FF0000u);  // kept for when the theme goes
  EXPECT_GT(PixelsOf(themed), 0);
  EXPECT_EQ(PixelsOf(0x00FF0000), 0);
  sys.high_contrast = false;
  EXPECT_GT(PixelsOf(0x00FF0000), 0);
}

TEST_F(URLLabelTest, LabelMadeInAnotherColourEndsBlackAfterAVisit) {
  auto* red = new TURLLabel(&form);
  red->SetAutoSize(false);
  red->SetBounds(20, 70, 160, 16);
  red->Font().SetColor(clRed);
  red->SetParent(&form);
  Send(WM_MOUSEMOVE, 30, 78);
  EXPECT_EQ(red->Font().Color(), 0x00FF0000u);
  EXPECT_NE(link->Font().Color(), 0x00FF0000u);  // the other label was not visited
  SendMessageW(form.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(red->Font().Color(), 0x00000000u);  // never back to red
  EXPECT_EQ(red->Font().Style(), fsUnderline);
}

}  // namespace
