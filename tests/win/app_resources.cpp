// The program's pictures load from its own module with the sizes, formats and transparency the
// code relies on: icons with their exact sizes, the hand cursor and its hot spot, the glyph strips
// with their key-coloured background.
#include <windows.h>

#include <gmock/gmock.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/res/resource.h"
#include "tests/win/support/Render.h"
#include "toolkit/Scaling.h"
#include "toolkit/win/Graphics.h"
#include "toolkit/win/Handles.h"

namespace {

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

// The raw bytes of a resource of this module, or nothing.
std::pair<const BYTE*, DWORD> RawResource(LPCWSTR name, LPCWSTR type) {
  HRSRC found = FindResourceW(Module(), name, type);
  if (!found) return {nullptr, 0};
  HGLOBAL loaded = LoadResource(Module(), found);
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(Module(), found)};
}

// A 32-bit top-down DIB section filled with one colour, to draw icons and cursors on.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill)
      : w_(w), h_(h), dc_(nullptr), bitmap_(TopDownDib(dc_.Get(), w, h, bits_)), select_(dc_.Get(), bitmap_.Get()) {
    const std::uint32_t px = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    for (int i = 0; i < w * h; ++i) bits_[i] = px;
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC Dc() const { return dc_.Get(); }
  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * w_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int Height() const { return h_; }

 private:
  int w_, h_;
  std::uint32_t* bits_ = nullptr;
  CompatibleDC dc_;
  UniqueBitmap bitmap_;
  SelectObjectScope select_;
};

// The pixels of a bitmap, top-down, as COLORREFs.
std::vector<COLORREF> Pixels(HBITMAP bitmap, int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> raw(static_cast<size_t>(w * h));
  const WindowDC screen(nullptr);
  const int lines = GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(h), raw.data(), &bi, DIB_RGB_COLORS);
  EXPECT_EQ(lines, h);
  std::vector<COLORREF> out;
  for (std::uint32_t p : raw) out.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  return out;
}

bool IsYellow(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 170 && GetBValue(c) < 140; }

const COLORREF kBlue = RGB(0, 0, 200);

// ---------------------------------------------------------------- icons

struct IconCase {
  const wchar_t* name;
  int size;
};

int AtScale(int length, int scale) { return PictureLength(length, scale); }

class AppResourceIcon : public testing::TestWithParam<IconCase> {};

// The size must be stored as such, not scaled by the loader from another size.
TEST_P(AppResourceIcon, HoldsTheSizeAsA32BitImage) {
  const IconCase c = GetParam();
  auto [group, groupSize] = RawResource(c.name, RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, c.size, c.size,
                                             LR_DEFAULTCOLOR);
  ASSERT_NE(id, 0);
  auto [image, imageSize] = RawResource(MAKEINTRESOURCEW(id), RT_ICON);
  ASSERT_NE(image, nullptr);
  if (c.size == 256) {
    // The largest image is a PNG stream: the signature, then IHDR of 8-bit RGBA at the size.
    ASSERT_GE(imageSize, 8u + 8u + 13u);
    const BYTE* png = static_cast<const BYTE*>(image);
    EXPECT_EQ(std::memcmp(png, "\x89PNG\r\n\x1a\n", 8), 0);
    EXPECT_EQ(std::memcmp(png + 12, "IHDR", 4), 0);
    const auto bigEndian = [&](int at) {
      return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    };
    EXPECT_EQ(bigEndian(16), c.size);
    EXPECT_EQ(bigEndian(20), c.size);
    EXPECT_EQ(png[24], 8);  // bits per channel
    EXPECT_EQ(png[25], 6);  // RGBA
    return;
  }
  ASSERT_GE(imageSize, sizeof(BITMAPINFOHEADER));
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image);
  EXPECT_EQ(header->biWidth, c.size);
  EXPECT_EQ(header->biHeight, 2 * c.size);  // colour image and AND mask
  EXPECT_EQ(header->biBitCount, 32);
}

