// What follows the screen and the user's theme: a form's window at its monitor's DPI once it
// exists and a move to another DPI in one step; colours resolved when painting, so a theme
// change needs only a repaint; a bitmap face drawn in the system's message font.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/support/FakeSystem.h"
#include "tests/win/support/SystemColour.h"
#include "toolkit/Scaling.h"
#include "toolkit/win/Dpi.h"
#include "toolkit/win/Edits.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Graphics.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WindowHooks.h"

namespace {

// Counts the moves and sizes of a window while it lives.
class PlacementCounter {
 public:
  explicit PlacementCounter(HWND window) : window_(window) { AddWindowHook(window_, Proc, 91, reinterpret_cast<DWORD_PTR>(this)); }
  ~PlacementCounter() { RemoveWindowHook(window_, Proc, 91); }
  PlacementCounter(const PlacementCounter&) = delete;
  PlacementCounter& operator=(const PlacementCounter&) = delete;
  std::vector<RECT> placed;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    if (msg == WM_WINDOWPOSCHANGED) {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
      if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
        reinterpret_cast<PlacementCounter*>(ref)->placed.push_back({pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy});
    }
    return CallNextWindowHook(h, msg, wp, lp);
  }
  HWND window_;
};

class FormDpiTest : public testing::Test {
 protected:
  FormDpiTest() : form(nullptr) {
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetBounds(40, 30, 200, 100);
    edit = new TEdit(&form);
    edit->SetBounds(10, 20, 100, 21);
    edit->SetParent(&form);
    form.FinishCreate();
  }
  TForm form;
  TEdit* edit;  // owned by the form
};

// Laid out for the monitor at its first place (here one at 150 %), the form's window lands on
// another: it comes up at that monitor's DPI, rescaled once before it is first seen.
TEST_F(FormDpiTest, TheWindowTakesItsMonitorsDpiOnceItExists) {
  form.ChangeScale(144);
  ASSERT_EQ(form.Width(), 300);
  const int monitor = WindowDpi(GetDesktopWindow());
  ASSERT_NE(monitor, 144);
  form.Handle();
  EXPECT_EQ(form.Dpi(), monitor);
  EXPECT_EQ(edit->Dpi(), monitor);
  RECT r;
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.right - r.left, ScaleForDpi(200, monitor));
  EXPECT_EQ(edit->Width(), ScaleForDpi(100, monitor));
}

TEST_F(FormDpiTest, AMoveToAnotherDpiTakesTheSuggestedRectangleInOneMove) {
  form.Show();
  const PlacementCounter counter(form.Handle());
  RECT suggested{700, 400, 1000, 550};  // on the other monitor, as the system places it
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  ASSERT_EQ(counter.placed.size(), 1u);
  EXPECT_EQ(counter.placed[0].left, 700);
  EXPECT_EQ(counter.placed[0].right, 1000);
  EXPECT_EQ(form.Dpi(), 144);
  EXPECT_EQ(edit->Width(), 150);
  EXPECT_EQ(form.Left(), 700);
  EXPECT_EQ(form.Height(), 150);
}

COLORREF BrushColour(LRESULT brush) {
  LOGBRUSH b{};
  GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof b, &b);
  return b.lbColor;
}

TEST_F(FormDpiTest, AnEditsBackgroundAndTextFollowTheThemeAtEachPaint) {
  WithFakeSystem sys;
  edit->Font().SetColor(clNavy);
  form.Show();
  const WindowDC dc(edit->Handle());
  const auto ask = [&] {
    return SendMessageW(form.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
                        reinterpret_cast<LPARAM>(edit->Handle()));
  };
  EXPECT_EQ(BrushColour(ask()), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetTextColor(dc.Get()), COLORREF{clNavy});
  {
    const SystemColourFor dark(COLOR_WINDOW, RGB(0, 0, 0));  // a dark high-contrast theme
    sys.high_contrast = true;
    EXPECT_EQ(BrushColour(ask()), RGB(0, 0, 0));  // not the brush made for the old colour
    EXPECT_EQ(GetTextColor(dc.Get()), GetSysColor(COLOR_WINDOWTEXT));  // navy gives way to the theme's pair
  }
  sys.high_contrast = false;
  EXPECT_EQ(BrushColour(ask()), GetSysColor(COLOR_WINDOW));
}

// Faces GDI answers with TrueType, as this system has them.
std::vector<std::wstring> TrueTypeFaces() {
  std::vector<std::wstring> faces;
  LOGFONTW any{};
  any.lfCharSet = DEFAULT_CHARSET;
  const WindowDC screen(nullptr);
  EnumFontFamiliesExW(
      screen.Get(), &any,
      [](const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM p) -> int {
        if ((type & TRUETYPE_FONTTYPE) && lf->lfFaceName[0] != L'@')
          reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(lf->lfFaceName);
        return 1;
      },
      reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

// Windows' bitmap "MS Sans Serif" (Wine has one too), for this process alone while it lives.
class BitmapSansSerif {
 public:
  BitmapSansSerif() {
    wchar_t windows[MAX_PATH] = L"";
    GetWindowsDirectoryW(windows, MAX_PATH);
    for (const std::wstring& file : {std::wstring(windows) + L"\\Fonts\\sserife.fon",
                                     std::wstring(L"Z:\\usr\\share\\wine\\fonts\\sserife.fon")})
      if (AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr) > 0) {
        file_ = file;
        break;
      }
  }
  ~BitmapSansSerif() {
    if (!file_.empty()) RemoveFontResourceExW(file_.c_str(), FR_PRIVATE, nullptr);
  }
  BitmapSansSerif(const BitmapSansSerif&) = delete;
  BitmapSansSerif& operator=(const BitmapSansSerif&) = delete;
  bool Loaded() const { return !file_.empty(); }

 private:
  std::wstring file_;
};

std::wstring DrawnFace(const TFont& font) {
  const WindowDC screen(nullptr);
  const SelectObjectScope select(screen.Get(), font.Handle());
  wchar_t face[LF_FACESIZE] = L"";
  GetTextFaceW(screen.Get(), LF_FACESIZE, face);
  return face;
}

TEST(FontFaceTest, ABitmapFaceIsDrawnInTheMessageFontAtTheSameHeight) {
  const BitmapSansSerif bitmap;
  ASSERT_TRUE(bitmap.Loaded());
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  TFont message;
  message.SetName(ToUtf8(metrics.lfMessageFont.lfFaceName));
  TFont asked;
  asked.SetHeight(-13);
  asked.SetName("MS Sans Serif");
  EXPECT_NE(DrawnFace(asked), L"MS Sans Serif");
  EXPECT_EQ(DrawnFace(asked), DrawnFace(message));
  LOGFONTW made{};
  GetObjectW(asked.Handle(), sizeof made, &made);
  EXPECT_EQ(made.lfHeight, -13);

  const std::vector<std::wstring> trueType = TrueTypeFaces();
  ASSERT_FALSE(trueType.empty());
  TFont kept;
  kept.SetName(ToUtf8(trueType.front()));
  EXPECT_EQ(DrawnFace(kept), trueType.front());
}

}  // namespace
