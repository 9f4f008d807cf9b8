// mkres: turns one of our text pictures (*.pic) into a Windows .ico, .cur or .bmp file.
//
//   mkres [--scale N] <picture.pic> <output file>
//
// Picture format (plain text, one item per line; CR LF or LF line ends):
//
//   line 1     the kind and its options:
//                ico [grid G sizes S...]  an icon; may hold several square images (16x16, 32x32...)
//                cur hotspot X Y          a cursor: one monochrome 32x32 image at 100 %, hot spot
//                                         at (X, Y)
//                bmp [size WxH] [frames N]  a bitmap: one image, optionally of a stated size,
//                                         made of N frames of equal width side by side
//   palette    lines "<c> = #RRGGBB" or "<c> = transparent": the one-character name c (any
//              printable ASCII character but blank and ';') stands for that colour. A cursor allows
//              only #000000, #FFFFFF and transparent.
//   images     rows of palette characters, all rows of an image equally long; a blank line ends an
//              image. An icon's images must be square, of different sizes, 1 to 256 pixels.
//   shapes     after the palette, lines that draw the picture at any scale (see PictureShapes.h):
//                rect C X Y W H | oval C X Y W H | ring C T X Y W H | arc C T X Y W H FROM TO |
//                poly C X,Y X,Y X,Y... | line C T X,Y X,Y...
//              in design pixels (the 100 % grid of a frame; an icon's grid is G x G), each drawn
//              over the ones before it. "frame N" sends the shapes that follow to frame N;
//              "disabled F H" makes the current frame the embossed look of frame 1 in colours
//              F (face) and H (highlight).
//   comments   a line starting with ';' (after line 1) is ignored anywhere.
//
// Scales: --scale 100 (the default), 125, 150 or 200 per cent. A bitmap or cursor at 100 % is its
// pixel image when it has one; every other scale is drawn from its shapes. An icon is made at
// 100 % only: its pixel images, plus the sizes listed in its header drawn from its shapes.
//
// Output:
//   .ico  one 32-bit BGRA DIB per image (alpha 0 where transparent, partial on smoothed edges)
//         with its AND mask; a 256x256 image is stored as an RGBA PNG instead, as Vista and later
//         read it, since its bitmap would be most of the file.
//   .cur  one 1-bit DIB (black/white XOR image + AND mask) with the hot spot in the directory.
//   .bmp  a bottom-up BMP, with a colour table of the colours used when there are at most 256 of
//         them (see BmpWriter.h). Transparent pixels become the key colour #FF00FF; the program
//         paints every pixel of its bitmap's bottom-left pixel's colour as background, so a bitmap
//         with transparent pixels must have a transparent bottom-left pixel and must not use
//         #FF00FF as an ordinary colour.
//
// Any fault in the input is reported as "<file>:<line>: <message>" and the exit status is 1;
// no output file is left behind then.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "toolkit/Scaling.h"
#include "tools/BmpWriter.h"
#include "tools/IconWriter.h"
#include "tools/PictureFile.h"
#include "tools/PictureRender.h"

int main(int argc, char** argv) {
  int scale = 100;
  if (argc == 5 && std::string(argv[1]) == "--scale") {
    bool known = false;
    for (int s : kPictureScales) known |= std::to_string(s) == argv[2];
    if (!known) {
      std::cerr << "mkres: the scales are 100, 125, 150 and 200\n";
      return 2;
    }
    scale = std::stoi(argv[2]);
    argv += 2;
    argc -= 2;
  }
  if (argc != 3) {
    std::cerr << "usage: mkres [--scale 100|125|150|200] <picture.pic> <output.ico|.cur|.bmp>\n";
    return 2;
  }
  const std::string inPath = argv[1], outPath = argv[2];
  std::ifstream in(inPath, std::ios::binary);
  if (!in) {
    std::cerr << "mkres: cannot open " << inPath << "\n";
    return 1;
  }
  std::string file;
  try {
    Picture pic = ParsePicture(in);
    RenderPicture(pic, scale);
    CheckPicture(pic, scale);
    switch (pic.kind) {
      case PictureKind::Icon: file = IconFile(pic.images); break;
      case PictureKind::Cursor: file = CursorFile(pic.images[0], pic.hotX, pic.hotY); break;
      case PictureKind::Bitmap: file = BmpFile(pic.images[0]); break;
    }
  } catch (const InputError& e) {
    std::remove(outPath.c_str());  // no stale picture from an earlier run either
    std::cerr << inPath;
    if (e.line > 0) std::cerr << ":" << e.line;
    std::cerr << ": " << e.what() << "\n";
    return 1;
  }
  std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  out.close();
  if (!out) {
    std::remove(outPath.c_str());
    std::cerr << "mkres: cannot write " << outPath << "\n";
    return 1;
  }
  return 0;
}
