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
    return ImagePNG(path, 0, 1);
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

// Every colour layout decodes to the pixels ImageMagick sees, alpha
// flattened over the same light blue. 16-bit samples may differ by one:
// they are cut to their high byte here, rounded there.
TEST_F(ImagePNGTest, EveryColourLayoutMatchesImageMagick) {
  const auto samples = [](int channels, int count) {
    Bytes b;
    for (int i = 0; i < count * channels; ++i) b.push_back(static_cast<std::uint8_t>((i * 53 + i / channels * 17) & 255));
    return b;
  };
  const Raster grey{13, 7, 1, 8, samples(1, 91)}, greyAlpha{13, 7, 2, 8, samples(2, 91)};
  Bytes palette;
  for (int i = 0; i < 3 * 256; ++i) palette.push_back(static_cast<std::uint8_t>(i * 7));
  const struct {
    const char* name;
    Raster raster;
    int colourType;
    Bytes palette;
    int tolerance;
  } cases[] = {
      {"grey", grey, PNG_COLOR_TYPE_GRAY, {}, 0},
      {"grey16", widen(grey), PNG_COLOR_TYPE_GRAY, {}, 1},
      {"grey-alpha", greyAlpha, PNG_COLOR_TYPE_GRAY_ALPHA, {}, 1},
      {"grey-alpha16", widen(greyAlpha), PNG_COLOR_TYPE_GRAY_ALPHA, {}, 1},
      {"palette", grey, PNG_COLOR_TYPE_PALETTE, palette, 0},
      {"rgb16", widen(Raster::rgb(13, 7, pattern)), PNG_COLOR_TYPE_RGB, {}, 1},
      {"rgba16", widen(withAlpha(13, 7, [](int x, int y) { return x * 19 + y; })), PNG_COLOR_TYPE_RGB_ALPHA, {}, 1},
  };
  for (const auto& c : cases) {
    const std::string path = dir.file(std::string(c.name) + ".png");
    testing::writePng(path, c.raster, c.colourType, false, c.palette);
    const ImagePNG image(path, 0, 1);
    ASSERT_TRUE(image.loaded()) << c.name;
    EXPECT_EQ(image.bitCount(), 24) << c.name;
    EXPECT_LE(testing::maxDifference(image, testing::decodeWithMagick(path)), c.tolerance) << c.name;
  }
  // Low depths and a palette with transparent entries, as ImageMagick writes them.
  const std::string made[] = {
      "-size 9x5 gradient: -define png:color-type=0 -define png:bit-depth=2",
      "-size 9x5 xc:red -fill '#00f8' -draw 'rectangle 0,0 4,4' -define png:color-type=3",
      "-size 9x5 xc:'#fa0' -fill black -draw 'point 1,1' -define png:color-type=3 -define png:bit-depth=1",
  };
  for (const std::string& recipe : made) {
    const std::string path = dir.file("made.png");
    ASSERT_TRUE(testing::run("convert " + recipe + " '" + path + "'")) << recipe;
    const ImagePNG image(path, 0, 1);
    ASSERT_TRUE(image.loaded()) << recipe;
    EXPECT_LE(testing::maxDifference(image, testing::decodeWithMagick(path)), 1) << recipe;
  }
}

// Shrunk while decoding, plain or interlaced, to the box means of the
// picture; 37 x 23 leaves part boxes at the right and bottom edges.
TEST_F(ImagePNGTest, LargerThanTheSceneShrinksByBoxMeans) {
  const auto colour = [](int x, int y) { return pattern(x, y); };
  for (const bool interlaced : {false, true}) {
    const std::string path = dir.file("big.png");
    testing::writePng(path, Raster::rgb(37, 23, colour), PNG_COLOR_TYPE_RGB, interlaced);
    for (const auto& [sceneWidth, factor] : {std::pair{18, 2}, std::pair{9, 4}, std::pair{4, 8}}) {
      const ImagePNG image(path, sceneWidth, 1);
      ASSERT_TRUE(image.loaded());
      ASSERT_EQ(image.Width(), (37 + factor - 1) / factor) << factor;
      ASSERT_EQ(image.Height(), (23 + factor - 1) / factor) << factor;
      for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
          ASSERT_EQ(colourAt(image, x, y), testing::boxMean(colour, 37, 23, factor, x, y))
              << interlaced << " 1/" << factor << " at " << x << "," << y;
    }
  }
}

// 121 megapixels is over the budget at full size: without a scene the
// picture comes out at half size rather than not at all.
TEST_F(ImagePNGTest, AFileOverThePixelBudgetIsHalvedNotRefused) {
  const std::string path = dir.file("huge.png");
  Raster grey{11000, 11000, 1, 8, Bytes(121'000'000, 90)};
  for (int x = 0; x < 11000; ++x) grey.samples[x] = 250;  // the top row
  testing::writePng(path, grey, PNG_COLOR_TYPE_GRAY);
  grey.samples = {};
  const ImagePNG image(path, 0, 1);
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.Width(), 5500);
  EXPECT_EQ(image.Height(), 5500);
  EXPECT_EQ(colourAt(image, 17, 0), (Rgb{170, 170, 170}));  // (250 + 90) / 2
  EXPECT_EQ(colourAt(image, 17, 1), (Rgb{90, 90, 90}));
}

TEST_F(ImagePNGTest, DamagedFilesAreRefused) {
  const std::string path = dir.file("p.png");
  testing::writePng(path, Raster::rgb(40, 40, pattern), PNG_COLOR_TYPE_RGB);
  const Bytes whole = testing::readBytes(path);
  for (std::size_t size : {0ul, 8ul, 30ul, whole.size() / 2, whole.size() - 13}) {
    testing::writeBytes(path, Bytes(whole.begin(), whole.begin() + static_cast<long>(size)));
    EXPECT_FALSE(ImagePNG(path, 0, 1).loaded()) << size;
  }
  testing::writeBytes(path, Bytes(200, 0x42));
  EXPECT_FALSE(ImagePNG(path, 0, 1).loaded());
  EXPECT_FALSE(ImagePNG(dir.file("absent.png"), 0, 1).loaded());
}

TEST_F(ImagePNGTest, PicturesAboveThePixelBudgetEvenAtOneEighthAreRefused) {
  const std::string path = dir.file("big.png");
  testing::writePng(path, Raster::rgb(8, 8, pattern), PNG_COLOR_TYPE_RGB);
  Bytes file = testing::readBytes(path);
  // IHDR data starts at 16 (8 signature + length + type): width, height
  // big-endian; its CRC covers the type and the 13 data bytes.
  const auto putBE = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = std::uint8_t(v >> (24 - 8 * i));
  };
  putBE(16, 100000);
  putBE(20, 100000);  // 156 megapixels even at 1/8
  putBE(29, static_cast<std::uint32_t>(crc32(0, file.data() + 12, 17)));
  testing::writeBytes(path, file);
  EXPECT_FALSE(ImagePNG(path, 0, 1).loaded());
}

}  // namespace
}  // namespace warpix
