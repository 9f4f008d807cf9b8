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
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Scaling.h"
#include "tools/BmpWriter.h"
#include "tools/PictureShapes.h"
#include "tools/PngWriter.h"

namespace {

enum class Kind { Icon, Cursor, Bitmap };

// What a frame's shapes draw: their own picture, or frame 1's embossed (disabled) look.
struct Frame {
  std::vector<Shape> shapes;
  bool disabled = false;
  Rgba face, highlight;
};

struct Picture {
  Kind kind = Kind::Icon;
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

using Image = PixelImage;

// An input fault: the line it is on (0: the file as a whole) and what is wrong.
struct InputError : std::runtime_error {
  int line;
  InputError(int l, const std::string& what) : std::runtime_error(what), line(l) {}
};

std::string Trim(const std::string& s) {
  const char* blanks = " \t\r\n";
  auto b = s.find_first_not_of(blanks);
  if (b == std::string::npos) return "";
  auto e = s.find_last_not_of(blanks);
  return s.substr(b, e - b + 1);
}

bool ParseInt(const std::string& s, int& out) {
  if (s.empty() || s.size() > 5) return false;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  out = v;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void ParseHeader(const std::string& line, Picture& pic) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  if (words.empty()) throw InputError(1, "the first line must name the kind: ico, cur or bmp");
  const std::string& kind = words[0];
  if (kind == "ico") {
    pic.kind = Kind::Icon;
    if (words.size() == 1) return;
    if (words.size() < 5 || words[1] != "grid" || !ParseInt(words[2], pic.grid) || pic.grid < 1 ||
        words[3] != "sizes")
      throw InputError(1, "an icon's first line must read: ico, or ico grid G sizes S...");
    for (std::size_t i = 4; i < words.size(); ++i) {
      int size = 0;
      if (!ParseInt(words[i], size) || size < 1 || size > 256)
        throw InputError(1, "bad icon size \"" + words[i] + "\": 1 to 256");
      pic.sizes.push_back(size);
    }
  } else if (kind == "cur") {
    pic.kind = Kind::Cursor;
    if (words.size() != 4 || words[1] != "hotspot" || !ParseInt(words[2], pic.hotX) ||
        !ParseInt(words[3], pic.hotY))
      throw InputError(1, "a cursor's first line must read: cur hotspot X Y");
  } else if (kind == "bmp") {
    pic.kind = Kind::Bitmap;
    for (std::size_t i = 1; i < words.size(); i += 2) {
      if (i + 1 >= words.size()) throw InputError(1, "a bitmap takes the options: size WxH, frames N");
      if (words[i] == "size") {
        auto x = words[i + 1].find('x');
        int w = 0, h = 0;
        if (x == std::string::npos || !ParseInt(words[i + 1].substr(0, x), w) ||
            !ParseInt(words[i + 1].substr(x + 1), h) || w < 1 || h < 1)
          throw InputError(1, "bad size \"" + words[i + 1] + "\": expected WxH, e.g. 32x16");
        pic.size = std::make_pair(w, h);
      } else if (words[i] == "frames") {
        if (!ParseInt(words[i + 1], pic.frames) || pic.frames < 1)
          throw InputError(1, "bad frame count \"" + words[i + 1] + "\"");
      } else {
        throw InputError(1, "a bitmap takes only the options: size WxH, frames N");
      }
    }
    if (pic.frames > 1 && (!pic.size || pic.size->first % pic.frames != 0))
      throw InputError(1, "a bitmap of several frames needs a size whose width they divide");
  } else {
    throw InputError(1, "unknown kind \"" + kind + "\": expected ico, cur or bmp");
  }
}

// "<c> = value" with blanks around '='; rows never contain blanks, so the two cannot be confused.
bool IsPaletteLine(const std::string& line) {
  return line.size() >= 3 && (line[1] == ' ' || line[1] == '\t');
}

void ParsePaletteLine(const std::string& line, int lineNo, std::map<char, Rgba>& palette) {
  const char c = line[0];
  const std::string rest = Trim(line.substr(1));
  if (rest.empty() || rest[0] != '=')
    throw InputError(lineNo, "neither a palette line (<char> = #RRGGBB or transparent) nor an "
                             "image row (rows hold no blanks)");
  if (c <= ' ' || c > '~' || c == ';')
    throw InputError(lineNo, "a palette character must be printable ASCII, not blank or ';'");
  if (palette.count(c)) throw InputError(lineNo, std::string("'") + c + "' is defined twice");
  const std::string value = Trim(rest.substr(1));
  Rgba colour;
  if (value == "transparent") {
    colour.transparent = true;
    colour.a = 0;
  } else {
    if (value.size() != 7 || value[0] != '#')
      throw InputError(lineNo, "bad colour \"" + value + "\": expected #RRGGBB or transparent");
    std::array<int, 6> d{};
    for (int i = 0; i < 6; ++i) {
      d[i] = HexDigit(value[i + 1]);
      if (d[i] < 0) throw InputError(lineNo, "bad colour \"" + value + "\": not hexadecimal");
    }
    colour.r = static_cast<std::uint8_t>(d[0] * 16 + d[1]);
    colour.g = static_cast<std::uint8_t>(d[2] * 16 + d[3]);
    colour.b = static_cast<std::uint8_t>(d[4] * 16 + d[5]);
  }
  palette[c] = colour;
}

Rgba PaletteColour(const std::map<char, Rgba>& palette, char c, int lineNo) {
  auto it = palette.find(c);
  if (it == palette.end()) throw InputError(lineNo, std::string("unknown colour character '") + c + "'");
  return it->second;
}

// A shape, "frame N" or "disabled F H".
void ParseDrawingLine(const std::string& line, int lineNo, const std::map<char, Rgba>& palette,
                      Picture& pic) {
  if (!pic.shapeLine) pic.shapeLine = lineNo;
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  if (words[0] == "frame") {
    int n = 0;
    if (words.size() != 2 || !ParseInt(words[1], n) || n < 1 || n > pic.frames)
      throw InputError(lineNo, "\"frame N\" names one of the " + std::to_string(pic.frames) +
                                   " frames of the first line");
    if (static_cast<int>(pic.drawn.size()) < n) pic.drawn.resize(static_cast<std::size_t>(n));
    pic.currentFrame = n - 1;
    return;
  }
  Frame& frame = pic.drawn[static_cast<std::size_t>(pic.currentFrame)];
  if (words[0] == "disabled") {
    if (pic.currentFrame == 0 || words.size() != 3 || words[1].size() != 1 || words[2].size() != 1)
      throw InputError(lineNo, "\"disabled F H\" belongs to a frame after the first");
    frame.disabled = true;
    frame.face = PaletteColour(palette, words[1][0], lineNo);
    frame.highlight = PaletteColour(palette, words[2][0], lineNo);
    return;
  }
  Shape shape;
  char colour = 0;
  const std::string fault = ParseShape(line, shape, colour);
  if (!fault.empty()) throw InputError(lineNo, fault);
  shape.colour = PaletteColour(palette, colour, lineNo);
  frame.shapes.push_back(shape);
}

Picture Parse(std::istream& in) {
  Picture pic;
  std::string line;
  if (!std::getline(in, line)) throw InputError(0, "the file is empty");
  ParseHeader(Trim(line), pic);

  std::map<char, Rgba> palette;
  Image* current = nullptr;
  for (int lineNo = 2; std::getline(in, line); ++lineNo) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == ';') continue;
    const std::string trimmed = Trim(line);
    if (trimmed.empty()) {
      current = nullptr;  // a blank line ends the image
      continue;
    }
    if (IsPaletteLine(trimmed)) {
      if (!pic.images.empty() || pic.shapeLine)
        throw InputError(lineNo, "palette lines must come before the first image and shape");
      ParsePaletteLine(trimmed, lineNo, palette);
      continue;
    }
    if (trimmed.find_first_of(" \t") != std::string::npos) {
      current = nullptr;
      ParseDrawingLine(trimmed, lineNo, palette, pic);
      continue;
    }
    if (trimmed != line) throw InputError(lineNo, "an image row must not contain blanks");
    if (!current) {
      pic.images.emplace_back();
      current = &pic.images.back();
      current->firstLine = lineNo;
    }
    std::vector<Rgba> row;
    for (std::size_t i = 0; i < line.size(); ++i) {
      auto it = palette.find(line[i]);
      if (it == palette.end())
        throw InputError(lineNo, std::string("unknown character '") + line[i] + "' in column " +
                                     std::to_string(i + 1));
      row.push_back(it->second);
    }
    if (!current->rows.empty() && row.size() != current->rows[0].size())
      throw InputError(lineNo, "ragged row: " + std::to_string(row.size()) + " pixels, the image's "
                                   "first row has " + std::to_string(current->rows[0].size()));
    current->rows.push_back(std::move(row));
  }
  if (pic.images.empty() && !pic.shapeLine) throw InputError(0, "the picture holds no image");
  return pic;
}

