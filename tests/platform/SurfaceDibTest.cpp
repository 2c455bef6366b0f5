#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/DibView.h"
#include "platform/Surface.h"

namespace warpix {
namespace {

// Packed DIBs are built here byte by byte from the published layout (40-byte
// little-endian header, colour table of blue-green-red-0 quads, rows padded
// to 4 bytes and stored bottom-up), independently of the reader.
constexpr Pixel kBackground = 0x123456;
constexpr std::uint8_t kPadByte = 0xEE;  // padding is never shown

struct Dib {
  std::vector<std::uint8_t> block;
  std::size_t bitsOffset = 0;
  const std::uint8_t* info() const { return block.data(); }
  const std::uint8_t* bits() const { return block.data() + bitsOffset; }
  void put32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) block[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  void put16(std::size_t at, std::uint16_t v) {
    block[at] = static_cast<std::uint8_t>(v);
    block[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
};

// `rows` lists the picture's rows from the top, without padding.
Dib makeDib(int width, int bitCount, const std::vector<std::vector<std::uint8_t>>& rows,
            const std::vector<Pixel>& palette = {}, bool topDown = false, std::uint32_t infoSize = 40) {
  const int height = static_cast<int>(rows.size());
  const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
  Dib d;
  d.bitsOffset = infoSize + palette.size() * 4;
  d.block.assign(d.bitsOffset + rowBytes * height, kPadByte);
  std::fill(d.block.begin(), d.block.begin() + d.bitsOffset, 0);
  d.put32(0, infoSize);
  d.put32(4, static_cast<std::uint32_t>(width));
  d.put32(8, static_cast<std::uint32_t>(topDown ? -height : height));
  d.put16(12, 1);
  d.put16(14, static_cast<std::uint16_t>(bitCount));
  d.put32(20, static_cast<std::uint32_t>(rowBytes * height));
  d.put32(32, static_cast<std::uint32_t>(palette.size()));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    d.block[infoSize + 4 * i] = static_cast<std::uint8_t>(pixelBlue(palette[i]));
    d.block[infoSize + 4 * i + 1] = static_cast<std::uint8_t>(pixelGreen(palette[i]));
    d.block[infoSize + 4 * i + 2] = static_cast<std::uint8_t>(pixelRed(palette[i]));
  }
  for (int r = 0; r < height; ++r) {
    const int stored = topDown ? r : height - 1 - r;
    std::copy(rows[r].begin(), rows[r].end(), d.block.begin() + d.bitsOffset + stored * rowBytes);
  }
  return d;
}

// 24-bit rows from pixels, blue, green, red per pixel.
std::vector<std::uint8_t> bgr(const std::vector<Pixel>& pixels) {
  std::vector<std::uint8_t> out;
  for (const Pixel p : pixels) {
    out.push_back(static_cast<std::uint8_t>(pixelBlue(p)));
    out.push_back(static_cast<std::uint8_t>(pixelGreen(p)));
    out.push_back(static_cast<std::uint8_t>(pixelRed(p)));
  }
  return out;
}

Surface blankSurface(int w = 8, int h = 6) {
  Surface s(w, h);
  s.fill(kBackground);
  s.takeDirty();
  return s;
}

// The pixels of a rectangle of the surface, row by row.
std::vector<Pixel> area(const Surface& s, int x, int y, int w, int h) {
  std::vector<Pixel> out;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) out.push_back(s.pixel(i, j));
  return out;
}

int countChanged(const Surface& s) {
  int n = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) n += s.pixel(x, y) != kBackground;
  return n;
}

constexpr Pixel R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000;

TEST(SurfaceDib, PaletteDepthsIndexTheColourTable) {
  // 1 bit, 10 wide: bits are read from the high bit of each byte.
  // Top row 1010 0000 | 11.. ; bottom row 0101 1111 | 00..
  Surface s = blankSurface(12, 4);
  const Dib one = makeDib(10, 1, {{0xA0, 0xC0}, {0x5F, 0x00}}, {R, B});
  s.drawDib(1, 1, one.info(), one.bits());
  EXPECT_EQ(area(s, 1, 1, 10, 1), (std::vector<Pixel>{B, R, B, R, R, R, R, R, B, B}));
  EXPECT_EQ(area(s, 1, 2, 10, 1), (std::vector<Pixel>{R, B, R, B, B, B, B, B, R, R}));

  // 4 bits, 3 wide: the high nibble is the left pixel.
  const Dib four = makeDib(3, 4, {{0x12, 0xF0}}, {K, R, G, B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, W});
  s.drawDib(0, 0, four.info(), four.bits());
  EXPECT_EQ(area(s, 0, 0, 4, 1), (std::vector<Pixel>{R, G, W, kBackground}));

  // 8 bits with a short table: index 5 lies beyond the three colours given
  // and reads as black.
  const Dib eight = makeDib(4, 8, {{2, 0, 1, 5}}, {R, G, B});
  s.drawDib(0, 3, eight.info(), eight.bits());
  EXPECT_EQ(area(s, 0, 3, 4, 1), (std::vector<Pixel>{B, R, G, K}));

  // biClrUsed 0 on a 1-bit DIB means a table of 2 entries.
  Dib full = makeDib(2, 1, {{0x40}}, {G, B});
  full.put32(32, 0);
  s.drawDib(10, 0, full.info(), full.bits());
  EXPECT_EQ(area(s, 10, 0, 2, 1), (std::vector<Pixel>{G, B}));
}

TEST(SurfaceDib, SixteenBitIsFiveFiveFiveWithWidenedChannels) {
  // Little-endian 0RRRRRGG GGGBBBBB. 31 widens to 255; 16 (10000b) widens to
  // 10000100b = 132 by repeating its top bits.
  const std::uint16_t white = 0x7FFF, red = 0x7C00, green = 0x03E0, blue16 = 0x0010;
  auto bytes = [](std::initializer_list<std::uint16_t> v) {
    std::vector<std::uint8_t> out;
    for (const auto x : v) {
      out.push_back(static_cast<std::uint8_t>(x));
      out.push_back(static_cast<std::uint8_t>(x >> 8));
    }
    return out;
  };
  const Dib d = makeDib(5, 16, {bytes({white, red, green, blue16, 0x8000})});
  Surface s = blankSurface();
  s.drawDib(0, 0, d.info(), d.bits());
  // The top bit is unused: 0x8000 is black.
  EXPECT_EQ(area(s, 0, 0, 5, 1), (std::vector<Pixel>{W, R, G, makePixel(0, 0, 132), K}));
}

TEST(SurfaceDib, TwentyFourBitRowsSkipTheirPadding) {
  // Widths 1, 2 and 3 have 1, 2 and 3 padding bytes; the builder fills them
  // with 0xEE, which must not leak into the next row.
  Surface s = blankSurface();
  for (int w = 1; w <= 3; ++w) {
    std::vector<Pixel> top, bottom;
    for (int i = 0; i < w; ++i) {
      top.push_back(makePixel(10 * w + i, 1, 2));
      bottom.push_back(makePixel(3, 20 * w + i, 4));
    }
    const Dib d = makeDib(w, 24, {bgr(top), bgr(bottom)});
    s.drawDib(0, 2 * (w - 1), d.info(), d.bits());
    EXPECT_EQ(area(s, 0, 2 * (w - 1), w, 1), top) << "width " << w;
    EXPECT_EQ(area(s, 0, 2 * (w - 1) + 1, w, 1), bottom) << "width " << w;
    EXPECT_EQ(s.pixel(w, 2 * (w - 1)), kBackground);
  }
}

TEST(SurfaceDib, TwentyFourBitWideRowsKeepEveryPixelFromAnyStart) {
  // Rows long enough for whole groups of pixels, entered at every column
  // offset by clipping on the left.
  std::vector<Pixel> row;
  for (int i = 0; i < 11; ++i) row.push_back(makePixel(0x10 + i, 0x80 - i, 0xF0 ^ i));
  const Dib d = makeDib(11, 24, {bgr(row)});
  for (int x = 0; x >= -5; --x) {
    Surface s = blankSurface(16, 2);
    s.drawDib(x, 0, d.info(), d.bits());
    const std::vector<Pixel> want(row.begin() - x, row.end());
    EXPECT_EQ(area(s, 0, 0, 11 + x, 1), want) << "x " << x;
    EXPECT_EQ(s.pixel(11 + x, 0), kBackground);
  }
}

TEST(SurfaceDib, StoredRowsAreBottomUpUnlessTheHeightIsNegative) {
  // Written by hand, no builder: a 1 x 2 24-bit DIB whose first stored row
  // (blue) is the bottom of the picture.
  std::vector<std::uint8_t> block(40 + 8, 0);
  block[0] = 40;
  block[4] = 1;
  block[8] = 2;
  block[12] = 1;
  block[14] = 24;
  block[40] = 0xFF;      // stored row 0: blue
  block[44 + 2] = 0xFF;  // stored row 1: red
  Surface s = blankSurface();
  s.drawDib(0, 0, block.data(), block.data() + 40);
  EXPECT_EQ(s.pixel(0, 0), R);
  EXPECT_EQ(s.pixel(0, 1), B);

  const Dib down = makeDib(1, 24, {bgr({G}), bgr({W})}, {}, true);
  EXPECT_EQ(down.bits()[1], 0xFF);  // first stored row is the top one
  s.drawDib(3, 0, down.info(), down.bits());
  EXPECT_EQ(s.pixel(3, 0), G);
  EXPECT_EQ(s.pixel(3, 1), W);
}

TEST(SurfaceDib, ThirtyTwoBitDropsTheUnusedByte) {
  const Dib d = makeDib(2, 32, {{0x01, 0x02, 0x03, 0xFF, 0x30, 0x20, 0x10, 0x7F}});
  Surface s = blankSurface();
  s.drawDib(0, 0, d.info(), d.bits());
  EXPECT_EQ(s.pixel(0, 0), 0x030201u);
  EXPECT_EQ(s.pixel(1, 0), 0x102030u);
}

TEST(SurfaceDib, ColourTableFollowsALargerInfoHeader) {
  // A 108-byte header puts the table at offset 108, as GDI reads it.
  const Dib d = makeDib(2, 8, {{1, 0}}, {R, G}, false, 108);
  Surface s = blankSurface();
  s.drawDib(0, 0, d.info(), d.bits());
  EXPECT_EQ(area(s, 0, 0, 2, 1), (std::vector<Pixel>{G, R}));
}

// A 4 x 3 picture whose pixel (i, j) is makePixel(i, j, 7), to see which
// part of it lands where.
Dib gridDib() {
  std::vector<std::vector<std::uint8_t>> rows;
  for (int j = 0; j < 3; ++j) {
    std::vector<Pixel> r;
    for (int i = 0; i < 4; ++i) r.push_back(makePixel(i, j, 7));
    rows.push_back(bgr(r));
  }
  return makeDib(4, 24, rows);
}

TEST(SurfaceDib, ClipsAtEveryEdge) {
  const Dib d = gridDib();
  struct Case {
    int x, y;
  };
  // Off the left and top, off the right and bottom (surface 8 x 6).
  for (const Case c : {Case{-2, -1}, Case{6, 4}, Case{-3, 4}, Case{7, -2}}) {
    Surface s = blankSurface();
    s.drawDib(c.x, c.y, d.info(), d.bits());
    int shown = 0;
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) {
        const int i = x - c.x, j = y - c.y;
        const bool inside = i >= 0 && i < 4 && j >= 0 && j < 3;
        EXPECT_EQ(s.pixel(x, y), inside ? makePixel(i, j, 7) : kBackground) << x << "," << y;
        shown += inside;
      }
    EXPECT_GT(shown, 0);
  }
  // Wholly outside, including far away: nothing changes.
  for (const Case c : {Case{8, 0}, Case{0, 6}, Case{-4, 0}, Case{0, -3}, Case{INT32_MIN, INT32_MIN},
                       Case{INT32_MAX, INT32_MAX}}) {
    Surface s = blankSurface();
    s.drawDib(c.x, c.y, d.info(), d.bits());
    EXPECT_EQ(countChanged(s), 0);
    EXPECT_TRUE(s.takeDirty().empty());
  }
}

