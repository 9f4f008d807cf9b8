// A window's picture for the taskbar's thumbnail and peek: the program's taskbar button belongs to
// the invisible application window, whose own picture would be empty.
#pragma once
#include <windows.h>

#include "toolkit/win/Handles.h"

// What the window shows, scaled down to fit maxWidth x maxHeight, as a 32-bit top-down bitmap
// with every pixel opaque (what the desktop window manager takes); null when it has no size.
UniqueBitmap WindowPicture(HWND window, int maxWidth, int maxHeight);
