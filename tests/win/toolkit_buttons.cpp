// Speed buttons and pictures: group toggling with Down and AllowAllUp, the two-state glyph with
// its key colour, the flat frame that appears under the pointer, transparent pictures.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win/support/Render.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Image.h"

namespace {

// A 2-image glyph strip of 4x4 images: red enabled, blue disabled, magenta key in the corners.
void GlyphStrip(TBitmap& out, int images = 2) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 4 * images, -4, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<uint32_t*>(bits);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4 * images; ++x) {
      const bool corner = (x % 4 == 0 || x % 4 == 3) && (y == 0 || y == 3);
      px[y * 4 * images + x] = corner ? 0xFF00FF : (x < 4 ? 0xFF0000 : 0x0000FF);  // 0xRRGGBB in memory
    }
  out.SetHandle(b);
}

class ButtonTest : public testing::Test {
 protected:
  ButtonTest() : form(nullptr) {
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetBounds(0, 0, 120, 40);
    form.SetColor(clWhite);
    for (int i = 0; i < 3; ++i) {
      b[i] = new TSpeedButton(&form);
      b[i]->SetBounds(i * 30, 0, 24, 22);
      b[i]->SetParent(&form);
      b[i]->OnClick = [this, i](TObject*) { clicks.push_back(i); };
    }
    form.FinishCreate();
  }
  void Click(int i) {
    const LPARAM at = MAKELPARAM(b[i]->Left() + 5, 5);
    SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(form.Handle(), WM_LBUTTONUP, 0, at);
  }
  std::vector<bool> Downs() const { return {b[0]->Down(), b[1]->Down(), b[2]->Down()}; }

  TForm form;
  TSpeedButton* b[3];
  std::vector<int> clicks;
};

TEST_F(ButtonTest, WithoutAGroupAButtonNeverStaysDown) {
  b[0]->SetDown(true);
  Click(0);
  EXPECT_EQ(Downs(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(clicks, std::vector<int>{0});
}

TEST_F(ButtonTest, AGroupKeepsOneButtonDown) {
  for (TSpeedButton* x : b) x->SetGroupIndex(1);
  Click(0);
  EXPECT_EQ(Downs(), (std::vector<bool>{true, false, false}));
  Click(2);
  EXPECT_EQ(Downs(), (std::vector<bool>{false, false, true}));
  Click(2);  // without AllowAllUp the down button stays down
  EXPECT_EQ(Downs(), (std::vector<bool>{false, false, true}));
  b[2]->SetDown(false);
  EXPECT_TRUE(b[2]->Down());
  EXPECT_EQ(clicks, (std::vector<int>{0, 2, 2}));
}

TEST_F(ButtonTest, ALoneButtonWithAllowAllUpToggles) {
  b[1]->SetGroupIndex(7);
  b[1]->SetAllowAllUp(true);
  std::vector<bool> seen;
  b[1]->OnClick = [&](TObject*) { seen.push_back(b[1]->Down()); };  // the state is new by then
  Click(1);
  Click(1);
  Click(1);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
  b[1]->SetDown(false);
  EXPECT_FALSE(b[1]->Down());
}

TEST_F(ButtonTest, AReleaseOutsideIsNoClickAndTheButtonPopsBackUp) {
  SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(b[0]->Pressed());
  SendMessageW(form.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 30));
  EXPECT_FALSE(b[0]->Pressed());
  SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 30));
  EXPECT_TRUE(clicks.empty());
}

TEST_F(ButtonTest, TheGlyphShowsItsEnabledOrDisabledImageWithoutTheKeyColour) {
  TBitmap strip;
  GlyphStrip(strip);
  b[0]->SetGlyph(strip);
  b[0]->SetNumGlyphs(2);
  b[0]->SetFlat(true);
  auto count = [&](TColor c) {
    RenderedImage image(120, 40);
    Render(form, image);
    int n = 0;
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 24; ++x) n += image.Pixel(x, y) == c;
    return n;
  };
  EXPECT_EQ(count(clRed), 12);  // 16 pixels less the 4 key-coloured corners
  EXPECT_EQ(count(clBlue), 0);
  EXPECT_EQ(count(RGBColor(255, 0, 255)), 0);
  EXPECT_EQ(count(ColorToRGB(clBtnShadow)), 0);  // flat: no frame yet
  b[0]->SetEnabled(false);
  EXPECT_EQ(count(clRed), 0);
  EXPECT_EQ(count(clBlue), 12);
}

TEST_F(ButtonTest, AFlatButtonShowsItsFrameOnlyUnderThePointer) {
  b[0]->SetFlat(true);
  auto frame = [&] {
    RenderedImage image(120, 40);
    Render(form, image);
    return image.Pixel(23, 10) == ColorToRGB(clBtnShadow);  // the right edge
  };
  EXPECT_FALSE(frame());
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(b[0]->Hot());
  EXPECT_TRUE(frame());
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(110, 35));
  EXPECT_FALSE(frame());
}

TEST(ImageTest, ATransparentPictureLetsTheParentShowThroughItsKeyColour) {
  TForm form(nullptr);
  form.SetBorderStyle(TBorderStyle::bsNone);
  form.SetBounds(0, 0, 20, 20);
  form.SetColor(clLime);
  auto* image = new TImage(&form);
  image->SetBounds(2, 2, 8, 8);
  TBitmap picture;
  GlyphStrip(picture, 1);
  image->SetPicture(picture);
  image->SetParent(&form);
  form.FinishCreate();
  for (const bool transparent : {false, true}) {
    image->SetTransparent(transparent);
    RenderedImage out(20, 20);
    Render(form, out);
    EXPECT_EQ(out.Pixel(3, 3), clRed);
    EXPECT_EQ(out.Pixel(2, 2), transparent ? clLime : RGBColor(255, 0, 255)) << transparent;
    EXPECT_EQ(out.Pixel(7, 7), clLime);  // outside the 4x4 picture
  }
}

}  // namespace