// A yellow note on a transparent ground: the corner shows what lies below, the middle is yellow.
TEST_P(AppResourceIcon, DrawsAYellowNoteWithTransparentCorners) {
  const IconCase c = GetParam();
  HICON icon = static_cast<HICON>(LoadImageW(Module(), c.name, IMAGE_ICON, c.size, c.size, 0));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  EXPECT_TRUE(info.fIcon);
  BITMAP colour{};
  ASSERT_NE(info.hbmColor, nullptr);
  GetObjectW(info.hbmColor, sizeof(colour), &colour);
  EXPECT_EQ(colour.bmWidth, c.size);
  EXPECT_EQ(colour.bmHeight, c.size);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  Canvas canvas(c.size, c.size, kBlue);
  ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, c.size, c.size, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(canvas.Pixel(0, 0), kBlue);
  // The corner folded away is the bottom-right one, so the picture is the right way up.
  EXPECT_EQ(canvas.Pixel(c.size - 3, c.size - 3), kBlue);
  EXPECT_NE(canvas.Pixel(c.size - 1 - c.size / 8, c.size / 8), kBlue);

  // Drawing without alpha (the AND mask alone, as older shells and image lists do) agrees.
  Canvas mask(c.size, c.size, kBlue);
  ASSERT_TRUE(DrawIconEx(mask.Dc(), 0, 0, icon, c.size, c.size, 0, nullptr, DI_MASK));
  EXPECT_EQ(mask.Pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(mask.Pixel(c.size / 2, c.size / 2), RGB(0, 0, 0));
  const COLORREF middle = canvas.Pixel(c.size / 2 - 2, c.size / 2 - 1);
  EXPECT_TRUE(IsYellow(middle)) << std::hex << middle;
  DestroyIcon(icon);
}

INSTANTIATE_TEST_SUITE_P(Icons, AppResourceIcon,
                         testing::Values(IconCase{RES_MAINICON, 16}, IconCase{RES_MAINICON, 20},
                                         IconCase{RES_MAINICON, 24}, IconCase{RES_MAINICON, 32},
                                         IconCase{RES_MAINICON, 40}, IconCase{RES_MAINICON, 48},
                                         IconCase{RES_MAINICON, 64}, IconCase{RES_MAINICON, 256},
                                         IconCase{RES_TRAYICON, 16}, IconCase{RES_TRAYICON, 20},
                                         IconCase{RES_TRAYICON, 24}, IconCase{RES_TRAYICON, 32}),
                         [](const testing::TestParamInfo<IconCase>& info) {
                           const std::wstring n = info.param.name;
                           return std::string(n.begin(), n.end()) + "_" +
                                  std::to_string(info.param.size);
                         });

// The shell shows a program's first icon group; that must be the program icon.
TEST(AppResources, MainIconIsTheModulesFirstIcon) {
  std::wstring first;
  EnumResourceNamesW(
      Module(), RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
        auto* out = reinterpret_cast<std::wstring*>(param);
        *out = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                    : std::wstring(name);
        return FALSE;
      },
      reinterpret_cast<LONG_PTR>(&first));
  EXPECT_EQ(first, RES_MAINICON);
}

// ---------------------------------------------------------------- cursor

TEST(AppResources, UrlCursorIsAMonochrome32x32HandWithTheHotSpotOnTheFingertip) {
  auto [group, groupSize] = RawResource(RES_URLCURSOR, RT_GROUP_CURSOR);
  ASSERT_NE(group, nullptr);
  const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), FALSE, 32, 32, LR_MONOCHROME);
  ASSERT_NE(id, 0);
  auto [image, imageSize] = RawResource(MAKEINTRESOURCEW(id), RT_CURSOR);
  ASSERT_GE(imageSize, 4 + sizeof(BITMAPINFOHEADER));
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image + 4);  // after the hot spot
  EXPECT_EQ(header->biWidth, 32);
  EXPECT_EQ(header->biHeight, 64);
  EXPECT_EQ(header->biBitCount, 1);

  HCURSOR cursor = LoadCursorW(Module(), RES_URLCURSOR);
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 0u);
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof(mask), &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  // Drawn on grey: the fingertip under the hot spot is black, the finger white, the rest clear.
  const COLORREF grey = RGB(128, 128, 128);
  Canvas canvas(32, 32, grey);
  ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(canvas.Pixel(5, 0), RGB(0, 0, 0));
  EXPECT_EQ(canvas.Pixel(5, 1), RGB(255, 255, 255));
  EXPECT_EQ(canvas.Pixel(0, 0), grey);
  EXPECT_EQ(canvas.Pixel(31, 31), grey);
}

