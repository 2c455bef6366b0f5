#include "raster/ImagePNG.h"

// clang-format off
#include <cstdio>
#include <png.h>
#include <zlib.h>
// clang-format on

#include <gtest/gtest.h>

#include "raster/PictureFiles.h"

namespace warpix {
namespace {

using testing::Bytes;
using testing::colourAt;
using testing::Raster;
using testing::Rgb;
using testing::TempDir;

// A picture where neighbouring pixels differ, so a misplaced interlace pass
// or a turned row shows.
Rgb pattern(int x, int y) { return Rgb{(x * 37 + y * 11) & 255, (x * 5 + y * 71) & 255, (x * y * 13 + 7) & 255}; }

Raster withAlpha(int width, int height, const std::function<int(int x, int y)>& alpha) {
  Raster r{width, height, 4, 8, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = pattern(x, y);
      r.samples.insert(r.samples.end(), {std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b), std::uint8_t(alpha(x, y))});
    }
  }
  return r;
}

// Samples of a 16-bit file: each 8-bit value v becomes v * 256 + 0x5A, so
// stripping to 8 bits must give v back.
Raster widen(const Raster& narrow) {
  Raster r = narrow;
  r.bitDepth = 16;
  r.samples.clear();
  for (std::uint8_t v : narrow.samples) r.samples.insert(r.samples.end(), {v, 0x5A});
  return r;
}

class ImagePNGTest : public ::testing::Test {
 protected:
  ImagePNG decode(const Raster& raster, int colourType, bool interlaced = false) {
    const std::string path = dir.file("p.png");
    testing::writePng(path, raster, colourType, interlaced);
    return ImagePNG(path, 1);
  }
  TempDir dir;
};

TEST_F(ImagePNGTest, RgbDecodesTo24BitBottomUp) {
  const ImagePNG image = decode(Raster::rgb(5, 3, pattern), PNG_COLOR_TYPE_RGB);
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.bitCount(), 24);
  EXPECT_EQ(image.imageSize(), 3u * 16);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(colourAt(image, x, y), pattern(x, y)) << x << "," << y;
  // Row padding is zero-filled: the last byte of the bottom row.
  EXPECT_EQ(image.bits()[15], 0);
}

TEST_F(ImagePNGTest, TransparencyIsBlendedOverLightBlue) {
  const ImagePNG image = decode(withAlpha(3, 1, [](int x, int) { return x == 0 ? 0 : x == 1 ? 255 : 128; }),
                                PNG_COLOR_TYPE_RGB_ALPHA);
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(colourAt(image, 0, 0), (Rgb{31, 127, 255}));
  EXPECT_EQ(colourAt(image, 1, 0), pattern(1, 0));
  // Half cover: (c * 128 + background * 127) / 255 per channel, by hand for
  // pattern(2, 0) = (74, 10, 7): (74*128 + 31*127) / 255 = 52.6,
  // (10*128 + 127*127) / 255 = 68.3, (7*128 + 255*127) / 255 = 130.5.
  EXPECT_TRUE(testing::near(colourAt(image, 2, 0), Rgb{53, 68, 130}, 1)) << colourAt(image, 2, 0).r << " "
                                                                          << colourAt(image, 2, 0).g << " "
                                                                          << colourAt(image, 2, 0).b;
}

TEST_F(ImagePNGTest, SixteenBitSamplesAreCutToEight) {
  const ImagePNG rgb = decode(widen(Raster::rgb(4, 2, pattern)), PNG_COLOR_TYPE_RGB);
  ASSERT_TRUE(rgb.loaded());
  EXPECT_EQ(colourAt(rgb, 3, 1), pattern(3, 1));
  const ImagePNG rgba = decode(widen(withAlpha(2, 1, [](int x, int) { return x == 0 ? 0 : 255; })),
                               PNG_COLOR_TYPE_RGB_ALPHA);
  ASSERT_TRUE(rgba.loaded());
  EXPECT_EQ(colourAt(rgba, 1, 0), pattern(1, 0));
  EXPECT_TRUE(testing::near(colourAt(rgba, 0, 0), Rgb{31, 127, 255}, 1));
}

