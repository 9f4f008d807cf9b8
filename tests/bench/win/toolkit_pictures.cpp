// The program's pictures are stored with a colour table; this weighs drawing them against the
// same pixels in a 24-bit bitmap, as they were stored before: a glyph drawn keyed on its
// bottom-left pixel (speed and oval buttons, the exit picture) and a masked image put into an
// image list (the About tab). Prints times and ratios. Run by hand under Wine; not a test.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/res/resource.h"
#include "tests/bench/win/BenchTiming.h"
#include "toolkit/Scaling.h"
#include "toolkit/win/Graphics.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/ImgList.h"

namespace {

// The same pixels in a 24-bit DIB section, as LoadImageW made of the former files.
void TrueColourCopy(const TBitmap& from, TBitmap& into) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, from.Width(), from.Height(), 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  into.SetHandle(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  const CompatibleDC src(nullptr), dst(nullptr);
  const SelectObjectScope a(src.Get(), from.Handle()), b(dst.Get(), into.Handle());
  BitBlt(dst.Get(), 0, 0, from.Width(), from.Height(), src.Get(), 0, 0, SRCCOPY);
}

double DrawUs(const TBitmap& picture, Surface& surface) {
  const TColor key = picture.PixelAt(0, picture.Height() - 1);
  const TRect all{0, 0, picture.Width(), picture.Height()};
  return MedianUs([&] {
    TCanvas canvas(surface.Dc());
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.BrushCopy(all, picture, all, key);
  });
}

double ImageListUs(const TBitmap& picture) {
  TImageList list(nullptr);
  list.SetSize(picture.Height(), picture.Height());
  return MedianUs([&] {
    list.AddMasked(picture, RES_KEY_COLOR);
    list.Clear();
  }, 500);
}

}  // namespace

int main() {
  std::printf("Pictures with a colour table against 24-bit copies, under Wine (median of 9 runs)\n");
  for (const wchar_t* name : {RES_GLYPH_NEW, RES_EXITPIC, RES_ABOUTTAB})
    for (int scale : {100, 200}) {
      const std::wstring resource = PictureResourceName(name, scale);
      TBitmap palettised, trueColour;
      if (!palettised.LoadFromResourceName(resource)) return 1;
      TrueColourCopy(palettised, trueColour);
      Surface surface(palettised.Width(), palettised.Height());
      const std::string label(resource.begin(), resource.end());
      const double drawBase = DrawUs(trueColour, surface);
      const double draw = DrawUs(palettised, surface);
      std::printf("%s, %d x %d\n", label.c_str(), palettised.Width(), palettised.Height());
      Row("  keyed draw, 24-bit (baseline)", drawBase, "", drawBase);
      Row("  keyed draw, colour table", draw, "of the 24-bit draw", drawBase);
      if (std::wstring(name) != RES_ABOUTTAB) continue;
      const double listBase = ImageListUs(trueColour);
      const double list = ImageListUs(palettised);
      Row("  into an image list, 24-bit (baseline)", listBase, "", listBase);
      Row("  into an image list, colour table", list, "of the 24-bit one", listBase);
    }
  return 0;
}
