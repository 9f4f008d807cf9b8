// BMP files for the program's bitmaps: our pictures use a handful of colours, so they are stored
// with a colour table, which makes them a fraction of the size of 24-bit pixels.
#pragma once
#include <string>

#include "tools/PictureShapes.h"

// What transparent pixels become; the program paints every pixel of this colour as background.
constexpr Rgba kBitmapKey{0xFF, 0x00, 0xFF, false};

// The image as a bottom-up BMP file: 4 bits per pixel when it has at most 16 colours (the key
// colour counts as one), 8 bits up to 256, 24 bits beyond. A colour table lists only the colours
// used, in the order they first occur from the top-left pixel.
std::string BmpFile(const PixelImage& image);