// The hand drawn for larger screens: the system's cursor size at that scale, the hot spot still
// on the black outline of the fingertip with white finger below it.
class AppResourceScaledCursor : public testing::TestWithParam<int> {};

TEST_P(AppResourceScaledCursor, IsTheHandAtItsSizeWithTheHotSpotOnTheFingertip) {
  const int scale = GetParam(), size = AtScale(32, scale);
  const std::wstring name = PictureResourceName(RES_URLCURSOR, scale);
  HCURSOR cursor = static_cast<HCURSOR>(LoadImageW(Module(), name.c_str(), IMAGE_CURSOR, size, size, 0));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof(mask), &mask);
  EXPECT_EQ(mask.bmWidth, size);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  const COLORREF grey = RGB(128, 128, 128);
  Canvas canvas(size, size, grey);
  ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, cursor, size, size, 0, nullptr, DI_NORMAL));
  const int x = static_cast<int>(info.xHotspot), y = static_cast<int>(info.yHotspot);
  EXPECT_EQ(canvas.Pixel(x, y), RGB(0, 0, 0));
  int below = y + 1;
  while (below < size && canvas.Pixel(x, below) == RGB(0, 0, 0)) ++below;
  ASSERT_LT(below, size / 2);
  EXPECT_EQ(canvas.Pixel(x, below), RGB(255, 255, 255));  // inside the finger, not beside it
  EXPECT_EQ(canvas.Pixel(size - 1, size - 1), grey);
  DestroyCursor(cursor);
}

INSTANTIATE_TEST_SUITE_P(Scales, AppResourceScaledCursor, testing::Values(125, 150, 200));

// ---------------------------------------------------------------- bitmaps

struct BitmapCase {
  std::wstring name;
  int width, height, images;
};

class AppResourceBitmap : public testing::TestWithParam<BitmapCase> {
 protected:
  void SetUp() override {
    const BitmapCase c = GetParam();
    auto [raw, rawSize] = RawResource(c.name.c_str(), RT_BITMAP);
    ASSERT_NE(raw, nullptr);
    ASSERT_GE(rawSize, sizeof(BITMAPINFOHEADER));
    bitsPerPixel_ = reinterpret_cast<const BITMAPINFOHEADER*>(raw)->biBitCount;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(Module(), c.name.c_str(), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm{};
    GetObjectW(bitmap, sizeof(bm), &bm);
    width_ = bm.bmWidth;
    height_ = bm.bmHeight;
    if (width_ == c.width && height_ == c.height) pixels_ = Pixels(bitmap, width_, height_);
    DeleteObject(bitmap);
  }
  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
  int bitsPerPixel_ = 0, width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};

TEST_P(AppResourceBitmap, HasItsSizeAndAKeyColouredBottomLeftPixelInEveryImage) {
  const BitmapCase c = GetParam();
  EXPECT_LE(bitsPerPixel_, 8);  // a colour table: our pictures have a handful of colours
  ASSERT_EQ(width_, c.width);
  ASSERT_EQ(height_, c.height);
  const int w = c.width / c.images;
  for (int i = 0; i < c.images; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(At(i * w, c.height - 1), static_cast<COLORREF>(RES_KEY_COLOR));
    int drawn = 0;
    for (int y = 0; y < c.height; ++y)
      for (int x = i * w; x < (i + 1) * w; ++x) drawn += At(x, y) != RES_KEY_COLOR;
    EXPECT_GT(drawn, w * c.height / 20) << "the image is (nearly) empty";
    EXPECT_GT(w * c.height - drawn, w * c.height / 10) << "the image has no background";
  }
}

// The program loads its pictures as DIB sections, which keep the file's colour table, and draws
// them keyed on their bottom-left pixel: exactly the picture's own pixels must show, and the
// background wherever the key colour is.
TEST_P(AppResourceBitmap, DrawsItsOwnPixelsAndTheBackgroundForTheKey) {
  const BitmapCase c = GetParam();
  ASSERT_EQ(width_, c.width);
  ASSERT_EQ(height_, c.height);
  TBitmap picture;
  ASSERT_TRUE(picture.LoadFromResourceName(c.name));
  const TColor key = picture.PixelAt(0, c.height - 1);
  EXPECT_EQ(key, RES_KEY_COLOR);
  const COLORREF background = RGB(0, 0xFF, 0);
  Canvas shown(c.width, c.height, background);
  {
    TCanvas canvas(shown.Dc());
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.BrushCopy({0, 0, c.width, c.height}, picture, {0, 0, c.width, c.height}, key);
  }
  int wrong = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x)
      wrong += shown.Pixel(x, y) != (At(x, y) == RES_KEY_COLOR ? background : At(x, y));
  EXPECT_EQ(wrong, 0);
}

