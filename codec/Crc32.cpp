#include "codec/Crc32.h"

#include <array>

namespace velmoran::codec {
namespace {

// Four tables: slicing by four bytes keeps a screenshot or a minidump's CRC
// well under a millisecond per megabyte.
constexpr std::array<std::array<std::uint32_t, 256>, 4> MakeTables() {
  std::array<std::array<std::uint32_t, 256>, 4> tables{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    tables[0][n] = c;
  }
  for (std::uint32_t n = 0; n < 256; ++n) {
    for (std::size_t t = 1; t < 4; ++t)
      tables[t][n] = (tables[t - 1][n] >> 8) ^ tables[0][tables[t - 1][n] & 0xFF];
  }
  return tables;
}

constexpr auto kTables = MakeTables();

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t previous) {
  std::uint32_t c = ~previous;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  while (left >= 4) {
    c ^= static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    c = kTables[3][c & 0xFF] ^ kTables[2][(c >> 8) & 0xFF] ^ kTables[1][(c >> 16) & 0xFF] ^
        kTables[0][c >> 24];
    p += 4;
    left -= 4;
  }
  while (left-- > 0) c = kTables[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
  return ~c;
}

}  // namespace velmoran::codec
