// The common-controls library, loaded when its first window or image list is wanted: most runs
// show neither, and loading it costs every start its mapping, the pictures it decodes and the
// classes it registers.
#pragma once
#include <windows.h>
#include <commctrl.h>

// What the toolkit calls in the library.
struct TCommonControls {
  decltype(&::ImageList_Create) ImageListCreate;
  decltype(&::ImageList_Destroy) ImageListDestroy;
  decltype(&::ImageList_GetImageCount) ImageListGetImageCount;
  decltype(&::ImageList_AddMasked) ImageListAddMasked;
  decltype(&::ImageList_ReplaceIcon) ImageListReplaceIcon;
  decltype(&::ImageList_GetIcon) ImageListGetIcon;
  decltype(&::ImageList_Remove) ImageListRemove;
  decltype(&::ImageList_Draw) ImageListDraw;
};

// Loads the library and registers its window classes on the first call. Null where the library
// or one of its functions is missing.
const TCommonControls* CommonControls();

// The name of one of the library's window classes, for CreateWindowEx, once the library has
// registered it.
const wchar_t* CommonControlClass(const wchar_t* name);
