#include "crash/PngImage.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codec/Crc32.h"
#include "codec/Deflate.h"

namespace velmoran::crash {
namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1A\n";
constexpr char kColourTypeRgb = 2;
constexpr char kFilterNone = 0;

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// Length, type, data, and the CRC of type and data.
void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  out += type;
  out += data;
  AppendBigEndian(out, codec::Crc32(data, codec::Crc32(type)));
}

}  // namespace

std::string EncodePng(const Screenshot& picture) {
  if (picture.width <= 0 || picture.height <= 0) return {};
  const auto width = static_cast<std::size_t>(picture.width);
  const auto height = static_cast<std::size_t>(picture.height);
  if (picture.pixels.size() != width * height) return {};

  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string_view("\x08", 1);  // bit depth
  header.push_back(kColourTypeRgb);
  header += std::string_view("\0\0\0", 3);  // deflate, adaptive filtering, no interlace

  std::string rows;
  rows.reserve(height * (1 + 3 * width));
  for (std::size_t y = 0; y < height; ++y) {
    rows.push_back(kFilterNone);
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t pixel = picture.pixels[y * width + x];
      rows.push_back(static_cast<char>((pixel >> 16) & 0xFF));
      rows.push_back(static_cast<char>((pixel >> 8) & 0xFF));
      rows.push_back(static_cast<char>(pixel & 0xFF));
    }
  }

  std::string file(kSignature);
  AppendChunk(file, "IHDR", header);
  AppendChunk(file, "IDAT", codec::ZlibCompress(rows));
  AppendChunk(file, "IEND", {});
  return file;
}

}  // namespace velmoran::crash
