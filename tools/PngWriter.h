// PNG files for the large icon image: icons since Vista may hold their 256 px image as a PNG
// stream, which is a fraction of the size of a 32-bit bitmap.
#pragma once
#include <string>

#include "tools/PictureShapes.h"

// A zlib stream (deflate, fixed Huffman codes, LZ77 over a 32 KB window) of the bytes.
std::string ZlibCompress(const std::string& data);

// The image as a PNG file: 8-bit RGBA, not premultiplied; transparent pixels are all zero.
std::string PngFile(const PixelImage& image);