TEST(SurfaceDib, MarksOnlyTheBoxItDraws) {
  const Dib d = gridDib();
  Surface s = blankSurface();
  s.drawDib(1, 2, d.info(), d.bits());
  EXPECT_EQ(s.takeDirty().bounds(), (Rect{1, 2, 5, 5}));
  s.drawDib(-2, 1, d.info(), d.bits());
  EXPECT_EQ(s.takeDirty().bounds(), (Rect{0, 1, 2, 4})) << "clipped at the left edge";
}

TEST(SurfaceDib, RefusesHeadersThatCannotBeTrue) {
  const Dib good = gridDib();
  struct Broken {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    bool wide;
  };
  const Broken cases[] = {
      {"core header size", 0, 12, true},  {"huge header size", 0, 1u << 20, true},
      {"two planes", 12, 2, false},       {"2-bit depth", 14, 2, false},
      {"RLE compression", 16, 1, true},   {"zero width", 4, 0, true},
      {"negative width", 4, 0xFFFFFFFF, true}, {"zero height", 8, 0, true},
      {"too wide", 4, 70000, true},       {"image size short of the rows", 20, 12 * 3 - 1, true},
  };
  for (const Broken& c : cases) {
    Dib d = good;
    if (c.wide)
      d.put32(c.at, c.value);
    else
      d.put16(c.at, static_cast<std::uint16_t>(c.value));
    EXPECT_FALSE(DibView(d.info(), d.bits()).valid()) << c.what;
    Surface s = blankSurface();
    s.drawDib(0, 0, d.info(), d.bits());
    s.stretchDib(0, 0, 8, 6, d.info(), d.bits());
    EXPECT_EQ(countChanged(s), 0) << c.what;
  }
  Dib palette = makeDib(1, 8, {{0}}, {R});
  palette.put32(32, 257);
  EXPECT_FALSE(DibView(palette.info(), palette.bits()).valid()) << "more than 256 colours";
  EXPECT_FALSE(DibView(nullptr, good.bits()).valid());
  // An image size of 0 is allowed for uncompressed rows, and an exact one.
  Dib zero = good;
  zero.put32(20, 0);
  EXPECT_TRUE(DibView(zero.info(), zero.bits()).valid());
  EXPECT_TRUE(DibView(good.info(), good.bits()).valid());
}

