#include "raster/ImageJPEG.h"

#include <gtest/gtest.h>

#include "raster/ExifOrientation.h"
#include "raster/PictureFiles.h"

namespace warpix {
namespace {

using testing::Bytes;
using testing::colourAt;
using testing::near;
using testing::Raster;
using testing::Rgb;
using testing::TempDir;

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

// 16 x 8: top-left red, top-right green, bottom-left blue, bottom-right
// white; blocks of 8 x 8 keep the colours clean through the compression.
Raster quadrants() {
  return Raster::rgb(16, 16, [](int x, int y) {
    if (y < 8) return x < 8 ? kRed : kGreen;
    return x < 8 ? kBlue : kWhite;
  });
}

Raster flat(int width, int height) { return Raster::rgb(width, height, [](int, int) { return Rgb{90, 160, 30}; }); }

class ImageJPEGTest : public ::testing::Test {
 protected:
  std::string write(const Raster& raster, const Bytes& app1 = {}) {
    std::string path = dir.file(std::to_string(++count));
    path += ".jpg";
    testing::writeJpeg(path, raster, 95, app1);
    return path;
  }
  TempDir dir;
  int count = 0;
};

TEST_F(ImageJPEGTest, ColourPictureDecodesTo24BitBottomUp) {
  const ImageJPEG image(write(Raster::rgb(16, 16, [](int x, int y) {
                          if (y < 8) return x < 8 ? kRed : kGreen;
                          return x < 8 ? kBlue : kWhite;
                        })),
                        0, 0);
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.bitCount(), 24);
  EXPECT_EQ(image.Width(), 16);
  EXPECT_EQ(image.Height(), 16);
  EXPECT_TRUE(near(colourAt(image, 2, 2), kRed, 12));
  EXPECT_TRUE(near(colourAt(image, 13, 2), kGreen, 12));
  EXPECT_TRUE(near(colourAt(image, 2, 13), kBlue, 12));
  EXPECT_TRUE(near(colourAt(image, 13, 13), kWhite, 12));
}

// Grey, CMYK (libjpeg writes Adobe's marker with it, so it is read
// inverted) and YCCK pictures come out as ImageMagick shows them.
TEST_F(ImageJPEGTest, GreyAndCmykPicturesMatchImageMagick) {
  Bytes grey, cmyk;
  for (int i = 0; i < 16 * 8; ++i) grey.push_back(static_cast<std::uint8_t>(i * 2));
  for (int i = 0; i < 16 * 8 * 4; ++i) cmyk.push_back(static_cast<std::uint8_t>(i % 4 == 3 ? 255 - i / 8 : i * 5));
  std::vector<std::string> paths = {write(Raster{16, 8, 1, 8, grey}), dir.file("cmyk.jpg")};
  testing::writeJpeg(paths[1], Raster{16, 8, 4, 8, cmyk});
  // ImageMagick writes CMYK pictures as YCCK.
  paths.push_back(dir.file("magick-ycck.jpg"));
  ASSERT_TRUE(testing::run("convert -size 16x8 gradient:orange-navy -colorspace CMYK -quality 95 '" + paths.back() + "'"));
  for (const std::string& path : paths) {
    const ImageJPEG image(path, 0, 0);
    ASSERT_TRUE(image.loaded()) << path;
    EXPECT_LE(testing::maxDifference(image, testing::decodeWithMagick(path)), 2) << path;
  }
}

TEST_F(ImageJPEGTest, DamagedOrMissingFilesAreRefused) {
  const std::string path = write(quadrants());
  const Bytes whole = testing::readBytes(path);
  for (std::size_t size : {0ul, 2ul, 100ul}) {
    testing::writeBytes(path, Bytes(whole.begin(), whole.begin() + static_cast<long>(size)));
    EXPECT_FALSE(ImageJPEG(path, 0, 0).loaded()) << size;
  }
  testing::writeBytes(path, Bytes(300, 0x17));
  EXPECT_FALSE(ImageJPEG(path, 0, 0).loaded());
  EXPECT_FALSE(ImageJPEG(dir.file("absent.jpg"), 0, 0).loaded());
}

// A few hundred bytes claiming a picture of 60000 x 60000 cannot hold even a
// bit per block: refused before the library spends seconds on it. The
// same file with its true size still decodes.
TEST_F(ImageJPEGTest, AFileTooSmallForThePictureItClaimsIsRefused) {
  const std::string path = write(quadrants());
  Bytes bytes = testing::readBytes(path);
  std::size_t sof = 2;
  while (sof + 9 < bytes.size() && !(bytes[sof] == 0xFF && bytes[sof + 1] == 0xC0)) ++sof;
  ASSERT_LT(sof + 9, bytes.size());
  EXPECT_TRUE(ImageJPEG(path, 1920, 1).loaded());
  for (const std::size_t at : {sof + 5, sof + 7}) {  // height, then width: 0xEA60
    bytes[at] = 0xEA;
    bytes[at + 1] = 0x60;
  }
  testing::writeBytes(path, bytes);
  EXPECT_FALSE(ImageJPEG(path, 1920, 1).loaded());
}

TEST(ImageJPEGScale, DenominatorHalvesUntilBothSidesFitTheLimit) {
  // Worked by hand: 4000/4 = 1000 <= 1024; 4000/8 = 500 <= 512;
  // 4000/4 = 1000 <= 1280 for the taller side of a portrait.
  EXPECT_EQ(ImageJPEG::scaleDenominator(4000, 3000, 1024), 4);
  EXPECT_EQ(ImageJPEG::scaleDenominator(4000, 3000, 512), 8);
  EXPECT_EQ(ImageJPEG::scaleDenominator(3000, 4000, 1280), 4);
  EXPECT_EQ(ImageJPEG::scaleDenominator(2048, 1536, 1024), 2);
  EXPECT_EQ(ImageJPEG::scaleDenominator(20000, 100, 1920), 8);
  EXPECT_EQ(ImageJPEG::scaleDenominator(800, 600, 1024), 1);
  EXPECT_EQ(ImageJPEG::scaleDenominator(1024, 1024, 1024), 1);
  EXPECT_EQ(ImageJPEG::scaleDenominator(100, 100, 0), 8);
}

TEST_F(ImageJPEGTest, LargePicturesAreScaledToTheSceneWidthAndDivisor) {
  const std::string landscape = write(flat(4000, 3000));
  const ImageJPEG quarter(landscape, 1024, 1);
  ASSERT_TRUE(quarter.loaded());
  EXPECT_EQ(quarter.Width(), 1000);
  EXPECT_EQ(quarter.Height(), 750);
  const ImageJPEG eighth(landscape, 1024, 2);
  EXPECT_EQ(eighth.Width(), 500);
  EXPECT_EQ(eighth.Height(), 375);
  const ImageJPEG whole(landscape, 1024, 0);  // divisor 0: the scene width itself
  EXPECT_EQ(whole.Width(), 1000);
  EXPECT_TRUE(near(colourAt(quarter, 500, 300), Rgb{90, 160, 30}, 3));

  const ImageJPEG portrait(write(flat(3000, 4000)), 1280, 1);
  EXPECT_EQ(portrait.Width(), 750);
  EXPECT_EQ(portrait.Height(), 1000);

  const ImageJPEG wide(write(flat(20000, 64)), 1920, 1);
  EXPECT_EQ(wide.Width(), 2500);  // still wider than 1920 at 1/8, the smallest scale
  EXPECT_EQ(wide.Height(), 8);
}

TEST_F(ImageJPEGTest, WithoutSceneThePictureKeepsItsSize) {
  const ImageJPEG image(write(flat(333, 77)), 0, 4);
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.Width(), 333);
  EXPECT_EQ(image.Height(), 77);
  EXPECT_EQ(image.rowPadding(), 1);
  EXPECT_EQ(image.bits()[333 * 3], 0);  // padding stays zero after the swap
}