// The second image of a glyph is the disabled look: only greys on the key colour, and not the
// first image again.
class AppResourceGlyph : public AppResourceBitmap {};

TEST_P(AppResourceGlyph, SecondImageIsGrey) {
  const BitmapCase c = GetParam();
  ASSERT_EQ(width_, c.width);
  const int w = c.width / c.images;
  bool differs = false;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF p = At(w + x, y);
      differs |= p != At(x, y);
      if (p == RES_KEY_COLOR) continue;
      EXPECT_TRUE(GetRValue(p) == GetGValue(p) && GetGValue(p) == GetBValue(p))
          << "colour " << std::hex << p << " at " << std::dec << x << "," << y;
    }
  EXPECT_TRUE(differs);
}

// Every picture at every scale: the 100 % size scaled as a layout is, so a glyph fills the
// scaled button exactly as at 100 %.
std::vector<BitmapCase> AtAllScales(const wchar_t* name, int width, int height, int images) {
  std::vector<BitmapCase> cases;
  for (int scale : kPictureScales)
    cases.push_back({PictureResourceName(name, scale), AtScale(width / images, scale) * images,
                     AtScale(height, scale), images});
  return cases;
}

std::vector<BitmapCase> Glyphs() {
  std::vector<BitmapCase> all;
  for (const wchar_t* name : {RES_GLYPH_FORWARD, RES_GLYPH_BACK, RES_GLYPH_NEW, RES_GLYPH_EDIT,
                              RES_GLYPH_TRASH, RES_GLYPH_ATTACH, RES_GLYPH_ABOUT, RES_GLYPH_HELP,
                              RES_GLYPH_CYCLE, RES_GLYPH_ESTIMATE})
    for (BitmapCase c : AtAllScales(name, RES_GLYPH_IMAGES * RES_GLYPH_SIZE, RES_GLYPH_SIZE, RES_GLYPH_IMAGES))
      all.push_back(c);
  return all;
}

std::vector<BitmapCase> Pictures() {
  std::vector<BitmapCase> all = AtAllScales(RES_EXITPIC, RES_EXITPIC_WIDTH, RES_EXITPIC_HEIGHT, 1);
  for (BitmapCase c : AtAllScales(RES_ABOUTTAB, 16, 16, 1)) all.push_back(c);
  return all;
}

std::string CaseName(const testing::TestParamInfo<BitmapCase>& info) {
  return std::string(info.param.name.begin(), info.param.name.end());
}

INSTANTIATE_TEST_SUITE_P(Glyphs, AppResourceBitmap, testing::ValuesIn(Glyphs()), CaseName);
INSTANTIATE_TEST_SUITE_P(Pictures, AppResourceBitmap, testing::ValuesIn(Pictures()), CaseName);
INSTANTIATE_TEST_SUITE_P(Glyphs, AppResourceGlyph, testing::ValuesIn(Glyphs()), CaseName);

}  // namespace
