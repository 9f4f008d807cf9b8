// The page control is a real tab control: one tab per sheet with its caption and image, only the
// active sheet shown and filling the display area, a click on a tab switching pages; and the
// image list keeps its pictures' transparency without spoiling the bitmap it was given.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/res/resource.h"
#include "tests/win/support/Render.h"
#include "toolkit/win/ComCtrls.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/ImgList.h"

namespace {

std::wstring TabText(HWND tabs, int index, int* image = nullptr) {
  wchar_t buffer[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = buffer;
  item.cchTextMax = 64;
  SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
  if (image) *image = item.iImage;
  return buffer;
}

class PageControlTest : public testing::Test {
 protected:
  PageControlTest() : form(nullptr) {
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetBounds(0, 0, 320, 200);
    images = new TImageList(&form);
    images->AddMaskedResource(RES_ABOUTTAB, RES_KEY_COLOR);
    images->AddMaskedResource(RES_ABOUTTAB, RES_KEY_COLOR);
    pages = new TPageControl(&form);
    pages->SetBounds(0, 0, 316, 171);
    pages->SetParent(&form);
    pages->SetImages(images);
    first = new TTabSheet(&form);
    first->SetPageControl(pages);
    first->SetCaption("About");
    first->SetImageIndex(0);
    second = new TTabSheet(&form);
    second->SetPageControl(pages);
    second->SetCaption("More");
    second->SetImageIndex(1);
    form.FinishCreate();
  }
  HWND Tabs() { return pages->Handle(); }
  // The sheet says it is visible and its window agrees.
  static bool Shown(TTabSheet* sheet) {
    const bool window = (GetWindowLongW(sheet->Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    EXPECT_EQ(window, sheet->Visible());
    return sheet->Visible();
  }

  TForm form;
  TImageList* images;  // all owned by the form
  TPageControl* pages;
  TTabSheet* first;
  TTabSheet* second;
};

TEST_F(PageControlTest, OneTabPerSheetWithCaptionAndImage) {
  wchar_t class_name[64];
  GetClassNameW(Tabs(), class_name, 64);
  EXPECT_STREQ(class_name, WC_TABCONTROLW);
  ASSERT_EQ(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0), 2);
  int image = -2;
  EXPECT_EQ(TabText(Tabs(), 0, &image), L"About");
  EXPECT_EQ(image, 0);
  EXPECT_EQ(TabText(Tabs(), 1, &image), L"More");
  EXPECT_EQ(image, 1);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(Tabs(), TCM_GETIMAGELIST, 0, 0)), images->Handle());
}

TEST_F(PageControlTest, FirstSheetIsActiveAndFillsTheAreaBelowTheTabs) {
  EXPECT_EQ(pages->ActivePage(), first);
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(Shown(first));
  EXPECT_FALSE(Shown(second));
  EXPECT_EQ(GetParent(first->Handle()), Tabs());
  RECT tab;
  SendMessageW(Tabs(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  const TRect r = first->BoundsRect();
  EXPECT_GE(r.Top, static_cast<int>(tab.bottom));  // below the tabs
  EXPECT_GT(r.Left, 0);                            // inside the frame
  EXPECT_LT(r.Right, 316);
  EXPECT_LT(r.Bottom, 171);
  EXPECT_EQ(second->BoundsRect(), r);
  RECT actual;
  GetWindowRect(first->Handle(), &actual);
  MapWindowPoints(nullptr, Tabs(), reinterpret_cast<POINT*>(&actual), 2);
  EXPECT_EQ((TRect{actual.left, actual.top, actual.right, actual.bottom}), r);
}

TEST_F(PageControlTest, ClickOnATabShowsItsSheetAndTellsOnChange) {
  int changes = 0;
  pages->OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, pages);
    ++changes;
  };
  RECT tab;
  SendMessageW(Tabs(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  SendMessageW(Tabs(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(Tabs(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_TRUE(Shown(second));
  EXPECT_FALSE(Shown(first));
  EXPECT_EQ(changes, 1);
}

TEST_F(PageControlTest, SettingTheActivePageMovesTheTabSelection) {
  pages->SetActivePageIndex(1);
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(Shown(first));
  pages->SetActivePage(first);
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(Shown(first));
  EXPECT_FALSE(Shown(second));
}

TEST_F(PageControlTest, CaptionAndImageChangesReachTheTab) {
  second->SetCaption("Other");
  second->SetImageIndex(0);
  int image = -2;
  EXPECT_EQ(TabText(Tabs(), 1, &image), L"Other");
  EXPECT_EQ(image, 0);
}

TEST_F(PageControlTest, RemovedSheetTakesItsTabAlong) {
  delete first;
  ASSERT_EQ(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(TabText(Tabs(), 0), L"More");
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_TRUE(Shown(second));
  EXPECT_EQ(second->PageIndex(), 0);
}

TEST_F(PageControlTest, DestroyedImageListIsLetGo) {
  delete images;
  EXPECT_EQ(pages->Images(), nullptr);
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETIMAGELIST, 0, 0), 0);
}

TEST(ImageListTest, MaskedImagesDrawTransparentAndLeaveTheBitmapAlone) {
  TBitmap picture;
  ASSERT_TRUE(picture.LoadFromResourceName(RES_ABOUTTAB));
  ASSERT_EQ(picture.PixelAt(0, 15), RES_KEY_COLOR);  // the key colour sits bottom-left
  TImageList list(nullptr);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.AddMasked(picture, RES_KEY_COLOR), 0);
  EXPECT_EQ(list.AddMasked(picture, RES_KEY_COLOR), 1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(picture.PixelAt(0, 15), RES_KEY_COLOR);  // not blackened by the list

  RenderedImage image(16, 16);
  {
    TCanvas canvas(image.Dc());
    canvas.Brush.Color = clLime;
    canvas.FillRect({0, 0, 16, 16});
    list.Draw(canvas, 0, 0, 1);
    list.Draw(canvas, 0, 0, 7);  // no such image: nothing
  }
  // The picture has a colour table, on whose indices the list's masking works: every colour
  // must still come out as itself.
  int painted = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const TColor source = picture.PixelAt(x, y);
      const TColor shown = image.Pixel(x, y);
      EXPECT_EQ(shown, source == RES_KEY_COLOR ? clLime : source) << x << "," << y;
      painted += source != RES_KEY_COLOR;
    }
  EXPECT_GT(painted, 0);
}

TEST(ImageListTest, IconsGoInAndComeOut) {
  TImageList list(nullptr);
  EXPECT_EQ(list.AddIcon(nullptr), -1);
  UniqueIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), RES_TRAYICON, IMAGE_ICON, 16, 16, 0)));
  ASSERT_NE(icon.Get(), nullptr);
  EXPECT_EQ(list.AddIcon(icon.Get()), 0);
  UniqueIcon back = list.GetIcon(0);
  EXPECT_NE(back.Get(), nullptr);
  EXPECT_EQ(list.GetIcon(1).Get(), nullptr);
  list.SetSize(32, 32);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Width(), 32);
}

}  // namespace
