// Reads a text picture line by line: the header, the palette, then pixel rows and shapes.
#include "tools/PictureFile.h"

#include <array>
#include <cstdint>
#include <map>
#include <sstream>

namespace {

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
    pic.kind = PictureKind::Icon;
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
    pic.kind = PictureKind::Cursor;
    if (words.size() != 4 || words[1] != "hotspot" || !ParseInt(words[2], pic.hotX) ||
        !ParseInt(words[3], pic.hotY))
      throw InputError(1, "a cursor's first line must read: cur hotspot X Y");
  } else if (kind == "bmp") {
    pic.kind = PictureKind::Bitmap;
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

}  // namespace

Picture ParsePicture(std::istream& in) {
  Picture pic;
  std::string line;
  if (!std::getline(in, line)) throw InputError(0, "the file is empty");
  ParseHeader(Trim(line), pic);

  std::map<char, Rgba> palette;
  PixelImage* current = nullptr;
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

