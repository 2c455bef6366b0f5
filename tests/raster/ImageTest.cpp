#include "raster/Image.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "raster/ByteOrder.h"
#include "raster/PictureFiles.h"

namespace warpix {
namespace {

using testing::Bytes;
using testing::colourAt;
using testing::readBytes;
using testing::Rgb;
using testing::TempDir;

// Opens the protected block making to the tests.
class BlankImage : public Image {
 public:
  BlankImage(int bitCount, int width, int height) : Image(std::string()) {
    setLoaded(allocate(bitCount, width, height));
  }
  std::uint8_t* pixels() { return mutableBits(); }
};

TEST(ImageLayout, RowsOf24BitPicturesArePaddedToFourBytes) {
  // 3 bytes a pixel rounded up to a multiple of 4, worked by hand.
  const int expected[] = {4, 8, 12, 12, 16};
  for (int width = 1; width <= 5; ++width) {
    BlankImage image(24, width, 1);
    EXPECT_EQ(image.rowBytes(width, 24), static_cast<std::uint32_t>(expected[width - 1])) << width;
    EXPECT_EQ(image.rowPadding(), expected[width - 1] - 3 * width) << width;
    EXPECT_EQ(image.imageSize(), static_cast<std::uint32_t>(expected[width - 1]));
  }
  EXPECT_EQ(dibRowBytes(3, 1), 4u);
  EXPECT_EQ(dibRowBytes(33, 1), 8u);
  EXPECT_EQ(dibRowBytes(9, 4), 8u);
}

TEST(ImageLayout, AllocateWritesHeaderAndStandardColourTable) {
  BlankImage image(8, 3, 2);
  ASSERT_TRUE(image.loaded());
  const std::uint8_t* h = image.header();
  EXPECT_EQ(readLE32(h), 40u);
  EXPECT_EQ(readLE32s(h + 4), 3);
  EXPECT_EQ(readLE32s(h + 8), 2);
  EXPECT_EQ(readLE16(h + 12), 1);
  EXPECT_EQ(readLE16(h + 14), 8);
  EXPECT_EQ(readLE32(h + 16), 0u);
  EXPECT_EQ(readLE32(h + 20), 8u);  // two rows of 4
  EXPECT_EQ(readLE32(h + 32), 256u);
  EXPECT_EQ(image.bits(), h + 40 + 1024);
  // Entry 9 is bright red, 0xFF0000; the table repeats every 16 entries.
  EXPECT_EQ(readLE32(h + 40 + 9 * 4), 0xFF0000u);
  EXPECT_EQ(readLE32(h + 40 + 25 * 4), 0xFF0000u);
  EXPECT_EQ(readLE32(h + 40 + 7 * 4), 0xC0C0C0u);
  EXPECT_EQ(BlankImage(4, 1, 1).colourCount(), 16u);
  EXPECT_EQ(BlankImage(24, 1, 1).colourCount(), 0u);
}

TEST(ImageLayout, AllocateRefusesImpossibleSizes) {
  EXPECT_FALSE(BlankImage(24, 0, 5).loaded());
  EXPECT_FALSE(BlankImage(24, 5, -1).loaded());
  EXPECT_FALSE(BlankImage(7, 5, 5).loaded());
  EXPECT_FALSE(BlankImage(24, 20000, 20000).loaded());  // 400 megapixels, over the budget
}

TEST(ImageSave, OnePixelPictureIsA58ByteFile) {
  TempDir dir;
  BlankImage image(24, 1, 1);
  image.pixels()[0] = 0x11;
  image.pixels()[1] = 0x22;
  image.pixels()[2] = 0x33;
  ASSERT_TRUE(image.Save(dir.file("one.bmp")));
  const Bytes file = readBytes(dir.file("one.bmp"));
  ASSERT_EQ(file.size(), 58u);  // 14 + 40 + one row of 4
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(readLE32(file.data() + 2), 58u);
  EXPECT_EQ(readLE32(file.data() + 6), 0u);
  EXPECT_EQ(readLE32(file.data() + 10), 54u);
  EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), image.header()));
  EXPECT_EQ(file[54], 0x11);
  EXPECT_EQ(file[57], 0);
}

TEST(ImageSave, EightBitPictureDataStartsAfterTheColourTable) {
  TempDir dir;
  BlankImage image(8, 5, 3);
  ASSERT_TRUE(image.Save(dir.file("eight.bmp")));
  const Bytes file = readBytes(dir.file("eight.bmp"));
  EXPECT_EQ(readLE32(file.data() + 10), 14u + 40 + 1024);
  EXPECT_EQ(readLE32(file.data() + 2), 14u + 40 + 1024 + 3 * 8);
  EXPECT_EQ(file.size(), 14u + 40 + 1024 + 3 * 8);
}

TEST(ImageSave, ReplacesAnOldFileWholeAndLeavesNoTemporaryBehind) {
  TempDir dir;
  const std::string path = dir.file("snap.bmp");
  testing::writeBytes(path, Bytes(5000, 0xAB));
  ASSERT_TRUE(BlankImage(24, 2, 2).Save(path));
  EXPECT_EQ(readBytes(path).size(), 14u + 40 + 16);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.file(""))) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(ImageSave, UnloadedImageOrUnwritablePlaceWritesNothingAndSaysSo) {
  TempDir dir;
  Image unloaded(dir.file("nothing.jpg"));
  EXPECT_FALSE(unloaded.Save(dir.file("out.bmp")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.bmp")));
  errno = 0;
  EXPECT_FALSE(BlankImage(24, 2, 2).Save(dir.file("missing/out.bmp")));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
  // A folder in the way fails at the rename, even for root; the temporary
  // file must not be left beside it.
  std::filesystem::create_directory(dir.file("taken.bmp"));
  errno = 0;
  EXPECT_FALSE(BlankImage(24, 2, 2).Save(dir.file("taken.bmp")));
  EXPECT_EQ(errno, EISDIR);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.file(""))) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(ImageCapture, CopiesTheSurfaceAt32BitsBottomUp) {
  Surface screen(3, 2);
  screen.setPixel(0, 0, makePixel(10, 20, 30));
  screen.setPixel(2, 0, makePixel(200, 100, 50));
  screen.setPixel(1, 1, makePixel(1, 2, 3));
  const Image shot(screen);
  ASSERT_TRUE(shot.loaded());
  EXPECT_EQ(shot.bitCount(), 32);
  EXPECT_EQ(shot.Width(), 3);
  EXPECT_EQ(shot.Height(), 2);
  EXPECT_EQ(shot.imageSize(), 24u);
  // Row 0 of the block is the bottom row of the screen: (1, 1) comes first.
  EXPECT_EQ(shot.bits()[4], 3);
  EXPECT_EQ(shot.bits()[6], 1);
  EXPECT_EQ(colourAt(shot, 0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(colourAt(shot, 2, 0), (Rgb{200, 100, 50}));
  EXPECT_EQ(colourAt(shot, 1, 1), (Rgb{1, 2, 3}));
  EXPECT_EQ(colourAt(shot, 0, 1), (Rgb{0, 0, 0}));
}

TEST(ImageCapture, EmptySurfaceGivesAnUnloadedImage) {
  const Surface empty(0, 10);
  EXPECT_FALSE(Image(empty).loaded());
}

}  // namespace
}  // namespace warpix