TEST_F(ImagePNGTest, InterlacedFilesGiveTheSamePixelsAsTheirPlainTwins) {
  for (const auto& [width, height] : {std::pair{37, 23}, std::pair{1, 1}, std::pair{9, 2}, std::pair{2, 9}}) {
    const ImagePNG plain = decode(Raster::rgb(width, height, pattern), PNG_COLOR_TYPE_RGB, false);
    const ImagePNG laced = decode(Raster::rgb(width, height, pattern), PNG_COLOR_TYPE_RGB, true);
    ASSERT_TRUE(plain.loaded() && laced.loaded());
    EXPECT_TRUE(std::equal(plain.header(), plain.bits() + plain.imageSize(), laced.header())) << width << "x" << height;
  }
  const auto alpha = [](int x, int y) { return (x * 29 + y * 3) & 255; };
  const ImagePNG plain = decode(withAlpha(19, 11, alpha), PNG_COLOR_TYPE_RGB_ALPHA, false);
  const ImagePNG laced = decode(withAlpha(19, 11, alpha), PNG_COLOR_TYPE_RGB_ALPHA, true);
  ASSERT_TRUE(plain.loaded() && laced.loaded());
  EXPECT_TRUE(std::equal(plain.header(), plain.bits() + plain.imageSize(), laced.header()));
}

TEST_F(ImagePNGTest, PaletteAndGreyFilesAreRefused) {
  const Raster grey{4, 2, 1, 8, Bytes(8, 100)};
  EXPECT_FALSE(decode(grey, PNG_COLOR_TYPE_GRAY).loaded());
  EXPECT_FALSE(decode(widen(grey), PNG_COLOR_TYPE_GRAY).loaded());
  const Raster greyAlpha{4, 2, 2, 8, Bytes(16, 200)};
  EXPECT_FALSE(decode(greyAlpha, PNG_COLOR_TYPE_GRAY_ALPHA).loaded());
  // 2 x 16 bits looks as deep as a colour file, but has one colour sample.
  EXPECT_FALSE(decode(widen(greyAlpha), PNG_COLOR_TYPE_GRAY_ALPHA).loaded());
  const std::string path = dir.file("palette.png");
  testing::writePng(path, Raster{4, 2, 1, 8, Bytes(8, 1)}, PNG_COLOR_TYPE_PALETTE, false, {0, 0, 0, 255, 0, 0});
  EXPECT_FALSE(ImagePNG(path, 1).loaded());
}

TEST_F(ImagePNGTest, DamagedFilesAreRefused) {
  const std::string path = dir.file("p.png");
  testing::writePng(path, Raster::rgb(40, 40, pattern), PNG_COLOR_TYPE_RGB);
  const Bytes whole = testing::readBytes(path);
  for (std::size_t size : {0ul, 8ul, 30ul, whole.size() / 2, whole.size() - 13}) {
    testing::writeBytes(path, Bytes(whole.begin(), whole.begin() + static_cast<long>(size)));
    EXPECT_FALSE(ImagePNG(path, 1).loaded()) << size;
  }
  testing::writeBytes(path, Bytes(200, 0x42));
  EXPECT_FALSE(ImagePNG(path, 1).loaded());
  EXPECT_FALSE(ImagePNG(dir.file("absent.png"), 1).loaded());
}

TEST_F(ImagePNGTest, PicturesAboveThePixelBudgetAreRefused) {
  const std::string path = dir.file("big.png");
  testing::writePng(path, Raster::rgb(8, 8, pattern), PNG_COLOR_TYPE_RGB);
  Bytes file = testing::readBytes(path);
  // IHDR data starts at 16 (8 signature + length + type): width, height
  // big-endian; its CRC covers the type and the 13 data bytes.
  const auto putBE = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = std::uint8_t(v >> (24 - 8 * i));
  };
  putBE(16, 11000);
  putBE(20, 11000);  // 121 megapixels
  putBE(29, static_cast<std::uint32_t>(crc32(0, file.data() + 12, 17)));
  testing::writeBytes(path, file);
  EXPECT_FALSE(ImagePNG(path, 1).loaded());
}

}  // namespace
}  // namespace warpix