// What each orientation shows at the corners (top-left, top-right,
// bottom-left, bottom-right) of the upright picture, worked out from the
// Exif definitions: 2 mirrors left-right, 3 turns half round, 4 mirrors
// top-bottom, 5 transposes, 6 needs a quarter turn clockwise, 7 is the
// transverse, 8 needs a quarter turn anticlockwise.
struct Upright {
  int orientation;
  Rgb tl, tr, bl, br;
};
constexpr Upright kUpright[] = {
    {1, kRed, kGreen, kBlue, kWhite},  {2, kGreen, kRed, kWhite, kBlue}, {3, kWhite, kBlue, kGreen, kRed},
    {4, kBlue, kWhite, kRed, kGreen},  {5, kRed, kBlue, kGreen, kWhite}, {6, kBlue, kRed, kWhite, kGreen},
    {7, kWhite, kGreen, kBlue, kRed},  {8, kGreen, kWhite, kRed, kBlue},
};

TEST_F(ImageJPEGTest, ExifOrientationTurnsThePictureUpright) {
  // 24 x 8 stored, so a turned picture is 8 x 24.
  const Raster stored = Raster::rgb(24, 8, [](int x, int y) {
    if (y < 4) return x < 12 ? kRed : kGreen;
    return x < 12 ? kBlue : kWhite;
  });
  for (const bool bigEndian : {false, true}) {
    for (const Upright& u : kUpright) {
      const ImageJPEG image(write(stored, testing::exifWithOrientation(u.orientation, bigEndian)), 0, 0);
      ASSERT_TRUE(image.loaded());
      const bool turned = u.orientation >= 5;
      ASSERT_EQ(image.Width(), turned ? 8 : 24) << u.orientation;
      ASSERT_EQ(image.Height(), turned ? 24 : 8) << u.orientation;
      const int w = image.Width() - 1, h = image.Height() - 1;
      EXPECT_TRUE(near(colourAt(image, 0, 0), u.tl, 40)) << u.orientation;
      EXPECT_TRUE(near(colourAt(image, w, 0), u.tr, 40)) << u.orientation;
      EXPECT_TRUE(near(colourAt(image, 0, h), u.bl, 40)) << u.orientation;
      EXPECT_TRUE(near(colourAt(image, w, h), u.br, 40)) << u.orientation;
    }
  }
}

