// A small PNG writer: row filters, a deflate of fixed Huffman codes and the chunk checksums.
// The build machine may lack zlib, so the compressor is our own.
#include "tools/PngWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// Deflate's bits go out least significant first; Huffman codes are stored reversed so that they
// read most significant first.
class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}
  void Bits(std::uint32_t value, int count) {
    acc_ |= value << used_;
    used_ += count;
    while (used_ >= 8) {
      out_.push_back(static_cast<char>(acc_ & 0xFF));
      acc_ >>= 8;
      used_ -= 8;
    }
  }
  void Code(std::uint32_t code, int length) {
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    Bits(reversed, length);
  }
  void Flush() {
    if (used_ > 0) Bits(0, 8 - used_);
  }

 private:
  std::string& out_;
  std::uint32_t acc_ = 0;
  int used_ = 0;
};

void Symbol(BitWriter& w, int sym) {
  if (sym < 144) w.Code(0x30 + sym, 8);
  else if (sym < 256) w.Code(0x190 + sym - 144, 9);
  else if (sym < 280) w.Code(sym - 256, 7);
  else w.Code(0xC0 + sym - 280, 8);
}

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                             15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistBase = {1,    2,    3,    4,    5,    7,     9,     13,
                                           17,   25,   33,   49,   65,   97,    129,   193,
                                           257,  385,  513,  769,  1025, 1537,  2049,  3073,
                                           4097, 6145, 8193, 12289, 16385, 24577};

void Match(BitWriter& w, int length, int distance) {
  int l = 28;
  while (kLengthBase[l] > length) --l;
  Symbol(w, 257 + l);
  w.Bits(static_cast<std::uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
  int d = 29;
  while (kDistBase[d] > distance) --d;
  w.Code(static_cast<std::uint32_t>(d), 5);
  w.Bits(static_cast<std::uint32_t>(distance - kDistBase[d]), d < 4 ? 0 : d / 2 - 1);
}

std::uint32_t Adler32(const std::string& data) {
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : data) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

std::uint32_t Crc32(const std::string& data) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : data) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void BigEndian32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  BigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  BigEndian32(out, Crc32(body));
}

// Filter type and bytes of one row: None, Sub or Up, whichever leaves the smallest sum of
// magnitudes, which tends to compress best.
std::string FilteredRow(const std::string& row, const std::string& above) {
  std::array<std::string, 3> tries;
  long best = -1;
  std::size_t bestType = 0;
  for (std::size_t type = 0; type < tries.size(); ++type) {
    std::string& t = tries[type];
    t.push_back(static_cast<char>(type));
    long cost = 0;
    for (std::size_t i = 0; i < row.size(); ++i) {
      const unsigned char prior = type == 1 ? (i >= 4 ? row[i - 4] : 0) : type == 2 ? above[i] : 0;
      const auto v = static_cast<unsigned char>(static_cast<unsigned char>(row[i]) - prior);
      t.push_back(static_cast<char>(v));
      cost += v < 128 ? v : 256 - v;
    }
    if (best < 0 || cost < best) {
      best = cost;
      bestType = type;
    }
  }
  return tries[bestType];
}

}  // namespace

std::string ZlibCompress(const std::string& data) {
  constexpr int kWindow = 32768, kMaxLength = 258, kMaxTries = 32, kHashSize = 1 << 15;
  std::string out = "\x78\x01";  // deflate, 32 KB window, no dictionary; checks to 0 mod 31
  BitWriter w(out);
  w.Bits(1, 1);  // the last block
  w.Bits(1, 2);  // fixed Huffman codes
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(data[i]); };
  const auto hash = [&](std::size_t i) {
    return static_cast<std::size_t>((at(i) << 10 ^ at(i + 1) << 5 ^ at(i + 2)) & (kHashSize - 1));
  };
  // The latest position of each hash, and for every position the one before with the same hash.
  std::vector<long> head(kHashSize, -1), previous(data.size(), -1);
  const auto insert = [&](std::size_t i) {
    if (i + 2 >= data.size()) return;
    const std::size_t h = hash(i);
    previous[i] = head[h];
    head[h] = static_cast<long>(i);
  };
  std::size_t i = 0;
  while (i < data.size()) {
    int bestLength = 0;
    long bestFrom = 0;
    if (i + 2 < data.size()) {
      long from = head[hash(i)];
      for (int tries = 0; from >= 0 && static_cast<long>(i) - from <= kWindow && tries < kMaxTries;
           ++tries, from = previous[static_cast<std::size_t>(from)]) {
        const std::size_t limit = std::min<std::size_t>(kMaxLength, data.size() - i);
        std::size_t n = 0;
        while (n < limit && data[static_cast<std::size_t>(from) + n] == data[i + n]) ++n;
        if (static_cast<int>(n) > bestLength) {
          bestLength = static_cast<int>(n);
          bestFrom = from;
        }
      }
    }
    if (bestLength >= 3) {
      Match(w, bestLength, static_cast<int>(static_cast<long>(i) - bestFrom));
      for (int k = 0; k < bestLength; ++k) insert(i + static_cast<std::size_t>(k));
      i += static_cast<std::size_t>(bestLength);
    } else {
      Symbol(w, at(i));
      insert(i);
      ++i;
    }
  }
  Symbol(w, 256);
  w.Flush();
  BigEndian32(out, Adler32(data));
  return out;
}

std::string PngFile(const PixelImage& image) {
  const int width = image.Width(), height = image.Height();
  std::string raw, above(static_cast<std::size_t>(width) * 4, '\0');
  for (const auto& pixels : image.rows) {
    std::string row;
    for (const Rgba& p : pixels) {
      const Rgba q = p.transparent ? Rgba{0, 0, 0, true, 0} : p;
      row += {static_cast<char>(q.r), static_cast<char>(q.g), static_cast<char>(q.b),
              static_cast<char>(q.a)};
    }
    raw += FilteredRow(row, above);
    above = row;
  }
  std::string header;
  BigEndian32(header, static_cast<std::uint32_t>(width));
  BigEndian32(header, static_cast<std::uint32_t>(height));
  header += {8, 6, 0, 0, 0};  // 8 bits, RGBA, deflate, standard filters, not interlaced
  std::string out = "\x89PNG\r\n\x1a\n";
  Chunk(out, "IHDR", header);
  Chunk(out, "IDAT", ZlibCompress(raw));
  Chunk(out, "IEND", "");
  return out;
}
