// Resource pictures drawn for the control's DPI: loaded again when it changes, but never over a
// picture the program set itself, and never lost to a load that failed.
#include <gtest/gtest.h>

#include "app/res/resource.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/Image.h"

namespace {

// A square picture of the program's own, not from a resource.
struct OwnPicture : TBitmap {
  explicit OwnPicture(int size) { SetHandle(CreateBitmap(size, size, 1, 32, nullptr)); }
};

TEST(ScaledPictures, AGlyphFromAResourceFollowsTheDpiAndASetOneStays) {
  TSpeedButton button(nullptr);
  ASSERT_TRUE(button.LoadGlyph(RES_GLYPH_NEW));
  const int at96 = button.Glyph().Width();
  EXPECT_FALSE(button.LoadGlyph(L"NO_SUCH_PICTURE"));
  EXPECT_EQ(button.Glyph().Width(), at96);
  button.ChangeScale(192);
  EXPECT_EQ(button.Glyph().Width(), 2 * at96);  // the resource that loaded, drawn at 200 %

  button.SetGlyph(OwnPicture(5));
  button.ChangeScale(96);
  EXPECT_EQ(button.Glyph().Width(), 5);
}

TEST(ScaledPictures, AnImageFromAResourceFollowsTheDpiAndASetOneStays) {
  TImage image(nullptr);
  image.SetPicture(OwnPicture(7));
  image.ChangeScale(144);
  EXPECT_EQ(image.Picture().Width(), 7);

  ASSERT_TRUE(image.LoadPicture(RES_EXITPIC));
  const int at144 = image.Picture().Width();
  image.ChangeScale(192);
  EXPECT_GT(image.Picture().Width(), at144);
  image.ChangeScale(144);
  EXPECT_EQ(image.Picture().Width(), at144);
}

}  // namespace
