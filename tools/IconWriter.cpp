// Lays out the icon directory and each image's header, XOR pixels and AND mask.
#include "tools/IconWriter.h"

#include <cstdint>

#include "tools/ByteWriter.h"
#include "tools/PngWriter.h"

namespace {

void InfoHeader(ByteWriter& out, int w, int h, int bits, std::uint32_t imageBytes, int colours) {
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
void MonoPlane(ByteWriter& out, int w, int h, F bit) {
  const int stride = (w + 31) / 32 * 4;
  for (int y = h - 1; y >= 0; --y) {
    std::vector<unsigned> row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < w; ++x)
      if (bit(x, y)) row[static_cast<std::size_t>(x / 8)] |= 0x80u >> (x % 8);
    for (unsigned b : row) out.U8(b);
  }
}

std::string IconImage(const PixelImage& im) {
  const int w = im.Width(), h = im.Height();
  if (w == 256) return PngFile(im);
  std::string bytes;
  ByteWriter out(bytes);
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
  return bytes;
}

// Monochrome cursor: XOR bit 1 is white, AND bit 1 lets the screen through.
std::string CursorImage(const PixelImage& im) {
  const int w = im.Width(), h = im.Height();
  const int planeBytes = (w + 31) / 32 * 4 * h;
  std::string bytes;
  ByteWriter out(bytes);
  InfoHeader(out, w, h * 2, 1, static_cast<std::uint32_t>(planeBytes * 2), 2);
  out.U32(0x00000000);  // palette: black
  out.U32(0x00FFFFFF);  //          white
  MonoPlane(out, w, h, [&](int x, int y) {
    const Rgba& p = im.rows[y][x];
    return !p.transparent && p.r == 0xFF;
  });
  MonoPlane(out, w, h, [&](int x, int y) { return im.rows[y][x].transparent; });
  return bytes;
}

// The directory: an entry per image (size, colours, planes and bits, or a cursor's hot spot),
// then the images in order.
std::string Directory(const std::vector<PixelImage>& images, const std::vector<std::string>& data, bool cursor,
                      int hotX, int hotY) {
  std::string file;
  ByteWriter out(file);
  out.U16(0);
  out.U16(cursor ? 2 : 1);
  out.U16(static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int w = images[i].Width(), h = images[i].Height();
    out.U8(w >= 256 ? 0 : static_cast<unsigned>(w));
    out.U8(h >= 256 ? 0 : static_cast<unsigned>(h));
    out.U8(cursor ? 2 : 0);  // colours in the palette
    out.U8(0);
    out.U16(cursor ? static_cast<unsigned>(hotX) : 1);   // planes, or hot spot x
    out.U16(cursor ? static_cast<unsigned>(hotY) : 32);  // bits, or hot spot y
    out.U32(static_cast<std::uint32_t>(data[i].size()));
    out.U32(offset);
    offset += static_cast<std::uint32_t>(data[i].size());
  }
  for (const std::string& d : data) file += d;
  return file;
}

}  // namespace

std::string IconFile(const std::vector<PixelImage>& images) {
  std::vector<std::string> data;
  for (const PixelImage& im : images) data.push_back(IconImage(im));
  return Directory(images, data, false, 0, 0);
}

std::string CursorFile(const PixelImage& image, int hotX, int hotY) {
  return Directory({image}, {CursorImage(image)}, true, hotX, hotY);
}
