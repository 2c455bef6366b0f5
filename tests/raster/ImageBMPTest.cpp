#include "raster/ImageBMP.h"

#include <gtest/gtest.h>

#include <climits>

#include "raster/ByteOrder.h"
#include "raster/PictureFiles.h"

namespace warpix {
namespace {

using testing::Bytes;
using testing::colourAt;
using testing::put16;
using testing::put32;
using testing::Rgb;
using testing::TempDir;

// The parts of a BMP file, assembled by bmpFile(); defaults make a valid
// bottom-up file with a 40-byte info header.
struct BmpParts {
  bool fileHeader = true;
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  int bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::uint32_t clrUsed = 0;
  Bytes masks{};  // in the header for sizes >= 52, after it for 40
  Bytes palette{};  // raw entries
  Bytes pixels{};
  std::int64_t offBits = -1;  // -1: computed
};

Bytes bmpFile(const BmpParts& p) {
  Bytes info;
  put32(info, p.headerSize);
  if (p.headerSize == 12) {
    put16(info, static_cast<std::uint32_t>(p.width));
    put16(info, static_cast<std::uint32_t>(p.height));
    put16(info, 1);
    put16(info, static_cast<std::uint32_t>(p.bitCount));
  } else {
    put32(info, static_cast<std::uint32_t>(p.width));
    put32(info, static_cast<std::uint32_t>(p.height));
    put16(info, 1);
    put16(info, static_cast<std::uint32_t>(p.bitCount));
    put32(info, p.compression);
    put32(info, p.sizeImage);
    put32(info, 2835);
    put32(info, 2835);
    put32(info, p.clrUsed);
    put32(info, 0);
    if (p.headerSize >= 52) {
      Bytes masks = p.masks;
      masks.resize(p.headerSize - 40, 0);
      info.insert(info.end(), masks.begin(), masks.end());
    } else {
      info.insert(info.end(), p.masks.begin(), p.masks.end());
    }
  }
  info.insert(info.end(), p.palette.begin(), p.palette.end());
  Bytes file;
  if (p.fileHeader) {
    const std::uint32_t off = p.offBits >= 0 ? static_cast<std::uint32_t>(p.offBits) : 14 + static_cast<std::uint32_t>(info.size());
    file = {'B', 'M'};
    put32(file, static_cast<std::uint32_t>(14 + info.size() + p.pixels.size()));
    put32(file, 0);
    put32(file, off);
  }
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), p.pixels.begin(), p.pixels.end());
  return file;
}

class ImageBMPTest : public ::testing::Test {
 protected:
  ImageBMP load(const Bytes& bytes) {
    testing::writeBytes(dir.file("p.bmp"), bytes);
    return ImageBMP(dir.file("p.bmp"), 0, 1);
  }
  TempDir dir;
};

// A 2 x 2 picture, rows bottom-up: bottom blue, white; top red, green.
Bytes twoByTwo24() {
  return {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,   // bottom row + 2 bytes padding
          0, 0, 0xFF, 0, 0xFF, 0, 0, 0};        // top row
}