bool HasShapes(const Picture& pic) {
  for (const Frame& f : pic.drawn)
    if (!f.shapes.empty() || f.disabled) return true;
  return false;
}

// The bitmap's frames drawn side by side at the scale, each from its shapes or frame 1's emboss.
Image RenderFrames(const Picture& pic, int scale) {
  const int frameW = pic.size->first / pic.frames, frameH = pic.size->second;
  const int w = ScaledPixels(frameW, scale), h = ScaledPixels(frameH, scale);
  Image strip;
  strip.firstLine = pic.shapeLine;
  strip.rows.assign(static_cast<std::size_t>(h), {});
  Image first;
  for (int i = 0; i < pic.frames; ++i) {
    const Frame none;
    const Frame& f = i < static_cast<int>(pic.drawn.size()) ? pic.drawn[static_cast<std::size_t>(i)] : none;
    const Image frame = f.disabled ? Emboss(first, f.face, f.highlight)
                                   : Rasterise(f.shapes, w, h, scale / 100.0, false);
    if (i == 0) first = frame;
    for (int y = 0; y < h; ++y) {
      auto& row = strip.rows[static_cast<std::size_t>(y)];
      row.insert(row.end(), frame.rows[static_cast<std::size_t>(y)].begin(),
                 frame.rows[static_cast<std::size_t>(y)].end());
    }
  }
  return strip;
}

