// The size a picture takes in a box it must fit: the taskbar's thumbnail of a window.
#pragma once
#include "toolkit/Types.h"

// The picture's size scaled down (never up) to fit inside maxWidth x maxHeight, keeping its
// proportions; at least 1 x 1 for a picture that has any size. X is the width, Y the height.
TPoint FitInside(int width, int height, int maxWidth, int maxHeight);
