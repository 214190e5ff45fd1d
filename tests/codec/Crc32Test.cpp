#include <gtest/gtest.h>

#include <string>

#include "codec/Crc32.h"

namespace velmoran::codec {
namespace {

TEST(Crc32Test, KnownValues) {
  EXPECT_EQ(Crc32(""), 0x00000000u);
  EXPECT_EQ(Crc32("a"), 0xE8B7BE43u);
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  // A PNG's IEND chunk: the CRC covers the type.
  EXPECT_EQ(Crc32("IEND"), 0xAE426082u);
}

TEST(Crc32Test, PiecesGiveTheCrcOfTheWhole) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text.push_back(static_cast<char>(i * 37 + 11));
  const std::uint32_t whole = Crc32(text);
  for (std::size_t cut : {0u, 1u, 3u, 4u, 5u, 999u, 1000u}) {
    const std::string_view view(text);
    EXPECT_EQ(Crc32(view.substr(cut), Crc32(view.substr(0, cut))), whole) << "cut at " << cut;
  }
}

}  // namespace
}  // namespace velmoran::codec
