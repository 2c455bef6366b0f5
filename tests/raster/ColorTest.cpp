#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "app/Random.h"
#include "raster/ColorHSL.h"
#include "raster/ColorHSV.h"
#include "raster/ColorRGB.h"
#include "raster/PaletteLookup.h"

namespace warpix {
namespace {

// A palette of known entries: entry k is red 10k, green 10k + 1, blue 10k + 2.
class TablePalette : public PaletteLookup {
 public:
  int size() const override { return 10; }
  std::uint32_t entryValue(int k) const override {
    const auto c = static_cast<std::uint32_t>(10 * k);
    return c | ((c + 1) << 8) | ((c + 2) << 16);
  }
};

struct Rgb {
  int r, g, b;
};

Rgb channels(const ColorRGB& c) { return {c.red(), c.green(), c.blue()}; }

#define EXPECT_RGB(colour, R, G, B)       \
  do {                                    \
    const Rgb got_ = channels(colour);    \
    EXPECT_EQ(got_.r, R) << "red";        \
    EXPECT_EQ(got_.g, G) << "green";      \
    EXPECT_EQ(got_.b, B) << "blue";       \
  } while (0)

TEST(ColorRGB, LayoutAndKinds) {
  const ColorRGB plain(1, 2, 3, true);
  EXPECT_EQ(plain.value(), 0x00030201u);
  EXPECT_EQ(plain.kind(), ColorRGB::kPlain);
  // Not true colour: the same channels, marked palette-relative.
  EXPECT_EQ(ColorRGB(1, 2, 3, false).value(), 0x02030201u);
  // Only the low 8 bits of each channel are used.
  EXPECT_EQ(ColorRGB(257, -1, 0x1FF, true).value(), 0x00FFFF01u);
  EXPECT_EQ(ColorRGB::fromScreen(0x00123456u, true).value(), 0x00123456u);
  EXPECT_EQ(ColorRGB::fromScreen(0x00123456u, false).value(), 0x02123456u);
  EXPECT_RGB(ColorRGB::fromScreen(0x00123456u, false), 0x56, 0x34, 0x12);
}

TEST(ColorRGB, PaletteEntriesResolveThroughThePalette) {
  const TablePalette palette;
  const ColorRGB named = ColorRGB::fromEntry(5, palette, false);
  EXPECT_EQ(named.value(), 0x01000005u);
  EXPECT_EQ(named.red(&palette), 50);
  EXPECT_EQ(named.green(&palette), 51);
  EXPECT_EQ(named.blue(&palette), 52);
  EXPECT_EQ(named.average(&palette), 51);
  // On a true-colour display the entry's own channels, as a plain colour.
  EXPECT_EQ(ColorRGB::fromEntry(5, palette, true).value(), 0x00343332u);
  // A number past the end names the last entry rather than a missing one.
  EXPECT_EQ(ColorRGB::fromEntry(300, palette, false).value(), 0x01000009u);
  // A palette-relative colour is not an index: its own bits count.
  EXPECT_EQ(ColorRGB(7, 8, 9, false).red(&palette), 7);
}

TEST(ColorRGB, AverageTruncates) {
  EXPECT_EQ(ColorRGB(255, 0, 1, true).average(), 85);  // 256 / 3
  EXPECT_EQ(ColorRGB(2, 2, 1, true).average(), 1);     // 5 / 3
}

TEST(ColorRGB, CharacterTestsAtTheirThresholds) {
  // Differences of 14 pass, 13 do not.
  EXPECT_TRUE(ColorRGB(0, 14, 0, true).greenish());
  EXPECT_FALSE(ColorRGB(0, 13, 0, true).greenish());
  EXPECT_FALSE(ColorRGB(0, 14, 1, true).greenish());
  // Magenta needs red and blue within 31 of each other.
  EXPECT_TRUE(ColorRGB(200, 100, 231, true).magenta());
  EXPECT_FALSE(ColorRGB(200, 100, 232, true).magenta());
  EXPECT_FALSE(ColorRGB(114, 100, 200, true).magenta());
  // Grey: every channel within 15 of the truncated mean.
  EXPECT_TRUE(ColorRGB(100, 115, 100, true).grey());   // mean 105
  EXPECT_FALSE(ColorRGB(100, 130, 100, true).grey());  // mean 110, green 20 away
  EXPECT_TRUE(ColorRGB(200, 50, 50, true).colourful());
  EXPECT_FALSE(ColorRGB(128, 128, 128, true).colourful());
  EXPECT_FALSE(ColorRGB(200, 100, 220, true).colourful());
  EXPECT_FALSE(ColorRGB(20, 200, 20, true).colourful());
}

TEST(ColorHSL, PrimariesAndGrey) {
  const ColorHSL red(ColorRGB(255, 0, 0, true));
  EXPECT_FLOAT_EQ(red.hue(), 0.0f);
  EXPECT_FLOAT_EQ(red.saturation(), 1.0f);
  EXPECT_FLOAT_EQ(red.lightness(), 0.5f);
  EXPECT_RGB(red.toRGB(true), 255, 0, 0);

  const ColorHSL grey(ColorRGB(128, 128, 128, true));
  EXPECT_EQ(grey.saturation(), 0.0f);
  EXPECT_EQ(grey.lightness(), static_cast<float>(128.0 / 255.0));
  EXPECT_RGB(grey.toRGB(true), 128, 128, 128);

  EXPECT_FLOAT_EQ(ColorHSL(ColorRGB(0, 0, 255, true)).hue(), 2.0f / 3.0f);
  // New colours follow the display: palette-relative when not true colour.
  EXPECT_EQ(red.toRGB(false).value(), 0x020000FFu);
}

TEST(ColorHSL, ConversionTruncates) {
  // L = 0.25, S = 1: q = 0.5, p = 0; red 0.5 * 255 = 127.5 truncates to 127.
  EXPECT_RGB(ColorHSL(0.0f, 1.0f, 0.25f).toRGB(true), 127, 0, 0);
  // (200, 100, 50): H = 1/18, S = 0.6, L = 250/510. In single precision the
  // green and blue come back just under 100 and 50 and truncate to 99 and 49
  // (worked with float32 storage in a short Python script).
  const ColorHSL c(ColorRGB(200, 100, 50, true));
  EXPECT_NEAR(c.hue(), 1.0 / 18.0, 1e-7);
  EXPECT_FLOAT_EQ(c.saturation(), 0.6f);
  EXPECT_RGB(c.toRGB(true), 200, 99, 49);
}

TEST(ColorHSL, ContrastHueRows) {
  // h = hue x 12, one value inside each row; expected (h + add) / 12 less a
  // turn when above 1, worked by hand.
  struct Row {
    double h;
    double expected;
  };
  const std::array<Row, 7> rows{{{0.5, 6.5 / 12}, {2.0, 9.0 / 12}, {5.0, 3.0 / 12}, {7.0, 1.0 / 12},
                                 {9.0, 2.0 / 12}, {11.0, 7.0 / 12}, {0.0, 0.5}}};
  for (const Row& row : rows) {
    ColorHSL c(static_cast<float>(row.h / 12.0), 1.0f, 0.5f);
    c.contrastHue();
    EXPECT_NEAR(c.hue(), row.expected, 1e-6) << "h = " << row.h;
  }
  // Green (h = 4) turns to yellow: 14/12 - 1.
  ColorHSL green(ColorRGB(0, 255, 0, true));
  green.contrastHue();
  EXPECT_NEAR(green.hue(), 1.0 / 6.0, 1e-6);
  // h = 6 + 6 lands exactly on 1, which is not above 1 and is kept.
  ColorHSL cyan(0.5f, 1.0f, 0.5f);
  cyan.contrastHue();
  EXPECT_EQ(cyan.hue(), 1.0f);
}

TEST(ColorHSV, PrimariesAndSectors) {
  const ColorHSV red(ColorRGB(255, 0, 0, true));
  EXPECT_FLOAT_EQ(red.hue(), 0.0f);
  EXPECT_FLOAT_EQ(red.saturation(), 1.0f);
  EXPECT_FLOAT_EQ(red.value(), 1.0f);
  EXPECT_RGB(red.toRGB(true), 255, 0, 0);
  EXPECT_FLOAT_EQ(ColorHSV(ColorRGB(0, 0, 255, true)).hue(), 240.0f);
  EXPECT_FLOAT_EQ(ColorHSV(ColorRGB(255, 0, 255, true)).hue(), 300.0f);
  EXPECT_EQ(ColorHSV(ColorRGB(0, 0, 0, true)).saturation(), 0.0f);
  // 360 degrees is red again; a negative hue falls outside every sector.
  EXPECT_RGB(ColorHSV(360.0f, 1.0f, 1.0f).toRGB(true), 255, 0, 0);
  EXPECT_RGB(ColorHSV(-10.0f, 1.0f, 1.0f).toRGB(true), 0, 0, 0);
  // One hue per sector at full saturation and value.
  EXPECT_RGB(ColorHSV(60.0f, 1.0f, 1.0f).toRGB(true), 255, 255, 0);
  EXPECT_RGB(ColorHSV(120.0f, 1.0f, 1.0f).toRGB(true), 0, 255, 0);
  EXPECT_RGB(ColorHSV(180.0f, 1.0f, 1.0f).toRGB(true), 0, 255, 255);
  EXPECT_RGB(ColorHSV(300.0f, 1.0f, 1.0f).toRGB(true), 255, 0, 255);
}

TEST(ColorHSV, ConversionTruncates) {
  // V = 0.5, S = 0.5, hue 0: (V, t, p) = (0.5, 0.25, 0.25) -> 127.5, 63.75.
  EXPECT_RGB(ColorHSV(0.0f, 0.5f, 0.5f).toRGB(true), 127, 63, 63);
  // (10, 20, 30): hue 210, sector 3, f = 0.5. S = 2/3 rounds up in single
  // precision, so p = V(1 - S) and q = V(1 - S/2) land just under 10/255 and
  // 20/255 and truncate to 9 and 19.
  const ColorHSV c(ColorRGB(10, 20, 30, true));
  EXPECT_FLOAT_EQ(c.hue(), 210.0f);
  EXPECT_RGB(c.toRGB(true), 9, 19, 30);
}

TEST(ColorModels, RoundTripsLoseAtMostOneByTruncation) {
  // Over the grid below, a float32 Python rendering of both conversions
  // finds every channel back exactly or one lower, with 301 colours changed
  // by the HSL round trip and 311 by the HSV one.
  const std::array<int, 8> values{0, 1, 51, 127, 128, 200, 254, 255};
  int changedHsl = 0, changedHsv = 0;
  for (int r : values)
    for (int g : values)
      for (int b : values) {
        const ColorRGB c(r, g, b, true);
        for (const ColorRGB back : {ColorHSL(c).toRGB(true), ColorHSV(c).toRGB(true)}) {
          EXPECT_GE(r - back.red(), 0);
          EXPECT_LE(r - back.red(), 1);
          EXPECT_GE(g - back.green(), 0);
          EXPECT_LE(g - back.green(), 1);
          EXPECT_GE(b - back.blue(), 0);
          EXPECT_LE(b - back.blue(), 1);
        }
        changedHsl += ColorHSL(c).toRGB(true) != c;
        changedHsv += ColorHSV(c).toRGB(true) != c;
      }
  EXPECT_EQ(changedHsl, 301);
  EXPECT_EQ(changedHsv, 311);
}

// Expected values from tests/tools/colour_reference.py, which replays the
// drift over the separate generator rendering tests/tools/ran3.py. The raw
// value drawn afterwards shows how many draws the drift consumed.
TEST(ColorHSV, DriftDrawsInOrderAndOnlyOnHeads) {
  struct Case {
    std::int32_t seed;
    ColorHSV start;
    double amount;
    float h, s, v;
    std::int32_t nextRaw;
  };
  const std::vector<Case> cases{
      // hue and saturation move, value's coin is tails
      {7, ColorHSV(100.0f, 0.5f, 0.5f), 1.0, 91.35562896728516f, 0.4730396270751953f, 0.5f, 906935255},
      // hue wraps below 360; saturation's coin is tails; value moves up
      {8, ColorHSV(355.0f, 0.98f, 0.02f), 3.0, 352.593505859375f, 0.98f, 0.04500090703368187f, 619493423},
      // hue's coin is tails; saturation and value move
      {2024, ColorHSV(2.0f, 0.5f, 0.5f), 2.0, 2.0f, 0.4605492353439331f, 0.5776469707489014f, 136760111},
  };
  for (const Case& c : cases) {
    Random random(c.seed);
    ColorHSV colour = c.start;
    colour.drift(random, c.amount);
    EXPECT_EQ(colour.hue(), c.h) << "seed " << c.seed;
    EXPECT_EQ(colour.saturation(), c.s) << "seed " << c.seed;
    EXPECT_EQ(colour.value(), c.v) << "seed " << c.seed;
    EXPECT_EQ(random.next(), c.nextRaw) << "seed " << c.seed;
  }
}

}  // namespace
}  // namespace warpix
