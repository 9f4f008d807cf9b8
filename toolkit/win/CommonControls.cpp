#include "toolkit/win/CommonControls.h"

#include "toolkit/win/SystemLibrary.h"

namespace {
constexpr wchar_t kLibrary[] = L"comctl32.dll";

template <typename F>
F Function(const char* name) {
  return SystemFunction<F>(kLibrary, name);
}

TCommonControls Load() {
  // The program's manifest asks for version 6; the loader honours it for a load by name.
  if (const auto init = Function<decltype(&::InitCommonControlsEx)>("InitCommonControlsEx")) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    init(&classes);
  }
  TCommonControls c{};
  c.ImageListCreate = Function<decltype(c.ImageListCreate)>("ImageList_Create");
  c.ImageListDestroy = Function<decltype(c.ImageListDestroy)>("ImageList_Destroy");
  c.ImageListGetImageCount = Function<decltype(c.ImageListGetImageCount)>("ImageList_GetImageCount");
  c.ImageListAddMasked = Function<decltype(c.ImageListAddMasked)>("ImageList_AddMasked");
  c.ImageListReplaceIcon = Function<decltype(c.ImageListReplaceIcon)>("ImageList_ReplaceIcon");
  c.ImageListGetIcon = Function<decltype(c.ImageListGetIcon)>("ImageList_GetIcon");
  c.ImageListRemove = Function<decltype(c.ImageListRemove)>("ImageList_Remove");
  c.ImageListDraw = Function<decltype(c.ImageListDraw)>("ImageList_Draw");
  return c;
}

bool Complete(const TCommonControls& c) {
  return c.ImageListCreate && c.ImageListDestroy && c.ImageListGetImageCount && c.ImageListAddMasked &&
         c.ImageListReplaceIcon && c.ImageListGetIcon && c.ImageListRemove && c.ImageListDraw;
}
}  // namespace

const TCommonControls* CommonControls() {
  static const TCommonControls controls = Load();
  static const bool complete = Complete(controls);
  return complete ? &controls : nullptr;
}

const wchar_t* CommonControlClass(const wchar_t* name) {
  CommonControls();
  return name;
}
