// The icon's PNG writer, read back by zlib: the deflate stream and the checksums must be what
// every PNG reader expects, the row filters must undo to the very pixels, and flat drawings must
// actually shrink.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>

#include "tools/PngWriter.h"

namespace {

std::string Inflated(const std::string& stream, std::size_t expectedSize) {
  std::string out(expectedSize + 1, '\0');  // one spare byte shows a stream that is too long
  uLongf size = static_cast<uLongf>(out.size());
  const int status = uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                                reinterpret_cast<const Bytef*>(stream.data()),
                                static_cast<uLong>(stream.size()));
  EXPECT_EQ(status, Z_OK);
  out.resize(size);
  return out;
}

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>(gen() & 0xFF));
  return s;
}

struct DeflateCase {
  const char* name;
  std::string data;
};

void PrintTo(const DeflateCase& c, std::ostream* os) { *os << c.name; }

class ZlibRoundTrip : public testing::TestWithParam<DeflateCase> {};

TEST_P(ZlibRoundTrip, InflatesToTheSameBytes) {
  const std::string& data = GetParam().data;
  EXPECT_EQ(Inflated(ZlibCompress(data), data.size()), data);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ZlibRoundTrip,
    testing::Values(
        DeflateCase{"Empty", ""}, DeflateCase{"OneByte", "\xff"},
        // Runs longer than the longest match, ending on every remainder.
        DeflateCase{"LongRun", std::string(1000, 'a')}, DeflateCase{"RunOf259", std::string(259, 'b')},
        DeflateCase{"RunOf260", std::string(260, 'b')},
        // Every byte value, so every literal code length is used.
        DeflateCase{"RandomBytes", RandomBytes(5000, 1)},
        // A repeat from further back than the window may reach must not be copied from there.
        DeflateCase{"RepeatBeyondTheWindow", RandomBytes(40000, 2) + RandomBytes(40000, 2)},
        DeflateCase{"RepeatWithinTheWindow", RandomBytes(20000, 3) + RandomBytes(20000, 3) + "xy"}),
    [](const testing::TestParamInfo<DeflateCase>& info) { return std::string(info.param.name); });

TEST(ZlibCompress, ShrinksFlatAreas) {
  std::string rows;
  for (int y = 0; y < 256; ++y) rows += std::string(1, '\x02') + std::string(1024, y < 128 ? 'Y' : '\0');
  EXPECT_LT(ZlibCompress(rows).size(), rows.size() / 50);
}

std::uint32_t BigEndian32(const std::string& s, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

struct DecodedPng {
  int width = 0, height = 0;
  std::string rgba;  // rows top-down
};

// Reads the chunks, checking each one's CRC, and undoes the row filters this writer may use.
DecodedPng Decode(const std::string& png) {
  DecodedPng out;
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  std::string idat;
  std::string lastType;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = BigEndian32(png, at);
    const std::string body = png.substr(at + 4, 4 + length);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    EXPECT_EQ(BigEndian32(png, at + 8 + length), crc) << body.substr(0, 4);
    lastType = body.substr(0, 4);
    if (lastType == "IHDR") {
      out.width = static_cast<int>(BigEndian32(body, 4));
      out.height = static_cast<int>(BigEndian32(body, 8));
      EXPECT_EQ(body.substr(12, 5), std::string("\x08\x06\0\0\0", 5));  // 8-bit RGBA
    } else if (lastType == "IDAT") {
      idat += body.substr(4);
    }
    at += 12 + length;
  }
  EXPECT_EQ(lastType, "IEND");
  const std::size_t stride = static_cast<std::size_t>(out.width) * 4;
  const std::string raw = Inflated(idat, (stride + 1) * static_cast<std::size_t>(out.height));
  if (raw.size() != (stride + 1) * static_cast<std::size_t>(out.height)) return out;
  std::string above(stride, '\0');
  for (int y = 0; y < out.height; ++y) {
    const std::size_t start = static_cast<std::size_t>(y) * (stride + 1);
    const int filter = raw[start];
    std::string row = raw.substr(start + 1, stride);
    for (std::size_t i = 0; i < stride; ++i) {
      unsigned char prior = 0;
      if (filter == 1) prior = i >= 4 ? static_cast<unsigned char>(row[i - 4]) : 0;
      else if (filter == 2) prior = static_cast<unsigned char>(above[i]);
      else EXPECT_EQ(filter, 0) << "row " << y;
      row[i] = static_cast<char>(static_cast<unsigned char>(row[i]) + prior);
    }
    out.rgba += row;
    above = row;
  }
  return out;
}

TEST(PngFile, ReadsBackAsTheSamePixels) {
  // A horizontal ramp (Sub's case), vertical stripes (Up's), noise (None's), edges of partial
  // alpha, and transparent pixels whose colour must not leak.
  PixelImage im;
  std::mt19937 gen(4);
  for (int y = 0; y < 40; ++y) {
    std::vector<Rgba> row;
    for (int x = 0; x < 33; ++x) {
      Rgba p;
      if (y < 10) p = Rgba{static_cast<std::uint8_t>(x * 7), 0x40, static_cast<std::uint8_t>(y), false, 0xFF};
      else if (y < 20) p = Rgba{static_cast<std::uint8_t>(x % 2 ? 0xFF : 0), 0xEE, 0x10, false, 0xFF};
      else if (y < 30) p = Rgba{static_cast<std::uint8_t>(gen()), static_cast<std::uint8_t>(gen()),
                                static_cast<std::uint8_t>(gen()), false, static_cast<std::uint8_t>(gen())};
      else p = Rgba{0x12, 0x34, 0x56, x < 16, static_cast<std::uint8_t>(x < 16 ? 0 : x * 5)};
      row.push_back(p);
    }
    im.rows.push_back(row);
  }
  const DecodedPng png = Decode(PngFile(im));
  ASSERT_EQ(png.width, 33);
  ASSERT_EQ(png.height, 40);
  ASSERT_EQ(png.rgba.size(), 33u * 40u * 4u);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 33; ++x) {
      const Rgba& p = im.rows[y][x];
      const std::size_t at = (static_cast<std::size_t>(y) * 33 + x) * 4;
      const auto byte = [&](int k) { return static_cast<unsigned char>(png.rgba[at + k]); };
      if (p.transparent) {
        EXPECT_EQ(byte(0) | byte(1) | byte(2) | byte(3), 0) << x << "," << y;
      } else {
        EXPECT_EQ(byte(0), p.r) << x << "," << y;
        EXPECT_EQ(byte(1), p.g) << x << "," << y;
        EXPECT_EQ(byte(2), p.b) << x << "," << y;
        EXPECT_EQ(byte(3), p.a) << x << "," << y;
      }
    }
}

}  // namespace
