#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "codec/Deflate.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

using velmoran::codec::Adler32;
using velmoran::codec::ZlibCompress;

namespace {

std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

std::string Repeated(std::string_view piece, std::size_t times) {
  std::string bytes;
  for (std::size_t i = 0; i < times; ++i) bytes += piece;
  return bytes;
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct DeflateCase {
  std::string name;
  std::string bytes;
};

std::vector<DeflateCase> DeflateCases() {
  std::string allValues;
  for (int i = 0; i < 256; ++i) allValues.push_back(static_cast<char>(i));
  const std::string block = RandomBytes(30000, 7);
  return {
      {"Empty", ""},
      {"OneByte", "x"},
      {"ShorterThanAMatch", "abab"},
      {"EveryByteValue", allValues + allValues},
      {"Text", Repeated("04-28 9:5:07.045:::WebMessageReceived triggered\r\n", 400)},
      {"RandomBytesWithoutMatches", RandomBytes(100000, 3)},
      {"LongRun", std::string(1 << 20, '\0')},
      // Matches right at the deflate window's far end (32768 bytes back).
      {"RepeatsNearTheWindowsEnd", block + RandomBytes(2768, 9) + block},
      {"RepeatsBeyondTheWindow", block + RandomBytes(40000, 11) + block},
  };
}

class DeflateTest : public testing::TestWithParam<DeflateCase> {};

// Python's zlib, an independent inflater, must give back every byte, and
// checks the Adler-32 on the way.
TEST_P(DeflateTest, PythonsZlibInflatesItBack) {
  velmoran::test::TempFolder folder;
  WriteBytes(folder.path() / "stream", ZlibCompress(GetParam().bytes));
  WriteBytes(folder.path() / "original", GetParam().bytes);
  const std::string command = std::string(VELMORAN_PYTHON) + " " + VELMORAN_DECODE_CHECK + " zlib " +
                              (folder.path() / "stream").string() + " " +
                              (folder.path() / "original").string();
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

INSTANTIATE_TEST_SUITE_P(Inputs, DeflateTest, testing::ValuesIn(DeflateCases()), velmoran::test::CaseName());

TEST(DeflateSizeTest, RunsShrinkToAFewBitsPerMatch) {
  // A run is a chain of 258-byte matches of 13 bits each: about 6.3 KB for a MiB.
  EXPECT_LT(ZlibCompress(std::string(1 << 20, '\x7F')).size(), 7000u);
}

TEST(Adler32Test, KnownValuesAndPieces) {
  EXPECT_EQ(Adler32(""), 1u);
  EXPECT_EQ(Adler32("Wikipedia"), 0x11E60398u);
  // Long enough for the sums to be reduced more than once.
  const std::string bytes(20000, '\xFF');
  const std::uint32_t whole = Adler32(bytes);
  EXPECT_EQ(whole, 0x9F51D664u);
  EXPECT_EQ(Adler32(std::string_view(bytes).substr(7001), Adler32(std::string_view(bytes).substr(0, 7001))),
            whole);
}

}  // namespace
