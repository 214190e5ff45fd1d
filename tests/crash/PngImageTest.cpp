#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "crash/PngImage.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

using velmoran::crash::EncodePng;
using velmoran::crash::Screenshot;

namespace {

// Something like a window: flat areas, a frame, a gradient band and a patch
// of noise standing for text and photos.
Screenshot WindowLikePicture(int width, int height) {
  Screenshot picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  std::mt19937 random(5);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = 0x00F5F5F5;
      if (y < height / 16) pixel = 0x001B2A4A;
      if (x == 0 || y == 0 || x == width - 1 || y == height - 1) pixel = 0x00000000;
      if (y > height / 2 && y < height / 2 + 8)
        pixel = static_cast<std::uint32_t>(x * 255 / width) * 0x010101u;
      if (x > width / 4 && x < width / 4 + 64 && y > height / 4 && y < height / 4 + 32)
        pixel = random() & 0xFFFFFF;
      picture.pixels[static_cast<std::size_t>(y) * width + x] = pixel;
    }
  }
  return picture;
}

std::string RgbBytes(const Screenshot& picture) {
  std::string bytes;
  for (std::uint32_t pixel : picture.pixels) {
    bytes.push_back(static_cast<char>(pixel >> 16));
    bytes.push_back(static_cast<char>(pixel >> 8));
    bytes.push_back(static_cast<char>(pixel));
  }
  return bytes;
}

struct PngCase {
  std::string name;
  int width;
  int height;
};

class PngImageTest : public testing::TestWithParam<PngCase> {};

TEST_P(PngImageTest, PythonReadsTheSamePixels) {
  const Screenshot picture = WindowLikePicture(GetParam().width, GetParam().height);
  const std::string png = EncodePng(picture);
  const std::string rgb = RgbBytes(picture);
  velmoran::test::TempFolder folder;
  std::ofstream(folder.path() / "picture.png", std::ios::binary)
      .write(png.data(), static_cast<std::streamsize>(png.size()));
  std::ofstream(folder.path() / "picture.rgb", std::ios::binary)
      .write(rgb.data(), static_cast<std::streamsize>(rgb.size()));
  const std::string command = std::string(VELMORAN_PYTHON) + " " + VELMORAN_DECODE_CHECK + " png " +
                              (folder.path() / "picture.png").string() + " " +
                              (folder.path() / "picture.rgb").string() + " " + std::to_string(picture.width) +
                              " " + std::to_string(picture.height);
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

INSTANTIATE_TEST_SUITE_P(Sizes, PngImageTest,
                         testing::Values(PngCase{"OnePixel", 1, 1}, PngCase{"OddSize", 37, 19},
                                         PngCase{"FullScreen", 1280, 1024}),
                         velmoran::test::CaseName());

TEST(PngImageSizeTest, AWindowCompressesFarBelowItsRawSize) {
  // Stored blocks would take the raw 3.9 MB; the report is meant to stay small.
  const Screenshot picture = WindowLikePicture(1280, 1024);
  EXPECT_LT(EncodePng(picture).size(), 1280u * 1024u * 3u / 50u);
}

TEST(PngImageSizeTest, NoFileForAPictureWithoutPixelsOrOfTheWrongSize) {
  EXPECT_TRUE(EncodePng(Screenshot{}).empty());
  EXPECT_TRUE(EncodePng(Screenshot{2, 2, {1, 2, 3}}).empty());
}

}  // namespace
