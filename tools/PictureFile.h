// A text picture (*.pic) read into memory: its kind, palette-resolved pixel images and shapes.
// The format is described at the top of mkres.cpp.
#pragma once
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tools/PictureShapes.h"

enum class PictureKind { Icon, Cursor, Bitmap };

// What a frame's shapes draw: their own picture, or frame 1's embossed (disabled) look.
struct Frame {
  std::vector<Shape> shapes;
  bool disabled = false;
  Rgba face, highlight;
};

struct Picture {
  PictureKind kind = PictureKind::Icon;
  int hotX = 0, hotY = 0;
  std::optional<std::pair<int, int>> size;  // bmp only
  int frames = 1;                           // bmp only
  int grid = 0;                             // ico: the shapes' design square
  std::vector<int> sizes;                   // ico: sizes drawn from the shapes
  std::vector<PixelImage> images;
  std::vector<Frame> drawn{Frame{}};        // index 0 is frame 1
  int currentFrame = 0;
  int shapeLine = 0;                        // the first shape's line, for messages
};

// An input fault: the line it is on (0: the file as a whole) and what is wrong.
struct InputError : std::runtime_error {
  int line;
  InputError(int l, const std::string& what) : std::runtime_error(what), line(l) {}
};

// Reads a whole picture file; throws InputError at the first fault.
Picture ParsePicture(std::istream& in);
