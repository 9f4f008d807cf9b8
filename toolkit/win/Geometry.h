// The one conversion between the toolkit's rectangle and the system's.
#pragma once
#include <windows.h>

#include <cstddef>

#include "toolkit/Types.h"

static_assert(sizeof(TRect) == sizeof(RECT) && offsetof(TRect, Left) == offsetof(RECT, left) &&
                  offsetof(TRect, Top) == offsetof(RECT, top) && offsetof(TRect, Right) == offsetof(RECT, right) &&
                  offsetof(TRect, Bottom) == offsetof(RECT, bottom),
              "TRect and RECT must share their layout");

constexpr RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
constexpr TRect ToTRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
