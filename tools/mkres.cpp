// mkres: turns one of our text pictures (*.pic) into a Windows .ico, .cur or .bmp file.
//
//   mkres <picture.pic> <output file>
//
// Picture format (plain text, one item per line; CR LF or LF line ends):
//
//   line 1     the kind and its options:
//                ico                     an icon; may hold several square images (16x16, 32x32...)
//                cur hotspot X Y         a cursor: one monochrome 32x32 image, hot spot at (X, Y)
//                bmp [size WxH]          a 24-bit bitmap: one image, optionally of a stated size
//   palette    lines "<c> = #RRGGBB" or "<c> = transparent": the one-character name c (any
//              printable ASCII character but blank and ';') stands for that colour. A cursor allows
//              only #000000, #FFFFFF and transparent.
//   images     rows of palette characters, all rows of an image equally long; a blank line ends an
//              image. An icon's images must be square, of different sizes, 1 to 256 pixels.
//   comments   a line starting with ';' (after line 1) is ignored anywhere.
//
// Output:
//   .ico  one 32-bit BGRA DIB per image (alpha 0 where transparent) with its AND mask.
//   .cur  one 1-bit DIB (black/white XOR image + AND mask) with the hot spot in the directory.
//   .bmp  a bottom-up 24-bit BMP. Transparent pixels become the key colour #FF00FF; the program
//         paints every pixel of its bitmap's bottom-left pixel's colour as background, so a bitmap
//         with transparent pixels must have a transparent bottom-left pixel and must not use
//         #FF00FF as an ordinary colour.
//
// Any fault in the input is reported as "<file>:<line>: <message>" and the exit status is 1;
// no output file is left behind then.
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

namespace {

enum class Kind { Icon, Cursor, Bitmap };

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0;
  bool transparent = false;
};

struct Image {
  int firstLine = 0;  // for messages
  std::vector<std::vector<Rgba>> rows;
  int Width() const { return rows.empty() ? 0 : static_cast<int>(rows[0].size()); }
  int Height() const { return static_cast<int>(rows.size()); }
};

struct Picture {
  Kind kind = Kind::Icon;
  int hotX = 0, hotY = 0;
  std::optional<std::pair<int, int>> size;  // bmp only
  std::vector<Image> images;
};

// An input fault: the line it is on (0: the file as a whole) and what is wrong.
struct InputError : std::runtime_error {
  int line;
  InputError(int l, const std::string& what) : std::runtime_error(what), line(l) {}
};

constexpr Rgba kKey{0xFF, 0x00, 0xFF, false};

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
    if (words.size() != 1) throw InputError(1, "an icon takes no options");
  } else if (kind == "cur") {
    pic.kind = Kind::Cursor;
    if (words.size() != 4 || words[1] != "hotspot" || !ParseInt(words[2], pic.hotX) ||
        !ParseInt(words[3], pic.hotY))
      throw InputError(1, "a cursor's first line must read: cur hotspot X Y");
  } else if (kind == "bmp") {
    pic.kind = Kind::Bitmap;
    if (words.size() == 3 && words[1] == "size") {
      auto x = words[2].find('x');
      int w = 0, h = 0;
      if (x == std::string::npos || !ParseInt(words[2].substr(0, x), w) ||
          !ParseInt(words[2].substr(x + 1), h) || w < 1 || h < 1)
        throw InputError(1, "bad size \"" + words[2] + "\": expected WxH, e.g. 32x16");
      pic.size = std::make_pair(w, h);
    } else if (words.size() != 1) {
      throw InputError(1, "a bitmap takes only the option: size WxH");
    }
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
      if (!pic.images.empty())
        throw InputError(lineNo, "palette lines must come before the first image");
      ParsePaletteLine(trimmed, lineNo, palette);
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
  if (pic.images.empty()) throw InputError(0, "the picture holds no image");
  return pic;
}

void Check(const Picture& pic) {
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
      if (im.Width() != 32 || im.Height() != 32)
        throw InputError(im.firstLine, "a cursor image must be 32x32, this one is " +
                                           std::to_string(im.Width()) + "x" +
                                           std::to_string(im.Height()));
      if (pic.hotX >= 32 || pic.hotY >= 32)
        throw InputError(1, "the hot spot lies outside the 32x32 image");
      for (int y = 0; y < 32; ++y)
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
          if (!p.transparent && p.r == kKey.r && p.g == kKey.g && p.b == kKey.b)
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
  const int maskBytes = (w + 31) / 32 * 4 * h;
  Bytes out;
  InfoHeader(out, w, h * 2, 32, static_cast<std::uint32_t>(w * h * 4 + maskBytes), 0);
  for (int y = h - 1; y >= 0; --y)
    for (const Rgba& p : im.rows[static_cast<std::size_t>(y)]) {
      if (p.transparent) {
        out.U32(0);
      } else {
        out.U8(p.b); out.U8(p.g); out.U8(p.r); out.U8(0xFF);
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

Bytes BitmapFile(const Picture& pic) {
  const Image& im = pic.images[0];
  const int w = im.Width(), h = im.Height();
  const int stride = (w * 3 + 3) / 4 * 4;
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(stride * h);
  Bytes out;
  out.U8('B'); out.U8('M');
  out.U32(14 + 40 + imageBytes);
  out.U32(0);
  out.U32(14 + 40);
  InfoHeader(out, w, h, 24, imageBytes, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (const Rgba& p0 : im.rows[static_cast<std::size_t>(y)]) {
      const Rgba& p = p0.transparent ? kKey : p0;
      out.U8(p.b); out.U8(p.g); out.U8(p.r);
    }
    for (int pad = w * 3; pad < stride; ++pad) out.U8(0);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: mkres <picture.pic> <output.ico|.cur|.bmp>\n";
    return 2;
  }
  const std::string inPath = argv[1], outPath = argv[2];
  std::ifstream in(inPath, std::ios::binary);
  if (!in) {
    std::cerr << "mkres: cannot open " << inPath << "\n";
    return 1;
  }
  Bytes file;
  try {
    Picture pic = Parse(in);
    Check(pic);
    file = pic.kind == Kind::Bitmap ? BitmapFile(pic) : IconFile(pic);
  } catch (const InputError& e) {
    std::remove(outPath.c_str());  // no stale picture from an earlier run either
    std::cerr << inPath;
    if (e.line > 0) std::cerr << ":" << e.line;
    std::cerr << ": " << e.what() << "\n";
    return 1;
  }
  std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
  out.write(file.Data().data(), static_cast<std::streamsize>(file.Size()));
  out.close();
  if (!out) {
    std::remove(outPath.c_str());
    std::cerr << "mkres: cannot write " << outPath << "\n";
    return 1;
  }
  return 0;
}
