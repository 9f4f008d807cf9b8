// The windows at 120, 144 and 192 DPI, reached as on a move to such a monitor (WM_DPICHANGED with
// the system's suggested rectangle): sizes and places scale exactly, fonts keep their points,
// pictures come at their own scale, the note's corners and the clock follow, and a move back to
// 96 DPI restores every pixel.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/win/EditorForm.h"
#include "app/win/InfoForm.h"
#include "tests/win/StickTestSupport.h"
#include "toolkit/Scaling.h"
#include "app/res/resource.h"

namespace {

// Sends what the system sends when the window lands on a monitor of this DPI: the new DPI and
// the window's rectangle there, its top-left kept.
void MoveToDpi(TForm& form, int dpi, SIZE clientAt96) {
  RECT r;
  GetWindowRect(form.Handle(), &r);
  RECT client{0, 0, ScaleForDpi(clientAt96.cx, dpi), ScaleForDpi(clientAt96.cy, dpi)};
  AdjustWindowRectEx(&client, GetWindowLongW(form.Handle(), GWL_STYLE), FALSE, GetWindowLongW(form.Handle(), GWL_EXSTYLE));
  RECT suggested{r.left, r.top, r.left + client.right - client.left, r.top + client.bottom - client.top};
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

SIZE ClientSize(TForm& form) {
  RECT r;
  GetClientRect(form.Handle(), &r);
  return {r.right, r.bottom};
}

bool InRegion(HWND window, int x, int y) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool inside = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
  DeleteObject(region);
  return inside;
}

class StickScalingTest : public StickTest, public testing::WithParamInterface<int> {};

TEST_P(StickScalingTest, NoteWindowLaysItselfOutAtTheNewDpiAndBackWithoutDrift) {
  const int dpi = GetParam();
  const auto S = [dpi](int v) { return ScaleForDpi(v, dpi); };
  Start({{"A", "a.txt", 5000}});
  std::map<TControl*, TRect> at96;
  for (TControl* c : Ui(form).NotePanel->Controls()) at96[c] = c->BoundsRect();
  for (int n = 1; n <= ClockCellCount; ++n) at96[Ui(form).DigitalClock->Cells(n)] = Ui(form).DigitalClock->Cells(n)->BoundsRect();
  const int fontAt96 = form->Font().Height();
  RECT before;
  GetWindowRect(form->Handle(), &before);

  MoveToDpi(*form, dpi, {245, 175});
  RECT after;
  GetWindowRect(form->Handle(), &after);
  EXPECT_EQ(after.left, before.left);  // the stored top-left keeps its meaning
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(ClientSize(*form).cx, S(245));
  EXPECT_EQ(ClientSize(*form).cy, S(175));
  EXPECT_EQ(Ui(form).NoteLabel->BoundsRect(), ScaleForDpi(Bounds(7, 29, 226, 100), dpi));
  EXPECT_EQ(Ui(form).NewSpeedBtn->BoundsRect(), ScaleForDpi(Bounds(116, 148, 20, 20), dpi));
  EXPECT_EQ(Ui(form).CounterLabel->BoundsRect(), ScaleForDpi(Bounds(141, 152, 46, 13), dpi));
  EXPECT_EQ(form->Font().Height(), FontHeightForDpi(FontPointsForDpi(fontAt96, 96), dpi));

  // Pictures drawn for the scale, not the 100 % ones; the exit picture fills its scaled box.
  const int scale = PictureScale(dpi);
  EXPECT_EQ(Ui(form).NewSpeedBtn->Glyph().Width(), 2 * PictureLength(16, scale));
  EXPECT_EQ(Ui(form).ExitImage->Picture().Width(), PictureLength(22, scale));
  EXPECT_EQ(Ui(form).ExitImage->BoundsRect(), ScaleForDpi(Bounds(0, 0, 22, 26), dpi));

  // The rounded corners are scaled: a point that a 20-pixel corner would leave inside is cut off.
  HWND h = form->Handle();
  EXPECT_FALSE(InRegion(h, S(2), S(2)));
  EXPECT_FALSE(InRegion(h, S(245) - S(2), S(175) - S(2)));
  EXPECT_TRUE(InRegion(h, S(6), S(6)));
  EXPECT_TRUE(InRegion(h, S(245) / 2, 0));

  // The clock's cells and strokes scale with it, and it keeps ticking.
  TDigitClock* clock = Ui(form).DigitalClock;
  EXPECT_EQ(clock->BoundsRect(), ScaleForDpi(Bounds(49, 2, 89, 25), dpi));
  for (int n = 1; n <= ClockCellCount; ++n)
    EXPECT_EQ(clock->Cells(n)->BoundsRect(), ScaleForDpi(at96[clock->Cells(n)], dpi)) << "cell " << n;
  for (int n : {1, 7}) {
    const TCharLed* cell = clock->Cells(n);
    EXPECT_EQ((TLedStrokes{cell->CharWidth(), cell->CharHeight(), cell->BorderWidth()}),
              ScaleLedStrokes({n <= 5 ? 2 : 1, n <= 5 ? 2 : 1, 1}, dpi)) << "cell " << n;
  }
  EXPECT_TRUE(clock->TickTimer()->Enabled());

  // Hit testing follows: the pointer over a button's scaled middle is over that button.
  const TRect forward = Ui(form).ForwardSpeedBtn->BoundsRect();
  EXPECT_EQ(Ui(form).NotePanel->ControlAtPos({(forward.Left + forward.Right) / 2, (forward.Top + forward.Bottom) / 2}),
            Ui(form).ForwardSpeedBtn);

  MoveToDpi(*form, 96, {245, 175});
  EXPECT_EQ(ClientSize(*form).cx, 245);
  EXPECT_EQ(ClientSize(*form).cy, 175);
  EXPECT_EQ(form->Font().Height(), fontAt96);
  for (const auto& [control, rect] : at96) EXPECT_EQ(control->BoundsRect(), rect) << control->Name();
  EXPECT_EQ(Ui(form).NewSpeedBtn->Glyph().Width(), 32);
}

INSTANTIATE_TEST_SUITE_P(Dpi, StickScalingTest, testing::Values(120, 144, 192));

// The dialogs: client areas, their fonts' point sizes, the oval buttons' rings and the tab icon.
TEST(DialogScaling, EditorAndAboutBoxScaleTheirClientAreasFontsBevelsAndIcons) {
  WithFakeSystem sys;
  TEditorForm editor(nullptr, Context());
  MoveToDpi(editor, 144, {225, 235});
  EXPECT_EQ(ClientSize(editor).cx, ScaleForDpi(225, 144));
  EXPECT_EQ(ClientSize(editor).cy, ScaleForDpi(235, 144));
  EXPECT_EQ(editor.Font().Height(), FontHeightForDpi(8, 144));
  EXPECT_EQ(editor.NoteEdit->BoundsRect(), ScaleForDpi(Bounds(4, 20, 218, 86), 144));

  TInfoForm info(nullptr, {"www.zettly.example.com", "support@zettly.example.com"});
  const int linkAt96 = info.WebLink->Width();
  MoveToDpi(info, 192, {316, 208});
  EXPECT_EQ(ClientSize(info).cx, 632);
  EXPECT_EQ(ClientSize(info).cy, 416);
  EXPECT_EQ(info.CloseButton->BoundsRect(), Bounds(252, 350, 128, 62));
  EXPECT_EQ(info.CloseButton->BevelWidth(), 4);
  EXPECT_EQ(info.CloseButton->Font().Height(), FontHeightForDpi(8, 192));
  // A link sized to its text is sized to it in the new font (about twice as wide, not scaled
  // once more on top), and stays in the middle.
  EXPECT_GT(info.WebLink->Width(), 3 * linkAt96 / 2);
  EXPECT_LT(info.WebLink->Width(), 5 * linkAt96 / 2);
  EXPECT_NEAR(info.WebLink->Left() + info.WebLink->Width() / 2, info.AboutPanel->Width() / 2, 1);
  EXPECT_EQ(info.TabImages->Width(), 32);
  EXPECT_EQ(info.TabImages->Count(), 1);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(info.Pages->Handle(), TCM_GETIMAGELIST, 0, 0)),
            info.TabImages->Handle());
}

}  // namespace