void expectTwoByTwo(const Image& image) {
  ASSERT_TRUE(image.loaded());
  ASSERT_EQ(image.Width(), 2);
  ASSERT_EQ(image.Height(), 2);
  EXPECT_EQ(colourAt(image, 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(colourAt(image, 1, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(colourAt(image, 0, 1), (Rgb{0, 0, 255}));
  EXPECT_EQ(colourAt(image, 1, 1), (Rgb{255, 255, 255}));
}

// Greyscale-like palette whose entries can be told apart: i -> (i, 255-i, i/2).
Bytes rampPalette(int entries, int entryBytes) {
  Bytes b;
  for (int i = 0; i < entries; ++i) {
    b.insert(b.end(), {std::uint8_t(i / 2), std::uint8_t(255 - i), std::uint8_t(i)});
    if (entryBytes == 4) b.push_back(0);
  }
  return b;
}

TEST_F(ImageBMPTest, Plain24BitFileLoadsAsItIs) {
  const ImageBMP image = load(bmpFile({.width = 2, .height = 2, .pixels = twoByTwo24()}));
  expectTwoByTwo(image);
  EXPECT_EQ(image.bitCount(), 24);
  EXPECT_EQ(image.imageSize(), 16u);
}

TEST_F(ImageBMPTest, BareDibWithoutFileHeaderLoads) {
  expectTwoByTwo(load(bmpFile({.fileHeader = false, .width = 2, .height = 2, .pixels = twoByTwo24()})));
}

TEST_F(ImageBMPTest, TopDownRowsAreTurnedOver) {
  Bytes rows = twoByTwo24();
  std::swap_ranges(rows.begin(), rows.begin() + 8, rows.begin() + 8);
  const ImageBMP image = load(bmpFile({.width = 2, .height = -2, .pixels = rows}));
  expectTwoByTwo(image);
  EXPECT_EQ(readLE32s(image.header() + 8), 2);
}

TEST_F(ImageBMPTest, SavedImageReadsBackIdentically) {
  const ImageBMP first = load(bmpFile({.width = 2, .height = 2, .pixels = twoByTwo24()}));
  ASSERT_TRUE(first.Save(dir.file("again.bmp")));
  const ImageBMP second(dir.file("again.bmp"), 0, 1);
  ASSERT_TRUE(second.loaded());
  EXPECT_TRUE(std::equal(first.header(), first.bits() + first.imageSize(), second.header()));
}

TEST_F(ImageBMPTest, CoreHeaderPaletteIsExpandedToFourByteEntries) {
  Bytes pixels = {0, 1, 254, 255};  // one row of 4 indexes
  const ImageBMP image =
      load(bmpFile({.headerSize = 12, .width = 4, .height = 1, .bitCount = 8, .palette = rampPalette(256, 3), .pixels = pixels}));
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(readLE32(image.header()), 40u);
  EXPECT_EQ(image.colourCount(), 256u);
  EXPECT_EQ(colourAt(image, 0, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(colourAt(image, 1, 0), (Rgb{1, 254, 0}));
  EXPECT_EQ(colourAt(image, 2, 0), (Rgb{254, 1, 127}));
  EXPECT_EQ(colourAt(image, 3, 0), (Rgb{255, 0, 127}));
  EXPECT_EQ(image.header()[40 + 4 * 255 + 3], 0);
}

TEST_F(ImageBMPTest, TinyOneBitCoreFileLoads) {
  // 8 x 1 at one bit: 14 + 12 + 6 + 4 = 36 bytes, shorter than an info header.
  const Bytes palette = {0, 0, 0, 0xFF, 0xFF, 0xFF};
  const Bytes file = bmpFile({.headerSize = 12, .width = 8, .height = 1, .bitCount = 1, .palette = palette,
                              .pixels = {0b10100000, 0, 0, 0}});
  ASSERT_EQ(file.size(), 36u);
  const ImageBMP image = load(file);
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(colourAt(image, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(colourAt(image, 1, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(colourAt(image, 2, 0), (Rgb{255, 255, 255}));
}

TEST_F(ImageBMPTest, LaterHeaderVersionsKeepTheirColourTableAfterTheFullHeader) {
  for (std::uint32_t size : {52u, 56u, 108u, 124u}) {
    const ImageBMP image = load(bmpFile({.headerSize = size, .width = 3, .height = 1, .bitCount = 8, .clrUsed = 4,
                                         .palette = rampPalette(4, 4), .pixels = {3, 2, 1, 0}}));
    ASSERT_TRUE(image.loaded()) << size;
    EXPECT_EQ(readLE32(image.header()), 40u);
    EXPECT_EQ(colourAt(image, 0, 0), (Rgb{3, 252, 1})) << size;
    EXPECT_EQ(colourAt(image, 2, 0), (Rgb{1, 254, 0})) << size;
  }
}

TEST_F(ImageBMPTest, ShortColourTableIsCompletedWithStandardColours) {
  const ImageBMP image = load(bmpFile({.width = 2, .height = 1, .bitCount = 8, .clrUsed = 2,
                                       .palette = rampPalette(2, 4), .pixels = {1, 9, 0, 0}}));
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.colourCount(), 256u);
  EXPECT_EQ(colourAt(image, 0, 0), (Rgb{1, 254, 0}));
  EXPECT_EQ(colourAt(image, 1, 0), (Rgb{255, 0, 0}));  // standard entry 9
}

TEST_F(ImageBMPTest, SixteenBitRgbStaysFiveFiveFive) {
  // 0x7C00 is full red in 5-5-5; 0x001F full blue.
  const ImageBMP image = load(bmpFile({.width = 2, .height = 1, .bitCount = 16, .pixels = {0x00, 0x7C, 0x1F, 0x00}}));
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.bitCount(), 16);
  EXPECT_EQ(colourAt(image, 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(colourAt(image, 1, 0), (Rgb{0, 0, 255}));
}

TEST_F(ImageBMPTest, BitfieldsBecome24Bit) {
  Bytes masks565;
  put32(masks565, 0xF800);
  put32(masks565, 0x07E0);
  put32(masks565, 0x001F);
  // Green 32 of 63 scales to round(32 * 255 / 63) = 130; red 31 of 31 to 255.
  const std::uint16_t pixel = (31 << 11) | (32 << 5);
  Bytes rows;
  put16(rows, pixel);
  put16(rows, 0x001F);
  for (std::uint32_t size : {40u, 56u, 124u}) {
    const ImageBMP image = load(bmpFile({.headerSize = size, .width = 2, .height = 1, .bitCount = 16,
                                         .compression = 3, .masks = masks565, .pixels = rows}));
    ASSERT_TRUE(image.loaded()) << size;
    EXPECT_EQ(image.bitCount(), 24);
    EXPECT_EQ(colourAt(image, 0, 0), (Rgb{255, 130, 0})) << size;
    EXPECT_EQ(colourAt(image, 1, 0), (Rgb{0, 0, 255})) << size;
  }
}

TEST_F(ImageBMPTest, ThirtyTwoBitBitfieldsInAnyByteOrder) {
  Bytes masks;
  put32(masks, 0xFF000000);
  put32(masks, 0x00FF0000);
  put32(masks, 0x0000FF00);
  Bytes rows;
  put32(rows, 0x11223344);  // red 0x11, green 0x22, blue 0x33
  const ImageBMP image = load(bmpFile({.width = 1, .height = -1, .bitCount = 32, .compression = 3, .masks = masks, .pixels = rows}));
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(colourAt(image, 0, 0), (Rgb{0x11, 0x22, 0x33}));
}

TEST_F(ImageBMPTest, ThirtyTwoBitRgbStays32Bit) {
  const ImageBMP image = load(bmpFile({.width = 1, .height = 1, .bitCount = 32, .pixels = {0x33, 0x22, 0x11, 0}}));
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.bitCount(), 32);
  EXPECT_EQ(colourAt(image, 0, 0), (Rgb{0x11, 0x22, 0x33}));
}

TEST_F(ImageBMPTest, RunLength8IsExpanded) {
  // Bottom row: a run of three 1s, then a literal 2, 3, 3 of which the last
  // falls past the 5-pixel row; top row: skip two pixels, two 4s, end.
  const Bytes stream = {3, 1, 0, 3, 2, 3, 3, 0 /* pad */, 0, 0, 0, 2, 2, 0, 2, 4, 0, 1};
  const ImageBMP image = load(bmpFile({.width = 5, .height = 2, .bitCount = 8, .compression = 1, .clrUsed = 8,
                                       .palette = rampPalette(8, 4), .pixels = stream}));
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.bitCount(), 8);
  EXPECT_EQ(readLE32(image.header() + 16), 0u);
  const int bottom[] = {1, 1, 1, 2, 3};
  const int top[] = {0, 0, 4, 4, 0};
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(image.bits()[x], bottom[x]) << x;
    EXPECT_EQ(image.bits()[8 + x], top[x]) << x;
  }
}

TEST_F(ImageBMPTest, RunLength4IsExpanded) {
  // A run of five alternating 1, 2 nibbles, then literals 3, 4, 5 of which
  // only the first fits the 6-pixel row.
  const Bytes stream = {5, 0x12, 0, 3, 0x34, 0x50, 0, 1};
  const ImageBMP image = load(bmpFile({.width = 6, .height = 1, .bitCount = 4, .compression = 2,
                                       .palette = rampPalette(16, 4), .pixels = stream}));
  ASSERT_TRUE(image.loaded());
  EXPECT_EQ(image.bits()[0], 0x12);
  EXPECT_EQ(image.bits()[1], 0x12);
  EXPECT_EQ(image.bits()[2], 0x13);
}

TEST_F(ImageBMPTest, HostileRunLengthsStayInsideThePicture) {
  // Deltas far past the picture, runs past the row, literals past the data.
  const Bytes stream = {0, 2, 255, 255, 255, 7, 0, 0, 255, 7, 0, 2, 3, 0, 0, 255, 1};
  for (int compression : {1, 2}) {
    const ImageBMP image = load(bmpFile({.width = 3, .height = 3, .bitCount = compression == 1 ? 8 : 4,
                                         .compression = static_cast<std::uint32_t>(compression),
                                         .palette = rampPalette(compression == 1 ? 256 : 16, 4), .pixels = stream}));
    EXPECT_TRUE(image.loaded());
  }
  // Run-length rows cannot be top-down.
  EXPECT_FALSE(load(bmpFile({.width = 3, .height = -3, .bitCount = 8, .compression = 1, .pixels = stream})).loaded());
}

// Whatever flavour the file was, the result must be a DIB the surface can
// draw: each pixel lands where the block says it is.
TEST_F(ImageBMPTest, EveryFlavourDrawsOnASurface) {
  Bytes masks;
  put32(masks, 0x7C00);
  put32(masks, 0x03E0);
  put32(masks, 0x001F);
  const BmpParts flavours[] = {
      {.width = 2, .height = 2, .pixels = twoByTwo24()},
      {.width = 3, .height = -1, .bitCount = 8, .palette = rampPalette(256, 4), .pixels = {7, 200, 3, 0}},
      {.headerSize = 12, .width = 3, .height = 1, .bitCount = 4, .palette = rampPalette(16, 3), .pixels = {0x1F, 0x20, 0, 0}},
      {.width = 3, .height = 1, .bitCount = 4, .compression = 2, .palette = rampPalette(16, 4), .pixels = {3, 0x5A, 0, 1}},
      {.width = 2, .height = 1, .bitCount = 16, .pixels = {0x34, 0x12, 0xFF, 0x7F}},
      {.headerSize = 108, .width = 2, .height = 1, .bitCount = 16, .compression = 3, .masks = masks, .pixels = {0x34, 0x12, 0xFF, 0x7F}},
      {.width = 1, .height = 2, .bitCount = 32, .pixels = {1, 2, 3, 0, 4, 5, 6, 0}},
  };
  for (const BmpParts& parts : flavours) {
    const ImageBMP image = load(bmpFile(parts));
    ASSERT_TRUE(image.loaded()) << parts.bitCount;
    Surface screen(6, 6);
    image.Draw(screen, 1, 2);
    for (int y = 0; y < image.Height(); ++y) {
      for (int x = 0; x < image.Width(); ++x) {
        const Rgb want = colourAt(image, x, y);
        const Pixel got = screen.pixel(1 + x, 2 + y);
        EXPECT_EQ((Rgb{pixelRed(got), pixelGreen(got), pixelBlue(got)}), want)
            << parts.bitCount << " bits, header " << parts.headerSize << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(ImageBMPTest, LyingHeadersGiveAnUnloadedImage) {
  const Bytes rows = twoByTwo24();
  const auto refused = [&](BmpParts parts, const char* what) {
    EXPECT_FALSE(load(bmpFile(parts)).loaded()) << what;
  };
  refused({.width = 2, .height = 3, .pixels = rows}, "rows missing");
  refused({.width = 100000, .height = 100000, .pixels = rows}, "ten gigapixels");
  refused({.width = 30000, .height = 30000, .pixels = rows}, "900 megapixels");
  refused({.width = 5000, .height = 5000, .pixels = rows}, "25 megapixels in a 70-byte file");
  refused({.width = -2, .height = 2, .pixels = rows}, "negative width");
  refused({.width = 2, .height = INT_MIN, .pixels = rows}, "height without a positive twin");
  refused({.width = 2, .height = 0, .pixels = rows}, "no rows");
  refused({.headerSize = 64, .width = 2, .height = 2, .pixels = rows}, "unknown header size");
  refused({.width = 2, .height = 2, .bitCount = 7, .pixels = rows}, "bit count 7");
  refused({.width = 2, .height = 2, .compression = 4, .pixels = rows}, "embedded JPEG");
  refused({.width = 2, .height = 2, .bitCount = 24, .compression = 1, .pixels = rows}, "RLE8 at 24 bits");
  refused({.width = 2, .height = 2, .bitCount = 8, .clrUsed = 300, .pixels = rows}, "300 colours");
  refused({.width = 2, .height = 2, .bitCount = 8, .pixels = rows}, "colour table beyond the file");
  refused({.width = 2, .height = 2, .pixels = rows, .offBits = 1 << 30}, "pixel offset beyond the file");
  refused({.width = 2, .height = 2, .pixels = rows, .offBits = 60}, "offset leaves too few rows");
  Bytes scattered;
  put32(scattered, 0xF0F0);
  put32(scattered, 0x0F00);
  put32(scattered, 0x000F);
  refused({.width = 2, .height = 2, .bitCount = 16, .compression = 3, .masks = scattered, .pixels = rows},
          "mask with a gap");
  refused({.headerSize = 40, .width = 2, .height = 2, .bitCount = 16, .compression = 3, .pixels = {}},
          "masks cut off");
}

TEST_F(ImageBMPTest, TruncatedAndMissingFilesGiveAnUnloadedImage) {
  const Bytes whole = bmpFile({.width = 2, .height = 2, .pixels = twoByTwo24()});
  for (std::size_t size : {0u, 2u, 13u, 14u, 20u, 53u, 69u}) {
    EXPECT_FALSE(load(Bytes(whole.begin(), whole.begin() + size)).loaded()) << size;
  }
  EXPECT_TRUE(load(whole).loaded());
  EXPECT_FALSE(ImageBMP(dir.file("absent.bmp"), 0, 1).loaded());
  EXPECT_FALSE(ImageBMP(dir.file(""), 0, 1).loaded());  // a directory
}

TEST_F(ImageBMPTest, EightBitFileSavesWithItsColourTable) {
  const ImageBMP image = load(bmpFile({.width = 3, .height = 1, .bitCount = 8, .palette = rampPalette(256, 4),
                                       .pixels = {1, 2, 3, 0}}));
  ASSERT_TRUE(image.loaded());
  ASSERT_TRUE(image.Save(dir.file("out.bmp")));
  const Bytes out = testing::readBytes(dir.file("out.bmp"));
  EXPECT_EQ(readLE32(out.data() + 10), 14u + 40 + 1024);
  EXPECT_EQ(out.size(), 14u + 40 + 1024 + 4);
}

// A run-length stream that ends at once leaves a small picture blank, but
// cannot stand for a large one: a few bytes would make us expand megapixels.
TEST_F(ImageBMPTest, RunLengthsThatCouldNotPaintHalfALargePictureAreRefused) {
  const Bytes endAtOnce = {2, 7, 0, 1};  // two pixels of colour 7, end of bitmap
  const auto file = [&](int side, const Bytes& stream) {
    return bmpFile({.width = side, .height = side, .bitCount = 8, .compression = 1, .clrUsed = 8,
                    .palette = Bytes(32, 40), .pixels = stream});
  };
  EXPECT_TRUE(load(file(256, endAtOnce)).loaded());
  EXPECT_FALSE(load(file(1000, endAtOnce)).loaded());
  // The same large picture painted run by run: 1000 rows of four runs.
  Bytes runs;
  for (int row = 0; row < 1000; ++row) runs.insert(runs.end(), {250, 1, 250, 2, 250, 3, 250, 4, 0, 0});
  const ImageBMP painted = load(file(1000, runs));
  ASSERT_TRUE(painted.loaded());
  EXPECT_EQ(colourAt(painted, 999, 999), (Rgb{40, 40, 40}));
}

// Shrunk while decoding to the box means of the full-size picture, for
// every flavour of row: 24-bit, palette, run-length, top-down, 16-bit.
TEST_F(ImageBMPTest, LargerThanTheSceneShrinksByBoxMeans) {
  const std::string png = dir.file("p.png");
  testing::writePng(png, testing::Raster::rgb(37, 23, [](int x, int y) {
                      return Rgb{(x * 37 + y * 11) & 255, (x * 5 + y * 71) & 255, (x * y * 13 + 7) & 255};
                    }), 2);
  const std::string recipes[] = {"BMP3:", "-colors 200 -compress None BMP3:", "-colors 12 -compress None BMP3:",
                                 "-colors 2 -compress None BMP3:", "-colors 12 -compress RLE BMP3:",
                                 "-depth 5 -define bmp:subtype=RGB555 BMP:", "top-down"};
  for (const std::string& recipe : recipes) {
    const std::string path = dir.file("p.bmp");
    ASSERT_TRUE(testing::run("convert '" + png + "' " + (recipe == "top-down" ? "BMP3:" : recipe) + "'" + path + "'"));
    if (recipe == "top-down") {
      // The same rows stored top row first, as a negative height says.
      Bytes file = testing::readBytes(path);
      const std::size_t offset = readLE32(file.data() + 10), stride = 37 * 3 + 1;
      for (std::size_t y = 0; y < 11; ++y)
        std::swap_ranges(file.begin() + offset + y * stride, file.begin() + offset + (y + 1) * stride,
                         file.begin() + offset + (22 - y) * stride);
      writeLE32(file.data() + 22, static_cast<std::uint32_t>(-23));
      testing::writeBytes(path, file);
    }
    const ImageBMP full(path, 0, 1);
    ASSERT_TRUE(full.loaded()) << recipe;
    const auto colour = [&](int x, int y) { return colourAt(full, x, y); };
    for (const auto& [sceneWidth, factor] : {std::pair{18, 2}, std::pair{9, 4}, std::pair{4, 8}}) {
      const ImageBMP image(path, sceneWidth, 1);
      ASSERT_TRUE(image.loaded()) << recipe;
      EXPECT_EQ(image.bitCount(), 24);
      ASSERT_EQ(image.Width(), (37 + factor - 1) / factor) << recipe;
      ASSERT_EQ(image.Height(), (23 + factor - 1) / factor) << recipe;
      for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
          ASSERT_TRUE(testing::near(colourAt(image, x, y), testing::boxMean(colour, 37, 23, factor, x, y), 1))
              << recipe << " 1/" << factor << " at " << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace warpix
