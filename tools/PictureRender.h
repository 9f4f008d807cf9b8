// A parsed picture made ready to write at one scale, and checked against what its kind allows.
#pragma once
#include "tools/PictureFile.h"

// Replaces the picture's images by the ones to write at the scale (per cent): pixel images at
// 100 % where there are some, the rest drawn from the shapes. Throws InputError.
void RenderPicture(Picture& pic, int scale);
// Throws InputError when the images break a rule of the picture's kind.
void CheckPicture(const Picture& pic, int scale);
