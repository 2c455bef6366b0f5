#include "raster/ImageHEIF.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>

#include <algorithm>

#include "raster/PictureFiles.h"

namespace warpix {
namespace {

using testing::Raster;
using testing::Rgb;
using testing::TempDir;

Rgb smooth(int x, int y) { return Rgb{x * 5, y * 9, 255 - x * 3}; }

class ImageHEIFTest : public ::testing::Test {
 protected:
  // A 48 x 26 picture through heif-enc; transparent at the left when `alpha`.
  std::string make(const std::string& name, const std::string& options, bool alpha) {
    const std::string png = dir.file("source.png"), path = dir.file(name);
    Raster r{48, 26, 4, 8, {}};
    for (int y = 0; y < 26; ++y)
      for (int x = 0; x < 48; ++x) {
        const Rgb c = smooth(x, y);
        r.samples.insert(r.samples.end(), {std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b),
                                           std::uint8_t(alpha ? std::min(255, x * 12) : 255)});
      }
    testing::writePng(png, r, PNG_COLOR_TYPE_RGB_ALPHA);
    EXPECT_TRUE(testing::run("heif-enc " + options + " '" + png + "' -o '" + path + "'")) << options;
    return path;
  }
  // heif-convert's decoding, through a PNG.
  testing::Decoded reference(const std::string& path) {
    const std::string png = dir.file("reference.png");
    EXPECT_TRUE(testing::run("heif-convert '" + path + "' '" + png + "'"));
    return testing::decodeWithMagick(png);
  }
  TempDir dir;
};

TEST_F(ImageHEIFTest, MatchesHeifConvert) {
  const struct {
    const char* name;
    const char* options;
    bool alpha;
  } cases[] = {{"p.heic", "-q 90", false}, {"a.heic", "-q 90", true}, {"p.avif", "-A -q 90", false},
               {"a.avif", "-A -q 90", true}};
  for (const auto& c : cases) {
    const std::string path = make(c.name, c.options, c.alpha);
    const ImageHEIF image(path, 0, 1);
    ASSERT_TRUE(image.loaded()) << c.name;
    EXPECT_EQ(image.bitCount(), 24);
    EXPECT_LE(testing::maxDifference(image, reference(path)), 1) << c.name;
  }
}

// The file's own rotation (irot, added here by tests/tools/heif_turn.py) is
// applied as heif-convert, and viewers, apply it.
TEST_F(ImageHEIFTest, TheFilesOwnRotationIsApplied) {
  const std::string path = make("p.heic", "-q 90", false), turned = dir.file("turned.heic");
  const ImageHEIF upright(path, 0, 1);
  ASSERT_TRUE(upright.loaded());
  for (int quarters = 1; quarters <= 3; ++quarters) {
    ASSERT_TRUE(testing::run("python3 '" WARPIX_TEST_DIR "/tools/heif_turn.py' '" + path + "' '" + turned + "' " +
                             std::to_string(quarters)));
    const ImageHEIF image(turned, 0, 1);
    ASSERT_TRUE(image.loaded()) << quarters;
    EXPECT_EQ(image.Width(), quarters == 2 ? 48 : 26) << quarters;
    EXPECT_LE(testing::maxDifference(image, reference(turned)), 1) << quarters;
    if (quarters != 1) continue;
    // A quarter turn anticlockwise: the right column becomes the top row.
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 26; ++x)
        ASSERT_EQ(testing::colourAt(image, x, y), testing::colourAt(upright, 47 - y, x)) << x << "," << y;
  }
}

// Decoded whole, then shrunk to the box means of the full-size decoding;
// 48 x 26 leaves part boxes at the bottom.
TEST_F(ImageHEIFTest, LargerThanTheSceneShrinksByBoxMeans) {
  const std::string path = make("p.heic", "-q 90", false);
  const ImageHEIF full(path, 0, 1);
  ASSERT_TRUE(full.loaded());
  const auto colour = [&](int x, int y) { return testing::colourAt(full, x, y); };
  for (const auto& [sceneWidth, factor] : {std::pair{24, 2}, std::pair{12, 4}, std::pair{6, 8}}) {
    const ImageHEIF image(path, sceneWidth, 1);
    ASSERT_TRUE(image.loaded());
    ASSERT_EQ(image.Width(), 48 / factor);
    ASSERT_EQ(image.Height(), (26 + factor - 1) / factor);
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        ASSERT_EQ(testing::colourAt(image, x, y), testing::boxMean(colour, 48, 26, factor, x, y)) << x << "," << y;
  }
}

// heif-enc writes the picture as a one-tile grid whose description (in the
// idat box) gives its size again; a damaged one claiming 26482 x 26980 once
// had the library allocate and fill 4 GB for a file of 600 bytes.
TEST_F(ImageHEIFTest, AGridClaimingMoreThanItsHeaderIsRefusedWithoutTheMemory) {
  const std::string path = make("p.heic", "-q 90", false);
  testing::Bytes file = testing::readBytes(path);
  const std::string idat = "idat";
  const auto at = std::search(file.begin(), file.end(), idat.begin(), idat.end());
  ASSERT_NE(at, file.end());
  const std::size_t sizes = static_cast<std::size_t>(at - file.begin()) + 4 + 4;  // version, flags, rows, columns
  ASSERT_EQ(file[sizes - 3] & 1, 0);  // 16-bit sizes
  const testing::Bytes huge = {0x67, 0x72, 0x69, 0x64};
  std::copy(huge.begin(), huge.end(), file.begin() + static_cast<long>(sizes));
  testing::writeBytes(path, file);
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  EXPECT_FALSE(ImageHEIF(path, 0, 1).loaded());
  getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 1024 * 1024) << "KB";
}

TEST_F(ImageHEIFTest, DamagedOrMissingFilesAreRefused) {
  const std::string path = make("p.heic", "-q 90", false);
  const testing::Bytes whole = testing::readBytes(path);
  for (std::size_t size : {0ul, 12ul, 40ul, whole.size() / 2}) {
    testing::writeBytes(path, testing::Bytes(whole.begin(), whole.begin() + static_cast<long>(size)));
    EXPECT_FALSE(ImageHEIF(path, 0, 1).loaded()) << size;
  }
  EXPECT_FALSE(ImageHEIF(dir.file("absent.heic"), 0, 1).loaded());
}

}  // namespace
}  // namespace warpix
