#include "bench/engine/TestPng.h"

#include <array>
#include <string_view>

namespace velmoran::bench::engine {

namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (const char b : bytes) c = CrcTable()[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::string_view bytes) {
  std::uint32_t a = 1, b = 0;
  for (const char byte : bytes) {
    a = (a + static_cast<unsigned char>(byte)) % 65521u;
    b = (b + a) % 65521u;
  }
  return b << 16 | a;
}

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendChunk(std::string& png, std::string_view type, std::string_view data) {
  AppendBigEndian(png, static_cast<std::uint32_t>(data.size()));
  std::string typed(type);
  typed += data;
  png += typed;
  AppendBigEndian(png, Crc32(typed));
}

// The image's rows, each led by filter type 0 (none).
std::string Scanlines(std::uint32_t width, std::uint32_t height, std::uint32_t seed) {
  std::string rows;
  rows.reserve(static_cast<std::size_t>(height) * (1 + 3 * width));
  std::uint32_t state = seed;
  for (std::uint32_t y = 0; y < height; ++y) {
    rows += '\0';
    for (std::uint32_t x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      const std::uint32_t noise = state >> 24;
      rows += static_cast<char>((x * 255 / width + noise / 2) & 0xFF);
      rows += static_cast<char>((y * 255 / height + noise / 3) & 0xFF);
      rows += static_cast<char>((160 + (noise & 0x3F)) & 0xFF);
    }
  }
  return rows;
}

// A zlib stream of stored deflate blocks (at most 65535 bytes each).
std::string StoredZlib(std::string_view data) {
  std::string out = "\x78\x01";
  std::size_t offset = 0;
  do {
    const std::size_t size = data.size() - offset < 65535 ? data.size() - offset : 65535;
    const bool last = offset + size == data.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(size & 0xFF);
    out += static_cast<char>(size >> 8);
    out += static_cast<char>(~size & 0xFF);
    out += static_cast<char>((~size >> 8) & 0xFF);
    out.append(data.substr(offset, size));
    offset += size;
  } while (offset < data.size());
  AppendBigEndian(out, Adler32(data));
  return out;
}

}  // namespace

std::string MakeTestPng(std::uint32_t width, std::uint32_t height, std::uint32_t seed) {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  AppendBigEndian(header, width);
  AppendBigEndian(header, height);
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filtering, no interlace
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", StoredZlib(Scanlines(width, height, seed)));
  AppendChunk(png, "IEND", {});
  return png;
}

}  // namespace velmoran::bench::engine