// Expected sources below are worked by hand from i * 4 / dw and j * 3 / dh.
TEST(SurfaceStretchDib, DoublingRepeatsEveryPixel) {
  const Dib d = gridDib();
  Surface s = blankSurface(10, 8);
  s.stretchDib(1, 1, 8, 6, d.info(), d.bits());
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 8; ++i) EXPECT_EQ(s.pixel(1 + i, 1 + j), makePixel(i / 2, j / 2, 7)) << i << "," << j;
  EXPECT_EQ(s.pixel(0, 0), kBackground);
  EXPECT_EQ(s.pixel(9, 7), kBackground);
}

TEST(SurfaceStretchDib, UnevenFactorsAndClippingKeepTheMapping) {
  // 4 columns onto 7: i * 4 / 7 for i = 0..6 gives 0 0 1 1 2 2 3.
  // 3 rows onto 5: j * 3 / 5 for j = 0..4 gives 0 0 1 1 2.
  const Dib d = gridDib();
  const int cols[] = {0, 0, 1, 1, 2, 2, 3};
  const int rows[] = {0, 0, 1, 1, 2};
  for (const int x : {0, -3, 4}) {
    Surface s = blankSurface();
    s.stretchDib(x, -1, 7, 5, d.info(), d.bits());
    for (int j = 1; j < 5; ++j)
      for (int i = 0; i < 7; ++i) {
        if (x + i < 0 || x + i >= 8) continue;
        EXPECT_EQ(s.pixel(x + i, j - 1), makePixel(cols[i], rows[j], 7)) << "x " << x << " i " << i << " j " << j;
      }
  }
}

TEST(SurfaceStretchDib, HalvingKeepsEvenColumnsAndEmptyTargetsDrawNothing) {
  // 4 x 3 onto 2 x 1: columns 0 * 4 / 2 = 0 and 1 * 4 / 2 = 2; row 0.
  const Dib d = gridDib();
  Surface h = blankSurface();
  h.stretchDib(0, 0, 2, 1, d.info(), d.bits());
  EXPECT_EQ(area(h, 0, 0, 3, 1), (std::vector<Pixel>{makePixel(0, 0, 7), makePixel(2, 0, 7), kBackground}));
  EXPECT_EQ(countChanged(h), 2);

  Surface s = blankSurface();
  s.stretchDib(0, 0, 0, 4, d.info(), d.bits());
  s.stretchDib(0, 0, 4, -4, d.info(), d.bits());
  s.stretchDib(9, 0, 4, 4, d.info(), d.bits());
  EXPECT_EQ(countChanged(s), 0);
}

}  // namespace
}  // namespace warpix
