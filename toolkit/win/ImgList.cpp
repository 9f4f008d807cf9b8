#include "toolkit/win/ImgList.h"

#include "toolkit/win/CommonControls.h"

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() { Forget(); }

void TImageList::Forget() {
  if (handle_) CommonControls()->ImageListDestroy(handle_);
  handle_ = nullptr;
  waiting_.clear();
  waiting_count_ = 0;
}

void TImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  Forget();
}

HIMAGELIST TImageList::Handle() const {
  if (handle_) return handle_;
  const TCommonControls* cc = CommonControls();
  if (!cc) return nullptr;
  handle_ = cc->ImageListCreate(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
  if (!handle_) return nullptr;
  // In the order given, so every image keeps the index it was promised.
  for (Waiting& w : waiting_) {
    if (w.bitmap) cc->ImageListAddMasked(handle_, w.bitmap.Get(), w.mask);
    else cc->ImageListReplaceIcon(handle_, -1, w.icon.Get());
  }
  waiting_.clear();
  return handle_;
}

int TImageList::Count() const {
  return handle_ ? CommonControls()->ImageListGetImageCount(handle_) : waiting_count_;
}

int TImageList::AddMasked(const TBitmap& bitmap, TColor maskColor) {
  if (bitmap.Empty() || width_ <= 0) return -1;
  // The list blackens the masked pixels of the bitmap it is given, so it gets a copy.
  UniqueBitmap copy(static_cast<HBITMAP>(CopyImage(bitmap.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!copy) return -1;
  if (handle_) return CommonControls()->ImageListAddMasked(handle_, copy.Get(), ColorToRGB(maskColor));
  BITMAP info{};
  if (!GetObjectW(copy.Get(), sizeof info, &info)) return -1;
  const int first = waiting_count_;
  waiting_count_ += info.bmWidth / width_;
  waiting_.push_back({std::move(copy), ColorToRGB(maskColor), UniqueIcon()});
  return first;
}

int TImageList::AddMaskedResource(const std::wstring& name, TColor maskColor) {
  TBitmap bitmap;
  if (!bitmap.LoadFromResourceName(name)) return -1;
  return AddMasked(bitmap, maskColor);
}

int TImageList::AddIcon(HICON icon) {
  if (!icon) return -1;
  if (handle_) return CommonControls()->ImageListReplaceIcon(handle_, -1, icon);
  UniqueIcon copy(CopyIcon(icon));
  if (!copy.Get()) return -1;
  waiting_.push_back({UniqueBitmap(), 0, std::move(copy)});
  return waiting_count_++;
}

UniqueIcon TImageList::GetIcon(int index) const {
  if (index < 0 || index >= Count() || !Handle()) return UniqueIcon();
  return UniqueIcon(CommonControls()->ImageListGetIcon(handle_, index, ILD_NORMAL));
}

void TImageList::Clear() {
  if (handle_) CommonControls()->ImageListRemove(handle_, -1);
  waiting_.clear();
  waiting_count_ = 0;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count() || !Handle()) return;
  CommonControls()->ImageListDraw(handle_, index, canvas.Handle(), x, y, ILD_TRANSPARENT);
}
