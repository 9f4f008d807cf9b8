// A borderless white form holding one oval button, with helpers that send real mouse messages to
// the form's window in the button's own coordinates and read back what was drawn.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "components/ovalbutton/win/OvalButton.h"
#include "tests/win/support/Render.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Handles.h"

// A strip of square images of `size` pixels, image i filled with colours[i], with the key colour
// in the bottom-left pixel of every image.
inline void MakeGlyphStrip(TBitmap& into, const std::vector<TColor>& colours, int size, TColor key) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = size * static_cast<int>(colours.size());
  bi.bmiHeader.biHeight = -size;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<uint32_t*>(bits);
  auto bgra = [](TColor c) { return static_cast<uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c)); };
  const int width = bi.bmiHeader.biWidth;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < width; ++x)
      px[y * width + x] = bgra(x % size == 0 && y == size - 1 ? key : colours[x / size]);
  into.SetHandle(bitmap);
}

class OvalButtonForm {
 public:
  static constexpr int kLeft = 20, kTop = 10;

  OvalButtonForm(int width, int height) : form(nullptr) {
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetColor(clWhite);
    form.SetBounds(0, 0, 160, 90);
    button = new TOvalButton(&form);  // owned by the form
    button->SetBounds(kLeft, kTop, width, height);
    button->SetParent(&form);
    form.FinishCreate();
    form.Handle();  // the window, so repaints can be counted
  }

  // Mouse message at a point given in the button's coordinates.
  void Send(UINT msg, TPoint p, WPARAM keys = 0) {
    SendMessageW(form.Handle(), msg, keys, MAKELPARAM(kLeft + p.X, kTop + p.Y));
  }
  void Click(TPoint p) {
    Send(WM_LBUTTONDOWN, p, MK_LBUTTON);
    Send(WM_LBUTTONUP, p);
  }

  // The button's rectangle as the parent's paint draws it.
  std::vector<TColor> Painted() {
    RenderedImage image(form.ClientWidth(), form.ClientHeight());
    Render(form, image);
    return Cut(image);
  }
  // The button's rectangle as it stands on the window now.
  std::vector<TColor> OnWindow() {
    RenderedImage image(form.ClientWidth(), form.ClientHeight());
    const WindowDC dc(form.Handle());
    BitBlt(image.Dc(), 0, 0, image.Width(), image.Height(), dc.Get(), 0, 0, SRCCOPY);
    return Cut(image);
  }
  TColor At(const std::vector<TColor>& picture, int x, int y) const { return picture[y * button->Width() + x]; }

  TForm form;
  TOvalButton* button;  // owned by the form

 private:
  std::vector<TColor> Cut(const RenderedImage& image) const {
    std::vector<TColor> out;
    for (int y = 0; y < button->Height(); ++y)
      for (int x = 0; x < button->Width(); ++x) out.push_back(image.Pixel(kLeft + x, kTop + y));
    return out;
  }
};
