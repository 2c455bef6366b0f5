#include "raster/ImageDecoder.h"

#include <gtest/gtest.h>
#include <png.h>

#include "raster/PictureFiles.h"

namespace warpix {
namespace {

using testing::Raster;
using testing::Rgb;
using testing::TempDir;

TEST(DecoderChoice, ExtensionPicksTheDecoderIgnoringCase) {
  EXPECT_EQ(decoderFor("/p/a.bmp"), DecoderKind::BMP);
  EXPECT_EQ(decoderFor("/p/a.BmP"), DecoderKind::BMP);
  EXPECT_EQ(decoderFor("/p/a.png"), DecoderKind::PNG);
  EXPECT_EQ(decoderFor("/p/a.Png"), DecoderKind::PNG);
  EXPECT_EQ(decoderFor("/p/a.WebP"), DecoderKind::WEBP);
  for (const char* path : {"/p/a.heic", "/p/a.HEIF", "/p/a.avif"}) EXPECT_EQ(decoderFor(path), DecoderKind::HEIF) << path;
  for (const char* path : {"/p/a.jpg", "/p/a.JPG", "/p/a.jpe", "/p/a.JPEG", "/p/a.gif", "/p/a.tiff", "/p/a.", "a.pngx"})
    EXPECT_EQ(decoderFor(path), DecoderKind::JPEG) << path;
}

TEST(DecoderChoice, PathWithoutDotIsNotAPhoto) {
  EXPECT_EQ(decoderFor("/p/photo"), DecoderKind::None);
  EXPECT_EQ(decoderFor(""), DecoderKind::None);
  EXPECT_EQ(decodeImage("/p/photo", 1024, 1), nullptr);
}

TEST(DecoderChoice, ChosenDecoderReadsTheFile) {
  TempDir dir;
  const Raster picture = Raster::rgb(6, 4, [](int x, int y) { return Rgb{x * 40, y * 60, 200}; });
  testing::writePng(dir.file("shot.PNG"), picture, PNG_COLOR_TYPE_RGB);
  const auto png = decodeImage(dir.file("shot.PNG"), 1024, 1);
  ASSERT_NE(png, nullptr);
  ASSERT_TRUE(png->loaded());
  EXPECT_EQ(testing::colourAt(*png, 5, 3), (Rgb{200, 180, 200}));

  testing::writeJpeg(dir.file("shot.JPG"), picture);
  const auto jpeg = decodeImage(dir.file("shot.JPG"), 1024, 1);
  ASSERT_TRUE(jpeg && jpeg->loaded());
  EXPECT_EQ(jpeg->Width(), 6);

  // A PNG behind the wrong extension goes to the JPEG decoder and fails,
  // as a GIF does.
  testing::writePng(dir.file("anim.gif"), picture, PNG_COLOR_TYPE_RGB);
  const auto gif = decodeImage(dir.file("anim.gif"), 1024, 1);
  ASSERT_NE(gif, nullptr);
  EXPECT_FALSE(gif->loaded());
}

TEST(DecoderChoice, SceneWidthAndDivisorReachEveryDecoder) {
  TempDir dir;
  const Raster picture = Raster::rgb(64, 32, [](int, int) { return Rgb{10, 20, 30}; });
  testing::writePng(dir.file("a.png"), picture, PNG_COLOR_TYPE_RGB);
  testing::writeJpeg(dir.file("a.jpeg"), picture);
  ASSERT_TRUE(testing::run("convert '" + dir.file("a.png") + "' BMP3:'" + dir.file("a.bmp") + "'"));
  ASSERT_TRUE(testing::run("convert '" + dir.file("a.png") + "' '" + dir.file("a.webp") + "'"));
  ASSERT_TRUE(testing::run("heif-enc '" + dir.file("a.png") + "' -o '" + dir.file("a.heic") + "'"));
  for (const char* name : {"a.jpeg", "a.png", "a.bmp", "a.webp", "a.heic"}) {
    const auto image = decodeImage(dir.file(name), 64, 2);  // limit 64/2 = 32: half size fits
    ASSERT_TRUE(image && image->loaded()) << name;
    EXPECT_EQ(image->Width(), 32) << name;
    EXPECT_EQ(image->Height(), 16) << name;
    EXPECT_EQ(decodeImage(dir.file(name), 64, 1)->Width(), 64) << name;
  }
}

}  // namespace
}  // namespace warpix
