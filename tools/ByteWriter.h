// Little-endian fields appended to a file being built in memory, as the Windows formats store them.
#pragma once
#include <cstdint>
#include <string>

class ByteWriter {
 public:
  explicit ByteWriter(std::string& out) : out_(out) {}
  void U8(std::uint32_t v) { out_.push_back(static_cast<char>(v & 0xFF)); }
  void U16(std::uint32_t v) { U8(v); U8(v >> 8); }
  void U32(std::uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }

 private:
  std::string& out_;
};
