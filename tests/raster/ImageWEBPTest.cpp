#include "raster/ImageWEBP.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>

#include "raster/PictureFiles.h"

namespace warpix {
namespace {

using testing::Raster;
using testing::Rgb;
using testing::TempDir;

Rgb pattern(int x, int y) { return Rgb{(x * 37 + y * 11) & 255, (x * 5 + y * 71) & 255, (x * y * 13 + 7) & 255}; }

class ImageWEBPTest : public ::testing::Test {
 protected:
  // A WebP file made by ImageMagick from a 37 x 23 PNG of `pattern`, with a
  // transparent band at the left when `alpha`.
  std::string make(const std::string& options, bool alpha) {
    const std::string png = dir.file("source.png"), path = dir.file("p.webp");
    Raster r{37, 23, 4, 8, {}};
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x) {
        const Rgb c = pattern(x, y);
        r.samples.insert(r.samples.end(), {std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b),
                                           std::uint8_t(alpha ? std::min(255, x * 20) : 255)});
      }
    testing::writePng(png, r, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB);
    if (!alpha) testing::writePng(png, Raster::rgb(37, 23, pattern), PNG_COLOR_TYPE_RGB);
    EXPECT_TRUE(testing::run("convert '" + png + "' " + options + " '" + path + "'"));
    return path;
  }
  TempDir dir;
};

// Lossless and lossy files, opaque or not, decode to what ImageMagick shows
// (through the same library; alpha flattened over the same light blue).
TEST_F(ImageWEBPTest, MatchesImageMagick) {
  const struct {
    const char* options;
    bool alpha;
  } cases[] = {{"-define webp:lossless=true", false}, {"-quality 80", false},
               {"-define webp:lossless=true", true},  {"-quality 80", true}};
  for (const auto& c : cases) {
    const std::string path = make(c.options, c.alpha);
    const ImageWEBP image(path, 0, 1);
    ASSERT_TRUE(image.loaded()) << c.options << c.alpha;
    EXPECT_EQ(image.bitCount(), 24);
    EXPECT_LE(testing::maxDifference(image, testing::decodeWithMagick(path)), 1) << c.options << c.alpha;
  }
}

// Shrunk by the library's scaler, which averages the area each output
// pixel covers: for a side the factor divides, that is the box mean.
TEST_F(ImageWEBPTest, LargerThanTheSceneShrinksToBoxMeans) {
  const auto smooth = [](int x, int y) { return Rgb{x * 5, y * 10, 255 - x * 3}; };
  const std::string png = dir.file("smooth.png"), path = dir.file("smooth.webp");
  testing::writePng(png, Raster::rgb(48, 24, smooth), PNG_COLOR_TYPE_RGB);
  ASSERT_TRUE(testing::run("convert '" + png + "' -define webp:lossless=true '" + path + "'"));
  for (const auto& [sceneWidth, factor] : {std::pair{24, 2}, std::pair{12, 4}, std::pair{6, 8}}) {
    const ImageWEBP image(path, sceneWidth, 1);
    ASSERT_TRUE(image.loaded());
    ASSERT_EQ(image.Width(), 48 / factor);
    ASSERT_EQ(image.Height(), 24 / factor);
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        ASSERT_TRUE(testing::near(testing::colourAt(image, x, y), testing::boxMean(smooth, 48, 24, factor, x, y), 1))
            << factor << " at " << x << "," << y;
  }
}

// Of an animation the first frame is shown, shrunk like any other picture.
TEST_F(ImageWEBPTest, AnAnimationShowsItsFirstFrame) {
  const std::string first = dir.file("first.png"), second = dir.file("second.png"), path = dir.file("anim.webp");
  testing::writePng(first, Raster::rgb(48, 24, [](int x, int) { return Rgb{x < 24 ? 200 : 20, 90, 40}; }), 2);
  testing::writePng(second, Raster::rgb(48, 24, [](int, int) { return Rgb{0, 0, 250}; }), 2);
  ASSERT_TRUE(testing::run("convert -delay 50 '" + first + "' '" + second + "' -define webp:lossless=true '" + path + "'"));
  const ImageWEBP full(path, 0, 1);
  ASSERT_TRUE(full.loaded());
  EXPECT_LE(testing::maxDifference(full, testing::decodeWithMagick(first)), 1);
  const ImageWEBP halved(path, 24, 1);
  ASSERT_TRUE(halved.loaded());
  EXPECT_EQ(halved.Width(), 24);
  EXPECT_EQ(testing::colourAt(halved, 11, 5), (Rgb{200, 90, 40}));
  EXPECT_EQ(testing::colourAt(halved, 12, 5), (Rgb{20, 90, 40}));
  // The same frames on a canvas claimed to be 5000 x 4000 (VP8X holds its
  // size less one, 24 bits each, from byte 24): over the animation budget.
  testing::Bytes file = testing::readBytes(path);
  ASSERT_EQ(std::string(file.begin() + 12, file.begin() + 16), "VP8X");
  const testing::Bytes canvas = {0x87, 0x13, 0x00, 0x9F, 0x0F, 0x00};  // 4999, 3999
  std::copy(canvas.begin(), canvas.end(), file.begin() + 24);
  testing::writeBytes(path, file);
  EXPECT_FALSE(ImageWEBP(path, 0, 1).loaded());
}

// A lossless file is decoded whole by the library, however it is scaled: a
// small one claiming 16383 x 16383 pixels once took over a gigabyte.
TEST_F(ImageWEBPTest, ALosslessPictureOverTheBudgetIsRefusedWithoutTheMemory) {
  // One flat colour costs no bits a pixel, so the stream never runs short.
  const std::string png = dir.file("flat.png"), path = dir.file("flat.webp");
  testing::writePng(png, Raster::rgb(16, 16, [](int, int) { return Rgb{51, 102, 153}; }), PNG_COLOR_TYPE_RGB);
  ASSERT_TRUE(testing::run("convert '" + png + "' -define webp:lossless=true '" + path + "'"));
  testing::Bytes file = testing::readBytes(path);
  ASSERT_EQ(std::string(file.begin() + 12, file.begin() + 16), "VP8L");
  // After the signature byte: width - 1 and height - 1, 14 bits each.
  const std::uint32_t sizes = 16382u | (16382u << 14) | (file[24] & 0xF0u) << 24;
  for (int i = 0; i < 4; ++i) file[21 + i] = static_cast<std::uint8_t>(sizes >> (8 * i));
  testing::writeBytes(path, file);
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  EXPECT_FALSE(ImageWEBP(path, 1920, 1).loaded());
  getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024) << "KB";
}

TEST_F(ImageWEBPTest, DamagedOrMissingFilesAreRefused) {
  const std::string path = make("-quality 80", false);
  const testing::Bytes whole = testing::readBytes(path);
  for (std::size_t size : {0ul, 12ul, 30ul, whole.size() / 2}) {
    testing::writeBytes(path, testing::Bytes(whole.begin(), whole.begin() + static_cast<long>(size)));
    EXPECT_FALSE(ImageWEBP(path, 0, 1).loaded()) << size;
  }
  EXPECT_FALSE(ImageWEBP(dir.file("absent.webp"), 0, 1).loaded());
}

}  // namespace
}  // namespace warpix
