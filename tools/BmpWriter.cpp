// Chooses the smallest of the depths every reader of bitmap resources handles and packs the rows.
#include "tools/BmpWriter.h"

#include <cstdint>
#include <map>
#include <vector>

#include "tools/ByteWriter.h"

namespace {

std::uint32_t Bgr(const Rgba& p) {
  const Rgba& c = p.transparent ? kBitmapKey : p;
  return static_cast<std::uint32_t>(c.b) | static_cast<std::uint32_t>(c.g) << 8 |
         static_cast<std::uint32_t>(c.r) << 16;
}

}  // namespace

std::string BmpFile(const PixelImage& image) {
  const int w = image.Width(), h = image.Height();
  std::vector<std::uint32_t> table;
  std::map<std::uint32_t, std::uint32_t> index;
  for (const auto& row : image.rows)
    for (const Rgba& p : row)
      if (index.emplace(Bgr(p), static_cast<std::uint32_t>(table.size())).second) table.push_back(Bgr(p));
  const int bits = table.size() <= 16 ? 4 : table.size() <= 256 ? 8 : 24;
  if (bits == 24) table.clear();

  const std::uint32_t stride = (static_cast<std::uint32_t>(w) * bits + 31) / 32 * 4;
  const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(h);
  const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(table.size());
  std::string file;
  ByteWriter out(file);
  out.U8('B'); out.U8('M');
  out.U32(offset + imageBytes);
  out.U32(0);
  out.U32(offset);
  out.U32(40);
  out.U32(static_cast<std::uint32_t>(w));
  out.U32(static_cast<std::uint32_t>(h));
  out.U16(1);
  out.U16(static_cast<std::uint32_t>(bits));
  out.U32(0);  // BI_RGB
  out.U32(imageBytes);
  out.U32(2835);  // 72 dpi
  out.U32(2835);
  out.U32(static_cast<std::uint32_t>(table.size()));
  out.U32(0);
  for (std::uint32_t c : table) out.U32(c);
  for (int y = h - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    int x = 0;
    for (const Rgba& p : image.rows[static_cast<std::size_t>(y)]) {
      const std::uint32_t c = Bgr(p);
      if (bits == 24) {
        row[x * 3] = static_cast<char>(c & 0xFF);
        row[x * 3 + 1] = static_cast<char>(c >> 8 & 0xFF);
        row[x * 3 + 2] = static_cast<char>(c >> 16);
      } else if (bits == 8) {
        row[x] = static_cast<char>(index[c]);
      } else {
        row[x / 2] = static_cast<char>(row[x / 2] | index[c] << (x % 2 ? 0 : 4));
      }
      ++x;
    }
    file += row;
  }
  return file;
}