// Replaces the picture's images by the ones to write at the scale.
void Render(Picture& pic, int scale) {
  const int at = pic.shapeLine ? pic.shapeLine : 1;
  switch (pic.kind) {
    case Kind::Icon: {
      if (scale != 100) throw InputError(1, "an icon holds all its sizes; make it at 100 %");
      if (!pic.sizes.empty() && !HasShapes(pic))
        throw InputError(1, "the icon lists sizes to draw but has no shapes");
      for (int size : pic.sizes) {
        bool given = false;
        for (const Image& im : pic.images) given |= im.Width() == size;
        if (given) continue;
        Image im = Rasterise(pic.drawn[0].shapes, size, size, static_cast<double>(size) / pic.grid, true);
        im.firstLine = at;
        pic.images.push_back(std::move(im));
      }
      std::stable_sort(pic.images.begin(), pic.images.end(),
                       [](const Image& a, const Image& b) { return a.Width() < b.Width(); });
      break;
    }
    case Kind::Cursor: {
      if (scale == 100 && !pic.images.empty()) break;
      if (!HasShapes(pic)) throw InputError(0, "no shapes to draw the cursor at " + std::to_string(scale) + " %");
      const int size = ScaledPixels(32, scale);
      const double zoom = scale / 100.0;
      Image im = Rasterise(pic.drawn[0].shapes, size, size, zoom, false);
      im.firstLine = at;
      pic.images.assign(1, std::move(im));
      // The hot spot stays on the design pixel it names.
      pic.hotX = static_cast<int>((pic.hotX + 0.5) * zoom);
      pic.hotY = static_cast<int>((pic.hotY + 0.5) * zoom);
      break;
    }
    case Kind::Bitmap: {
      if (scale == 100 && !pic.images.empty()) break;
      if (!HasShapes(pic) || !pic.size)
        throw InputError(0, "no shapes and size to draw the bitmap at " + std::to_string(scale) + " %");
      pic.images.assign(1, RenderFrames(pic, scale));
      pic.size = std::make_pair(pic.images[0].Width(), pic.images[0].Height());
      break;
    }
  }
}

