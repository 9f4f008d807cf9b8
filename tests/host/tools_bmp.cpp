// The bitmap writer, read back by a decoder of our own that follows the file format rather than
// the writer: a palettised file must show exactly the pixels it was given, the key colour
// included, and no depth may be chosen that cannot hold every colour.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/BmpWriter.h"

namespace {

std::uint32_t Le(const std::string& s, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s.at(at + static_cast<std::size_t>(i)));
  return v;
}

struct DecodedBmp {
  int bits = 0;
  std::vector<std::vector<Rgba>> rows;  // top-down, all opaque
};

DecodedBmp Decode(const std::string& file) {
  DecodedBmp out;
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(Le(file, 2, 4), file.size());
  const std::uint32_t pixelsAt = Le(file, 10, 4);
  EXPECT_EQ(Le(file, 14, 4), 40u);
  const int w = static_cast<int>(Le(file, 18, 4)), h = static_cast<int>(Le(file, 22, 4));
  out.bits = static_cast<int>(Le(file, 28, 2));
  EXPECT_EQ(Le(file, 30, 4), 0u);  // uncompressed
  std::uint32_t colours = Le(file, 46, 4);
  if (colours == 0 && out.bits <= 8) colours = 1u << out.bits;
  EXPECT_EQ(pixelsAt, 54 + 4 * (out.bits <= 8 ? colours : 0));
  const std::size_t stride = (static_cast<std::size_t>(w) * static_cast<std::size_t>(out.bits) + 31) / 32 * 4;
  EXPECT_EQ(file.size(), pixelsAt + stride * static_cast<std::size_t>(h));
  auto colour = [&](std::size_t at) {
    return Rgba{static_cast<std::uint8_t>(file.at(at + 2)), static_cast<std::uint8_t>(file.at(at + 1)),
                static_cast<std::uint8_t>(file.at(at))};
  };
  for (int y = h - 1; y >= 0; --y) {
    const std::size_t row = pixelsAt + stride * static_cast<std::size_t>(y);
    std::vector<Rgba> pixels;
    for (int x = 0; x < w; ++x) {
      if (out.bits == 24) {
        pixels.push_back(colour(row + 3 * static_cast<std::size_t>(x)));
        continue;
      }
      const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(out.bits);
      const unsigned byte = static_cast<unsigned char>(file.at(row + bit / 8));
      const unsigned index = byte >> (8 - out.bits - bit % 8) & ((1u << out.bits) - 1);
      EXPECT_LT(index, colours) << "pixel " << x << "," << y << " points past the colour table";
      pixels.push_back(colour(54 + 4 * index));
    }
    out.rows.push_back(pixels);
  }
  return out;
}

// `count` colours in rows of an odd width, so half-filled bytes and padded rows both occur. The
// first is transparent (the key colour), the second one step from the key, which must not merge
// with it.
PixelImage WithColours(int count) {
  PixelImage im;
  const int w = 7;
  for (int y = 0; y < count / w + 2; ++y) {
    im.rows.emplace_back();
    for (int x = 0; x < w; ++x) {
      const int n = (y * w + x) % count;
      im.rows.back().push_back(n == 0   ? Rgba{0, 0, 0, true, 0}
                               : n == 1 ? Rgba{0xFF, 0x00, 0xFE}
                                        : Rgba{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), 0x40});
    }
  }
  return im;
}

struct DepthCase {
  int colours, bits;
};

class BmpFileDepth : public testing::TestWithParam<DepthCase> {};

TEST_P(BmpFileDepth, IsTheSmallestThatHoldsEveryColourAndDecodesToTheSamePixels) {
  const PixelImage im = WithColours(GetParam().colours);
  const DecodedBmp read = Decode(BmpFile(im));
  EXPECT_EQ(read.bits, GetParam().bits);
  ASSERT_EQ(read.rows.size(), im.rows.size());
  for (std::size_t y = 0; y < im.rows.size(); ++y)
    for (std::size_t x = 0; x < im.rows[y].size(); ++x) {
      const Rgba& given = im.rows[y][x];
      const Rgba expected = given.transparent ? kBitmapKey : Rgba{given.r, given.g, given.b};
      EXPECT_EQ(read.rows[y].at(x), expected) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(AtTheLimits, BmpFileDepth,
                         testing::Values(DepthCase{1, 4}, DepthCase{9, 4}, DepthCase{16, 4}, DepthCase{17, 8},
                                         DepthCase{256, 8}, DepthCase{257, 24}),
                         [](const testing::TestParamInfo<DepthCase>& info) {
                           return std::to_string(info.param.colours) + "Colours";
                         });

}  // namespace
