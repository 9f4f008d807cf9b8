#include "toolkit/win/ImgList.h"

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

void TImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  if (handle_) {
    ImageList_Destroy(handle_);
    handle_ = nullptr;
  }
}

HIMAGELIST TImageList::Handle() const {
  if (!handle_) handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
  return handle_;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TImageList::AddMasked(const TBitmap& bitmap, TColor maskColor) {
  if (bitmap.Empty() || !Handle()) return -1;
  // The list blackens the masked pixels of the bitmap it is given, so it gets a copy.
  UniqueBitmap copy(static_cast<HBITMAP>(CopyImage(bitmap.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!copy) return -1;
  const int index = ImageList_AddMasked(handle_, copy.Get(), ColorToRGB(maskColor));
  return index;
}

int TImageList::AddMaskedResource(const std::wstring& name, TColor maskColor) {
  TBitmap bitmap;
  if (!bitmap.LoadFromResourceName(name)) return -1;
  return AddMasked(bitmap, maskColor);
}

int TImageList::AddIcon(HICON icon) {
  if (!icon || !Handle()) return -1;
  return ImageList_AddIcon(handle_, icon);
}

UniqueIcon TImageList::GetIcon(int index) const {
  if (index < 0 || index >= Count()) return UniqueIcon();
  return UniqueIcon(ImageList_GetIcon(handle_, index, ILD_NORMAL));
}

void TImageList::Clear() {
  if (handle_) ImageList_RemoveAll(handle_);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  ImageList_Draw(handle_, index, canvas.Handle(), x, y, ILD_TRANSPARENT);
}