void Check(const Picture& pic, int scale) {
  switch (pic.kind) {
    case Kind::Icon: {
      std::vector<int> seen;
      for (const Image& im : pic.images) {
        if (im.Width() != im.Height())
          throw InputError(im.firstLine, "an icon image must be square, this one is " +
                                             std::to_string(im.Width()) + "x" +
                                             std::to_string(im.Height()));
        if (im.Width() > 256) throw InputError(im.firstLine, "an icon image is at most 256x256");
        for (int s : seen)
          if (s == im.Width())
            throw InputError(im.firstLine, "a second image of " + std::to_string(s) + "x" +
                                               std::to_string(s));
        seen.push_back(im.Width());
      }
      break;
    }
    case Kind::Cursor: {
      if (pic.images.size() != 1)
        throw InputError(pic.images[1].firstLine, "a cursor holds exactly one image");
      const Image& im = pic.images[0];
      const int size = ScaledPixels(32, scale);
      if (im.Width() != size || im.Height() != size)
        throw InputError(im.firstLine, "a cursor image must be " + std::to_string(size) + "x" +
                                           std::to_string(size) + ", this one is " +
                                           std::to_string(im.Width()) + "x" +
                                           std::to_string(im.Height()));
      if (pic.hotX >= size || pic.hotY >= size)
        throw InputError(1, "the hot spot lies outside the image");
      for (int y = 0; y < size; ++y)
        for (const Rgba& p : im.rows[y]) {
          const bool black = p.r == 0 && p.g == 0 && p.b == 0;
          const bool white = p.r == 0xFF && p.g == 0xFF && p.b == 0xFF;
          if (!p.transparent && !black && !white)
            throw InputError(im.firstLine + y, "a cursor is monochrome: only #000000, #FFFFFF "
                                               "and transparent");
        }
      break;
    }
    case Kind::Bitmap: {
      if (pic.images.size() != 1)
        throw InputError(pic.images[1].firstLine, "a bitmap holds exactly one image");
      const Image& im = pic.images[0];
      if (pic.size && (im.Width() != pic.size->first || im.Height() != pic.size->second))
        throw InputError(im.firstLine, "the image is " + std::to_string(im.Width()) + "x" +
                                           std::to_string(im.Height()) + ", the first line says " +
                                           std::to_string(pic.size->first) + "x" +
                                           std::to_string(pic.size->second));
      bool anyTransparent = false;
      for (int y = 0; y < im.Height(); ++y)
        for (const Rgba& p : im.rows[y]) {
          anyTransparent |= p.transparent;
          if (!p.transparent && p.r == kBitmapKey.r && p.g == kBitmapKey.g && p.b == kBitmapKey.b)
            throw InputError(im.firstLine + y, "#FF00FF is the key colour; mark such pixels "
                                               "transparent instead");
        }
      if (anyTransparent && !im.rows.back()[0].transparent)
        throw InputError(im.firstLine + im.Height() - 1,
                         "transparent pixels need a transparent bottom-left pixel");
      break;
    }
  }
}

class Bytes {
 public:
  void U8(unsigned v) { data_.push_back(static_cast<char>(v & 0xFF)); }
  void U16(unsigned v) { U8(v); U8(v >> 8); }
  void U32(std::uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }
  void Append(const Bytes& b) { data_ += b.data_; }
  std::size_t Size() const { return data_.size(); }
  const std::string& Data() const { return data_; }

 private:
  std::string data_;
};

