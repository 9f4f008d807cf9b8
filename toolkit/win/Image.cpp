#include "toolkit/win/Image.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::SetPicture(const TBitmap& picture) {
  picture_.Assign(picture);
  Invalidate();
}

bool TImage::LoadPicture(const std::wstring& resourceName) {
  if (!picture_.Load(resourceName, Dpi())) return false;
  Invalidate();
  return true;
}

void TImage::ChangeScale(int newDpi) {
  TGraphicControl::ChangeScale(newDpi);
  if (picture_.Rescale(Dpi())) Invalidate();
}

void TImage::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Invalidate();
}

void TImage::SetCenter(bool v) {
  if (v == center_) return;
  center_ = v;
  Invalidate();
}

void TImage::SetStretch(bool v) {
  if (v == stretch_) return;
  stretch_ = v;
  Invalidate();
}

void TImage::Paint(TCanvas& canvas) {
  if (picture_.Empty()) return;
  const int pw = picture_.Width(), ph = picture_.Height();
  TRect dest = Bounds(0, 0, pw, ph);
  if (stretch_) dest = ClientRect();
  else if (center_) dest = Bounds((Width() - pw) / 2, (Height() - ph) / 2, pw, ph);
  const TRect source = Bounds(0, 0, pw, ph);
  if (transparent_) {
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.BrushCopy(dest, picture_, source, picture_.PixelAt(0, ph - 1));
    return;
  }
  const CompatibleDC src(canvas.Handle());
  const SelectObjectScope select(src.Get(), picture_.Handle());
  SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
  StretchBlt(canvas.Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), src.Get(), 0, 0, pw, ph, SRCCOPY);
}