TEST_F(ImageJPEGTest, OrientationIsAppliedAfterScaling) {
  const ImageJPEG image(write(flat(4000, 3000), testing::exifWithOrientation(6, false)), 1024, 1);
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.Width(), 750);
  EXPECT_EQ(image.Height(), 1000);
}

TEST(ExifOrientationParse, DamagedBlocksReadAsUpright) {
  const Bytes good = testing::exifWithOrientation(6, false);
  EXPECT_EQ(ExifOrientation::fromApp1(good), 6);
  EXPECT_EQ(ExifOrientation::fromApp1(testing::exifWithOrientation(8, true)), 8);
  for (std::size_t size = 0; size < good.size() - 6; ++size) {
    // Cut anywhere before the end of the orientation entry: no value.
    const Bytes cut(good.begin(), good.begin() + static_cast<long>(size));
    EXPECT_EQ(ExifOrientation::fromApp1(cut), 1) << size;
  }
  Bytes wrongType = good;
  wrongType[6 + 8 + 2 + 12 + 2] = 4;  // second entry's type: LONG
  EXPECT_EQ(ExifOrientation::fromApp1(wrongType), 1);
  Bytes outOfRange = good;
  outOfRange[6 + 8 + 2 + 12 + 8] = 9;
  EXPECT_EQ(ExifOrientation::fromApp1(outOfRange), 1);
  Bytes farIfd = good;
  farIfd[6 + 4] = 0xF0;  // IFD offset beyond the block
  EXPECT_EQ(ExifOrientation::fromApp1(farIfd), 1);
  Bytes manyEntries = good;
  manyEntries[6 + 8] = 0xFF;  // 65535 entries claimed: those present are read, no further
  manyEntries[6 + 9] = 0xFF;
  EXPECT_EQ(ExifOrientation::fromApp1(manyEntries), 6);
  Bytes notExif = good;
  notExif[0] = 'X';
  EXPECT_EQ(ExifOrientation::fromApp1(notExif), 1);
}

}  // namespace
}  // namespace warpix
