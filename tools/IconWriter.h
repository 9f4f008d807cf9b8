// ICO and CUR files for the program's icons and cursor: a directory of images, each a DIB with
// its AND mask (an icon's 256 px image a PNG stream instead).
#pragma once
#include <string>
#include <vector>

#include "tools/PictureShapes.h"

// Square images of different sizes as an .ico file: 32-bit BGRA (alpha 0 where transparent,
// partial on smoothed edges) with an AND mask set where transparent.
std::string IconFile(const std::vector<PixelImage>& images);

// A black-and-white image as a monochrome .cur file with its hot spot; transparent pixels let
// the screen through.
std::string CursorFile(const PixelImage& image, int hotX, int hotY);
