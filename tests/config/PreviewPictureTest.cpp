#include "config/PreviewPicture.h"

#include <gtest/gtest.h>

#include "raster/PictureFiles.h"

namespace warpix {
namespace {

using testing::Raster;
using testing::Rgb;
using testing::TempDir;

TEST(PreviewPictureTest, FitKeepsTheProportionsWithinTheArea) {
  using S = PreviewPicture::Size;
  const struct {
    S picture, area, shown;
  } cases[] = {
      {{100, 50}, {200, 200}, {100, 50}},   // fits: unchanged
      {{400, 200}, {200, 200}, {200, 100}},  // wide
      {{200, 400}, {200, 200}, {100, 200}},  // tall
      {{400, 400}, {300, 100}, {100, 100}},  // square into a flat area
      {{1000, 300}, {300, 50}, {166, 50}},   // wide, still too high after the first pass
      {{5000, 1}, {100, 100}, {100, 1}},     // never below one pixel
  };
  for (const auto& c : cases) {
    const S shown = PreviewPicture::fit(c.picture, c.area);
    EXPECT_EQ(shown.width, c.shown.width) << c.picture.width << "x" << c.picture.height;
    EXPECT_EQ(shown.height, c.shown.height) << c.picture.width << "x" << c.picture.height;
  }
}

TEST(PreviewPictureTest, StatusTellsSizeGifOrFailureAndTheScaledPictureShowsItsColours) {
  TempDir dir;
  const Raster raster = Raster::rgb(40, 20, [](int x, int) { return x < 20 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; });
  testing::writePng(dir.file("wide.png"), raster, 2);
  testing::writeBytes(dir.file("broken.jpg"), {0xFF, 0xD8, 0x00});
  testing::writeBytes(dir.file("anim.GIF"), {'G', 'I', 'F'});
  const std::string folder = dir.file("");

  PreviewPicture preview;
  EXPECT_EQ(preview.status(), PreviewPicture::kInitialStatus);
  preview.load(folder, "wide.png");
  EXPECT_EQ(preview.status(), "Size 40 x 20");
  const std::optional<Surface> shown = preview.scaledTo({20, 20});
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->width(), 20);
  EXPECT_EQ(shown->height(), 10);
  EXPECT_EQ(shown->pixel(2, 5), 0xFF0000u);
  EXPECT_EQ(shown->pixel(17, 5), 0x0000FFu);

  preview.load(folder, "broken.jpg");
  EXPECT_EQ(preview.status(), PreviewPicture::kFailedStatus);
  EXPECT_EQ(preview.image(), nullptr);
  preview.load(folder, "anim.GIF");
  EXPECT_EQ(preview.status(), PreviewPicture::kGifStatus);
  EXPECT_FALSE(preview.scaledTo({20, 20}));
}

}  // namespace
}  // namespace warpix