void InfoHeader(Bytes& out, int w, int h, int bits, std::uint32_t imageBytes, int colours) {
  out.U32(40);
  out.U32(static_cast<std::uint32_t>(w));
  out.U32(static_cast<std::uint32_t>(h));
  out.U16(1);
  out.U16(static_cast<unsigned>(bits));
  out.U32(0);  // BI_RGB
  out.U32(imageBytes);
  out.U32(2835);  // 72 dpi
  out.U32(2835);
  out.U32(static_cast<std::uint32_t>(colours));
  out.U32(0);
}

// A 1-bit plane, rows bottom-up and padded to 32 bits, bit set where bit(x, y) holds.
template <typename F>
void MonoPlane(Bytes& out, int w, int h, F bit) {
  const int stride = (w + 31) / 32 * 4;
  for (int y = h - 1; y >= 0; --y) {
    std::vector<unsigned> row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < w; ++x)
      if (bit(x, y)) row[static_cast<std::size_t>(x / 8)] |= 0x80u >> (x % 8);
    for (unsigned b : row) out.U8(b);
  }
}

Bytes IconImage(const Image& im) {
  const int w = im.Width(), h = im.Height();
  Bytes out;
  if (w == 256) {
    for (char c : PngFile(im)) out.U8(static_cast<unsigned char>(c));
    return out;
  }
  const int maskBytes = (w + 31) / 32 * 4 * h;
  InfoHeader(out, w, h * 2, 32, static_cast<std::uint32_t>(w * h * 4 + maskBytes), 0);
  for (int y = h - 1; y >= 0; --y)
    for (const Rgba& p : im.rows[static_cast<std::size_t>(y)]) {
      if (p.transparent) {
        out.U32(0);
      } else {
        out.U8(p.b); out.U8(p.g); out.U8(p.r); out.U8(p.a);
      }
    }
  MonoPlane(out, w, h, [&](int x, int y) { return im.rows[y][x].transparent; });
  return out;
}

// Monochrome cursor: XOR bit 1 is white, AND bit 1 lets the screen through.
Bytes CursorImage(const Image& im) {
  const int w = im.Width(), h = im.Height();
  const int planeBytes = (w + 31) / 32 * 4 * h;
  Bytes out;
  InfoHeader(out, w, h * 2, 1, static_cast<std::uint32_t>(planeBytes * 2), 2);
  out.U32(0x00000000);  // palette: black
  out.U32(0x00FFFFFF);  //          white
  MonoPlane(out, w, h, [&](int x, int y) {
    const Rgba& p = im.rows[y][x];
    return !p.transparent && p.r == 0xFF;
  });
  MonoPlane(out, w, h, [&](int x, int y) { return im.rows[y][x].transparent; });
  return out;
}

Bytes IconFile(const Picture& pic) {
  const bool cursor = pic.kind == Kind::Cursor;
  std::vector<Bytes> images;
  for (const Image& im : pic.images) images.push_back(cursor ? CursorImage(im) : IconImage(im));
  Bytes out;
  out.U16(0);
  out.U16(cursor ? 2 : 1);
  out.U16(static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int w = pic.images[i].Width(), h = pic.images[i].Height();
    out.U8(w >= 256 ? 0 : static_cast<unsigned>(w));
    out.U8(h >= 256 ? 0 : static_cast<unsigned>(h));
    out.U8(cursor ? 2 : 0);  // colours in the palette
    out.U8(0);
    out.U16(cursor ? static_cast<unsigned>(pic.hotX) : 1);   // planes, or hot spot x
    out.U16(cursor ? static_cast<unsigned>(pic.hotY) : 32);  // bits, or hot spot y
    out.U32(static_cast<std::uint32_t>(images[i].Size()));
    out.U32(offset);
    offset += static_cast<std::uint32_t>(images[i].Size());
  }
  for (const Bytes& b : images) out.Append(b);
  return out;
}

}  // namespace

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
    Picture pic = Parse(in);
    Render(pic, scale);
    Check(pic, scale);
    file = pic.kind == Kind::Bitmap ? BmpFile(pic.images[0]) : IconFile(pic).Data();
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
